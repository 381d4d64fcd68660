// vorpane-snapshot: renders the saver's picture offscreen and writes it as a PNG.
#include "ball_camera.h"
#include "osmesa_context.h"
#include "png_file.h"
#include "saver_frame.h"
#include "snapshot_options.h"
#include "uniform_source.h"

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
        vorpane::uniform_source::seed(options.seed ? *options.seed : vorpane::uniform_source::clock_seed());
        // The saver's window creation, then the worker's steps run here without pacing.
        auto scene = std::make_unique<vorpane::ball_camera>(vorpane::ball_camera::stepping::manual);
        vorpane::saver_app app;
        app.scene = scene.get();
        app.perspective = 1;
        vorpane::set_projection(app, options.width, options.height);
        for (std::int64_t step = 0; step < options.steps; ++step) {
            scene->step();
        }
        vorpane::draw_frame(app);
        std::vector<std::uint8_t>& pixels = context->finished_framebuffer();
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
