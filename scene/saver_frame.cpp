#include "saver_frame.h"

#include "ball_camera.h"
#include "gl_api.h"

#include <cmath>

namespace vorpane {

double saver_aspect(std::int32_t w, std::int32_t h)
{
    const float r = static_cast<float>(h) / static_cast<float>(w);
    return 1.0 / r;
}

double saver_field_of_view(std::int32_t w, std::int32_t h)
{
    const std::int64_t sum = static_cast<std::int64_t>(w) * w + 2 * static_cast<std::int64_t>(h) * h;
    const double s = std::sqrt(static_cast<double>(sum));
    // The factor is 360 / 3.14159, not 360 / pi: the picture's framing depends on it.
    return std::atan(h / (2.0 * (3.0 * h - (0.4 * s - 0.5 * h)))) * 114.59165581759555;
}

void set_projection(saver_app& app, std::int32_t w, std::int32_t h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (app.perspective == 1) {
        gluPerspective(saver_field_of_view(w, h), saver_aspect(w, h), 1.0, 10000000.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (app.perspective == 1) {
        gluLookAt(w / 2.0, h / 2.0, 3.0 * h, w / 2.0, h / 2.0, -h / 2.0, 0.0, 1.0, 0.0);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    app.scene->resize(w, h);
}

void draw_frame(saver_app& app)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    if (app.scene->width != 0 && app.scene->height != 0) {
        app.scene->apply();
    }
    app.scene->draw();
    glPopMatrix();
}

} // namespace vorpane
