// The GL side of the front end: a GLX context for a window's own visual, the buffer swap, and a
// small bitmap-font overlay for -fps. Main thread only.
#pragma once

#include <GL/glx.h>

#include <string>

namespace vorpane {

class glx_context {
public:
    // A double-buffered RGBA visual for a window of our own; throws when the display has none.
    static XVisualInfo choose_visual(Display* display);

    // A context for drawable, whose visual is given; throws when that visual cannot do GL.
    glx_context(Display* display, Window drawable, Visual* visual);
    ~glx_context();
    glx_context(const glx_context&) = delete;
    glx_context& operator=(const glx_context&) = delete;

    // Shows the frame: a buffer swap, or a flush for a single-buffered visual.
    void swap();
    // Draws text in the window's bottom-left corner, over whatever the frame drew.
    void draw_overlay(const std::string& text, int width, int height);

private:
    Display* display_;
    Window drawable_;
    GLXContext context_ = nullptr;
    bool double_buffered_ = false;
    unsigned font_lists_ = 0;
};

} // namespace vorpane
