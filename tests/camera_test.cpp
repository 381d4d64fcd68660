#include "ball_camera.h"
#include "gl_api.h"
#include "osmesa_context.h"
#include "saver_frame.h"
#include "uniform_source.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct window_point {
    double x, y, z;
};

// Where a scene point lands in the window under the current matrices.
window_point project(double x, double y)
{
    GLdouble model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    window_point w{};
    gluProject(x, y, 0.0, model, proj, viewport, &w.x, &w.y, &w.z);
    return w;
}

TEST(Camera, FieldOfViewAndAspect)
{
    EXPECT_NEAR(vorpane::saver_field_of_view(1024, 768), 20.8, 0.05);
    EXPECT_NEAR(vorpane::saver_field_of_view(640, 480), 20.8, 0.05);
    EXPECT_NEAR(vorpane::saver_field_of_view(1920, 1080), 21.8, 0.05);
    // The aspect is the reciprocal of h / w in float: off from w / h in the eighth digit.
    const double aspect = vorpane::saver_aspect(152, 112);
    EXPECT_EQ(aspect, 1.0 / static_cast<double>(112.0f / 152.0f));
    EXPECT_NE(aspect, 152.0 / 112.0);
    EXPECT_NEAR(aspect, 152.0 / 112.0, 1e-6);
}

TEST(Camera, EyeLooksDownOnTheMiddleWithYUp)
{
    vorpane::osmesa_context context(64, 48);
    vorpane::uniform_source::seed(3);
    vorpane::ball_camera scene(vorpane::ball_camera::stepping::manual);
    struct {
        int w, h;
        float eye_z;
    } cases[] = {{1024, 768, static_cast<float>((3.5 * 0.91 - 0.5) * 768)}, {152, 112, 300.72f}};
    for (const auto& c : cases) {
        vorpane::saver_app app;
        app.scene = &scene;
        app.perspective = 1;
        vorpane::set_projection(app, c.w, c.h);
        EXPECT_FLOAT_EQ(scene.eye_x, c.w / 2.0f);
        EXPECT_FLOAT_EQ(scene.eye_y, c.h / 2.0f);
        EXPECT_NEAR(scene.eye_z, c.eye_z, 1e-3);
        EXPECT_EQ(scene.pitch, -90.0f);
        EXPECT_EQ(scene.yaw, 90.0f);

        scene.apply();
        // The middle of the view is the middle of the window; +y is up, +x is right.
        const window_point middle = project(c.w / 2.0, c.h / 2.0);
        EXPECT_NEAR(middle.x, c.w / 2.0, 1e-3);
        EXPECT_NEAR(middle.y, c.h / 2.0, 1e-3);
        EXPECT_GT(project(c.w / 2.0, c.h / 2.0 + 10).y, middle.y + 5);
        EXPECT_GT(project(c.w / 2.0 + 10, c.h / 2.0).x, middle.x + 5);
        // The whole view rectangle nearly fills the window.
        const window_point corner = project(0, 0);
        EXPECT_NEAR(corner.x, 0.0, c.w * 0.02);
        EXPECT_NEAR(corner.y, 0.0, c.h * 0.02);
    }
}

} // namespace
