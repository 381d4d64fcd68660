#include "gl_fixture.h"

#include "gl_api.h"

namespace vorpane::testing {

osmesa_context* gl_test::context = nullptr;

void gl_test::open(int width, int height)
{
    if (context == nullptr) {
        context = new osmesa_context(width, height);
    } else {
        context->resize(width, height);
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    clear();
}

void gl_test::clear()
{
    glClearColor(clear_colour.r / 255.0f, clear_colour.g / 255.0f, clear_colour.b / 255.0f,
                 clear_colour.a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void gl_test::capture() { pixels_ = context->read_pixels(); }

colour gl_test::pixel(int x, int y) const
{
    const std::size_t at = (static_cast<std::size_t>(y) * context->width() + x) * 4;
    return {pixels_[at], pixels_[at + 1], pixels_[at + 2], pixels_[at + 3]};
}

} // namespace vorpane::testing
