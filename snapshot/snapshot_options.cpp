#include "snapshot_options.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace vorpane {

namespace {

// A decimal number with nothing else around it, no sign, within [min, max].
bool parse_unsigned(const std::string& text, std::uint64_t min, std::uint64_t max, std::uint64_t& value)
{
    if (text.empty() || text.size() > 19) {
        return false;
    }
    value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    return value >= min && value <= max;
}

bool parse_size(const std::string& text, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) {
        return false;
    }
    std::uint64_t w = 0;
    std::uint64_t h = 0;
    if (!parse_unsigned(text.substr(0, x), 1, 65535, w) || !parse_unsigned(text.substr(x + 1), 1, 65535, h)) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

} // namespace

std::string snapshot_usage()
{
    return "usage: vorpane-snapshot [--size WxH] [--steps N] [--seed S] [--out FILE]\n"
           "  --size WxH   picture size in pixels (default 1024x768)\n"
           "  --steps N    worker steps to run before drawing (default 2880: the finished image)\n"
           "  --seed S     seed of the random scene, 0 to 4294967295 (default: the time, as the saver does)\n"
           "  --out FILE   PNG file to write (default vorpane.png)\n"
           "  --help       show this text\n";
}

snapshot_parse_result parse_snapshot_options(const std::vector<std::string>& args)
{
    snapshot_parse_result result;
    snapshot_options& o = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name.rfind("--", 0) == 0) {
            const auto eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
            }
        }
        if (name == "--help" || name == "-h") {
            if (value) {
                result.error = "--help takes no value";
                return result;
            }
            o.help = true;
            continue;
        }
        if (name != "--size" && name != "--steps" && name != "--seed" && name != "--out") {
            result.error = "unknown option '" + args[i] + "'";
            return result;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                result.error = name + " needs a value";
                return result;
            }
            value = args[++i];
        }
        std::uint64_t number = 0;
        if (name == "--size") {
            if (!parse_size(*value, o.width, o.height)) {
                result.error = "bad value '" + *value + "' for --size: expected WxH, e.g. 1024x768";
                return result;
            }
        } else if (name == "--steps") {
            if (!parse_unsigned(*value, 0, std::numeric_limits<std::int32_t>::max(), number)) {
                result.error = "bad value '" + *value + "' for --steps: expected a whole number from 0 to 2147483647";
                return result;
            }
            o.steps = static_cast<std::int64_t>(number);
        } else if (name == "--seed") {
            if (!parse_unsigned(*value, 0, std::numeric_limits<std::uint32_t>::max(), number)) {
                result.error = "bad value '" + *value + "' for --seed: expected a whole number from 0 to 4294967295";
                return result;
            }
            o.seed = static_cast<std::uint32_t>(number);
        } else {
            if (value->empty()) {
                result.error = "bad value '' for --out: expected a file name";
                return result;
            }
            o.out = *value;
        }
    }
    return result;
}

} // namespace vorpane
