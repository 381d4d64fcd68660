#include "ball_camera.h"
#include "allocation_counter.h"
#include "gl_api.h"
#include "gl_fixture.h"
#include "saver_frame.h"
#include "uniform_source.h"

#include <gtest/gtest.h>

#include <set>

using vorpane::ball;
using vorpane::ball_camera;
using vorpane::colour;
using vorpane::complex_f;

namespace {

class Scene : public vorpane::testing::gl_test {
protected:
    void SetUp() override
    {
        open(32, 24);
        vorpane::uniform_source::seed(20261211);
        scene = std::make_unique<ball_camera>(ball_camera::stepping::manual);
    }

    std::vector<const ball*> ball_order() const
    {
        std::vector<const ball*> order;
        for (const auto& b : scene->balls) {
            order.push_back(b.get());
        }
        return order;
    }

    std::unique_ptr<ball_camera> scene;
};

TEST_F(Scene, RightAfterConstruction)
{
    ASSERT_EQ(scene->balls.size(), 128u);
    EXPECT_EQ(scene->refine_cursor, scene->balls.begin());
    for (const auto& b : scene->balls) {
        const complex_f c = b->orbit.c;
        EXPECT_GE(c.re, -2.1f);
        EXPECT_LT(c.re, 0.8f);
        EXPECT_GE(c.im, -1.2f);
        EXPECT_LT(c.im, 1.2f);
        EXPECT_EQ(b->trail_colours[0].a, 255);
    }
    ASSERT_GE(scene->traces.size(), 1u);
    ASSERT_LE(scene->traces.size(), 5u);
    for (std::size_t i = 0; i < scene->traces.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const complex_f a = scene->traces[i]->start;
            const complex_f b = scene->traces[j]->start;
            EXPECT_GE(vorpane::complex_abs({a.re - b.re, a.im - b.im}), 0.5f);
        }
    }
    EXPECT_EQ(scene->step_count, 0);
    EXPECT_FALSE(scene->thread_started);
    EXPECT_EQ(scene->width, 0);
    EXPECT_EQ(scene->height, 0);
    EXPECT_EQ(scene->grid.pass_count, 0);
}

TEST_F(Scene, SameSeedSameScene)
{
    vorpane::uniform_source::seed(20261211);
    const ball_camera again(ball_camera::stepping::manual);
    ASSERT_EQ(again.traces.size(), scene->traces.size());
    auto a = scene->balls.begin();
    for (const auto& b : again.balls) {
        EXPECT_EQ(b->orbit.c, (*a)->orbit.c);
        EXPECT_EQ(b->trail_colours[0], (*a)->trail_colours[0]);
        ++a;
    }
    for (std::size_t i = 0; i < again.traces.size(); ++i) {
        EXPECT_EQ(again.traces[i]->start, scene->traces[i]->start);
    }
}

TEST_F(Scene, TraceAttemptsAreKeptApart)
{
    // Over many seeds, every scene keeps one to five traces, pairwise apart, and some attempts are
    // rejected for standing too close.
    std::set<std::size_t> counts;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        vorpane::uniform_source::seed(seed);
        const ball_camera s(ball_camera::stepping::manual);
        counts.insert(s.traces.size());
        for (std::size_t i = 0; i < s.traces.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                const complex_f a = s.traces[i]->start;
                const complex_f b = s.traces[j]->start;
                ASSERT_GE(vorpane::complex_abs({a.re - b.re, a.im - b.im}), 0.5f) << seed;
            }
        }
    }
    EXPECT_GE(*counts.begin(), 1u);
    EXPECT_LE(*counts.rbegin(), 5u);
    EXPECT_GT(counts.size(), 1u);
}

TEST_F(Scene, ThirtyStepCycle)
{
    scene->resize(640, 480);
    const std::vector<const ball*> order = ball_order();
    // Keep every ball for the cycle, whatever its orbit, so positions in the list stay fixed.
    for (auto& b : scene->balls) {
        b->orbit.begin_at({-0.1f, 0.1f});
    }
    auto prepared = [&](std::size_t index) { return order[index]->orbit.next_ready(); };

    scene->step();
    EXPECT_EQ(scene->step_count, 1);
    EXPECT_EQ(scene->grid.column_cursor, 24);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(prepared(i)) << i;
    }
    EXPECT_FALSE(prepared(4));

    for (int k = 2; k <= 29; ++k) {
        scene->step();
    }
    EXPECT_EQ(scene->grid.column_cursor, 680);
    EXPECT_EQ(scene->grid.pass_count, 0);
    for (std::size_t i = 0; i < 116; ++i) {
        ASSERT_TRUE(prepared(i)) << i;
    }
    for (std::size_t i = 116; i < 128; ++i) {
        EXPECT_FALSE(prepared(i)) << "ball " << i + 1 << " is never prepared ahead";
    }
    ASSERT_NE(scene->refine_cursor, scene->balls.end());
    EXPECT_EQ(scene->refine_cursor->get(), order[116]);

    scene->draw(); // takes the first image
    EXPECT_FALSE(scene->texture.dirty());
    scene->step();
    EXPECT_EQ(scene->step_count, 0);
    EXPECT_EQ(scene->grid.pass_count, 1);
    EXPECT_EQ(scene->grid.column_cursor, 0);
    EXPECT_TRUE(scene->texture.dirty());
    EXPECT_EQ(scene->refine_cursor, scene->balls.begin());
    for (const auto& b : scene->balls) {
        ASSERT_EQ(b->orbit.count, 1);
        ASSERT_EQ(b->ticks, 0);
    }
    scene->step();
    EXPECT_EQ(scene->step_count, 1);
    EXPECT_EQ(scene->grid.column_cursor, 24);
}

TEST_F(Scene, CursorMovesOnWhenItsBallEscapes)
{
    scene->resize(640, 480);
    const std::vector<const ball*> order = ball_order();
    // The first ball escapes in the very first step: two ticks short of its advance.
    ball& first = *scene->balls.front();
    first.orbit.begin_at({2.0f, 2.0f}); // |z1| is about 10
    first.ticks = 58;
    scene->step();
    EXPECT_EQ(scene->balls.size(), 127u);
    EXPECT_EQ(scene->balls.front().get(), order[1]);
    // Balls 2 to 5 were prepared; the cursor stands on ball 6.
    EXPECT_EQ(scene->refine_cursor->get(), order[5]);
    EXPECT_TRUE(order[4]->orbit.next_ready());
}

TEST_F(Scene, EmptyBallListKeepsStepping)
{
    scene->resize(640, 480);
    scene->balls.clear();
    scene->refine_cursor = scene->balls.end();
    for (int s = 0; s < 65; ++s) {
        scene->step();
        ASSERT_EQ(scene->refine_cursor, scene->balls.end());
    }
    EXPECT_EQ(scene->grid.pass_count, 2);
    scene->draw();
}

TEST_F(Scene, FinishedGridStillRebuildsAndNothingIsAllocatedPerStepOrFrame)
{
    scene->resize(640, 480);
    for (int s = 0; s < 96 * 30; ++s) {
        scene->step();
    }
    ASSERT_TRUE(scene->grid.finished());
    EXPECT_LT(scene->balls.size(), 128u); // some orbits escaped on the way
    EXPECT_GT(scene->balls.size(), 0u);

    vorpane::saver_app app;
    app.scene = scene.get();
    app.perspective = 1;
    vorpane::draw_frame(app);
    EXPECT_FALSE(scene->texture.dirty());

    // Mesa compiles its shaders in the first frames; after that a frame is ours alone.
    for (int f = 0; f < 5; ++f) {
        vorpane::draw_frame(app);
    }
    const long before = vorpane::testing::allocation_count();
    for (int s = 0; s < 300; ++s) {
        scene->step();
        if (s % 10 == 0) {
            vorpane::draw_frame(app);
        }
    }
    EXPECT_EQ(vorpane::testing::allocation_count(), before);
    EXPECT_EQ(scene->grid.pass_count, 96);
    EXPECT_TRUE(scene->texture.dirty()); // the 30th steps still rebuild the unchanged image
}

class Frame : public vorpane::testing::gl_test {};

TEST_F(Frame, FinishedSetWithBallsAndTracesOverIt)
{
    clear_colour = {0, 0, 0, 255};
    open(580, 480);
    vorpane::uniform_source::seed(7);
    ball_camera scene(ball_camera::stepping::manual);
    vorpane::saver_app app;
    app.scene = &scene;
    app.perspective = 1;
    vorpane::set_projection(app, 580, 480);
    for (int s = 0; s < 96 * 30; ++s) {
        scene.step();
    }
    scene.balls.clear(); // first the field alone
    scene.refine_cursor = scene.balls.end();
    auto traces = std::move(scene.traces);
    scene.traces.clear();
    vorpane::draw_frame(app);
    capture();
    // Scene x of c = -0.1 is 2/2.9 of the width: inside the cardioid, right of the middle, black.
    const int cardioid_x = static_cast<int>(580 * 2.0 / 2.9);
    EXPECT_EQ(pixel(cardioid_x, 240), (colour{0, 0, 0, 255}));
    EXPECT_EQ(pixel(cardioid_x + 15, 240 + 40), (colour{0, 0, 0, 255}));
    // Left of the middle, c = -1.95 + 0.9i escapes at once: palette colours, opaque and reddish.
    const colour outside = pixel(15, 240 + 180);
    EXPECT_NE(outside, (colour{0, 0, 0, 255}));
    EXPECT_GT(outside.r, outside.b);
    std::vector<colour> field;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 580; ++x) {
            field.push_back(pixel(x, y));
        }
    }

    // Then the traces and one white ball at c = -0.1 on top.
    scene.traces = std::move(traces);
    scene.balls.push_back(std::make_unique<ball>(scene.grid, colour{255, 255, 255, 0}, -0.1f, 0.0f));
    scene.balls.back()->resize(580, 480);
    vorpane::draw_frame(app);
    capture();
    // The view shows the plane a little enlarged about its middle, so look around the point.
    int brightest = 0;
    for (int y = 236; y <= 244; ++y) {
        for (int x = cardioid_x - 2; x <= cardioid_x + 6; ++x) {
            brightest = std::max(brightest, static_cast<int>(pixel(x, y).r));
        }
    }
    EXPECT_NEAR(brightest, 153, 3) << "the ball's disc over the set, at pulse alpha 153";
    int changed = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 580; ++x) {
            changed += pixel(x, y) != field[static_cast<size_t>(y * 580 + x)];
        }
    }
    // A ball's disc covers about 20 pixels; each trace's grown window draws hundreds more.
    EXPECT_GT(changed, 20 + 100 * static_cast<int>(scene.traces.size()));
}

} // namespace
