// The fractal field's costs on the worker thread, and the grid's memory.
// Run: build/native/bench/fractal_bench
#include "escape_grid.h"
#include "fractal_texture.h"
#include "osmesa_context.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using vorpane::escape_grid;

escape_grid saver_grid() { return escape_grid(-2.1f, -1.2f, 0.8f, 1.2f); }

void grid_construction(benchmark::State& state)
{
    for (auto _ : state) {
        escape_grid grid = saver_grid();
        benchmark::DoNotOptimize(grid.cells.data());
    }
    const escape_grid grid = saver_grid();
    std::size_t bytes = 0;
    for (const auto& column : grid.cells) {
        bytes += column.capacity() * sizeof(vorpane::orbit_point);
    }
    state.counters["cell_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(grid_construction)->Unit(benchmark::kMillisecond);

// One worker step's share of the preparation while every cell is live: before the first pass.
void progress_one_step(benchmark::State& state)
{
    escape_grid grid = saver_grid();
    for (auto _ : state) {
        grid.column_cursor = 0;
        grid.progress(1.0 / 29.0);
    }
}
BENCHMARK(progress_one_step)->Unit(benchmark::kMillisecond);

// The pass with every cell live and prepared, as the first pass finds them.
void first_pass(benchmark::State& state)
{
    escape_grid prepared = saver_grid();
    prepared.progress(1.0);
    escape_grid grid = prepared;
    for (auto _ : state) {
        state.PauseTiming();
        grid.cells = prepared.cells;
        grid.pass_count = 0;
        state.ResumeTiming();
        grid.pass();
    }
}
BENCHMARK(first_pass)->Unit(benchmark::kMillisecond);

// A later pass: the outside has escaped, the set is still live.
void pass_after_ten(benchmark::State& state)
{
    escape_grid prepared = saver_grid();
    for (int pass = 0; pass < 10; ++pass) {
        prepared.progress(1.0);
        prepared.pass();
    }
    prepared.progress(1.0);
    escape_grid grid = prepared;
    for (auto _ : state) {
        state.PauseTiming();
        grid.cells = prepared.cells;
        grid.pass_count = 10;
        state.ResumeTiming();
        grid.pass();
    }
}
BENCHMARK(pass_after_ten)->Unit(benchmark::kMillisecond);

void rebuild(benchmark::State& state)
{
    vorpane::osmesa_context context(16, 16);
    escape_grid grid = saver_grid();
    for (int pass = 0; pass < 20; ++pass) {
        grid.pass();
    }
    vorpane::fractal_texture texture(grid);
    for (auto _ : state) {
        texture.rebuild();
    }
}
BENCHMARK(rebuild)->Unit(benchmark::kMillisecond);

} // namespace
