#include "orbit_trace.h"

#include "gl_api.h"

namespace vorpane {

void orbit_trace::draw() const
{
    glLineWidth(2.0f);
    glColorPointer(4, GL_UNSIGNED_BYTE, 4, colours.data() + first_colour);
    glVertexPointer(2, GL_FLOAT, 8, points.data() + first_point);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDrawArrays(GL_LINE_STRIP, 0, shown);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

} // namespace vorpane
