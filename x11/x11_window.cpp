#include "x11_window.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace vorpane {

namespace {

int on_x_error(Display* display, XErrorEvent* error)
{
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        std::fprintf(stderr, "vorpane: the window went away (%s)\n", text);
    } else {
        std::fprintf(stderr, "vorpane: X error: %s (request %d)\n", text, error->request_code);
    }
    _exit(1);
}

bool lookup_failed = false;

int note_lookup_error(Display*, XErrorEvent*)
{
    lookup_failed = true;
    return 0;
}

int on_x_io_error(Display*)
{
    std::fprintf(stderr, "vorpane: lost the connection to the X display\n");
    _exit(1);
}

} // namespace

void install_x_error_handlers()
{
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_x_io_error);
}

Display* x11_window::open_display(const std::string& name)
{
    Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
    if (display == nullptr) {
        const char* env = std::getenv("DISPLAY");
        const std::string shown = !name.empty() ? name : env != nullptr ? env : "(DISPLAY is not set)";
        throw std::runtime_error("cannot open the X display " + shown);
    }
    return display;
}

x11_window::x11_window(Display* display_, const XVisualInfo& info, const hack_options& options)
    : display(display_), visual(info.visual), depth(info.depth), width(options.width), height(options.height),
      owned(true)
{
    const Window root = RootWindow(display, info.screen);
    XSetWindowAttributes attributes = {};
    attributes.colormap = XCreateColormap(display, root, info.visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, info.screen);
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | StructureNotifyMask | ExposureMask;
    window = XCreateWindow(display, root, options.x.value_or(0), options.y.value_or(0), static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, info.depth, InputOutput, info.visual,
                           CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    XStoreName(display, window, "Vorpane");
    XClassHint hint = {const_cast<char*>("vorpane"), const_cast<char*>("Vorpane")};
    XSetClassHint(display, window, &hint);
    if (options.x) {
        XSizeHints size = {};
        size.flags = USPosition | USSize;
        size.x = *options.x;
        size.y = *options.y;
        size.width = width;
        size.height = height;
        XSetWMNormalHints(display, window, &size);
    }
    delete_window_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &delete_window_, 1);
    XMapRaised(display, window);
    XSync(display, False);
}

x11_window::x11_window(Display* display_, Window existing) : display(display_), window(existing), owned(false)
{
    // A window id that names nothing is a bad argument, not a window that went away.
    XWindowAttributes attributes = {};
    lookup_failed = false;
    XSync(display, False);
    const auto previous = XSetErrorHandler(note_lookup_error);
    const Status found = XGetWindowAttributes(display, existing, &attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (!found || lookup_failed) {
        throw bad_argument("no window 0x" + [&] {
            char hex[32];
            std::snprintf(hex, sizeof hex, "%lx", existing);
            return std::string(hex);
        }());
    }
    visual = attributes.visual;
    depth = attributes.depth;
    width = attributes.width;
    height = attributes.height;
    // Structure events tell of resizes and of the window's destruction; keys belong to whoever
    // owns the window (XScreenSaver reads them itself).
    XSelectInput(display, existing, StructureNotifyMask | ExposureMask);
}

x11_window::events x11_window::take_events()
{
    events happened;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            happened.quit = happened.quit || key == XK_q || key == XK_Q || key == XK_Escape;
            break;
        }
        case ClientMessage:
            happened.quit = happened.quit || (owned && static_cast<Atom>(event.xclient.data.l[0]) == delete_window_);
            break;
        case ConfigureNotify:
            if (event.xconfigure.window == window &&
                (event.xconfigure.width != width || event.xconfigure.height != height)) {
                width = event.xconfigure.width;
                height = event.xconfigure.height;
                happened.resized = true;
            }
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window) {
                std::fprintf(stderr, "vorpane: the window went away\n");
                _exit(1);
            }
            break;
        default:
            break;
        }
    }
    return happened;
}

Window root_target(Display* display)
{
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (named == nullptr || *named == '\0') {
        return DefaultRootWindow(display);
    }
    unsigned long id = 0;
    if (!parse_window_id(named, id)) {
        throw bad_argument(std::string("bad XSCREENSAVER_WINDOW '") + named + "': expected a window id");
    }
    return static_cast<Window>(id);
}

} // namespace vorpane
