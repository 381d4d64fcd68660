// An orbit trace: the continuous path of one settling orbit, computed once, of which a window grows
// and then slides back and forth along the curve.
// No lock of its own: step runs on the worker under the scene's lock, draw (GL current) and resize
// on the GUI thread.
#pragma once

#include "colour.h"
#include "complex_math.h"
#include "point2.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vorpane {

class orbit_trace {
public:
    static constexpr int max_iterates = 128;
    static constexpr int min_iterates = 12;
    static constexpr int max_window_iterates = 96;
    static constexpr int points_per_iterate = 9;
    static constexpr int points_per_step = 3;
    static constexpr float max_jump = 0.5f;
    static constexpr float settled_step = 0.01f;
    // Random starts tried before the search gives up and takes fallback_start. Roughly one start in
    // eighteen is accepted, so the bound is only ever met by a broken generator.
    static constexpr int max_start_attempts = 100000;
    // A start that passes every test (n = 75), so that construction always finishes.
    static constexpr complex_f fallback_start = {-0.2f, 0.6f};

    // Searches a random start with draws from uniform_source.
    explicit orbit_trace(const colour& tint);
    // Searches among the starts next_start yields, at most max_attempts of them.
    orbit_trace(const colour& tint, const std::function<complex_f()>& next_start, int max_attempts);

    // The iterate count n of an acceptable start, or 0 when the start is rejected: a step longer
    // than max_jump, a crossing of the real axis, or fewer than min_iterates before it settles.
    static int settle_count(complex_f start);
    static complex_f random_start();

    void resize(std::int32_t new_width, std::int32_t new_height);
    void step();
    void draw() const;

    complex_f start = {0.0f, 0.0f};
    std::vector<point2> points; // the curve forward, then the same curve backward
    std::vector<colour> colours;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t point_count = 0;
    std::int32_t window_length = 0;
    std::int32_t shown = points_per_step;
    std::int32_t first_point = 0;
    std::int32_t first_colour = 0;

private:
    void trace(complex_f accepted, int n, const colour& tint);
};

} // namespace vorpane
