// Command line of the X11 front end, in XScreenSaver's style for a GL hack; parsing only.
// Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorpane {

struct hack_options {
    enum class target { own_window, root, window_id };

    target where = target::own_window;
    unsigned long window_id = 0;      // with target::window_id
    int width = 1280;                 // own window
    int height = 720;
    std::optional<int> x;             // own window position, when -geometry gives one
    std::optional<int> y;
    bool fps = false;
    long delay_us = 50000;            // frame period
    std::string display;              // empty: $DISPLAY
    bool help = false;
};

struct hack_parse_result {
    hack_options options;
    std::string error; // empty when the command line is good
};

// A value from the command line or the environment that turns out bad only once the display is
// asked, such as a window id that names no window: reported like a bad option.
struct bad_argument : std::runtime_error {
    using std::runtime_error::runtime_error;
};

hack_parse_result parse_hack_options(const std::vector<std::string>& args);
std::string hack_usage();
// A window id as XScreenSaver passes it: hex with 0x, or decimal. False when it is neither.
bool parse_window_id(const std::string& text, unsigned long& id);

} // namespace vorpane
