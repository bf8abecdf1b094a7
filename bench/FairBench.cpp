// SPDX-License-Identifier: MIT
// Time of fair judging, and how often its search gives up, over whole games of a player who
// guesses wrong on every cell before playing it right.
#include "logic/BoardRules.h"
#include "logic/FairJudge.h"
#include "logic/GameOptions.h"
#include "logic/RandomGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <numeric>
#include <vector>

namespace {

class Silent : public BoardEffects {
  public:
    void drawCell(int32_t, int32_t) override {}
    void drawRowClues() override {}
    void drawColClues() override {}
    void drawTime() override {}
    void playSnd(Sound) override {}
    void delay(int32_t) override {}
    void enablePauseBtn(bool) override {}
    void levelSolved() override {}
};

// CPU time of this thread: the machines these run on are shared, and a claim that waits for
// the processor says nothing about the judge.
double threadMicros() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

struct WalkStats {
    std::vector<double> micros; // one entry per judged claim that disagreed with the picture
    int64_t maxNodes = 0;
    int64_t reconsidered = 0;
    int64_t denied = 0;
    int64_t undecided = 0;
};

// Visits the cells of the seed's board in a shuffled order. At each cell still hidden the
// player first claims the value the hidden picture does not have; whatever the judge says, the
// player then plays the cell as it now is, through the rules themselves.
void walk(int32_t sizeLevel, uint32_t seed, int64_t budget, WalkStats& stats) {
    GameOptions options;
    options.mode = sizeLevel;
    // The claim was judged already; the move itself follows the picture.
    options.fairJudging = false;
    Puzzle board;
    board.colCount = colCountFor(sizeLevel);
    board.rowCount = rowCountFor(sizeLevel);
    RandomGenerator rnd(seed);
    generatePuzzle(board, rnd);
    std::vector<int32_t> order(static_cast<size_t>(board.colCount * board.rowCount));
    std::iota(order.begin(), order.end(), 0);
    for (size_t i = order.size() - 1; i > 0; --i)
        std::swap(order[i], order[static_cast<size_t>(rnd.random(static_cast<int32_t>(i) + 1))]);

    BoardLayout layout;
    layout.cellSize = 10;
    GameState state = GameState::Ready;
    int32_t playTime = 0;
    Silent effects;
    BoardRules rules(board, layout, state, playTime, options, effects);
    for (const int32_t cell : order) {
        const int32_t col = cell % board.colCount + 1, row = cell / board.colCount + 1;
        const int32_t hidden = board.grid[col][row];
        if (hidden != CellState::HiddenEmpty && hidden != CellState::HiddenFilled) continue;
        int64_t nodes = 0;
        const double start = threadMicros();
        const Judgement j =
            judgeClaim(board, col, row, hidden == CellState::HiddenEmpty, budget, &nodes);
        stats.micros.push_back(threadMicros() - start);
        stats.maxNodes = std::max(stats.maxNodes, nodes);
        stats.reconsidered += j == Judgement::Reconsidered;
        stats.denied += j == Judgement::Denied;
        stats.undecided += j == Judgement::Undecided;
        const bool filled = board.grid[col][row] == CellState::HiddenFilled;
        rules.boxMouseDown(filled ? MouseButton::Left : MouseButton::Right, (col - 1) * 10 + 5,
                           (row - 1) * 10 + 5);
        rules.boxMouseUp();
    }
}

void report(benchmark::State& state, WalkStats& stats) {
    std::vector<double>& t = stats.micros;
    std::sort(t.begin(), t.end());
    state.counters["claims"] = static_cast<double>(t.size());
    state.counters["median_us"] = t.empty() ? 0 : t[t.size() / 2];
    state.counters["p99_us"] = t.empty() ? 0 : t[t.size() * 99 / 100];
    state.counters["worst_us"] = t.empty() ? 0 : t.back();
    state.counters["max_nodes"] = static_cast<double>(stats.maxNodes);
    state.counters["reconsidered"] = static_cast<double>(stats.reconsidered);
    state.counters["denied"] = static_cast<double>(stats.denied);
    state.counters["undecided"] = static_cast<double>(stats.undecided);
}

// Seeds 1 to 200 at one size level with a node budget; the counters describe single claims.
void fairJudgeClaims(benchmark::State& state) {
    const auto sizeLevel = static_cast<int32_t>(state.range(0));
    WalkStats stats;
    for (auto _ : state) {
        stats = {};
        for (uint32_t seed = 1; seed <= 200; ++seed)
            walk(sizeLevel, seed, state.range(1), stats);
    }
    report(state, stats);
}

} // namespace

BENCHMARK(fairJudgeClaims)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 9, 1), {FairNodeBudget}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
// The same games with a small budget, to see what the budget buys.
BENCHMARK(fairJudgeClaims)->Args({9, 50})->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
