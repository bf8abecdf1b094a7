// SPDX-License-Identifier: MIT
// Time of a whole-board paint and of one cell for the largest board in a full-HD box.
#include "view/BoardPainter.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A 100 x 100 tile pair per strip row with some texture, like the real strip.
QImage strip() {
    QImage strip(200, 700, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, qRgb((x * 7 + y) & 0x3F, (y * 3) & 0x7F, x < 100 ? 60 : 120));
    return strip;
}

// 34 x 23, every other cell filled: 17 clues of 1 per row, 12 per column, all four looks.
struct LargestBoard {
    Puzzle puzzle;
    BitmapList bmps{std::vector<QImage>{strip()}};
    PaintBox box;
    BoardPainter painter{puzzle, bmps, box};

    explicit LargestBoard(bool visible) {
        puzzle.colCount = 34;
        puzzle.rowCount = 23;
        for (int c = 1; c <= 34; ++c)
            for (int r = 1; r <= 23; ++r)
                puzzle.grid[c][r] =
                    (c + r) % 2 == 0 ? CellState::HiddenFilled : CellState::HiddenEmpty;
        computeClues(puzzle);
        for (int c = 1; c <= 34; ++c)
            for (int r = 1; r <= 23; ++r)
                if ((c * 7 + r * 3) % 5 == 0) puzzle.grid[c][r] += 2; // marked or uncovered
        box.resize(1920, 1080);
        if (visible) box.show();
        QApplication::processEvents();
        painter.computeLayout();
        painter.prepareBackground();
        painter.prepareTile();
    }
};

// Shown: drawn into the window's buffer and shown at once. Hidden: the drawing alone, into a
// picture of the box.
void paint(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    LargestBoard board(shown);
    QImage picture(board.box.surfaceSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        if (shown)
            board.painter.paint();
        else
            board.painter.paintArea(picture, picture.rect());
    }
    state.counters["CellSize"] = board.painter.layout().cellSize;
    state.counters["clues"] = board.puzzle.maxRowClues * 100 + board.puzzle.maxColClues;
}
BENCHMARK(paint)->Arg(1)->Arg(0)->ArgName("shown")->Unit(benchmark::kMillisecond);

void drawCell(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    LargestBoard board(shown);
    board.painter.paint();
    QImage picture(board.box.surfaceSize(), QImage::Format_RGB32);
    const BoardLayout& at = board.painter.layout();
    int c = 1, r = 1;
    for (auto _ : state) {
        if (shown)
            board.painter.drawCell(c, r);
        else
            board.painter.paintArea(picture, QRect(at.boardLeft + (c - 1) * at.cellSize,
                                                   at.boardTop + (r - 1) * at.cellSize, at.cellSize,
                                                   at.cellSize));
        if (++r > 23) r = 1, c = c % 34 + 1;
    }
}
BENCHMARK(drawCell)->Arg(1)->Arg(0)->ArgName("shown")->Unit(benchmark::kMicrosecond);

void prepareBackgroundAndTile(benchmark::State& state) {
    LargestBoard board(false);
    for (auto _ : state) {
        board.painter.prepareBackground();
        board.painter.prepareTile();
    }
}
BENCHMARK(prepareBackgroundAndTile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
