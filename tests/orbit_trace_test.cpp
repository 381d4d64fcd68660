#include "orbit_point.h"
#include "orbit_trace.h"

#include <gtest/gtest.h>

#include <cmath>

using vorpane::colour;
using vorpane::complex_f;
using vorpane::orbit_trace;

namespace {

constexpr colour tint{200, 100, 50, 0};

// Starts found by scanning the plane, with the iterate count each one settles at.
constexpr complex_f settles_at_11{-0.48999989f, 0.00999999978f};
constexpr complex_f settles_at_12{-0.499999881f, 0.000500000024f};
constexpr complex_f settles_at_96{-0.18599987f, 0.611500025f};
constexpr complex_f never_settles{-0.0749998093f, 0.622500062f};

orbit_trace trace_from(complex_f start)
{
    return orbit_trace(tint, [start] { return start; }, 1);
}

TEST(OrbitTrace, StartsAreJudgedByJumpsAxisCrossingsAndSettling)
{
    struct {
        complex_f start;
        int n;
        const char* why;
    } cases[] = {
        {settles_at_11, 0, "settles too soon"},
        {settles_at_12, 12, "settles just late enough"},
        {settles_at_96, 96, "settles late"},
        {never_settles, 128, "stopped at the step limit"},
        {{0.7f, 1.1f}, 0, "escapes: its first step is a jump"},
        {{-0.1f, 0.0f}, 0, "on the axis, settles at once"},
        {{-1.9f, 0.01f}, 0, "jumps across the axis"},
        {orbit_trace::fallback_start, 75, "the fallback"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(orbit_trace::settle_count(c.start), c.n) << c.why;
    }
}

TEST(OrbitTrace, SearchSkipsRejectedStartsAndIsBounded)
{
    const complex_f candidates[] = {settles_at_11, {0.7f, 1.1f}, settles_at_12};
    int drawn = 0;
    const orbit_trace found(tint, [&] { return candidates[drawn++]; }, 10);
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(found.start, settles_at_12);

    int attempts = 0;
    const orbit_trace fallback(tint, [&] { ++attempts; return complex_f{0.7f, 1.1f}; }, 50);
    EXPECT_EQ(attempts, 50);
    EXPECT_EQ(fallback.start, orbit_trace::fallback_start);
    EXPECT_EQ(fallback.point_count, 9 * 75);
}

TEST(OrbitTrace, CurveRunsForwardThenBackThroughTheIterates)
{
    const orbit_trace t = trace_from(settles_at_12);
    ASSERT_EQ(t.point_count, 108);
    ASSERT_EQ(t.points.size(), 216u);
    for (std::size_t i = 0; i < t.points.size(); ++i) {
        const auto& mirror = t.points[t.points.size() - 1 - i];
        ASSERT_EQ(t.points[i].x, mirror.x);
        ASSERT_EQ(t.points[i].y, mirror.y);
    }
    vorpane::orbit_point o{};
    o.begin_at(settles_at_12);
    for (int iterate = 0; iterate < 12; ++iterate) {
        EXPECT_EQ(t.points[static_cast<size_t>(9 * iterate)].x, o.z.re) << iterate;
        EXPECT_EQ(t.points[static_cast<size_t>(9 * iterate)].y, o.z.im) << iterate;
        o.advance();
    }
}

TEST(OrbitTrace, WindowGrowsThenSlidesBackAndForth)
{
    struct {
        complex_f start;
        int point_count, window_length, growth_steps, modulus;
    } cases[] = {
        {settles_at_12, 108, 108, 35, 108},
        {settles_at_96, 864, 864, 287, 864},
        {never_settles, 1152, 864, 287, 1440},
    };
    for (const auto& c : cases) {
        orbit_trace t = trace_from(c.start);
        ASSERT_EQ(t.point_count, c.point_count);
        ASSERT_EQ(t.window_length, c.window_length);
        ASSERT_EQ(t.colours.size(), static_cast<size_t>(c.window_length));
        EXPECT_EQ(t.shown, 3);
        EXPECT_EQ(t.first_colour, c.window_length - 3);
        for (int s = 1; s <= c.growth_steps; ++s) {
            t.step();
            ASSERT_EQ(t.shown, 3 + 3 * s);
            ASSERT_EQ(t.first_colour + t.shown, t.window_length);
            ASSERT_EQ(t.first_point, 0);
        }
        EXPECT_EQ(t.shown, c.window_length);
        EXPECT_EQ(t.first_colour, 0);
        for (int s = 1; s <= c.modulus / 3; ++s) {
            t.step();
            ASSERT_EQ(t.first_point, (3 * s) % c.modulus);
            ASSERT_LE(t.first_point + t.shown, static_cast<int>(t.points.size()));
        }
        EXPECT_EQ(t.first_point, 0); // one full slide there and back
    }
}

TEST(OrbitTrace, ColoursBrightenTowardsTheLeadingEnd)
{
    const orbit_trace t = trace_from(settles_at_12);
    const int expected_from_end[] = {229, 209, 192, 179, 169, 161, 154, 149, 144, 141,
                                     138, 136, 134, 133, 132, 131, 130, 129, 129, 128};
    for (int d = 1; d <= 20; ++d) {
        const colour c = t.colours[static_cast<size_t>(t.window_length - d)];
        EXPECT_EQ(c, (colour{200, 100, 50, static_cast<std::uint8_t>(expected_from_end[d - 1])})) << d;
    }
    EXPECT_EQ(t.colours[static_cast<size_t>(t.window_length - 24)].a, 128);
    EXPECT_EQ(t.colours[static_cast<size_t>(t.window_length - 25)].a, 127);
    EXPECT_EQ(t.colours.front().a, 127);
}

TEST(OrbitTrace, ResizeMapsOnceThenScales)
{
    orbit_trace t = trace_from(settles_at_12);
    const auto complex_points = t.points;
    t.resize(290, 240);
    for (std::size_t i = 0; i < t.points.size(); ++i) {
        ASSERT_NEAR(t.points[i].x, (complex_points[i].x + 2.1) * 100, 1e-3);
        ASSERT_NEAR(t.points[i].y, (complex_points[i].y + 1.2) * 100, 1e-3);
    }
    EXPECT_EQ(t.start, settles_at_12); // stays in the plane
    const auto mapped = t.points;
    t.resize(290, 240);
    for (std::size_t i = 0; i < t.points.size(); ++i) {
        ASSERT_EQ(t.points[i].x, mapped[i].x);
        ASSERT_EQ(t.points[i].y, mapped[i].y);
    }
    t.resize(145, 480);
    EXPECT_FLOAT_EQ(t.points[5].x, mapped[5].x / 2);
    EXPECT_FLOAT_EQ(t.points[5].y, mapped[5].y * 2);
}

} // namespace
