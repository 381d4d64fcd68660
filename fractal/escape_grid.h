// The escape-time image of the Mandelbrot set, refined one iterate per pass over a grid of orbit points.
// Does no drawing. After construction only the worker thread calls pass and progress; the bounds and
// sizes never change, so any thread may read them.
#pragma once

#include "orbit_point.h"

#include <cstdint>
#include <vector>

namespace vorpane {

class escape_grid {
public:
    static constexpr std::int32_t default_columns = 680;
    static constexpr std::int32_t default_rows = 510;
    static constexpr std::int32_t max_passes = 96;

    // Cells sample from (x0, y0) in column 0, row 0 to about (x1, y1) in the last column and row, with
    // coordinates accumulated in float. Other sizes than the saver's serve tests.
    escape_grid(float x0, float y0, float x1, float y1, std::int32_t columns = default_columns,
                std::int32_t rows = default_rows);

    // One iterate for every bounded cell; nothing once max_passes is reached.
    void pass();
    // Prepares the next iterate of whole columns from column_cursor while column_cursor / columns < t.
    void progress(double t);

    bool finished() const { return pass_count >= max_passes; }
    const orbit_point& cell(std::int32_t column, std::int32_t row) const { return cells[column][row]; }

    float x0;
    float y0;
    float x1;
    float y1;
    std::int32_t columns;
    std::int32_t rows;
    std::vector<std::vector<orbit_point>> cells; // [column][row]
    std::int32_t column_cursor = 0;
    std::int32_t pass_count = 0;
};

} // namespace vorpane
