#include "fractal_texture.h"
#include "hsv_to_rgb.h"

#include <gtest/gtest.h>

using vorpane::colour;

namespace {

TEST(Palette, MatchesTheReferenceEntries)
{
    const std::vector<colour> palette = vorpane::fractal_texture::fill_palette();
    ASSERT_EQ(palette.size(), 97u);
    struct {
        int entry;
        colour expected;
    } cases[] = {
        {0, {153, 45, 45, 255}}, {1, {151, 39, 46, 255}}, {25, {78, 54, 109, 255}},
        {34, {29, 42, 132, 255}}, {53, {41, 89, 74, 255}}, {73, {60, 99, 10, 255}},
        {91, {103, 65, 48, 255}}, {96, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const colour got = palette[static_cast<size_t>(c.entry)];
        EXPECT_EQ(got, c.expected) << "entry " << c.entry << ": " << int(got.r) << "," << int(got.g) << ","
                                   << int(got.b) << "," << int(got.a);
    }
    for (int n = 0; n < 96; ++n) {
        EXPECT_EQ(palette[static_cast<size_t>(n)].a, 255) << n;
    }
}

TEST(HsvToRgb, Table)
{
    struct {
        double h, s, v;
        colour expected;
    } cases[] = {
        {0.0, 1.0, 1.0, {255, 0, 0, 7}},
        {1.0, 1.0, 1.0, {255, 0, 0, 7}},       // hue 1 wraps to red
        {1.0 / 3, 1.0, 1.0, {0, 255, 0, 7}},
        {2.0 / 3, 1.0, 1.0, {0, 0, 255, 7}},
        {0.5, 0.0, 0.5, {127, 127, 127, 7}},   // no saturation: grey, truncated
        {0.25, 0.5, 0.8, {153, 204, 102, 7}},
        {1.5, 0.5, 0.8, {204, 204, 204, 7}},   // outside the hue circle: the grey stays
        {-0.5, 0.5, 0.8, {204, 204, 204, 7}},
    };
    for (const auto& c : cases) {
        colour got{1, 2, 3, 7};
        vorpane::hsv_to_rgb(c.h, c.s, c.v, got);
        EXPECT_EQ(got, c.expected) << c.h << " " << c.s << " " << c.v << " -> " << int(got.r) << ","
                                   << int(got.g) << "," << int(got.b) << "," << int(got.a);
    }
}

TEST(HsvToRgb, OutOfRangeValuesNeverMisbehave)
{
    for (const double v : {1e300, -1e300, std::nan(""), 3.0, -0.5}) {
        colour got{0, 0, 0, 0};
        vorpane::hsv_to_rgb(0.3, 0.5, v, got);
        EXPECT_EQ(got.a, 0);
    }
    colour wrapped{0, 0, 0, 0};
    vorpane::hsv_to_rgb(0.0, 0.0, 2.0, wrapped); // 510 keeps its low byte
    EXPECT_EQ(wrapped.r, 510 & 0xFF);
}

} // namespace
