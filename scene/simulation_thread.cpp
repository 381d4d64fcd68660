#include "simulation_thread.h"

#include "ball_camera.h"
#include "thread_name.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>
#include <thread>

namespace vorpane {

std::int32_t pause_after_step_us(std::int64_t work_us)
{
    // Work times beyond a day are clamped so the arithmetic stays in range.
    const std::int64_t work = std::clamp<std::int64_t>(work_us, 0, 86400LL * 1000000);
    const std::int64_t at_least = static_cast<std::int64_t>(work * (1.0 - busy_share) / busy_share);
    const std::int64_t pause = std::max<std::int64_t>(step_period_us - work, at_least);
    if (pause <= shortest_sleep_us) {
        return 0;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(pause, std::numeric_limits<std::int32_t>::max()));
}

void simulation_thread(ball_camera* scene)
{
    set_current_thread_name("vorpane-worker");
    for (;;) {
        // A monotonic clock: setting the system time back or forward must not freeze the saver.
        const auto t0 = std::chrono::steady_clock::now();
        scene->step();
        const auto t1 = std::chrono::steady_clock::now();
        const auto work_us = std::chrono::duration_cast<std::chrono::microseconds>(t1 - t0).count();
        const std::int32_t pause = pause_after_step_us(work_us);
        if (pause > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause / 1000));
        }
    }
}

void start_simulation_thread(ball_camera& scene)
{
    try {
        std::thread(simulation_thread, &scene).detach();
    } catch (const std::system_error&) {
        // No thread: the scene is drawn as it is and never changes.
    }
}

} // namespace vorpane
