// vorpane: the saver as an XScreenSaver-style GL hack on X11.
#include "ball_camera.h"
#include "glx_context.h"
#include "hack_options.h"
#include "saver_frame.h"
#include "uniform_source.h"
#include "x11_window.h"

#include <GL/gl.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

constexpr int exit_ok = 0;
constexpr int exit_failure = 1;
constexpr int exit_usage = 2;

extern "C" void end_at_once(int) { _exit(exit_ok); }

int usage_error(const std::string& message)
{
    std::fprintf(stderr, "vorpane: %s\n%s", message.c_str(), vorpane::hack_usage().c_str());
    return exit_usage;
}

// CPU seconds the worker thread has used, read from /proc; negative when it cannot be found.
class worker_clock {
public:
    double cpu_seconds()
    {
        if (stat_path_.empty()) {
            find();
        }
        std::ifstream stat(stat_path_);
        std::string line;
        if (stat_path_.empty() || !std::getline(stat, line)) {
            return -1.0;
        }
        // Fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        std::string field;
        unsigned long long ticks = 0;
        for (int i = 1; i <= 13 && rest >> field; ++i) {
            if (i >= 12) {
                ticks += std::stoull(field);
            }
        }
        return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }

private:
    void find()
    {
        DIR* tasks = opendir("/proc/self/task");
        if (tasks == nullptr) {
            return;
        }
        while (dirent* entry = readdir(tasks)) {
            const std::string dir = std::string("/proc/self/task/") + entry->d_name;
            std::ifstream comm(dir + "/comm");
            std::string name;
            if (std::getline(comm, name) && name == "vorpane-worker") {
                stat_path_ = dir + "/stat";
            }
        }
        closedir(tasks);
    }

    std::string stat_path_;
};

// Frames per second and the worker's share of one core, over the last second or so.
class fps_meter {
public:
    const std::string& text(clock_type::time_point now)
    {
        ++frames_;
        const double elapsed = std::chrono::duration<double>(now - since_).count();
        if (elapsed >= 1.0) {
            const double worker = worker_.cpu_seconds();
            char line[96];
            if (worker >= 0.0 && worker_at_ >= 0.0) {
                std::snprintf(line, sizeof line, "%.1f fps  worker %.1f%%", frames_ / elapsed,
                              100.0 * (worker - worker_at_) / elapsed);
            } else {
                std::snprintf(line, sizeof line, "%.1f fps", frames_ / elapsed);
            }
            text_ = line;
            frames_ = 0;
            since_ = now;
            worker_at_ = worker;
        }
        return text_;
    }

private:
    worker_clock worker_;
    clock_type::time_point since_ = clock_type::now();
    double worker_at_ = -1.0;
    int frames_ = 0;
    std::string text_ = "...";
};

} // namespace

int main(int argc, char** argv)
{
    const vorpane::hack_parse_result parsed = vorpane::parse_hack_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        return usage_error(parsed.error);
    }
    const vorpane::hack_options& options = parsed.options;
    if (options.help) {
        std::fputs(vorpane::hack_usage().c_str(), stdout);
        return exit_ok;
    }
    // XScreenSaver ends a hack with SIGTERM and expects it gone at once; there is nothing to save.
    signal(SIGTERM, end_at_once);
    signal(SIGINT, end_at_once);

    try {
        const std::unique_ptr<Display, int (*)(Display*)> connection(
            vorpane::x11_window::open_display(options.display), XCloseDisplay);
        Display* display = connection.get();
        vorpane::install_x_error_handlers();

        std::unique_ptr<vorpane::x11_window> window;
        switch (options.where) {
        case vorpane::hack_options::target::own_window:
            window = std::make_unique<vorpane::x11_window>(display, vorpane::glx_context::choose_visual(display), options);
            break;
        case vorpane::hack_options::target::root:
            window = std::make_unique<vorpane::x11_window>(display, vorpane::root_target(display));
            break;
        case vorpane::hack_options::target::window_id:
            window = std::make_unique<vorpane::x11_window>(display, static_cast<Window>(options.window_id));
            break;
        }
        vorpane::glx_context gl(display, window->window, window->visual);

        vorpane::uniform_source::seed(vorpane::uniform_source::clock_seed());
        vorpane::saver_app app;
        app.scene = new vorpane::ball_camera(); // lives, with its worker, until the process ends
        app.perspective = 1;
        vorpane::set_projection(app, window->width, window->height);

        fps_meter meter;
        const auto period = std::chrono::microseconds(options.delay_us);
        auto next = clock_type::now();
        const int connection_fd = ConnectionNumber(display);
        for (;;) {
            const vorpane::x11_window::events happened = window->take_events();
            if (happened.quit) {
                return exit_ok;
            }
            if (happened.resized) {
                vorpane::set_projection(app, window->width, window->height);
            }
            vorpane::draw_frame(app);
            if (options.fps) {
                gl.draw_overlay(meter.text(clock_type::now()), window->width, window->height);
            }
            glFinish();
            gl.swap();

            next += period;
            auto now = clock_type::now();
            if (next < now) {
                next = now; // a slow frame does not make the next ones hurry
            }
            // Sleep until the next frame, waking for X events on the way.
            while ((now = clock_type::now()) < next) {
                const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count() + 1;
                pollfd fd = {connection_fd, POLLIN, 0};
                if (XPending(display) > 0 || poll(&fd, 1, static_cast<int>(wait)) > 0) {
                    const vorpane::x11_window::events early = window->take_events();
                    if (early.quit) {
                        return exit_ok;
                    }
                    if (early.resized) {
                        vorpane::set_projection(app, window->width, window->height);
                        break;
                    }
                }
            }
        }
    } catch (const vorpane::bad_argument& e) {
        return usage_error(e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorpane: %s\n", e.what());
        return exit_failure;
    }
}
