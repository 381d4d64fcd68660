#include "camera_gl.h"

#include "gl_api.h"

#include <cmath>

namespace vorpane {

void camera_gl::apply() const
{
    const double p = camera_radians(pitch);
    const double y = camera_radians(yaw);
    const double dx = std::cos(p) * std::cos(y);
    const double dy = std::cos(p) * std::sin(y);
    const double dz = std::sin(p);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The up vector is perpendicular to the view direction and leans towards +z; gluLookAt
    // normalises it, however short it is when looking straight down.
    gluLookAt(eye_x, eye_y, eye_z, eye_x + dx, eye_y + dy, eye_z + dz, -dx * dz, -dy * dz, dx * dx + dy * dy);
}

} // namespace vorpane
