#include "escape_grid.h"

#include <gtest/gtest.h>

#include <cmath>

using vorpane::complex_f;
using vorpane::escape_grid;

namespace {

escape_grid saver_grid() { return escape_grid(-2.1f, -1.2f, 0.8f, 1.2f); }

// Runs the worker's 30-step cycle until the grid is finished.
void finish(escape_grid& grid)
{
    for (int pass = 0; pass < escape_grid::max_passes; ++pass) {
        for (int k = 1; k <= 29; ++k) {
            grid.progress(k / 29.0);
        }
        grid.pass();
    }
}

// Escape time by the plain iteration, z stored in float after every step like a cell's iterate.
int plain_escape_count(complex_f c, int limit)
{
    float zr = c.re;
    float zi = c.im;
    int n = 0;
    while (n < limit) {
        const double dr = zr;
        const double di = zi;
        if (!(static_cast<float>(std::sqrt(dr * dr + di * di)) < vorpane::escape_radius)) {
            break;
        }
        zr = static_cast<float>(dr * dr - di * di + c.re);
        zi = static_cast<float>(dr * di + di * dr + c.im);
        ++n;
    }
    return n;
}

TEST(EscapeGrid, ConstructionSamplesAccumulatedCoordinates)
{
    const escape_grid grid = saver_grid();
    ASSERT_EQ(grid.columns, 680);
    ASSERT_EQ(grid.rows, 510);
    ASSERT_EQ(grid.cells.size(), 680u);
    EXPECT_EQ(grid.cell(0, 0).c, (complex_f{-2.1f, -1.2f}));
    EXPECT_EQ(grid.pass_count, 0);
    EXPECT_EQ(grid.column_cursor, 0);

    const float dx = (0.8f - -2.1f) / 679.0f;
    const float dy = (1.2f - -1.2f) / 509.0f;
    float x = -2.1f;
    for (int i = 0; i < 680; ++i) {
        float y = -1.2f;
        for (int j = 0; j < 510; ++j) {
            const auto& cell = grid.cell(i, j);
            ASSERT_EQ(cell.c, (complex_f{x, y})) << i << "," << j;
            ASSERT_EQ(cell.count, 0);
            y += dy;
        }
        x += dx;
    }
    // Accumulated in float, the far edge lands near but not on the bounds.
    EXPECT_GT(grid.cell(679, 0).c.re, 0.8f);
    EXPECT_LT(grid.cell(0, 509).c.im, 1.2f);
}

TEST(EscapeGrid, ProgressCursorOverOneCycle)
{
    escape_grid grid = saver_grid();
    grid.progress(0.0);
    EXPECT_EQ(grid.column_cursor, 0);
    EXPECT_FALSE(grid.cell(0, 0).next_ready());
    for (int k = 1; k <= 29; ++k) {
        const int before = grid.column_cursor;
        grid.progress(k / 29.0);
        // The smallest n with n / 680 >= k / 29: 680k/29 rounded up.
        const int expected = (680 * k + 28) / 29;
        ASSERT_EQ(grid.column_cursor, expected) << "step " << k;
        const int prepared = grid.column_cursor - before;
        EXPECT_TRUE(prepared == 23 || prepared == 24) << "step " << k;
        EXPECT_TRUE(grid.cells[static_cast<size_t>(grid.column_cursor - 1)][255].next_ready());
        if (grid.column_cursor < 680) {
            EXPECT_FALSE(grid.cells[static_cast<size_t>(grid.column_cursor)][255].next_ready());
        }
    }
    EXPECT_EQ(grid.column_cursor, 680);
    grid.progress(1.0);
    EXPECT_EQ(grid.column_cursor, 680);

    grid.pass();
    EXPECT_EQ(grid.column_cursor, 0);
    EXPECT_EQ(grid.pass_count, 1);
}

TEST(EscapeGrid, FinishedGridHoldsEscapeTimesOfThePlainIteration)
{
    escape_grid grid = saver_grid();
    finish(grid);
    ASSERT_TRUE(grid.finished());

    // Cell (0, 0): |z1| about 3.94, |z2| about 17, so it stops at 2 and keeps its last iterate.
    EXPECT_EQ(grid.cell(0, 0).count, 2);
    EXPECT_NEAR(grid.cell(0, 0).magnitude(), 17.0f, 0.5f);
    EXPECT_EQ(grid.cell(679, 509).count, 2);

    // A column through the interior, near c = -0.1.
    const int interior_column = static_cast<int>(std::lround(2.0 / 2.9 * 679));
    EXPECT_EQ(grid.cell(interior_column, 255).count, 96);
    EXPECT_NEAR(grid.cell(interior_column, 255).c.re, -0.1f, 0.005f);

    int mismatches = 0;
    int interior = 0;
    for (int i = 0; i < grid.columns; ++i) {
        for (int j = 0; j < grid.rows; ++j) {
            const auto& cell = grid.cell(i, j);
            const int expected = plain_escape_count(cell.c, escape_grid::max_passes);
            mismatches += cell.count != expected;
            interior += cell.count == escape_grid::max_passes;
        }
    }
    EXPECT_EQ(mismatches, 0);
    // The set covers roughly a fifth of this rectangle.
    EXPECT_GT(interior, 680 * 510 / 8);
    EXPECT_LT(interior, 680 * 510 / 3);
}

TEST(EscapeGrid, FinishedGridNoLongerChanges)
{
    escape_grid grid(-0.2f, -0.1f, 0.1f, 0.1f, 6, 4); // inside the set: every cell stays live
    finish(grid);
    ASSERT_EQ(grid.pass_count, 96);
    grid.progress(0.5);
    EXPECT_EQ(grid.column_cursor, 0);
    const escape_grid before = grid;
    grid.column_cursor = 3;
    grid.pass();
    grid.progress(1.0);
    EXPECT_EQ(grid.pass_count, 96);
    EXPECT_EQ(grid.column_cursor, 3);
    for (int i = 0; i < grid.columns; ++i) {
        for (int j = 0; j < grid.rows; ++j) {
            EXPECT_EQ(grid.cell(i, j).count, 96);
            EXPECT_EQ(grid.cell(i, j).z, before.cell(i, j).z);
            EXPECT_EQ(grid.cell(i, j).next, before.cell(i, j).next);
        }
    }
}

TEST(EscapeGrid, EscapedCellsAreNeverTouchedAgain)
{
    escape_grid grid(1.0f, 1.0f, 1.5f, 1.5f, 3, 3); // outside the set: everything escapes quickly
    for (int pass = 0; pass < 5; ++pass) {
        grid.progress(1.0);
        grid.pass();
    }
    const escape_grid before = grid;
    for (int pass = 0; pass < 5; ++pass) {
        grid.progress(1.0);
        grid.pass();
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const auto& cell = grid.cell(i, j);
            ASSERT_FALSE(cell.bounded());
            EXPECT_EQ(cell.count, before.cell(i, j).count);
            EXPECT_EQ(cell.z, before.cell(i, j).z);
            EXPECT_EQ(cell.next, before.cell(i, j).next);
            EXPECT_LE(cell.count, 2);
        }
    }
}

} // namespace
