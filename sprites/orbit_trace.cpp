#include "orbit_trace.h"

#include "orbit_point.h"
#include "uniform_source.h"

#include <algorithm>
#include <cmath>

namespace vorpane {

orbit_trace::orbit_trace(const colour& tint) : orbit_trace(tint, random_start, max_start_attempts) {}

orbit_trace::orbit_trace(const colour& tint, const std::function<complex_f()>& next_start, int max_attempts)
{
    for (int attempt = 0; attempt < max_attempts; ++attempt) {
        const complex_f candidate = next_start();
        const int n = settle_count(candidate);
        if (n != 0) {
            trace(candidate, n, tint);
            return;
        }
    }
    trace(fallback_start, settle_count(fallback_start), tint);
}

complex_f orbit_trace::random_start()
{
    const float y = static_cast<float>(2.4 * uniform_source::draw() - 1.2);
    const float x = static_cast<float>(2.9000000000000004 * uniform_source::draw() - 2.1);
    return {x, y};
}

int orbit_trace::settle_count(complex_f candidate)
{
    orbit_point o{};
    o.begin_at(candidate);
    complex_f previous = candidate;
    for (int k = 1; k < max_iterates; ++k) {
        o.advance();
        const complex_f current = o.z;
        const float d = complex_abs({current.re - previous.re, current.im - previous.im});
        if (!(d <= max_jump)) {
            return 0; // a jump, or an orbit that has gone to infinity or NaN
        }
        if (static_cast<double>(previous.im) * current.im < 0.0) {
            return 0; // crossed the real axis
        }
        if (d < settled_step) {
            return k >= min_iterates ? k : 0;
        }
        previous = current;
    }
    return max_iterates;
}

void orbit_trace::trace(complex_f accepted, int n, const colour& tint)
{
    start = accepted;
    point_count = points_per_iterate * n;
    window_length = points_per_iterate * std::min(n, max_window_iterates);
    points.assign(2 * static_cast<std::size_t>(point_count), point2{0.0f, 0.0f});

    orbit_point o{};
    o.begin_at(start);
    std::size_t front = 0;
    std::size_t back = points.size() - 1;
    for (int iterate = 0; iterate < n; ++iterate) {
        for (int i = 0; i < points_per_iterate; ++i) {
            points[front++] = points[back--] = {o.position.re, o.position.im};
            if (i < points_per_iterate - 1) {
                o.interpolate(static_cast<float>(i / 9.0));
            } else {
                o.advance();
            }
        }
    }

    colours.resize(static_cast<std::size_t>(window_length));
    for (int j = 0; j < window_length; ++j) {
        const double d = window_length - j;
        const double alpha = 255.0 * (0.5 + 0.5 * std::exp(-2.0 * d / 9.0));
        colours[static_cast<std::size_t>(j)] = {tint.r, tint.g, tint.b, static_cast<std::uint8_t>(alpha)};
    }
    shown = points_per_step;
    first_point = 0;
    first_colour = window_length - shown;
}

void orbit_trace::resize(std::int32_t new_width, std::int32_t new_height)
{
    if (width == 0) {
        // The first size: the curve leaves the complex plane for scene units.
        width = new_width;
        height = new_height;
        for (point2& p : points) {
            p.x = static_cast<float>((p.x + 2.1) * width / (0.8 + 2.1));
            p.y = static_cast<float>((p.y + 1.2) * height / (1.2 + 1.2));
        }
        return;
    }
    rescale_points(points, width, height, new_width, new_height);
    width = new_width;
    height = new_height;
}

void orbit_trace::step()
{
    if (shown < window_length) {
        shown += points_per_step;
        first_colour -= points_per_step;
    } else {
        first_point = (first_point + points_per_step) % (2 * point_count - window_length);
    }
}

} // namespace vorpane
