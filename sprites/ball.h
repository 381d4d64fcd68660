// A ball: a pulsing disc at its point c and a fading trail that follows the orbit of c continuously.
// Has no lock of its own: after construction every call runs under the scene's lock, update and
// prepare_next on the worker thread, resize and draw on the GUI thread (draw with GL current).
#pragma once

#include "colour.h"
#include "escape_grid.h"
#include "orbit_point.h"
#include "point2.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorpane {

class ball {
public:
    static constexpr int max_trail = 60;
    static constexpr int ticks_per_iterate = 60;
    static constexpr int ticks_per_update = 2;

    // colour's fourth byte is ignored; (x, y) is the start point c.
    ball(const escape_grid& grid, const colour& tint, float x, float y);

    void resize(std::int32_t new_width, std::int32_t new_height);
    // One worker step: two sub-steps along the orbit. False once the orbit has escaped.
    bool update();
    // Computes the next iterate now, so the coming advance only copies it.
    void prepare_next() { orbit.compute_next(); }
    void draw() const;

    // p mapped from the grid's complex rectangle onto [0, width] x [0, height].
    point2 scene_point(complex_f p) const;

    const escape_grid* grid;
    orbit_point orbit;
    std::vector<point2> trail; // newest first, 1 to 60 points
    std::array<colour, max_trail> trail_colours;
    std::array<colour, ticks_per_iterate> pulse_colours;
    std::int32_t width = 0;
    std::int32_t height = 0;
    // Sub-steps taken, kept modulo ticks_per_iterate: only that remainder is ever used.
    std::int32_t ticks = 0;
};

// The unit disc's rim: 24 points 15 degrees apart from (1, 0) counter-clockwise, then (1, 0) again
// to close it. The disc is a fan from the centre through these points.
constexpr std::size_t disc_rim_points = 24;
const std::array<point2, disc_rim_points + 1>& disc_rim();

// The shared unit disc, a display list built on first use. GUI thread, GL context current.
unsigned disc_list();

} // namespace vorpane
