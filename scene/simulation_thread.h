// The worker that steps a scene about every 50 ms for as long as the process lives, never busy for
// more than a fifth of the time. It makes no GL calls. Started once, from the GUI thread, by the
// scene's first resize; it is detached and never stopped or joined.
#pragma once

#include <cstdint>

namespace vorpane {

class ball_camera;

constexpr std::int32_t step_period_us = 50000;
constexpr std::int32_t shortest_sleep_us = 5000;
constexpr double busy_share = 0.2;

// The pause after a step whose work took work_us microseconds: the rest of the step period, but at
// least four times the work; 0 when that comes to 5 ms or less.
std::int32_t pause_after_step_us(std::int64_t work_us);

// Starts the worker for scene. The scene must outlive the process's last step: it is never destroyed.
void start_simulation_thread(ball_camera& scene);

// The worker's loop; never returns.
[[noreturn]] void simulation_thread(ball_camera* scene);

} // namespace vorpane
