// A plain X window for the front end to draw on, as XScreenSaver makes one.
// Usage: test_window WIDTH HEIGHT — prints the window id in hex, then waits; a line "destroy" on
// standard input destroys the window, end of input exits.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: test_window WIDTH HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                              static_cast<unsigned>(std::atoi(argv[1])),
                                              static_cast<unsigned>(std::atoi(argv[2])), 0, 0,
                                              WhitePixel(display, screen));
    XStoreName(display, window, "test window");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    char line[64];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        if (std::strncmp(line, "destroy", 7) == 0) {
            XDestroyWindow(display, window);
            XSync(display, False);
            std::printf("destroyed\n");
            std::fflush(stdout);
        }
    }
    XCloseDisplay(display);
    return 0;
}
