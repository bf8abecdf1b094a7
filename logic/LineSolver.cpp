// SPDX-License-Identifier: MIT
// Exact line solving by counting placements from both ends.
//
// A run of length b is treated as a unit of b filled cells and one empty cell after it; an empty
// cell past the end of the line lets the last run end at the border. forward[i][j] says that the
// first i cells can hold exactly the first j units, backward[i][j] that the cells from i on can
// hold exactly units j and later. A cell may be empty when a split point on it joins both sides
// or when it closes a run that fits; a run may start at s when its unit fits there and both
// sides agree.
#include "logic/LineSolver.h"

#include <cstring>

namespace {

constexpr int32_t MaxLength = 64;
constexpr int32_t MaxClues = MaxLength / 2 + 1;

} // namespace

bool solveLine(const int32_t* clues, int32_t clueCount, uint8_t* cells, int32_t length) {
    if (length < 0 || length > MaxLength || clueCount < 0 || clueCount > MaxClues) return false;
    const int32_t n = length;
    const int32_t ext = n + 1; // the line and one empty cell past its end
    const int32_t k = clueCount;
    auto mayEmpty = [&](int32_t i) { return i == n || (cells[i] & MayEmpty) != 0; };
    // blocked[i]: cells before i that cannot be filled; the extra cell counts as one.
    int32_t blocked[MaxLength + 2];
    blocked[0] = 0;
    for (int32_t i = 0; i < ext; ++i)
        blocked[i + 1] = blocked[i] + ((i == n || (cells[i] & MayFill) == 0) ? 1 : 0);
    auto mayFillRange = [&](int32_t from, int32_t len) {
        return blocked[from + len] - blocked[from] == 0;
    };

    bool forward[MaxLength + 2][MaxClues + 1];
    bool backward[MaxLength + 2][MaxClues + 1];
    std::memset(forward, 0, sizeof forward);
    std::memset(backward, 0, sizeof backward);
    forward[0][0] = true;
    for (int32_t i = 1; i <= ext; ++i)
        for (int32_t j = 0; j <= k; ++j) {
            bool ok = forward[i - 1][j] && mayEmpty(i - 1);
            if (!ok && j > 0) {
                const int32_t b = clues[j - 1];
                const int32_t start = i - b - 1;
                ok = start >= 0 && forward[start][j - 1] && mayFillRange(start, b) &&
                     mayEmpty(i - 1);
            }
            forward[i][j] = ok;
        }
    if (!forward[ext][k]) return false;

    backward[ext][k] = true;
    for (int32_t i = ext - 1; i >= 0; --i)
        for (int32_t j = k; j >= 0; --j) {
            bool ok = backward[i + 1][j] && mayEmpty(i);
            if (!ok && j < k) {
                const int32_t b = clues[j];
                ok = i + b + 1 <= ext && mayFillRange(i, b) && mayEmpty(i + b) &&
                     backward[i + b + 1][j + 1];
            }
            backward[i][j] = ok;
        }

    // fillCover counts, as a difference array, the runs that may cover each cell.
    int32_t fillCover[MaxLength + 2] = {};
    uint8_t result[MaxLength];
    for (int32_t i = 0; i < n; ++i) {
        bool empty = false;
        if (cells[i] & MayEmpty)
            for (int32_t j = 0; j <= k && !empty; ++j)
                empty = forward[i][j] && backward[i + 1][j];
        result[i] = empty ? MayEmpty : 0;
    }
    for (int32_t j = 0; j < k; ++j) {
        const int32_t b = clues[j];
        for (int32_t s = 0; s + b <= n; ++s)
            if (forward[s][j] && mayFillRange(s, b) && mayEmpty(s + b) &&
                backward[s + b + 1][j + 1]) {
                ++fillCover[s];
                --fillCover[s + b];
                // The empty cell that closes the run.
                if (s + b < n) result[s + b] |= MayEmpty;
            }
    }
    int32_t cover = 0;
    for (int32_t i = 0; i < n; ++i) {
        cover += fillCover[i];
        if (cover > 0) result[i] |= MayFill;
    }
    std::memcpy(cells, result, static_cast<size_t>(n));
    return true;
}
