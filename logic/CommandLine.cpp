// SPDX-License-Identifier: MIT
// The program's command line and the text form of a puzzle.
#include "logic/CommandLine.h"

#include "logic/Version.h"

#include "logic/PictureSearch.h"
#include "logic/RandomGenerator.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace {

bool parseUnsigned(const std::string& text, uint64_t limit, uint64_t& value) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    const auto* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    return res.ec == std::errc() && res.ptr == end && value <= limit;
}

bool parseSigned(const std::string& text, int32_t& value) {
    const auto* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    return !text.empty() && res.ec == std::errc() && res.ptr == end;
}

bool isQtOptionWithValue(const std::string& a) {
    // -session is what Qt itself passes when a desktop session brings the game back.
    return a == "-platform" || a == "-display" || a == "-style" || a == "-qwindowgeometry" ||
           a == "-qwindowtitle" || a == "-platformtheme" || a == "-plugin" || a == "-session" ||
           a == "-stylesheet" || a == "-qwindowicon" || a == "-platformpluginpath";
}

bool isDebugSwitch(const std::string& a) {
    std::string lower;
    for (char c : a)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "-debug" || lower == "/debug";
}

void appendClues(std::string& out, const int32_t* clues, int32_t count) {
    for (int32_t k = 1; k <= count; ++k) {
        if (k > 1) out += ',';
        out += std::to_string(clues[k]);
    }
    out += '\n';
}

} // namespace

std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& out) {
    bool modeGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        // GNU's "--option=value" form as well as "--option value".
        std::string a = args[i];
        std::optional<std::string> attached;
        if (a.rfind("--", 0) == 0) {
            if (const size_t equals = a.find('='); equals != std::string::npos) {
                attached = a.substr(equals + 1);
                a.resize(equals);
            }
        }
        auto value = [&](std::string& v) {
            if (attached) {
                v = *attached;
                attached.reset();
                return true;
            }
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        std::string v;
        // Asking for help or the version ends the parse: the rest is not looked at.
        if (a == "-h" || a == "--help") {
            out.showHelp = true;
            return {};
        }
        if (a == "-v" || a == "--version") {
            out.showVersion = true;
            return {};
        }
        if (a == "--seed") {
            uint64_t seed = 0;
            if (!value(v)) return "--seed needs a number";
            if (!parseUnsigned(v, 0xFFFFFFFFull, seed))
                return "--seed takes a whole number from 0 to 4294967295, not '" + v + "'";
            out.hasSeed = true;
            out.seed = static_cast<uint32_t>(seed);
        } else if (a == "--mode") {
            if (!value(v)) return "--mode needs a number";
            if (!parseSigned(v, out.mode) || out.mode < MinMode || out.mode > MaxMode)
                return "--mode must be a number from 1 to 9";
            modeGiven = true;
        } else if (attached) {
            return "option '" + a + "' takes no value";
        } else if (a == "--print-puzzle") {
            out.printPuzzle = true;
        } else if (a == "--solutions") {
            out.solutions = true;
        } else if (isDebugSwitch(a)) {
            out.debug = true;
        } else if (isQtOptionWithValue(a)) {
            out.passOn.push_back(a);
            if (!value(v)) return a + " needs a value";
            out.passOn.push_back(v);
        } else {
            return "unknown option '" + a + "'";
        }
    }
    if (modeGiven && !out.printPuzzle && !out.solutions)
        return "--mode goes with --print-puzzle or --solutions";
    if (out.printPuzzle && out.solutions)
        return "--print-puzzle and --solutions cannot be used together";
    return {};
}

std::string usageText() {
    return "Usage: morvek [OPTION]...\n"
           "A logic-puzzle game: uncover the hidden picture from the numbers beside\n"
           "its rows and columns.\n"
           "\n"
           "  --seed N              the boards come from the random seed N\n"
           "                        (0 to 4294967295)\n"
           "  --print-puzzle [--mode M] [--seed N]\n"
           "                        print the first board of size level M (1 to 9,\n"
           "                        default 1) as text and exit, without a window\n"
           "  --solutions [--mode M] [--seed N]\n"
           "                        print whether that board has one solution:\n"
           "                        \"unique\", \"ambiguous\" or \"undetermined\" and\n"
           "                        the number of differing cells, then exit\n"
           "  -debug, /debug        write the help layer's log HHDebug.txt\n"
           "  -h, --help            print this text and exit\n"
           "  -v, --version         print the version and exit\n"
           "Options with a value take it after a space or an '=' (--seed=42).\n"
           "\n"
           "Qt's options -platform, -display, -style, -stylesheet, -session,\n"
           "-platformtheme, -plugin, -platformpluginpath, -qwindowgeometry,\n"
           "-qwindowtitle and -qwindowicon, each with its value, go on to Qt.\n"
           "\n"
           "The keyboard plays the whole game: see KEYS in 'man morvek'.\n"
           "Report bugs to: <" MORVEK_BUG_ADDRESS ">\n"
           "Home page: <" MORVEK_HOMEPAGE ">\n";
}

std::string versionText() {
    return "morvek " MORVEK_VERSION "\n"
           "Copyright (C) 2026 Morvek developers\n"
           "License MIT: <https://opensource.org/licenses/MIT>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string usageHint() {
    return "Try 'morvek --help' for the list of options.\n";
}

bool namesDisplay(const CommandLine& cmd) {
    for (size_t i = 0; i + 1 < cmd.passOn.size(); ++i)
        if (cmd.passOn[i] == "-platform" || cmd.passOn[i] == "-display") return true;
    return false;
}

std::string puzzleText(const Puzzle& p) {
    std::string out;
    out += "width " + std::to_string(p.colCount) + "\n";
    out += "height " + std::to_string(p.rowCount) + "\n";
    out += "rows\n";
    for (int32_t row = 1; row <= p.rowCount; ++row)
        appendClues(out, p.rowClues[row], p.rowClueCount[row]);
    out += "columns\n";
    for (int32_t col = 1; col <= p.colCount; ++col)
        appendClues(out, p.colClues[col], p.colClueCount[col]);
    out += "goal \"";
    for (int32_t row = 1; row <= p.rowCount; ++row)
        for (int32_t col = 1; col <= p.colCount; ++col)
            out += p.grid[col][row] == CellState::HiddenFilled ? '1' : '0';
    out += "\"\n";
    return out;
}

std::string solutionsText(const Puzzle& p, int64_t stepsPerCell) {
    // Ample for the generator's boards.
    const FreeCells free = findFreeCells(p, stepsPerCell);
    // Another picture found is certain; none found is certain only when every search finished.
    const char* verdict = free.count > 0  ? "ambiguous "
                          : free.complete ? "unique "
                                          : "undetermined ";
    return verdict + std::to_string(free.count) + "\n";
}

Puzzle firstPuzzle(int32_t mode, uint32_t seed) {
    Puzzle p;
    const int32_t m = clampMode(mode);
    p.colCount = colCountFor(m);
    p.rowCount = rowCountFor(m);
    RandomGenerator rnd(seed);
    generatePuzzle(p, rnd);
    return p;
}
