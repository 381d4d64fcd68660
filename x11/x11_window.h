// The X11 side of the front end: the display connection, the window drawn on (its own, the root
// window, or one named by id), and the events that end or resize the run. No GL here.
// Main thread only.
#pragma once

#include "hack_options.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace vorpane {

class x11_window {
public:
    struct events {
        bool quit = false;    // q, Escape or the window manager's close
        bool resized = false; // width and height changed
    };

    // Opens the display or throws std::runtime_error naming it.
    static Display* open_display(const std::string& name);

    // A window of its own with the given visual, mapped, titled "Vorpane".
    x11_window(Display* display, const XVisualInfo& visual, const hack_options& options);
    // Someone else's window (XScreenSaver's, or the root window); throws when it does not exist.
    x11_window(Display* display, Window existing);

    // Takes every pending event and tells what they amount to.
    events take_events();

    Display* display;
    Window window;
    Visual* visual = nullptr;
    int depth = 0;
    int width = 0;
    int height = 0;
    bool owned;

private:
    Atom delete_window_ = None;
};

// The window -root means: $XSCREENSAVER_WINDOW when it is set, else the root window. Throws
// std::runtime_error for a value that is not a window id.
Window root_target(Display* display);

// NOTE: Xlib's default error handler prints several lines and exits with 1; a window that an
// outside program destroys under us (XScreenSaver does) should end the run with one line instead.
void install_x_error_handlers();

} // namespace vorpane
