// vorpane-snapshot: renders the saver's picture offscreen and writes it as a PNG.
#include "escape_grid.h"
#include "fractal_texture.h"
#include "gl_api.h"
#include "osmesa_context.h"
#include "png_file.h"
#include "snapshot_options.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int exit_ok = 0;
constexpr int exit_failure = 1;
constexpr int exit_usage = 2;

int usage_error(const std::string& message)
{
    std::fprintf(stderr, "vorpane-snapshot: %s\n%s", message.c_str(), vorpane::snapshot_usage().c_str());
    return exit_usage;
}

} // namespace

int main(int argc, char** argv)
{
    const vorpane::snapshot_parse_result parsed =
        vorpane::parse_snapshot_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        return usage_error(parsed.error);
    }
    const vorpane::snapshot_options& options = parsed.options;
    if (options.help) {
        std::fputs(vorpane::snapshot_usage().c_str(), stdout);
        return exit_ok;
    }

    try {
        std::unique_ptr<vorpane::osmesa_context> context;
        try {
            context = std::make_unique<vorpane::osmesa_context>(options.width, options.height);
        } catch (const std::exception& e) {
            return usage_error("cannot render --size " + std::to_string(options.width) + "x" +
                               std::to_string(options.height) + ": " + e.what());
        }
        vorpane::escape_grid grid(-2.1f, -1.2f, 0.8f, 1.2f);
        vorpane::fractal_texture texture(grid);
        for (std::int64_t step = 1; step <= options.steps && !grid.finished(); ++step) {
            const int r = static_cast<int>(step % 30);
            if (r != 0) {
                grid.progress(r / 29.0);
            } else {
                grid.pass();
                texture.rebuild();
            }
        }
        glViewport(0, 0, options.width, options.height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, options.width, 0, options.height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClear(GL_COLOR_BUFFER_BIT);
        texture.display_width = options.width;
        texture.display_height = options.height;
        texture.draw();
        std::vector<std::uint8_t> pixels = context->read_pixels();
        // A screen has no alpha: what the frame left transparent is the black it was cleared to.
        for (std::size_t i = 3; i < pixels.size(); i += 4) {
            pixels[i] = 255;
        }
        const std::string error = vorpane::write_png_file(options.out, options.width, options.height, pixels);
        if (!error.empty()) {
            std::fprintf(stderr, "vorpane-snapshot: cannot write '%s': %s\n", options.out.c_str(), error.c_str());
            return exit_failure;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorpane-snapshot: %s\n", e.what());
        return exit_failure;
    }
    return exit_ok;
}
