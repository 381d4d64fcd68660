// The scene's costs: construction, and the worker's two kinds of step while every cell is live.
// Run: build/native/bench/scene_bench
#include "ball_camera.h"
#include "osmesa_context.h"
#include "saver_frame.h"
#include "uniform_source.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using vorpane::ball_camera;

vorpane::osmesa_context& context()
{
    static vorpane::osmesa_context instance(64, 64);
    return instance;
}

std::unique_ptr<ball_camera> sized_scene()
{
    context();
    vorpane::uniform_source::seed(1);
    auto scene = std::make_unique<ball_camera>(ball_camera::stepping::manual);
    scene->resize(1920, 1080);
    return scene;
}

void scene_construction(benchmark::State& state)
{
    context();
    std::uint32_t seed = 1;
    for (auto _ : state) {
        vorpane::uniform_source::seed(seed++);
        ball_camera scene(ball_camera::stepping::manual);
        scene.resize(1920, 1080);
        benchmark::DoNotOptimize(scene.traces.data());
    }
}
BENCHMARK(scene_construction)->Unit(benchmark::kMillisecond);

// Steps 1 to 29 of the first cycle: a progress slice, four preparations, every ball's update.
void ordinary_step(benchmark::State& state)
{
    auto scene = sized_scene();
    for (int s = 0; s < 29; ++s) { // every trail full; later rounds replay the same cycle
        scene->step();
    }
    for (auto _ : state) {
        if (scene->step_count == 29) {
            state.PauseTiming();
            scene->step_count = 0;
            scene->grid.column_cursor = 0;
            scene->refine_cursor = scene->balls.begin();
            for (auto& b : scene->balls) {
                b->ticks = 0;
            }
            state.ResumeTiming();
        }
        scene->step();
    }
}
BENCHMARK(ordinary_step)->Unit(benchmark::kMillisecond);

// Step 30 of the first cycle: the pass over all live cells, the rebuild and every ball's advance.
void pass_step(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = sized_scene();
        for (int s = 0; s < 29; ++s) {
            scene->step();
        }
        state.ResumeTiming();
        scene->step();
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(pass_step)->Unit(benchmark::kMillisecond)->Iterations(20);

// One frame of the finished scene on Mesa's software renderer, the GUI thread's share.
void frame(benchmark::State& state)
{
    static vorpane::osmesa_context big(1024, 768);
    big.make_current();
    vorpane::uniform_source::seed(1);
    ball_camera scene(ball_camera::stepping::manual);
    vorpane::saver_app app;
    app.scene = &scene;
    app.perspective = 1;
    vorpane::set_projection(app, 1024, 768);
    for (int s = 0; s < 96 * 30; ++s) {
        scene.step();
    }
    for (auto _ : state) {
        vorpane::draw_frame(app);
        big.finished_framebuffer();
    }
}
BENCHMARK(frame)->Unit(benchmark::kMillisecond);

} // namespace
