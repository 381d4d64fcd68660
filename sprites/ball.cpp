#include "ball.h"

#include <algorithm>
#include <cmath>

namespace vorpane {

namespace {

constexpr double pi = 3.141592653589793;

} // namespace

ball::ball(const escape_grid& grid_, const colour& tint, float x, float y) : grid(&grid_)
{
    orbit.begin_at({x, y});
    trail.reserve(max_trail);
    trail.push_back({0.0f, 0.0f});
    for (int k = 0; k < max_trail; ++k) {
        const double alpha = 255.0 * std::exp(-2.0 * k / 60.0);
        trail_colours[static_cast<std::size_t>(k)] = {tint.r, tint.g, tint.b, static_cast<std::uint8_t>(alpha)};
    }
    for (int k = 0; k < ticks_per_iterate; ++k) {
        const double alpha = 255.0 * (0.6 + 0.3 * std::sin(2.0 * pi * k / 60.0));
        pulse_colours[static_cast<std::size_t>(k)] = {tint.r, tint.g, tint.b, static_cast<std::uint8_t>(alpha)};
    }
}

const std::array<point2, disc_rim_points + 1>& disc_rim()
{
    static const std::array<point2, disc_rim_points + 1> rim = [] {
        std::array<point2, disc_rim_points + 1> points{};
        for (std::size_t i = 0; i < disc_rim_points; ++i) {
            const double angle = static_cast<double>(2 * i) * pi / 24.0;
            points[i] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
        }
        points[disc_rim_points] = {1.0f, 0.0f};
        return points;
    }();
    return rim;
}

point2 ball::scene_point(complex_f p) const
{
    const double x = (static_cast<double>(p.re) - grid->x0) * width / (static_cast<double>(grid->x1) - grid->x0);
    const double y = (static_cast<double>(p.im) - grid->y0) * height / (static_cast<double>(grid->y1) - grid->y0);
    return {static_cast<float>(x), static_cast<float>(y)};
}

void ball::resize(std::int32_t new_width, std::int32_t new_height)
{
    if (width == 0) {
        // The first size: the head goes to the start point, the rest waits for the updates.
        width = new_width;
        height = new_height;
        trail[0] = scene_point(orbit.origin);
        return;
    }
    rescale_points(trail, width, height, new_width, new_height);
    width = new_width;
    height = new_height;
}

bool ball::update()
{
    const std::size_t size = std::min<std::size_t>(trail.size() + 2, max_trail);
    trail.resize(size, point2{0.0f, 0.0f}); // within the reserved capacity: never allocates
    for (std::size_t i = size - 1; i >= 2; --i) {
        trail[i] = trail[i - 2];
    }
    for (int sub = 1; sub >= 0; --sub) {
        ticks = (ticks + 1) % ticks_per_iterate;
        if (ticks != 0) {
            orbit.interpolate(static_cast<float>(ticks / 60.0));
        } else {
            orbit.advance();
        }
        trail[static_cast<std::size_t>(sub)] = scene_point(orbit.position);
    }
    return orbit.bounded();
}

} // namespace vorpane
