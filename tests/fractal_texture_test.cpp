#include "fractal_texture.h"
#include "gl_api.h"
#include "gl_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using vorpane::colour;
using vorpane::escape_grid;
using vorpane::fractal_texture;

namespace {

class FractalTexture : public vorpane::testing::gl_test {};

std::string describe(colour c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
}

// Blends a palette colour over the fixture's clear colour as the frame's blending does.
colour over_background(colour fg, colour bg)
{
    auto mix = [&](int f, int b) { return static_cast<std::uint8_t>((f * fg.a + b * (255 - fg.a) + 127) / 255); };
    return {mix(fg.r, bg.r), mix(fg.g, bg.g), mix(fg.b, bg.b), mix(fg.a, bg.a)};
}

bool near(colour a, colour b, int tolerance = 1)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

TEST(FractalTextureSize, SmallestPowerOfTwoAtLeastTwo)
{
    struct {
        int n, extent;
    } cases[] = {{0, 2}, {1, 2}, {2, 2}, {3, 4}, {510, 512}, {512, 512}, {513, 1024}, {680, 1024}};
    for (const auto& c : cases) {
        EXPECT_EQ(fractal_texture::texture_extent(c.n), c.extent) << c.n;
    }
}

TEST_F(FractalTexture, FreshTextureHoldsPaletteEntryZeroAndUploadsOnce)
{
    open(64, 64);
    const escape_grid grid(-2.1f, -1.2f, 0.8f, 1.2f);
    fractal_texture texture(grid);
    EXPECT_EQ(texture.texture_width, 1024);
    EXPECT_EQ(texture.texture_height, 512);
    EXPECT_FLOAT_EQ(texture.s_max, 680.0f / 1024);
    EXPECT_FLOAT_EQ(texture.t_max, 510.0f / 512);
    EXPECT_TRUE(texture.dirty());
    const auto& image = texture.latest_image();
    ASSERT_EQ(image.size(), 680u * 510u);
    for (const colour c : image) {
        ASSERT_EQ(c, (colour{153, 45, 45, 255}));
    }

    texture.display_width = 64;
    texture.display_height = 64;
    texture.draw();
    EXPECT_FALSE(texture.dirty());
    capture();
    EXPECT_EQ(pixel(10, 10), (colour{153, 45, 45, 255}));

    // Overwrite the texture behind its back: a draw that re-uploaded would restore palette entry 0.
    const std::vector<colour> green(680 * 510, colour{0, 255, 0, 255});
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 680, 510, GL_RGBA, GL_UNSIGNED_BYTE, green.data());
    texture.draw();
    capture();
    EXPECT_EQ(pixel(10, 10), (colour{0, 255, 0, 255}));

    texture.rebuild();
    EXPECT_TRUE(texture.dirty());
    texture.draw();
    capture();
    EXPECT_EQ(pixel(10, 10), (colour{153, 45, 45, 255}));
}

TEST_F(FractalTexture, TopGridRowLiesAlongYZeroAndFinishedCellsAreTransparent)
{
    // A power-of-two grid, so each pixel centre samples exactly one texel.
    constexpr int columns = 8;
    constexpr int rows = 4;
    open(columns, rows);
    escape_grid grid(0, 0, 1, 1, columns, rows);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            grid.cells[i][j].count = (i * rows + j) * 3 % 97;
        }
    }
    grid.cells[5][3].count = escape_grid::max_passes;
    grid.cells[2][0].count = escape_grid::max_passes;

    fractal_texture texture(grid);
    texture.display_width = columns;
    texture.display_height = rows;
    EXPECT_EQ(texture.latest_image().front(), texture.palette[grid.cell(0, rows - 1).count]);
    EXPECT_EQ(texture.latest_image().back(), texture.palette[grid.cell(columns - 1, 0).count]);

    texture.draw();
    capture();
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < rows; ++y) {
            // Window row y (from the bottom) shows grid row rows - 1 - y.
            const int count = grid.cell(x, rows - 1 - y).count;
            const colour expected = over_background(texture.palette[static_cast<size_t>(count)], clear_colour);
            EXPECT_TRUE(near(pixel(x, y), expected))
                << "x " << x << " y " << y << ": " << describe(pixel(x, y)) << " != " << describe(expected);
        }
    }
    EXPECT_EQ(pixel(5, 0), clear_colour);        // cell (5, 3): the top row, drawn along y = 0
    EXPECT_EQ(pixel(2, rows - 1), clear_colour); // cell (2, 0): the bottom row, drawn at the top
}

TEST_F(FractalTexture, FinishedSaverGridShowsTheSetAndStretchesToTheDisplay)
{
    open(1280, 1024);
    escape_grid grid(-2.1f, -1.2f, 0.8f, 1.2f);
    for (int pass = 0; pass < escape_grid::max_passes; ++pass) {
        grid.pass();
    }
    fractal_texture texture(grid);
    texture.display_width = 1280;
    texture.display_height = 1024;
    texture.draw();
    capture();
    // c = -0.1 (inside the set) lies at x = 2/2.9 of the width, halfway up.
    EXPECT_EQ(pixel(883, 512), clear_colour);
    // Near the corners every cell escapes after 2 iterates; stretched, the grid's last columns reach
    // the right edge of the 1280-wide window.
    EXPECT_TRUE(near(pixel(10, 10), texture.palette[2])) << describe(pixel(10, 10));
    EXPECT_TRUE(near(pixel(1260, 1000), texture.palette[2])) << describe(pixel(1260, 1000));
    EXPECT_FLOAT_EQ(texture.s_max, 680.0f / 1024);
}

} // namespace
