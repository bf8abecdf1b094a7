// SPDX-License-Identifier: MIT
// The command line and the printed puzzle format.
#include "logic/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, AcceptsTheKnownOptions) {
    CommandLine cmd;
    EXPECT_EQ(parseCommandLine({"--print-puzzle", "--mode", "9", "--seed", "4294967295"}, cmd), "");
    EXPECT_TRUE(cmd.printPuzzle);
    EXPECT_EQ(cmd.mode, 9);
    EXPECT_TRUE(cmd.hasSeed);
    EXPECT_EQ(cmd.seed, 4294967295u);

    CommandLine dbg;
    EXPECT_EQ(parseCommandLine({"/DEBUG", "--seed", "0", "-platform", "offscreen"}, dbg), "");
    EXPECT_TRUE(dbg.debug);
    EXPECT_EQ(dbg.seed, 0u);
    EXPECT_EQ(dbg.passOn, (std::vector<std::string>{"-platform", "offscreen"}));

    // Qt's own options with a value go to Qt, the value included.
    for (const char* option :
         {"-platform", "-display", "-style", "-stylesheet", "-session", "-qwindowicon"}) {
        CommandLine qt;
        EXPECT_EQ(parseCommandLine({option, "x", "--seed", "1"}, qt), "") << option;
        EXPECT_EQ(qt.passOn, (std::vector<std::string>{option, "x"}));
        EXPECT_EQ(qt.seed, 1u);
    }

    // GNU's "=" form.
    CommandLine joined;
    EXPECT_EQ(parseCommandLine({"--solutions", "--seed=42", "--mode=3"}, joined), "");
    EXPECT_EQ(joined.seed, 42u);
    EXPECT_EQ(joined.mode, 3);
}

TEST(CommandLine, RejectsBadArguments) {
    const std::string seedRange = "--seed takes a whole number from 0 to 4294967295, not ";
    const std::string modeRange = "--mode must be a number from 1 to 9";
    const struct {
        std::vector<std::string> args;
        std::string error;
    } rows[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--seed"}, "--seed needs a number"},
        {{"--seed", "-1"}, seedRange + "'-1'"},
        {{"--seed", "4294967296"}, seedRange + "'4294967296'"},
        {{"--seed=4294967296"}, seedRange + "'4294967296'"},
        {{"--seed", "12x"}, seedRange + "'12x'"},
        {{"--seed", "+5"}, seedRange + "'+5'"},
        {{"--seed="}, seedRange + "''"},
        {{"--print-puzzle", "--mode", "nine"}, modeRange},
        {{"--print-puzzle", "--mode", "0"}, modeRange},
        {{"--print-puzzle", "--mode", "10"}, modeRange},
        {{"--print-puzzle", "--mode", "99"}, modeRange},
        {{"--print-puzzle", "--mode", "-1"}, modeRange},
        {{"--print-puzzle", "--mode=abc"}, modeRange},
        {{"--print-puzzle", "--mode"}, "--mode needs a number"},
        {{"--mode", "3"}, "--mode goes with --print-puzzle or --solutions"},
        {{"--print-puzzle", "--solutions"},
         "--print-puzzle and --solutions cannot be used together"},
        {{"--print-puzzle=1"}, "option '--print-puzzle' takes no value"},
    };
    for (const auto& row : rows) {
        CommandLine cmd;
        EXPECT_EQ(parseCommandLine(row.args, cmd), row.error) << row.args[0];
    }
}

TEST(CommandLine, HelpAndVersionEndTheParse) {
    struct Row {
        std::vector<std::string> args;
        bool help, version;
    };
    const Row rows[] = {
        {{"-h"}, true, false},
        {{"--help"}, true, false},
        {{"-v"}, false, true},
        {{"--version"}, false, true},
        // Whatever follows is not looked at, not even a bad value.
        {{"--seed", "7", "--help", "--bogus"}, true, false},
        {{"--version", "--seed", "x"}, false, true},
    };
    for (const Row& row : rows) {
        CommandLine cmd;
        EXPECT_EQ(parseCommandLine(row.args, cmd), "") << row.args[0];
        EXPECT_EQ(cmd.showHelp, row.help) << row.args[0];
        EXPECT_EQ(cmd.showVersion, row.version) << row.args[0];
    }
    // An error before them still counts.
    CommandLine bad;
    EXPECT_NE(parseCommandLine({"--seed", "x", "--help"}, bad), "");
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = usageText();
    for (const char* option : {"--seed N",
                               "--print-puzzle [--mode M] [--seed N]",
                               "--solutions [--mode M] [--seed N]",
                               "-debug",
                               "/debug",
                               "-h",
                               "--help",
                               "-v",
                               "--version",
                               "-platform",
                               "-display",
                               "-style",
                               "-stylesheet",
                               "-session",
                               "-platformtheme",
                               "-plugin",
                               "-platformpluginpath",
                               "-qwindowgeometry",
                               "-qwindowtitle",
                               "-qwindowicon"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    for (size_t start = 0, end; start < usage.size(); start = end + 1) {
        end = usage.find('\n', start);
        EXPECT_LE(end - start, 80u) << usage.substr(start, end - start);
    }
    // GNU style: the version first, then the copyright, the licence and the warranty.
    EXPECT_EQ(versionText().substr(0, versionText().find('\n') + 1), "morvek 1.0\n");
    EXPECT_NE(versionText().find("License MIT"), std::string::npos);
    EXPECT_NE(versionText().find("NO WARRANTY"), std::string::npos);
    EXPECT_NE(usageHint().find("--help"), std::string::npos);
}

TEST(CommandLine, NamesDisplay) {
    struct Row {
        std::vector<std::string> args;
        bool names;
    };
    const Row rows[] = {
        {{}, false},
        {{"--seed", "3"}, false},
        {{"-platform", "offscreen"}, true},
        {{"-display", ":1"}, true},
        {{"-style", "fusion"}, false},
    };
    for (const Row& row : rows) {
        CommandLine cmd;
        ASSERT_EQ(parseCommandLine(row.args, cmd), "");
        EXPECT_EQ(namesDisplay(cmd), row.names) << (row.args.empty() ? "" : row.args[0]);
    }
}

TEST(PuzzleText, HasTheDocumentedShape) {
    Puzzle p;
    p.colCount = 3;
    p.rowCount = 2;
    p.grid[1][1] = p.grid[2][1] = CellState::HiddenFilled;
    p.grid[3][2] = CellState::HiddenFilled;
    computeClues(p);
    EXPECT_EQ(puzzleText(p), "width 3\nheight 2\nrows\n2\n1\ncolumns\n1\n1\n1\ngoal \"110001\"\n");
}

TEST(CommandLine, Solutions) {
    CommandLine cmd;
    EXPECT_EQ(parseCommandLine({"--solutions", "--mode", "8", "--seed", "34"}, cmd), "");
    EXPECT_TRUE(cmd.solutions);
    EXPECT_FALSE(cmd.printPuzzle);
    EXPECT_EQ(cmd.mode, 8);
    // Seed 1 at size 1: rows 1 and 3 by columns 5, 6, 7 and 9 fit two ways.
    EXPECT_EQ(solutionsText(firstPuzzle(1, 1)), "ambiguous 8\n");
    EXPECT_EQ(solutionsText(firstPuzzle(1, 2)), "unique 0\n");
    EXPECT_EQ(solutionsText(firstPuzzle(8, 34)), "ambiguous 34\n");
    // A search cut short cannot call a board unique.
    Puzzle diagonal;
    diagonal.colCount = diagonal.rowCount = 4;
    for (int32_t i = 1; i <= 4; ++i)
        diagonal.grid[i][i] = CellState::HiddenFilled;
    computeClues(diagonal);
    EXPECT_EQ(solutionsText(diagonal, 0), "undetermined 0\n");
    EXPECT_EQ(solutionsText(diagonal), "ambiguous 16\n");
}
