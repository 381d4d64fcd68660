// What every front end does identically with the saver window: the projection set-up, which also
// sizes the scene (and so starts its worker), and the drawing of one frame. Only GL calls and reads
// of the scene; the host adds its context, timer, swap and input. GUI thread, GL context current.
#pragma once

#include <cstdint>

namespace vorpane {

class ball_camera;

struct saver_app {
    std::int32_t perspective = 0;
    ball_camera* scene = nullptr;
};

// Vertical field of view in degrees, and aspect ratio, of the saver's perspective for a w x h view.
double saver_field_of_view(std::int32_t w, std::int32_t h);
double saver_aspect(std::int32_t w, std::int32_t h);

// Viewport, projection and initial look-at for a w x h window; then the scene's resize.
void set_projection(saver_app& app, std::int32_t w, std::int32_t h);
// Blending and smoothing, clear, the camera's look-at and the scene.
void draw_frame(saver_app& app);

} // namespace vorpane
