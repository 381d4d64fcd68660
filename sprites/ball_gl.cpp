#include "ball.h"

#include "gl_api.h"


namespace vorpane {

namespace {

GLuint disc_list_name = 0;

} // namespace

unsigned disc_list()
{
    if (disc_list_name != 0) {
        return disc_list_name;
    }
    disc_list_name = glGenLists(1);
    glNewList(disc_list_name, GL_COMPILE);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(0.0f, 0.0f);
    for (const point2& p : disc_rim()) {
        glVertex2f(p.x, p.y);
    }
    glEnd();
    glEndList();
    return disc_list_name;
}

void ball::draw() const
{
    const point2 centre = scene_point(orbit.origin);
    const colour pulse = pulse_colours[static_cast<std::size_t>(ticks % ticks_per_iterate)];
    glColor4ub(pulse.r, pulse.g, pulse.b, pulse.a);
    glPushMatrix();
    glTranslatef(centre.x, centre.y, 0.0f);
    const float scale = 1.0f + static_cast<float>(2.0 * pulse.a / 256.0);
    glScalef(scale, scale, 1.0f);
    glCallList(disc_list());
    glPopMatrix();

    glColorPointer(4, GL_UNSIGNED_BYTE, 4, trail_colours.data());
    glVertexPointer(2, GL_FLOAT, 8, trail.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDrawArrays(GL_LINE_STRIP, 0, static_cast<GLsizei>(trail.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace vorpane
