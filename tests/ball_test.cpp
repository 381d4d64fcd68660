#include "ball.h"
#include "ball_batch.h"
#include "gl_api.h"
#include "gl_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using vorpane::ball;
using vorpane::colour;
using vorpane::complex_f;
using vorpane::escape_grid;
using vorpane::orbit_point;
using vorpane::point2;

namespace {

const escape_grid& small_grid()
{
    // Only the bounds matter to a ball; a tiny grid keeps the fixture cheap.
    static const escape_grid grid(-2.1f, -1.2f, 0.8f, 1.2f, 2, 2);
    return grid;
}

constexpr colour tint{10, 200, 30, 99};

void expect_point(point2 got, point2 expected, const char* what)
{
    EXPECT_NEAR(got.x, expected.x, 1e-3f) << what;
    EXPECT_NEAR(got.y, expected.y, 1e-3f) << what;
}

TEST(Ball, ColourTablesFadeTheTrailAndPulseTheDisc)
{
    const ball b(small_grid(), tint, -0.5f, 0.2f);
    struct {
        int k;
        int trail_alpha;
        int pulse_alpha;
    } cases[] = {{0, 255, 153}, {1, 246, 160}, {15, 154, 229}, {45, 56, 76}, {59, 35, 145}};
    for (const auto& c : cases) {
        const colour trail = b.trail_colours[static_cast<size_t>(c.k)];
        const colour pulse = b.pulse_colours[static_cast<size_t>(c.k)];
        EXPECT_EQ(trail, (colour{10, 200, 30, static_cast<std::uint8_t>(c.trail_alpha)})) << c.k;
        EXPECT_EQ(pulse, (colour{10, 200, 30, static_cast<std::uint8_t>(c.pulse_alpha)})) << c.k;
    }
}

TEST(Ball, TrailOverTheFirstAndTheThirtiethUpdate)
{
    ball b(small_grid(), tint, -0.5f, 0.2f);
    b.resize(290, 240); // one scene unit per 0.01 of the plane
    expect_point(b.trail[0], {160.0f, 140.0f}, "first resize puts the head at c");

    orbit_point reference{};
    reference.begin_at({-0.5f, 0.2f});
    ASSERT_TRUE(b.update());
    ASSERT_EQ(b.trail.size(), 3u);
    expect_point(b.trail[2], {160.0f, 140.0f}, "the old head moves back");
    reference.interpolate(1.0f / 60);
    expect_point(b.trail[1], b.scene_point(reference.position), "t = 1/60");
    reference.interpolate(2.0f / 60);
    expect_point(b.trail[0], b.scene_point(reference.position), "t = 2/60");

    std::size_t expected_size = 3;
    for (int update = 2; update <= 30; ++update) {
        ASSERT_TRUE(b.update());
        expected_size = std::min<std::size_t>(expected_size + 2, 60);
        ASSERT_EQ(b.trail.size(), expected_size) << update;
    }
    // The 30th update lands on the next iterate itself.
    reference.advance();
    EXPECT_EQ(b.orbit.count, 1);
    EXPECT_EQ(b.ticks % 60, 0);
    expect_point(b.trail[0], b.scene_point(reference.z), "the new iterate");
    EXPECT_EQ(b.trail.size(), 60u);
    EXPECT_TRUE(b.update());
    EXPECT_EQ(b.trail.size(), 60u);
}

TEST(Ball, TicksStayBoundedAndKeepTheirCycle)
{
    ball b(small_grid(), tint, -0.1f, 0.1f); // inside the set: lives for ever
    for (int update = 1; update <= 3000; ++update) {
        ASSERT_TRUE(b.update());
        ASSERT_GE(b.ticks, 0);
        ASSERT_LT(b.ticks, 60);
        ASSERT_EQ(b.ticks, (2 * update) % 60);
    }
    EXPECT_EQ(b.orbit.count, 100);
}

TEST(Ball, EscapesOnlyInTheUpdateThatAdvances)
{
    ball b(small_grid(), tint, -2.1f, -1.2f); // |z1| is about 3.94, |z2| about 17
    for (int update = 1; update < 60; ++update) {
        ASSERT_TRUE(b.update()) << update;
    }
    EXPECT_FALSE(b.update());
    EXPECT_EQ(b.orbit.count, 2);
}

TEST(Ball, ResizeBeforeAndAfterTheFirst)
{
    ball b(small_grid(), tint, -0.5f, 0.2f);
    b.update(); // before any size: every point maps to the origin
    for (const point2 p : b.trail) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
    }
    b.resize(290, 240);
    expect_point(b.trail[0], {160.0f, 140.0f}, "first resize sets only the head");
    expect_point(b.trail[1], {0.0f, 0.0f}, "first resize leaves the rest");

    b.update();
    const std::vector<point2> before = b.trail;
    b.resize(290, 240);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(b.trail[i].x, before[i].x);
        EXPECT_EQ(b.trail[i].y, before[i].y);
    }
    b.resize(580, 120);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_FLOAT_EQ(b.trail[i].x, before[i].x * 2);
        EXPECT_FLOAT_EQ(b.trail[i].y, before[i].y / 2);
    }
    b.resize(0, 0);
    b.resize(290, 240); // after a zero width it counts as the first again
    expect_point(b.trail[0], {160.0f, 140.0f}, "head back at c");
}

class BallDrawing : public vorpane::testing::gl_test {};

TEST_F(BallDrawing, DiscPulsesAtItsPointAndTheTrailFollows)
{
    clear_colour = {0, 0, 0, 255};
    open(290, 240);
    glEnable(GL_BLEND);
    ball b(small_grid(), colour{255, 255, 255, 0}, -0.5f, 0.2f);
    b.draw(); // before any size the disc sits at the origin
    capture();
    EXPECT_GT(pixel(0, 0).r, 100);
    EXPECT_EQ(pixel(160, 140).r, 0);

    clear();
    b.resize(290, 240);
    b.draw();
    capture();
    // Pulse entry 0 has alpha 153: white at 60% over black.
    EXPECT_NEAR(pixel(160, 140).r, 153, 2);
    EXPECT_EQ(pixel(164, 140).r, 0); // the disc's radius is 1 + 153/128, under 3 units

    const unsigned list = vorpane::disc_list();
    EXPECT_NE(list, 0u);
    EXPECT_EQ(vorpane::disc_list(), list);
}

TEST_F(BallDrawing, BatchDrawsWhatEachBallDraws)
{
    clear_colour = {0, 0, 0, 255};
    open(290, 240);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POLYGON_SMOOTH);
    glLineWidth(2.0f);
    // Two balls far apart, trails grown, at different points of the pulse.
    ball a(small_grid(), colour{250, 200, 30, 0}, -0.5f, 0.2f);
    ball b(small_grid(), colour{30, 100, 250, 0}, -1.7f, -0.6f);
    a.resize(290, 240);
    b.resize(290, 240);
    for (int update = 0; update < 40; ++update) {
        a.update();
        b.update();
    }
    b.ticks = 17;

    a.draw();
    b.draw();
    capture();
    std::vector<colour> one_by_one;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 290; ++x) {
            one_by_one.push_back(pixel(x, y));
        }
    }

    clear();
    vorpane::ball_batch batch(2);
    batch.add(a);
    batch.add(b);
    batch.add(a); // beyond its size: left out
    EXPECT_EQ(batch.disc_vertices(), 2u * 72u);
    EXPECT_EQ(batch.trail_vertices(), 2u * 118u);
    batch.draw();
    capture();
    int differing = 0;
    int drawn = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 290; ++x) {
            const colour expected = one_by_one[static_cast<size_t>(y * 290 + x)];
            differing += pixel(x, y) != expected;
            drawn += expected != colour{0, 0, 0, 255};
        }
    }
    EXPECT_GT(drawn, 50); // two discs and their trails
    EXPECT_EQ(differing, 0);
}

} // namespace
