// SPDX-License-Identifier: MIT
// The program's command line and the text form of a puzzle.
#pragma once

#include "logic/Puzzle.h"

#include <cstdint>
#include <string>
#include <vector>

struct CommandLine {
    bool printPuzzle = false;
    bool solutions = false;
    bool hasSeed = false;
    uint32_t seed = 0;
    int32_t mode = 1;
    bool debug = false;
    bool showHelp = false;           // -h, --help: the usage text, then exit
    bool showVersion = false;        // -v, --version: "morvek 1.0" and the licence, then exit
    std::vector<std::string> passOn; // options meant for Qt, such as -platform offscreen
};

// Parses argv[1..]. Returns an empty string on success, else a one-line error text.
std::string parseCommandLine(const std::vector<std::string>& args, CommandLine& out);

// Every option with a line on what it does, for --help.
std::string usageText();

// "morvek <version>" and the copyright and licence lines, for --version.
std::string versionText();

// The line that follows a command-line error, pointing at --help.
std::string usageHint();

// True when the command line itself names a display or a platform for Qt.
bool namesDisplay(const CommandLine& cmd);

// "width W", "height H", "rows", row clues, "columns", column clues, goal "0101...".
std::string puzzleText(const Puzzle& p);

// "unique" or "ambiguous", a space and the number of cells in which pictures fitting the
// clues differ from the board's own, then a line break.
std::string solutionsText(const Puzzle& p, int64_t stepsPerCell = 20000);

// The first board the game would set up at a size level with a given seed.
Puzzle firstPuzzle(int32_t mode, uint32_t seed);
