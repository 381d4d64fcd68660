#include "glx_context.h"

#include <GL/gl.h>

#include <stdexcept>

namespace vorpane {

namespace {

constexpr int first_glyph = 32;
constexpr int glyph_count = 96;

} // namespace

XVisualInfo glx_context::choose_visual(Display* display)
{
    int attributes[] = {GLX_RGBA, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_DOUBLEBUFFER, None};
    XVisualInfo* found = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (found == nullptr) {
        throw std::runtime_error("the X display offers no double-buffered RGBA visual for OpenGL");
    }
    const XVisualInfo chosen = *found;
    XFree(found);
    return chosen;
}

glx_context::glx_context(Display* display, Window drawable, Visual* visual) : display_(display), drawable_(drawable)
{
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (info == nullptr) {
        throw std::runtime_error("the window's visual is unknown to the display");
    }
    int use_gl = 0;
    int double_buffer = 0;
    glXGetConfig(display, info, GLX_USE_GL, &use_gl);
    glXGetConfig(display, info, GLX_DOUBLEBUFFER, &double_buffer);
    if (use_gl) {
        context_ = glXCreateContext(display, info, nullptr, True);
    }
    XFree(info);
    if (context_ == nullptr) {
        throw std::runtime_error("the window's visual cannot do OpenGL");
    }
    double_buffered_ = double_buffer != 0;
    glXMakeCurrent(display, drawable, context_);
}

glx_context::~glx_context()
{
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
}

void glx_context::swap()
{
    if (double_buffered_) {
        glXSwapBuffers(display_, drawable_);
    } else {
        glFlush();
    }
}

void glx_context::draw_overlay(const std::string& text, int width, int height)
{
    if (font_lists_ == 0) {
        XFontStruct* font = XLoadQueryFont(display_, "fixed");
        if (font == nullptr) {
            return;
        }
        font_lists_ = glGenLists(glyph_count);
        glXUseXFont(font->fid, first_glyph, glyph_count, static_cast<int>(font_lists_));
        XFreeFont(display_, font);
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glRasterPos2i(8, 8);
    glListBase(font_lists_ - first_glyph);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace vorpane
