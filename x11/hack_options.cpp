#include "hack_options.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace vorpane {

namespace {

bool parse_long(const std::string& text, long min, long max, long& value)
{
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-')) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

// Digits only, at most five of them, from text[at]; moves at past them.
bool take_number(const std::string& text, std::size_t& at, int& value)
{
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && at - start < 6 && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = value * 10 + (text[at++] - '0');
    }
    return at > start && at - start <= 5;
}

// WxH or WxH+X+Y (either offset may be negative), sizes from 1 to 16384.
bool parse_geometry(const std::string& text, hack_options& o)
{
    std::size_t at = 0;
    int width = 0;
    int height = 0;
    if (!take_number(text, at, width) || at >= text.size() || (text[at] != 'x' && text[at] != 'X')) {
        return false;
    }
    ++at;
    if (!take_number(text, at, height) || width < 1 || height < 1 || width > 16384 || height > 16384) {
        return false;
    }
    std::optional<int> x;
    std::optional<int> y;
    if (at < text.size()) {
        int offsets[2] = {0, 0};
        for (int& offset : offsets) {
            if (at >= text.size() || (text[at] != '+' && text[at] != '-')) {
                return false;
            }
            const bool negative = text[at++] == '-';
            if (!take_number(text, at, offset)) {
                return false;
            }
            offset = negative ? -offset : offset;
        }
        if (at != text.size()) {
            return false;
        }
        x = offsets[0];
        y = offsets[1];
    }
    o.width = width;
    o.height = height;
    o.x = x;
    o.y = y;
    return true;
}

} // namespace

bool parse_window_id(const std::string& text, unsigned long& id)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '+') {
        return false;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    errno = 0;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0' || parsed == 0 || parsed > 0xFFFFFFFFull) {
        return false;
    }
    id = static_cast<unsigned long>(parsed);
    return true;
}

std::string hack_usage()
{
    return "usage: vorpane [-window | -root | -window-id ID] [-geometry WxH[+X+Y]] [-fps] [-delay USEC]\n"
           "               [-display NAME]\n"
           "  -window        draw in a window of its own (the default), 1280x720\n"
           "  -root          draw on $XSCREENSAVER_WINDOW if set, else on the root window\n"
           "  -window-id ID  draw on the window ID (hex with 0x, or decimal)\n"
           "  -geometry G    size and position of the own window, e.g. 800x600+10+10\n"
           "  -fps           show frames per second and the worker's load\n"
           "  -delay USEC    frame period in microseconds (default 50000)\n"
           "  -display NAME  the X display to use\n"
           "  q, Escape or closing the window quits; so do SIGTERM and SIGINT.\n";
}

hack_parse_result parse_hack_options(const std::vector<std::string>& args)
{
    hack_parse_result result;
    hack_options& o = result.options;
    auto value_of = [&](std::size_t& i, const std::string& name, std::string& value) {
        if (i + 1 >= args.size()) {
            result.error = name + " needs a value";
            return false;
        }
        value = args[++i];
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        // XScreenSaver's hacks take options with one dash or two.
        std::string name = args[i];
        if (name.rfind("--", 0) == 0) {
            name = name.substr(1);
        }
        std::string value;
        if (name == "-window") {
            o.where = hack_options::target::own_window;
        } else if (name == "-root") {
            o.where = hack_options::target::root;
        } else if (name == "-window-id") {
            if (!value_of(i, name, value)) {
                return result;
            }
            if (!parse_window_id(value, o.window_id)) {
                result.error = "bad value '" + value + "' for -window-id: expected a window id such as 0x2a00007";
                return result;
            }
            o.where = hack_options::target::window_id;
        } else if (name == "-geometry") {
            if (!value_of(i, name, value)) {
                return result;
            }
            if (!parse_geometry(value, o)) {
                result.error = "bad value '" + value + "' for -geometry: expected WxH or WxH+X+Y, e.g. 800x600+0+0";
                return result;
            }
        } else if (name == "-fps") {
            o.fps = true;
        } else if (name == "-no-fps") {
            o.fps = false;
        } else if (name == "-delay") {
            if (!value_of(i, name, value)) {
                return result;
            }
            if (!parse_long(value, 0, 10000000, o.delay_us)) {
                result.error = "bad value '" + value + "' for -delay: expected microseconds from 0 to 10000000";
                return result;
            }
        } else if (name == "-display") {
            if (!value_of(i, name, value)) {
                return result;
            }
            o.display = value;
        } else if (name == "-help" || name == "-h") {
            o.help = true;
        } else {
            result.error = "unknown option '" + args[i] + "'";
            return result;
        }
    }
    return result;
}

} // namespace vorpane
