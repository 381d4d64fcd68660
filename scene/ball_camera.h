// The scene: at once the saver's fixed camera and the owner of everything drawn (the escape-time
// grid and its texture, the balls, the orbit traces), of the lock the two threads share and of the
// worker that steps it. Construction, resize and draw run on the GUI thread with the GL context
// current; step runs on the worker thread (or on the caller's, for manual stepping).
#pragma once

#include "ball.h"
#include "ball_batch.h"
#include "camera_gl.h"
#include "escape_grid.h"
#include "fractal_texture.h"
#include "orbit_trace.h"

#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

namespace vorpane {

class ball_camera : public inertial_camera_gl {
public:
    static constexpr int ball_total = 128;
    static constexpr int trace_attempts = 5;
    static constexpr float min_trace_distance = 0.5f;
    static constexpr int cycle = 30;
    static constexpr int progress_divisor = 29;
    static constexpr int refinement_batch = 4;

    enum class stepping {
        worker_thread, // the first resize starts the worker, as in the saver
        manual,        // no worker: the owner calls step itself (tests, the snapshot tool)
    };

    // Draws its balls and traces from uniform_source.
    explicit ball_camera(stepping mode = stepping::worker_thread);
    ball_camera(const ball_camera&) = delete;
    ball_camera& operator=(const ball_camera&) = delete;

    void resize(std::int32_t new_width, std::int32_t new_height);
    void draw();
    // One simulation step; only ever on one thread at a time.
    void step();
    void place(int view_width, int view_height) override;

    // Camera settings: the scene never moves its camera.
    double zoom = 0.09;
    double zoom_velocity = 0.0;
    double zoom_accel = 0.0;
    bool wander = true;

    escape_grid grid;
    fractal_texture texture;
    std::list<std::unique_ptr<ball>> balls;
    std::vector<std::unique_ptr<orbit_trace>> traces;
    std::list<std::unique_ptr<ball>>::iterator refine_cursor;
    std::mutex lock;
    // Position in the 30-step cycle of the last step: 1 to 29, then 0 on the step that passes.
    // Kept modulo the cycle so that it can run for ever.
    std::int32_t step_count = 0;
    bool thread_started = false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    const stepping mode;

private:
    ball_batch ball_drawing_{ball_total};
};

} // namespace vorpane
