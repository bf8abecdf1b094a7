// SPDX-License-Identifier: MIT
// The rules of play, driven by scripted mouse input against a recording of every window effect.
#include "logic/BoardRules.h"
#include "logic/CommandLine.h"
#include "logic/GameOptions.h"
#include "logic/KeyboardPlay.h"
#include "logic/PictureSearch.h"
#include "logic/Puzzle.h"
#include "logic/RandomGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using TextLines = std::vector<std::string>;

const char* lookName(int32_t state) {
    switch (state) {
    case CellState::HiddenEmpty:
        return "empty";
    case CellState::HiddenFilled:
        return "filled";
    case CellState::MarkedEmpty:
        return "marked";
    case CellState::Uncovered:
        return "uncovered";
    }
    return "?";
}

// Keeps every effect in order. A drawn cell is recorded with the state it was drawn from, so the
// flash frames and their restore show up in the recording.
class EffectsRecorder : public BoardEffects {
  public:
    EffectsRecorder(const Puzzle& puzzle, const int32_t& playTime)
        : m_puzzle(puzzle), m_playTime(playTime) {}

    void drawCell(int32_t col, int32_t row) override {
        log.push_back("cell " + std::to_string(col) + "," + std::to_string(row) + " " +
                      lookName(m_puzzle.grid[col][row]));
    }
    void drawRowClues() override { log.push_back("rowclues"); }
    void drawColClues() override { log.push_back("colclues"); }
    void drawTime() override { log.push_back("time " + std::to_string(m_playTime)); }
    void playSnd(Sound sound) override {
        log.push_back("snd " + std::to_string(static_cast<int32_t>(sound)));
    }
    void delay(int32_t ms) override { log.push_back("wait " + std::to_string(ms)); }
    void enablePauseBtn(bool enabled) override {
        log.push_back(enabled ? "pause on" : "pause off");
    }
    void levelSolved() override { log.push_back("solved"); }

    TextLines log;

  private:
    const Puzzle& m_puzzle;
    const int32_t& m_playTime;
};

// '#' hidden filled, '.' hidden empty, 'x' marked, 'o' uncovered. Clues come from the filled
// cells ('#' and 'o').
Puzzle boardFrom(const TextLines& rows) {
    Puzzle p;
    p.rowCount = static_cast<int32_t>(rows.size());
    p.colCount = static_cast<int32_t>(rows[0].size());
    for (int32_t r = 1; r <= p.rowCount; ++r)
        for (int32_t c = 1; c <= p.colCount; ++c) {
            const char ch = rows[r - 1][c - 1];
            p.grid[c][r] =
                ch == '#' || ch == 'o' ? CellState::HiddenFilled : CellState::HiddenEmpty;
        }
    computeClues(p);
    for (int32_t r = 1; r <= p.rowCount; ++r)
        for (int32_t c = 1; c <= p.colCount; ++c) {
            const char ch = rows[r - 1][c - 1];
            if (ch == 'x') p.grid[c][r] = CellState::MarkedEmpty;
            if (ch == 'o') p.grid[c][r] = CellState::Uncovered;
        }
    return p;
}

TextLines boardText(const Puzzle& p) {
    TextLines rows;
    for (int32_t r = 1; r <= p.rowCount; ++r) {
        std::string line;
        for (int32_t c = 1; c <= p.colCount; ++c)
            line += ".#xo"[p.grid[c][r]];
        rows.push_back(line);
    }
    return rows;
}

std::string doneText(const bool* done, int32_t count) {
    std::string s;
    for (int32_t i = 1; i <= count; ++i)
        s += done[i] ? '1' : '0';
    return s;
}

// The four flash frames of a wrong move: the claimed look, then the cell's own state again.
TextLines flash(int32_t col, int32_t row, const std::string& look, const std::string& own) {
    const std::string cell = "cell " + std::to_string(col) + "," + std::to_string(row) + " ";
    TextLines out;
    for (int i = 0; i < 4; ++i)
        out.insert(out.end(), {cell + look, "wait 100", cell + own, "wait 50"});
    return out;
}

TextLines cat(std::initializer_list<TextLines> parts) {
    TextLines out;
    for (const TextLines& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A board with its window state, the recording and the rules, on a layout whose origin is not
// a multiple of the cell size.
struct CaseTable {
    explicit CaseTable(const TextLines& rows, int32_t sizeLevel = 1) : board(boardFrom(rows)) {
        options.mode = sizeLevel;
        layout.cellSize = 10;
        layout.boardLeft = 25;
        layout.boardTop = 15;
    }

    int32_t x(int32_t col) const { return layout.boardLeft + (col - 1) * layout.cellSize + 5; }
    int32_t y(int32_t row) const { return layout.boardTop + (row - 1) * layout.cellSize + 5; }

    // One step: "L c,r", "R c,r", "M c,r" press; "drag c,r" moves; "up" releases. Cells 0 or
    // past the last lie on the clue panels or the margins.
    void run(const std::string& step) {
        int32_t c = 0, r = 0;
        char button = 0;
        if (step == "up") {
            rules.boxMouseUp();
        } else if (std::sscanf(step.c_str(), "drag %d,%d", &c, &r) == 2) {
            rules.boxMouseMove(x(c), y(r));
        } else if (std::sscanf(step.c_str(), "%c %d,%d", &button, &c, &r) == 3) {
            const MouseButton b = button == 'L'   ? MouseButton::Left
                                  : button == 'R' ? MouseButton::Right
                                                  : MouseButton::Middle;
            rules.boxMouseDown(b, x(c), y(r));
        } else {
            ADD_FAILURE() << "bad step " << step;
        }
    }

    Puzzle board;
    BoardLayout layout;
    GameState gameState = GameState::Ready;
    int32_t playTime = 0;
    GameOptions options;
    EffectsRecorder rec{board, playTime};
    BoardRules rules{board, layout, gameState, playTime, options, rec};
};

// The cursor's moves go into the same recording as the rules' effects, so their order shows.
class CursorRecorder : public CursorEffects {
  public:
    explicit CursorRecorder(TextLines& log) : m_log(log) {}
    void bind(const KeyboardPlay& play) { this->m_play = &play; }
    void cursorMoved(const BoardCursor&) override {
        const BoardCursor& c = m_play->cursor();
        m_log.push_back(c.visible ? "cursor " + std::to_string(c.col) + "," + std::to_string(c.row)
                                  : "cursor off");
    }

  private:
    TextLines& m_log;
    const KeyboardPlay* m_play = nullptr;
};

// A table played by keys: "left", "right", "up", "down", "home", "end", "pgup", "pgdn", each
// with an optional "shift+" in front; "space" uncovers, "x" marks, "release" lets Shift go,
// "mouse" is a press on the board elsewhere (it hides the cursor).
struct KeyTable : CaseTable {
    explicit KeyTable(const TextLines& rows, int32_t sizeLevel = 1) : CaseTable(rows, sizeLevel) {
        cursorRecorder.bind(keys);
    }

    void press(const std::string& key) {
        static const struct {
            const char* name;
            CursorStep step;
        } steps[] = {{"left", CursorStep::Left},      {"right", CursorStep::Right},
                     {"up", CursorStep::Up},          {"down", CursorStep::Down},
                     {"home", CursorStep::RowStart},  {"end", CursorStep::RowEnd},
                     {"pgup", CursorStep::ColumnTop}, {"pgdn", CursorStep::ColumnBottom}};
        const bool shift = key.rfind("shift+", 0) == 0;
        const std::string name = shift ? key.substr(6) : key;
        for (const auto& s : steps)
            if (name == s.name) return keys.step(s.step, shift);
        if (name == "space") return keys.uncover();
        if (name == "x") return keys.mark();
        if (name == "release") return keys.releaseDrag();
        if (name == "mouse") return keys.hide();
        ADD_FAILURE() << "bad key " << key;
    }

    CursorRecorder cursorRecorder{rec.log};
    KeyboardPlay keys{rules, board, cursorRecorder};
};

struct MoveCase {
    std::string name;
    TextLines board;
    TextLines moves;
    TextLines recording;
    TextLines after;
    GameState state;
    int32_t playTime;
    bool dragging;
    std::string rowsDone = ""; // empty: no line done
    std::string colsDone = "";
    int32_t mode = 1;
    bool fair = true;
    int64_t fairBudget = FairNodeBudget;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

const MoveCase MoveCases[] = {
    {"LeftOnFilledUncoversAndStartsDrag",
     {"#.#", "##."},
     {"L 1,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered"},
     {"o.#", "##."},
     GameState::Running,
     0,
     true},
    {"RightOnEmptyMarks",
     {"#.#", "##."},
     {"R 2,1"},
     {"pause on", "snd 2", "cell 2,1 marked"},
     {"#x#", "##."},
     GameState::Running,
     0,
     false},
    {"WrongLeftPressStartsLevelFlashesAndCosts",
     {"#.#", "##."},
     {"L 2,1"},
     cat({{"pause on", "time 33", "snd 3"}, flash(2, 1, "uncovered", "empty")}),
     {"#.#", "##."},
     GameState::Running,
     33,
     false},
    {"WrongRightPressLeavesCellHiddenForALaterLeftPress",
     {"#.#", "##."},
     {"R 1,1", "L 1,1"},
     cat({{"pause on", "time 33", "snd 3"},
          flash(1, 1, "marked", "filled"),
          {"pause on", "snd 2", "cell 1,1 uncovered"}}),
     {"o.#", "##."},
     GameState::Running,
     33,
     true},
    {"PressOnMarkedOrUncoveredOnlyStartsLevel",
     {"ox#", "##."},
     {"R 2,1", "L 2,1", "R 1,1", "L 1,1", "drag 3,1"},
     {"pause on", "pause on", "pause on", "pause on"},
     {"ox#", "##."},
     GameState::Running,
     0,
     false},
    {"MiddlePressOnlyStartsLevel",
     {"#.#", "##."},
     {"M 2,1", "M 1,1", "drag 1,2"},
     {"pause on", "pause on"},
     {"#.#", "##."},
     GameState::Running,
     0,
     false},
    {"PressOffTheCellsDoesNothing",
     {"#.#", "##."},
     {"L 0,1", "R 1,0", "M 0,0", "L 4,1", "R 1,3", "L 4,3"},
     {},
     {"#.#", "##."},
     GameState::Ready,
     0,
     false},
    {"DragPassesUncoveredAndMarkedAndEndsOnEmptyWithOnePenalty",
     {"##x#o.#", "#######"},
     {"L 1,1", "drag 1,1", "drag 2,1", "drag 3,1", "drag 4,1", "drag 5,1", "drag 6,1", "drag 7,1",
      "drag 7,2"},
     cat({{"pause on", "snd 2", "cell 1,1 uncovered", "snd 2", "cell 2,1 uncovered", "snd 2",
           "cell 4,1 uncovered", "time 33", "snd 3"},
          flash(6, 1, "uncovered", "empty")}),
     {"ooxoo.#", "#######"},
     GameState::Running,
     33,
     false},
    {"OneMoveWalksEveryCellOnTheWayAndStopsAtTheFirstEmpty",
     {"##x#.##", "#######"},
     {"L 1,1", "drag 7,1"},
     cat({{"pause on", "snd 2", "cell 1,1 uncovered", "snd 2", "cell 2,1 uncovered", "snd 2",
           "cell 4,1 uncovered", "time 33", "snd 3"},
          flash(5, 1, "uncovered", "empty")}),
     {"ooxo.##", "#######"},
     GameState::Running,
     33,
     false},
    {"DiagonalMoveWalksThroughTheCellsBeside",
     {"###", "###", "###"},
     {"L 1,1", "drag 3,3"},
     {"pause on", "snd 2", "cell 1,1 uncovered", "snd 2", "cell 2,1 uncovered", "snd 2",
      "cell 2,2 uncovered", "snd 2", "cell 3,2 uncovered", "snd 2", "cell 3,3 uncovered"},
     {"oo#", "#oo", "##o"},
     GameState::Running,
     0,
     true},
    {"MovesOffAndBackOntoTheBoardWalkTheirPartsOnIt",
     {"####", "####"},
     {"L 2,2", "drag 6,2", "drag 6,1", "drag 3,1"},
     {"pause on", "snd 2", "cell 2,2 uncovered", "snd 2", "cell 3,2 uncovered", "snd 2",
      "cell 4,2 uncovered", "snd 2", "cell 4,1 uncovered", "snd 4", "colclues", "snd 2",
      "cell 3,1 uncovered", "snd 4", "colclues"},
     {"##oo", "#ooo"},
     GameState::Running,
     0,
     true,
     "",
     "0011"},
    {"NoDragAfterWrongLeftPress",
     {"#.#", "##."},
     {"L 2,1", "drag 1,1", "drag 3,1"},
     cat({{"pause on", "time 33", "snd 3"}, flash(2, 1, "uncovered", "empty")}),
     {"#.#", "##."},
     GameState::Running,
     33,
     false},
    {"NoDragAfterRightPress",
     {"#.#", "##."},
     {"R 2,1", "drag 1,1", "drag 3,1"},
     {"pause on", "snd 2", "cell 2,1 marked"},
     {"#x#", "##."},
     GameState::Running,
     0,
     false},
    {"DragSurvivesLeavingTheBoard",
     {"####", "####"},
     {"L 1,1", "drag 0,1", "drag 0,0", "drag 5,0", "drag 5,3", "drag 0,3", "drag 0,1", "drag 2,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered", "snd 2", "cell 2,1 uncovered"},
     {"oo##", "####"},
     GameState::Running,
     0,
     true},
    {"ReleaseEndsDrag",
     {"####", "####"},
     {"L 1,1", "up", "drag 2,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered"},
     {"o###", "####"},
     GameState::Running,
     0,
     false},
    {"RowColumnAndBoardCompleteInOrder",
     {"o#.", "oo.", "..o"},
     {"L 2,1"},
     {"pause on", "snd 2", "cell 2,1 uncovered", "snd 4", "cell 3,1 marked", "wait 200", "rowclues",
      "snd 4", "cell 2,3 marked", "wait 200", "colclues", "snd 1", "solved"},
     {"oox", "oo.", ".xo"},
     GameState::Solved,
     0,
     true, // a press that solves still starts a drag; the solved state blocks it
     "100",
     "010"},
    {"NothingAfterSolving",
     {"o#.", "oo.", "..o"},
     {"L 2,1", "drag 1,3", "L 1,3", "R 1,3", "M 3,2", "up", "L 1,3"},
     {"pause on", "snd 2", "cell 2,1 uncovered", "snd 4", "cell 3,1 marked", "wait 200", "rowclues",
      "snd 4", "cell 2,3 marked", "wait 200", "colclues", "snd 1", "solved"},
     {"oox", "oo.", ".xo"},
     GameState::Solved,
     0,
     false,
     "100",
     "010"},
    {"RowWithMarkedEmptiesCompletesWithoutWaits",
     {"ox#", "###"},
     {"L 3,1"},
     {"pause on", "snd 2", "cell 3,1 uncovered", "snd 4", "rowclues"},
     {"oxo", "###"},
     GameState::Running,
     0,
     true,
     "10"},
    {"RowCompletionWaitsOnlyAfterCellsItMarks",
     {"#.x.o..", "#######"},
     {"L 1,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered", "snd 4", "cell 2,1 marked", "wait 200",
      "cell 4,1 marked", "wait 200", "cell 6,1 marked", "wait 200", "cell 7,1 marked", "wait 200",
      "rowclues"},
     {"oxxxoxx", "#######"},
     GameState::Running,
     0,
     true,
     "10"},
    {"RowBeforeColumnAndColumnTopDown",
     {".#", "#.", "x#", ".#"},
     {"L 1,2"},
     {"pause on", "snd 2", "cell 1,2 uncovered", "snd 4", "cell 2,2 marked", "wait 200", "rowclues",
      "snd 4", "cell 1,1 marked", "wait 200", "cell 1,4 marked", "wait 200", "colclues"},
     {"x#", "ox", "x#", "x#"},
     GameState::Running,
     0,
     true,
     "0100",
     "10"},
    {"TwoWrongMovesAtSize7Cost198",
     {"#.#", "##."},
     {"L 2,1", "R 1,1"},
     cat({{"pause on", "time 99", "snd 3"},
          flash(2, 1, "uncovered", "empty"),
          {"pause on", "time 198", "snd 3"},
          flash(1, 1, "marked", "filled")}),
     {"#.#", "##."},
     GameState::Running,
     198,
     false,
     "",
     "",
     7},
};

// Two pictures fit these clues: ".###" / "##.." / "#..." (the hidden one) and "###." / "##.." /
// "...#". Cells (1,1), (4,1), (1,3) and (4,3) differ; (3,2), (4,2), (2,3) and (3,3) are empty
// in both.
const TextLines TwoPictures = {".###", "##..", "#..."};

const MoveCase FairCases[] = {
    {"OtherPicturesFilledCellIsUncovered",
     TwoPictures,
     {"L 1,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered"},
     {"o##.", "##..", "...#"},
     GameState::Running,
     0,
     true},
    {"OtherPicturesEmptyCellIsMarked",
     TwoPictures,
     {"R 4,1"},
     {"pause on", "snd 2", "cell 4,1 marked"},
     {"###x", "##..", "...#"},
     GameState::Running,
     0,
     false},
    {"CellEmptyInEveryPictureStillCosts",
     TwoPictures,
     {"L 3,2"},
     cat({{"pause on", "time 33", "snd 3"}, flash(3, 2, "uncovered", "empty")}),
     TwoPictures,
     GameState::Running,
     33,
     false},
    {"CellFilledInEveryPictureStillCosts",
     TwoPictures,
     {"R 2,1"},
     cat({{"pause on", "time 33", "snd 3"}, flash(2, 1, "marked", "filled")}),
     TwoPictures,
     GameState::Running,
     33,
     false},
    {"DragOntoOtherPicturesCellGoesOn",
     {"###.", "##..", "...#"},
     {"L 3,1", "drag 4,1", "drag 4,2"},
     {"pause on", "snd 2", "cell 3,1 uncovered", "snd 4", "cell 3,2 marked", "wait 200",
      "cell 3,3 marked", "wait 200", "colclues", "snd 2", "cell 4,1 uncovered", "snd 4",
      "cell 4,2 marked", "wait 200", "cell 4,3 marked", "wait 200", "colclues"},
     {".#oo", "##xx", "#.xx"},
     GameState::Running,
     0,
     true,
     "",
     "0011"},
    {"UncoveredCellsHoldThePicture",
     {"o##.", "##..", "...#"},
     {"L 4,1", "R 1,1"},
     cat({{"pause on", "time 33", "snd 3"}, flash(4, 1, "uncovered", "empty"), {"pause on"}}),
     {"o##.", "##..", "...#"},
     GameState::Running,
     33,
     false},
    {"LineCompletionFollowsTheNewPicture",
     TwoPictures,
     {"L 1,1", "drag 2,1", "drag 3,1"},
     {"pause on", "snd 2", "cell 1,1 uncovered", "snd 2", "cell 2,1 uncovered", "snd 2",
      "cell 3,1 uncovered", "snd 4", "cell 4,1 marked", "wait 200", "rowclues", "snd 4",
      "cell 3,2 marked", "wait 200", "cell 3,3 marked", "wait 200", "colclues"},
     {"ooox", "##x.", "..x#"},
     GameState::Running,
     0,
     true,
     "100",
     "0010"},
    {"SolvedWhenTheNewPictureIsUncovered",
     TwoPictures,
     {"L 1,1", "drag 2,1", "drag 3,1", "up", "L 1,2", "drag 2,2", "up", "L 4,3"},
     {"pause on",
      "snd 2",
      "cell 1,1 uncovered",
      "snd 2",
      "cell 2,1 uncovered",
      "snd 2",
      "cell 3,1 uncovered",
      "snd 4",
      "cell 4,1 marked",
      "wait 200",
      "rowclues",
      "snd 4",
      "cell 3,2 marked",
      "wait 200",
      "cell 3,3 marked",
      "wait 200",
      "colclues",
      "pause on",
      "snd 2",
      "cell 1,2 uncovered",
      "snd 4",
      "cell 1,3 marked",
      "wait 200",
      "colclues",
      "snd 2",
      "cell 2,2 uncovered",
      "snd 4",
      "cell 4,2 marked",
      "wait 200",
      "rowclues",
      "snd 4",
      "cell 2,3 marked",
      "wait 200",
      "colclues",
      "pause on",
      "snd 2",
      "cell 4,3 uncovered",
      "snd 4",
      "rowclues",
      "snd 4",
      "colclues",
      "snd 1",
      "solved"},
     {"ooox", "ooxx", "xxxo"},
     GameState::Solved,
     0,
     true,
     "111",
     "1111"},
    {"StrictRuleKnowsOnlyTheHiddenPicture",
     TwoPictures,
     {"L 1,1", "R 4,1"},
     cat({{"pause on", "time 33", "snd 3"},
          flash(1, 1, "uncovered", "empty"),
          {"pause on", "time 66", "snd 3"},
          flash(4, 1, "marked", "filled")}),
     TwoPictures,
     GameState::Running,
     66,
     false,
     "",
     "",
     1,
     false},
};

// A claim that fair judging cannot decide within its steps costs nothing: a picture may allow it.
const MoveCase UndecidedCases[] = {
    {"UndecidedUncoverIsRefusedWithoutPenalty",
     {"#...", ".#..", "..#.", "...#"},
     {"L 2,1"},
     cat({{"pause on"}, flash(2, 1, "uncovered", "empty")}),
     {"#...", ".#..", "..#.", "...#"},
     GameState::Running,
     0,
     false,
     "",
     "",
     1,
     true,
     0},
    {"UndecidedMarkIsRefusedWithoutPenalty",
     {"#...", ".#..", "..#.", "...#"},
     {"R 1,1"},
     cat({{"pause on"}, flash(1, 1, "marked", "filled")}),
     {"#...", ".#..", "..#.", "...#"},
     GameState::Running,
     0,
     false,
     "",
     "",
     1,
     true,
     0},
};

class Moves : public testing::TestWithParam<MoveCase> {};

TEST_P(Moves, RecordAndEndState) {
    const MoveCase& tc = GetParam();
    CaseTable t(tc.board, tc.mode);
    t.options.fairJudging = tc.fair;
    t.rules.setFairJudgingBudget(tc.fairBudget);
    for (const std::string& step : tc.moves)
        t.run(step);
    EXPECT_EQ(t.rec.log, tc.recording);
    EXPECT_EQ(boardText(t.board), tc.after);
    EXPECT_EQ(t.gameState, tc.state);
    EXPECT_EQ(t.playTime, tc.playTime);
    EXPECT_EQ(t.rules.dragging(), tc.dragging);
    const std::string noRows(t.board.rowCount, '0'), noCols(t.board.colCount, '0');
    EXPECT_EQ(doneText(t.board.rowDone, t.board.rowCount),
              tc.rowsDone.empty() ? noRows : tc.rowsDone);
    EXPECT_EQ(doneText(t.board.colDone, t.board.colCount),
              tc.colsDone.empty() ? noCols : tc.colsDone);
}

INSTANTIATE_TEST_SUITE_P(Rules, Moves, testing::ValuesIn(MoveCases),
                         [](const testing::TestParamInfo<MoveCase>& info) {
                             return info.param.name;
                         });
INSTANTIATE_TEST_SUITE_P(Fair, Moves, testing::ValuesIn(FairCases),
                         [](const testing::TestParamInfo<MoveCase>& info) {
                             return info.param.name;
                         });
INSTANTIATE_TEST_SUITE_P(Undecided, Moves, testing::ValuesIn(UndecidedCases),
                         [](const testing::TestParamInfo<MoveCase>& info) {
                             return info.param.name;
                         });

// On the boards of the rules table the clues and the settled cells allow one picture only: the
// strict rule plays them exactly as fair judging does.
TEST(BoardRulesTest, StrictRuleOnTheRulesTable) {
    for (const MoveCase& tc : MoveCases) {
        SCOPED_TRACE(tc.name);
        CaseTable t(tc.board, tc.mode);
        t.options.fairJudging = false;
        for (const std::string& step : tc.moves)
            t.run(step);
        EXPECT_EQ(t.rec.log, tc.recording);
        EXPECT_EQ(boardText(t.board), tc.after);
        EXPECT_EQ(t.playTime, tc.playTime);
    }
}

// The cells of one pointer movement, in pixels of a 4 x 3 board of 10-pixel cells at (25, 15).
TEST(BoardRulesTest, CellsAlongAMovement) {
    const Puzzle board = boardFrom({"####", "####", "####"});
    BoardLayout layout;
    layout.cellSize = 10;
    layout.boardLeft = 25;
    layout.boardTop = 15;
    using CellList = std::vector<std::pair<int32_t, int32_t>>;
    const struct {
        const char* name;
        int32_t x0, y0, x1, y1;
        CellList cells;
    } cases[] = {
        {"same cell", 26, 16, 34, 24, {}},
        {"next cell", 34, 20, 35, 20, {{2, 1}}},
        {"row leftwards", 60, 30, 26, 30, {{3, 2}, {2, 2}, {1, 2}}},
        {"column downwards", 40, 16, 40, 44, {{2, 2}, {2, 3}}},
        {"shallow slope", 26, 16, 64, 28, {{2, 1}, {3, 1}, {3, 2}, {4, 2}}},
        {"through a corner", 30, 20, 40, 30, {{2, 1}, {2, 2}}},
        {"from off the board", 0, 20, 40, 20, {{1, 1}, {2, 1}}},
        {"off the board", 30, 20, 200, 20, {{2, 1}, {3, 1}, {4, 1}}},
        {"across the board", 10, 30, 100, 30, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
        {"beside the board", 10, 10, 100, 10, {}},
        {"far away", INT32_MIN, 30, INT32_MAX, 30, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
        {"diagonal from outside", 20, 40, 40, 20, {{1, 3}, {1, 2}, {2, 2}, {2, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CellList got;
        for (const CellHit& hit : cellsAlong(board, layout, c.x0, c.y0, c.x1, c.y1))
            got.emplace_back(hit.col, hit.row);
        EXPECT_EQ(got, c.cells);
    }
    layout.cellSize = 0;
    EXPECT_TRUE(cellsAlong(board, layout, 0, 0, 100, 100).empty());
}

// A generated board: one move from (4,6) to (9,6) uncovers the filled cells on the way and ends
// at the first hidden empty one with one penalty.
TEST(BoardRulesTest, OneMoveAcrossAGeneratedBoard) {
    CaseTable t({"."}, 1);
    RandomGenerator rnd(1);
    t.board.colCount = colCountFor(1);
    t.board.rowCount = rowCountFor(1);
    generatePuzzle(t.board, rnd);
    ASSERT_EQ(t.board.grid[4][6], CellState::HiddenFilled);
    t.run("L 4,6");
    t.run("drag 9,6");
    EXPECT_EQ(t.board.grid[5][6], CellState::Uncovered);
    EXPECT_EQ(t.board.grid[6][6], CellState::Uncovered);
    EXPECT_EQ(t.board.grid[7][6], CellState::HiddenEmpty);
    EXPECT_NE(t.board.grid[8][6], CellState::Uncovered);
    EXPECT_NE(t.board.grid[9][6], CellState::Uncovered);
    EXPECT_EQ(t.playTime, 33);
    EXPECT_FALSE(t.rules.dragging());
    EXPECT_EQ(std::count(t.rec.log.begin(), t.rec.log.end(), "snd 3"), 1);
}

TEST(BoardRulesTest, PenaltyBySizeLevel) {
    const struct {
        int32_t mode, penalty;
    } cases[] = {{1, 33}, {2, 33}, {3, 66}, {4, 66}, {5, 66}, {6, 66}, {7, 99}, {8, 99}, {9, 99}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(penaltyFor(c.mode), c.penalty);
        // And what a wrong move actually charges, on top of the time already run.
        CaseTable t({"#.", "##"}, c.mode);
        t.playTime = 17;
        t.run("L 2,1");
        EXPECT_EQ(t.playTime, 17 + c.penalty);
        ASSERT_GE(t.rec.log.size(), 2u);
        EXPECT_EQ(t.rec.log[1], "time " + std::to_string(17 + c.penalty));
    }
}

TEST(BoardRulesTest, HitTestEdges) {
    const Puzzle board = boardFrom({"###", "###"}); // cells span x 25..54, y 15..34
    BoardLayout layout;
    layout.cellSize = 10;
    layout.boardLeft = 25;
    layout.boardTop = 15;
    const struct {
        int32_t x, y;
        bool hit;
        int32_t col, row;
    } cases[] = {
        {25, 15, true, 1, 1},
        {34, 24, true, 1, 1},
        {35, 15, true, 2, 1},
        {25, 25, true, 1, 2},
        {54, 34, true, 3, 2},
        {24, 15, false, 0, 0},
        {25, 14, false, 0, 0},
        {55, 34, false, 0, 0},
        {54, 35, false, 0, 0},
        {-1000, 20, false, 0, 0},
        {INT32_MAX, 20, false, 0, 0},
        {30, INT32_MAX, false, 0, 0},
        {INT32_MIN, INT32_MIN, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const CellHit hit = hitTest(board, layout, c.x, c.y);
        EXPECT_EQ(hit.hit, c.hit);
        if (c.hit) {
            EXPECT_EQ(hit.col, c.col);
            EXPECT_EQ(hit.row, c.row);
        }
    }
}

TEST(BoardRulesTest, LayoutWithoutCellsIgnoresInput) {
    for (const int32_t cellSize : {0, -10}) {
        SCOPED_TRACE(cellSize);
        CaseTable t({"#.", "##"});
        t.layout.cellSize = cellSize;
        t.rules.boxMouseDown(MouseButton::Left, 30, 20);
        t.rules.boxMouseDown(MouseButton::Right, 100, 100);
        t.rules.boxMouseMove(30, 20);
        EXPECT_TRUE(t.rec.log.empty());
        EXPECT_EQ(t.gameState, GameState::Ready);
        EXPECT_EQ(boardText(t.board), (TextLines{"#.", "##"}));
        // Nor does a drag under way when the cells vanish.
        t.layout.cellSize = 10;
        t.run("L 1,2");
        ASSERT_TRUE(t.rules.dragging());
        t.rec.log.clear();
        const TextLines before = boardText(t.board);
        t.layout.cellSize = cellSize;
        t.rules.boxMouseMove(30, 20);
        EXPECT_TRUE(t.rec.log.empty());
        EXPECT_EQ(boardText(t.board), before);
    }
}

// The rules follow the layout as it changes (a resized window), not a copy taken at the start.
TEST(BoardRulesTest, ReadsLayoutAtEachEvent) {
    CaseTable t({"#.", "##"});
    t.layout.cellSize = 20;
    t.rules.boxMouseDown(MouseButton::Left, 25 + 25, 15 + 5); // column 2 at the new size
    EXPECT_EQ(t.rec.log[1], "time 33");
}

// --- Keyboard play ---------------------------------------------------------------------------

struct KeyCase {
    std::string name;
    TextLines board;
    TextLines keys;
    TextLines recording;
    TextLines after;
    GameState state;
    int32_t playTime;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

const KeyCase KeyCases[] = {
    {"OnlyAnArrowShowsTheCursorAtTopLeft",
     {"#.#", "##."},
     {"space", "x", "home", "pgdn", "shift+end", "right", "right"},
     {"cursor 1,1", "cursor 2,1"},
     {"#.#", "##."},
     GameState::Ready,
     0},
    {"UncoverAndMarkLikePresses",
     {"#.#", "##."},
     {"down", "space", "right", "x"},
     {"cursor 1,1", "pause on", "snd 2", "cell 1,1 uncovered", "cursor 2,1", "pause on", "snd 2",
      "cell 2,1 marked"},
     {"ox#", "##."},
     GameState::Running,
     0},
    {"WrongKeysChargeAndFlashLikePresses",
     {"#.#", "##."},
     {"up", "x", "right", "space"},
     cat({{"cursor 1,1", "pause on", "time 33", "snd 3"},
          flash(1, 1, "marked", "filled"),
          {"cursor 2,1", "pause on", "time 66", "snd 3"},
          flash(2, 1, "uncovered", "empty")}),
     {"#.#", "##."},
     GameState::Running,
     66},
    {"MovesOnFinalCellsOnlyStartTheLevel",
     {"ox#", "##."},
     {"left", "space", "x", "right", "x"},
     {"cursor 1,1", "pause on", "pause on", "cursor 2,1", "pause on"},
     {"ox#", "##."},
     GameState::Running,
     0},
    {"ShiftArrowsUncoverEnteredCellsAndStopAtTheFirstEmptyOne",
     {"##x#o.##", "########"},
     {"right", "shift+right", "shift+right", "shift+right", "shift+right", "shift+right",
      "shift+right", "release", "shift+right", "shift+down"},
     cat({{"cursor 1,1", "cursor 2,1", "pause on", "snd 2", "cell 2,1 uncovered", "cursor 3,1",
           "pause on", "cursor 4,1", "pause on", "snd 2", "cell 4,1 uncovered", "cursor 5,1",
           "pause on", "cursor 6,1", "pause on", "time 33", "snd 3"},
          flash(6, 1, "uncovered", "empty"),
          // The drag has ended: the cursor moves on, nothing is judged until Shift is let go.
          {"cursor 7,1", "cursor 8,1", "pause on", "snd 2", "cell 8,1 uncovered", "cursor 8,2",
           "pause on", "snd 2", "cell 8,2 uncovered", "snd 4", "colclues"}}),
     {"#oxoo.#o", "#######o"},
     GameState::Running,
     33},
    {"AStepWithoutShiftEndsAStoppedDragToo",
     {"#.#", "###", "###"},
     {"right", "shift+right", "down", "shift+right"},
     cat({{"cursor 1,1", "cursor 2,1", "pause on", "time 33", "snd 3"},
          flash(2, 1, "uncovered", "empty"),
          {"cursor 2,2", "cursor 3,2", "pause on", "snd 2", "cell 3,2 uncovered"}}),
     {"#.#", "##o", "###"},
     GameState::Running,
     33},
    {"ArrowsWrapButShiftArrowsStopAtTheEdge",
     {"##", "##"},
     {"right", "shift+left", "shift+up", "left", "up"},
     {"cursor 1,1", "cursor 2,1", "cursor 2,2"},
     {"##", "##"},
     GameState::Ready,
     0},
    {"JumpsToTheEndsOfRowAndColumnJudgeNothingEvenWithShift",
     {"###", "###", "###"},
     {"down", "end", "pgdn", "home", "pgup", "shift+end", "shift+pgdn", "end"},
     {"cursor 1,1", "cursor 3,1", "cursor 3,3", "cursor 1,3", "cursor 1,1", "cursor 3,1",
      "cursor 3,3"},
     {"###", "###", "###"},
     GameState::Ready,
     0},
    {"AMousePressHidesTheCursorUntilTheNextArrow",
     {"#.#", "##."},
     {"right", "right", "mouse", "mouse", "space", "x", "end", "down", "x"},
     {"cursor 1,1", "cursor 2,1", "cursor off", "cursor 2,1", "pause on", "snd 2",
      "cell 2,1 marked"},
     {"#x#", "##."},
     GameState::Running,
     0},
    {"NoMovesAfterSolvingButTheCursorStillMoves",
     {"o#.", "oo.", "..o"},
     {"right", "right", "space", "left", "space", "shift+down", "x"},
     {"cursor 1,1", "cursor 2,1", "pause on", "snd 2", "cell 2,1 uncovered", "snd 4",
      "cell 3,1 marked", "wait 200", "rowclues", "snd 4", "cell 2,3 marked", "wait 200", "colclues",
      "snd 1", "solved", "cursor 1,1", "cursor 1,2"},
     {"oox", "oo.", ".xo"},
     GameState::Solved,
     0},
};

class KeyMoves : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyMoves, RecordAndEndState) {
    const KeyCase& tc = GetParam();
    KeyTable t(tc.board);
    for (const std::string& key : tc.keys)
        t.press(key);
    EXPECT_EQ(t.rec.log, tc.recording);
    EXPECT_EQ(boardText(t.board), tc.after);
    EXPECT_EQ(t.gameState, tc.state);
    EXPECT_EQ(t.playTime, tc.playTime);
    // A keyboard move never leaves a mouse drag behind.
    EXPECT_FALSE(t.rules.dragging());
}

INSTANTIATE_TEST_SUITE_P(Rules, KeyMoves, testing::ValuesIn(KeyCases),
                         [](const testing::TestParamInfo<KeyCase>& info) {
                             return info.param.name;
                         });

TEST(BoardRulesTest, CursorStepsAndEdges) {
    const struct {
        int32_t col, row;
        CursorStep step;
        bool wrap;
        int32_t wantCol, wantRow;
        bool moved;
    } cases[] = {
        {1, 1, CursorStep::Left, true, 4, 1, true},
        {4, 1, CursorStep::Right, true, 1, 1, true},
        {2, 1, CursorStep::Up, true, 2, 3, true},
        {2, 3, CursorStep::Down, true, 2, 1, true},
        {1, 1, CursorStep::Left, false, 1, 1, false},
        {4, 3, CursorStep::Down, false, 4, 3, false},
        {2, 2, CursorStep::Right, false, 3, 2, true},
        {3, 2, CursorStep::RowStart, true, 1, 2, true},
        {3, 2, CursorStep::RowEnd, true, 4, 2, true},
        {3, 2, CursorStep::ColumnTop, true, 3, 1, true},
        {3, 2, CursorStep::ColumnBottom, true, 3, 3, true},
        {4, 2, CursorStep::RowEnd, true, 4, 2, false},
        // Left over from a larger board: brought onto this one first.
        {30, 20, CursorStep::Left, true, 3, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row << " step "
                                        << static_cast<int>(c.step) << " wrap " << c.wrap);
        BoardCursor cursor{c.col, c.row, true};
        EXPECT_EQ(moveCursor(cursor, c.step, 4, 3, c.wrap), c.moved);
        EXPECT_EQ(cursor.col, c.wantCol);
        EXPECT_EQ(cursor.row, c.wantRow);
    }
    BoardCursor none;
    EXPECT_FALSE(moveCursor(none, CursorStep::Right, 0, 0, true));
}

// The keyboard alone solves a generated board: the cursor walks every row, Space on each
// filled cell; no penalty, and the level ends once.
TEST(BoardRulesTest, KeyboardSolvesAGeneratedBoard) {
    KeyTable t({"."}, 2);
    RandomGenerator rnd(20240611);
    t.board.colCount = colCountFor(2);
    t.board.rowCount = rowCountFor(2);
    generatePuzzle(t.board, rnd);
    const Puzzle goal = t.board;
    t.press("right"); // shows the cursor at 1,1
    for (int32_t r = 1; r <= goal.rowCount; ++r) {
        for (int32_t c = 1; c <= goal.colCount; ++c) {
            ASSERT_EQ(t.keys.cursor().col, c);
            ASSERT_EQ(t.keys.cursor().row, r);
            if (goal.grid[c][r] == CellState::HiddenFilled) t.press("space");
            t.press("right");
        }
        t.press("down");
    }
    EXPECT_EQ(t.gameState, GameState::Solved);
    EXPECT_EQ(t.playTime, 0);
    EXPECT_EQ(std::count(t.rec.log.begin(), t.rec.log.end(), "solved"), 1);
    EXPECT_TRUE(isSolved(t.board));
}

struct LevelCase {
    int32_t mode;
    uint32_t seed;
};

void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << "mode " << c.mode << " seed " << c.seed;
}

class WholeLevel : public testing::TestWithParam<LevelCase> {};

// Pressing every filled cell of a generated board solves it with no penalty; every line
// completes once, and every empty cell is marked by a completion with one wait each.
TEST_P(WholeLevel, PressingEveryFilledCellSolvesIt) {
    const LevelCase lc = GetParam();
    CaseTable t({"."}, lc.mode);
    RandomGenerator rnd(lc.seed);
    t.board.colCount = colCountFor(lc.mode);
    t.board.rowCount = rowCountFor(lc.mode);
    generatePuzzle(t.board, rnd);

    int filled = 0;
    for (int32_t r = 1; r <= t.board.rowCount; ++r)
        for (int32_t c = 1; c <= t.board.colCount; ++c)
            if (t.board.grid[c][r] == CellState::HiddenFilled) {
                ++filled;
                ASSERT_NE(t.gameState, GameState::Solved) << "solved early at " << c << "," << r;
                t.rules.boxMouseDown(MouseButton::Left, t.x(c), t.y(r));
                t.rules.boxMouseUp();
            }
    const int32_t cells = t.board.colCount * t.board.rowCount;

    EXPECT_EQ(t.gameState, GameState::Solved);
    EXPECT_EQ(t.playTime, 0);
    const auto count = [&](const std::string& entry) {
        return std::count(t.rec.log.begin(), t.rec.log.end(), entry);
    };
    EXPECT_EQ(count("solved"), 1);
    EXPECT_EQ(count("snd 3"), 0);
    EXPECT_EQ(count("snd 2"), filled);
    EXPECT_EQ(count("snd 4"), t.board.rowCount + t.board.colCount);
    EXPECT_EQ(count("wait 200"), cells - filled);
    ASSERT_GE(t.rec.log.size(), 2u);
    EXPECT_EQ(t.rec.log[t.rec.log.size() - 2], "snd 1");
    EXPECT_EQ(t.rec.log.back(), "solved");
    for (const std::string& row : boardText(t.board))
        EXPECT_EQ(row.find_first_of(".#"), std::string::npos) << row;
    EXPECT_EQ(doneText(t.board.rowDone, t.board.rowCount), std::string(t.board.rowCount, '1'));
    EXPECT_EQ(doneText(t.board.colDone, t.board.colCount), std::string(t.board.colCount, '1'));
}

// A player who first claims the opposite of the hidden picture on every cell, in a shuffled
// order, and then plays the cell as it is: the board is solved with every line complete, the
// clues still describe what is uncovered, and exactly the claims no picture allows cost time.
TEST_P(WholeLevel, ClaimingTheOtherValueEverywhereStillSolves) {
    const LevelCase lc = GetParam();
    CaseTable t({"."}, lc.mode);
    RandomGenerator rnd(lc.seed);
    t.board.colCount = colCountFor(lc.mode);
    t.board.rowCount = rowCountFor(lc.mode);
    generatePuzzle(t.board, rnd);
    const Puzzle original = t.board;
    const bool ambiguous = findFreeCells(original, 1 << 16).count > 0;
    std::vector<int32_t> order(static_cast<size_t>(t.board.colCount * t.board.rowCount));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int32_t>(i);
    for (size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[static_cast<size_t>(rnd.random(static_cast<int32_t>(i) + 1))]);

    int32_t accepted = 0, penalties = 0;
    for (const int32_t cell : order) {
        const int32_t c = cell % t.board.colCount + 1, r = cell / t.board.colCount + 1;
        const int32_t state = t.board.grid[c][r];
        if (state != CellState::HiddenEmpty && state != CellState::HiddenFilled) continue;
        const int32_t timeBefore = t.playTime;
        t.rules.boxMouseDown(state == CellState::HiddenEmpty ? MouseButton::Left
                                                             : MouseButton::Right,
                             t.x(c), t.y(r));
        t.rules.boxMouseUp();
        if (t.playTime != timeBefore) {
            ++penalties;
            const int32_t now = t.board.grid[c][r];
            t.rules.boxMouseDown(now == CellState::HiddenFilled ? MouseButton::Left
                                                                : MouseButton::Right,
                                 t.x(c), t.y(r));
            t.rules.boxMouseUp();
        } else {
            ++accepted;
        }
    }
    EXPECT_EQ(t.gameState, GameState::Solved);
    EXPECT_EQ(t.playTime, penalties * penaltyFor(lc.mode));
    EXPECT_EQ(doneText(t.board.rowDone, t.board.rowCount), std::string(t.board.rowCount, '1'));
    EXPECT_EQ(doneText(t.board.colDone, t.board.colCount), std::string(t.board.colCount, '1'));
    if (ambiguous)
        EXPECT_GT(accepted, 0);
    else
        EXPECT_EQ(accepted, 0);
    Puzzle uncovered = t.board;
    for (int32_t r = 1; r <= uncovered.rowCount; ++r)
        for (int32_t c = 1; c <= uncovered.colCount; ++c) {
            ASSERT_TRUE(t.board.grid[c][r] == CellState::Uncovered ||
                        t.board.grid[c][r] == CellState::MarkedEmpty);
            uncovered.grid[c][r] = t.board.grid[c][r] == CellState::Uncovered
                                       ? CellState::HiddenFilled
                                       : CellState::HiddenEmpty;
        }
    computeClues(uncovered);
    const auto clues = [](const Puzzle& p) {
        const std::string text = puzzleText(p);
        return text.substr(0, text.find("goal"));
    };
    EXPECT_EQ(clues(uncovered), clues(original));
}

INSTANTIATE_TEST_SUITE_P(Rules, WholeLevel,
                         testing::Values(LevelCase{1, 12345}, LevelCase{9, 12345},
                                         LevelCase{5, 4294967295u}, LevelCase{1, 1},
                                         LevelCase{8, 34}, LevelCase{9, 2}));

} // namespace
