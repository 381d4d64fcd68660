// A point of the scene plane, as GL takes it from a vertex array of two floats.
#pragma once

#include <cstdint>
#include <vector>

namespace vorpane {

struct point2 {
    float x;
    float y;
};

static_assert(sizeof(point2) == 8, "trails and curves are vertex arrays of two floats");

// Carries points drawn for a view of old_width x old_height over to new_width x new_height. A
// size that was 0 gives a factor of 1 along that axis.
inline void rescale_points(std::vector<point2>& points, std::int32_t old_width, std::int32_t old_height,
                           std::int32_t new_width, std::int32_t new_height)
{
    const double sx = old_width == 0 ? 1.0 : static_cast<double>(new_width) / old_width;
    const double sy = old_height == 0 ? 1.0 : static_cast<double>(new_height) / old_height;
    for (point2& p : points) {
        p.x = static_cast<float>(p.x * sx);
        p.y = static_cast<float>(p.y * sy);
    }
}

} // namespace vorpane
