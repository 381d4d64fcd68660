#include "ball_camera.h"

#include "hsv_to_rgb.h"
#include "simulation_thread.h"
#include "uniform_source.h"

#include <cmath>

namespace vorpane {

namespace {

constexpr float left = -2.1f;
constexpr float bottom = -1.2f;
constexpr float right = 0.8f;
constexpr float top = 1.2f;

colour random_colour()
{
    const double value = uniform_source::draw();
    const double saturation = uniform_source::draw();
    const double hue = uniform_source::draw();
    colour c{0, 0, 0, 255};
    hsv_to_rgb(hue, 0.5 + 0.5 * saturation, 0.5 + 0.5 * value, c);
    return c;
}

} // namespace

ball_camera::ball_camera(stepping mode_) : grid(left, bottom, right, top), texture(grid), mode(mode_)
{
    pitch = -90.0f;
    yaw = 90.0f;
    pitch_locked = true;
    yaw_locked = true;

    for (int i = 0; i < ball_total; ++i) {
        const colour tint = random_colour();
        const float y = static_cast<float>(2.4 * uniform_source::draw() - 1.2);
        const float x = static_cast<float>(2.9000000000000004 * uniform_source::draw() - 2.1);
        balls.push_back(std::make_unique<ball>(grid, tint, x, y));
    }
    refine_cursor = balls.begin();

    for (int attempt = 0; attempt < trace_attempts; ++attempt) {
        const colour tint = random_colour();
        auto candidate = std::make_unique<orbit_trace>(tint);
        bool apart = true;
        for (const auto& kept : traces) {
            const float d = complex_abs({candidate->start.re - kept->start.re, candidate->start.im - kept->start.im});
            if (d < min_trace_distance) {
                apart = false;
                break;
            }
        }
        if (apart) {
            traces.push_back(std::move(candidate));
        }
    }
}

void ball_camera::place(int view_width, int view_height)
{
    update();
    const double d = (0.5 * view_height + 3.0 * view_height) * (1.0 - zoom);
    const double p = camera_radians(pitch);
    const double y = camera_radians(yaw);
    eye_x = static_cast<float>(0.5 * view_width - d * std::cos(p) * std::cos(y));
    eye_y = static_cast<float>(0.5 * view_height - d * std::cos(p) * std::sin(y));
    eye_z = static_cast<float>(-0.5 * view_height - d * std::sin(p));
}

void ball_camera::resize(std::int32_t new_width, std::int32_t new_height)
{
    width = new_width;
    height = new_height;
    texture.display_width = new_width;
    texture.display_height = new_height;
    place(new_width, new_height);
    for (auto& trace : traces) {
        trace->resize(new_width, new_height);
    }
    if (!thread_started && mode == stepping::worker_thread) {
        start_simulation_thread(*this);
        thread_started = true;
    }
    std::lock_guard<std::mutex> hold(lock);
    for (auto& b : balls) {
        b->resize(new_width, new_height);
    }
}

void ball_camera::draw()
{
    std::lock_guard<std::mutex> hold(lock);
    texture.draw();
    for (const auto& trace : traces) {
        trace->draw();
    }
    // One batch instead of a disc and a trail per ball: the same picture for a fraction of the
    // draw calls.
    ball_drawing_.clear();
    for (const auto& b : balls) {
        ball_drawing_.add(*b);
    }
    ball_drawing_.draw();
}

void ball_camera::step()
{
    step_count = (step_count + 1) % cycle;
    const int r = step_count;
    if (r != 0) {
        grid.progress(static_cast<double>(r) / progress_divisor);
    } else {
        grid.pass();
        texture.rebuild();
    }

    std::lock_guard<std::mutex> hold(lock);
    for (auto& trace : traces) {
        trace->step();
    }
    for (auto it = balls.begin(); it != balls.end();) {
        if ((*it)->update()) {
            ++it;
            continue;
        }
        if (refine_cursor == it) {
            ++refine_cursor;
        }
        it = balls.erase(it);
    }
    if (r != 0) {
        for (int i = 0; i < refinement_batch && refine_cursor != balls.end(); ++i, ++refine_cursor) {
            (*refine_cursor)->prepare_next();
        }
    } else {
        refine_cursor = balls.begin();
    }
}

} // namespace vorpane
