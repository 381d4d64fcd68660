#include "ball_batch.h"

#include "gl_api.h"

namespace vorpane {

void ball_batch::draw() const
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 8, disc_points_.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 4, disc_colours_.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(disc_points_.size()));
    glVertexPointer(2, GL_FLOAT, 8, trail_points_.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 4, trail_colours_.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(trail_points_.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace vorpane
