// The worker against the GUI thread: pacing, the thread's name, and a scene stepped by the real
// worker while this thread draws it.
#include "ball_camera.h"
#include "osmesa_context.h"
#include "saver_frame.h"
#include "simulation_thread.h"
#include "uniform_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#ifdef __linux__
#include <dirent.h>
#endif

namespace {

TEST(WorkerPacing, RestOfThePeriodButAtLeastFourTimesTheWork)
{
    struct {
        std::int64_t work_us;
        std::int32_t pause_us;
    } cases[] = {
        {0, 50000},
        {2000, 48000},
        {10000, 40000},
        {12000, 48000},
        {46000, 184000},
        {500LL * 1000000, 2000LL * 1000000},
        {-3600LL * 1000000, 50000}, // a clock that ran backwards is no reason to sleep for an hour
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vorpane::pause_after_step_us(c.work_us), c.pause_us) << c.work_us;
    }
}

#ifdef __linux__
std::vector<std::string> thread_names()
{
    std::vector<std::string> names;
    DIR* tasks = opendir("/proc/self/task");
    while (dirent* entry = readdir(tasks)) {
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name)) {
            names.push_back(name);
        }
    }
    closedir(tasks);
    return names;
}
#endif

TEST(Worker, StepsTheSceneWhileTheGuiThreadDraws)
{
    vorpane::osmesa_context context(160, 120);
    vorpane::uniform_source::seed(99);
    // The worker is never stopped, so its scene must outlive the test: it is deliberately kept.
    static vorpane::ball_camera* scene = new vorpane::ball_camera();
    vorpane::saver_app app;
    app.scene = scene;
    app.perspective = 1;
    vorpane::set_projection(app, 160, 120);
    EXPECT_TRUE(scene->thread_started);

#ifdef __linux__
    // The worker names itself as it starts; give it a moment.
    bool named = false;
    for (int tries = 0; tries < 100 && !named; ++tries) {
        const auto names = thread_names();
        named = std::find(names.begin(), names.end(), "vorpane-worker") != names.end();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(named);
#endif

    // Draw as the saver does, every 50 ms, until the worker has made two passes.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int passes = 0;
    int frames = 0;
    while (passes < 2 && std::chrono::steady_clock::now() < deadline) {
        vorpane::draw_frame(app);
        ++frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::lock_guard<std::mutex> hold(scene->lock);
        passes = scene->balls.empty() ? passes : scene->balls.front()->orbit.count;
    }
    EXPECT_EQ(passes, 2);
    EXPECT_GT(frames, 10);
}

} // namespace
