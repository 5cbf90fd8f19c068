// Benchmarks of the grid board: the highlight that runs on every pointer move over the compact
// board and the full-screen grid, and the first drawing of a board of a new size; also the
// full-screen board of a 3840 x 2160 monitor at 200 %, drawn at its physical resolution (also as
// one cell); and the full-screen board of a 2560 x 1440 monitor at 10 x 10 and 6 x 6 cells with a
// highlighted range.
#include "logic/grid_board.h"

#include <benchmark/benchmark.h>

namespace cellaro {
namespace {

// Alternates between two ranges, as a pointer moving across the board does.
void highlightBenchmark(benchmark::State& state, Size size, int cells, CellRange first, CellRange second,
                        int dpi = kBaseDpi) {
    GridBoard board;
    board.drawPlain(size, cells, cells, size.height + 40, dpi);
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.highlight(flip ? first : second));
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
        flip = !flip;
    }
}

void BM_BoardCompactHighlight(benchmark::State& state) {
    highlightBenchmark(state, Size{320, 195}, 6, CellRange{{1, 1}, {3, 4}}, CellRange{{1, 1}, {4, 4}});
}
BENCHMARK(BM_BoardCompactHighlight)->Unit(benchmark::kMicrosecond);

void BM_BoardFullScreenWholeRange(benchmark::State& state) {
    highlightBenchmark(state, Size{1920, 1040}, 10, CellRange{{0, 0}, {9, 9}}, CellRange{{9, 9}, {0, 0}});
}
BENCHMARK(BM_BoardFullScreenWholeRange)->Unit(benchmark::kMicrosecond);

// The redraw on a pointer move (the plain board, then a highlight) over a 4K monitor at 200 %.
void BM_BoardFullScreen4kAt200Redraw(benchmark::State& state) {
    highlightBenchmark(state, Size{3840, 2160}, 10, CellRange{{1, 1}, {3, 4}}, CellRange{{1, 1}, {4, 4}},
                       192);
}
BENCHMARK(BM_BoardFullScreen4kAt200Redraw)->Unit(benchmark::kMicrosecond);

void BM_BoardFullScreen4kAt200WholeRange(benchmark::State& state) {
    highlightBenchmark(state, Size{3840, 2160}, 10, CellRange{{0, 0}, {9, 9}}, CellRange{{9, 9}, {0, 0}},
                       192);
}
BENCHMARK(BM_BoardFullScreen4kAt200WholeRange)->Unit(benchmark::kMicrosecond);

void BM_BoardFullScreen4kAt200FirstDrawing(benchmark::State& state) {
    GridBoard board;
    int height = 2160;
    for (auto _ : state) {
        height = height == 2160 ? 2159 : 2160;
        board.drawPlain(Size{3840, height}, 10, 10, 2160, 192);
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
    }
}
BENCHMARK(BM_BoardFullScreen4kAt200FirstDrawing)->Unit(benchmark::kMicrosecond);

// The most cells that change on one redraw: the whole board highlighted, then a single cell.
void BM_BoardFullScreen4kAt200WholeRangeToOneCell(benchmark::State& state) {
    highlightBenchmark(state, Size{3840, 2160}, 10, CellRange{{0, 0}, {9, 9}}, CellRange{{0, 0}, {0, 0}},
                       192);
}
BENCHMARK(BM_BoardFullScreen4kAt200WholeRangeToOneCell)->Unit(benchmark::kMicrosecond);

// A 1 x 1 grid: one cell as large as the board.
void BM_BoardFullScreen4kAt200OneCellFirstDrawing(benchmark::State& state) {
    GridBoard board;
    int height = 2160;
    for (auto _ : state) {
        height = height == 2160 ? 2159 : 2160;
        board.drawPlain(Size{3840, height}, 1, 1, 2160, 192);
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
    }
}
BENCHMARK(BM_BoardFullScreen4kAt200OneCellFirstDrawing)->Unit(benchmark::kMicrosecond);

// A board of a new size each time: the plain picture is built from nothing.
void BM_BoardFullScreenFirstDrawing(benchmark::State& state) {
    GridBoard board;
    int height = 1040;
    for (auto _ : state) {
        height = height == 1040 ? 1041 : 1040;
        board.drawPlain(Size{1920, height}, 10, 10, 1080);
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
    }
}
BENCHMARK(BM_BoardFullScreenFirstDrawing)->Unit(benchmark::kMicrosecond);

// The full-screen board of a 2560 x 1440 monitor, its cell count (10 x 10 with "Max Num rows/cols"
// checked, 6 x 6 without) the benchmark's argument. The redraw on a pointer move: the kept plain
// board, then a highlighted range of a few cells.
void BM_BoardFullScreen1440pRedraw(benchmark::State& state) {
    const int cells = static_cast<int>(state.range(0));
    highlightBenchmark(state, Size{2560, 1440}, cells, CellRange{{1, 1}, {3, 4}}, CellRange{{1, 1}, {4, 4}});
}
BENCHMARK(BM_BoardFullScreen1440pRedraw)->Arg(10)->Arg(6)->Unit(benchmark::kMicrosecond);

// The whole board highlighted: the most cells filled on one redraw.
void BM_BoardFullScreen1440pWholeRange(benchmark::State& state) {
    const int cells = static_cast<int>(state.range(0));
    highlightBenchmark(state, Size{2560, 1440}, cells, CellRange{{0, 0}, {cells - 1, cells - 1}},
                       CellRange{{cells - 1, cells - 1}, {0, 0}});
}
BENCHMARK(BM_BoardFullScreen1440pWholeRange)->Arg(10)->Arg(6)->Unit(benchmark::kMicrosecond);

// The board drawn from nothing (a new size each time, so nothing kept is reused) and then a range
// highlighted on it: what the layer pays for its first picture.
void BM_BoardFullScreen1440pFirstDrawingHighlighted(benchmark::State& state) {
    const int cells = static_cast<int>(state.range(0));
    GridBoard board;
    int height = 1440;
    for (auto _ : state) {
        height = height == 1440 ? 1439 : 1440;
        board.drawPlain(Size{2560, height}, cells, cells, 1440);
        benchmark::DoNotOptimize(board.highlight(CellRange{{1, 1}, {3, 4}}));
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
    }
}
BENCHMARK(BM_BoardFullScreen1440pFirstDrawingHighlighted)->Arg(10)->Arg(6)->Unit(benchmark::kMicrosecond);

void BM_BoardCompactFirstDrawing(benchmark::State& state) {
    GridBoard board;
    int height = 195;
    for (auto _ : state) {
        height = height == 195 ? 196 : 195;
        board.drawPlain(Size{320, height}, 6, 6, 267);
        benchmark::DoNotOptimize(board.bitmap().pixels().data());
    }
}
BENCHMARK(BM_BoardCompactFirstDrawing)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace cellaro
