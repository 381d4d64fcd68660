#include "hack_options.h"

#include <gtest/gtest.h>

using vorpane::hack_options;
using vorpane::parse_hack_options;

namespace {

TEST(HackOptions, GoodCommandLines)
{
    struct {
        std::vector<std::string> args;
        hack_options::target where;
        unsigned long id;
        int width, height;
        bool fps;
        long delay;
    } cases[] = {
        {{}, hack_options::target::own_window, 0, 1280, 720, false, 50000},
        {{"-root"}, hack_options::target::root, 0, 1280, 720, false, 50000},
        {{"--root", "-fps"}, hack_options::target::root, 0, 1280, 720, true, 50000},
        {{"-window-id", "0x2a00007"}, hack_options::target::window_id, 0x2a00007, 1280, 720, false, 50000},
        {{"-window-id", "44040199"}, hack_options::target::window_id, 44040199, 1280, 720, false, 50000},
        {{"-geometry", "800x600", "-delay", "20000"}, hack_options::target::own_window, 0, 800, 600, false, 20000},
        {{"-root", "-window"}, hack_options::target::own_window, 0, 1280, 720, false, 50000},
        {{"-delay", "0"}, hack_options::target::own_window, 0, 1280, 720, false, 0},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_hack_options(c.args);
        ASSERT_EQ(parsed.error, "") << ::testing::PrintToString(c.args);
        EXPECT_EQ(parsed.options.where, c.where);
        EXPECT_EQ(parsed.options.window_id, c.id);
        EXPECT_EQ(parsed.options.width, c.width);
        EXPECT_EQ(parsed.options.height, c.height);
        EXPECT_EQ(parsed.options.fps, c.fps);
        EXPECT_EQ(parsed.options.delay_us, c.delay);
    }
    const auto placed = parse_hack_options({"-geometry", "640x480+10-20"});
    ASSERT_EQ(placed.error, "");
    EXPECT_EQ(placed.options.x.value_or(-1), 10);
    EXPECT_EQ(placed.options.y.value_or(-1), -20);
}

TEST(HackOptions, BadCommandLinesNameTheCulprit)
{
    struct {
        std::vector<std::string> args;
        const char* named;
    } cases[] = {
        {{"-bogus"}, "-bogus"},
        {{"root"}, "root"},
        {{"-window-id"}, "-window-id"},
        {{"-window-id", "xyz"}, "xyz"},
        {{"-window-id", "0"}, "'0'"},
        {{"-window-id", "0x1ffffffff"}, "0x1ffffffff"},
        {{"-window-id", "-5"}, "-5"},
        {{"-geometry", "800"}, "800"},
        {{"-geometry", "0x600"}, "0x600"},
        {{"-geometry", "800x600+5"}, "800x600+5"},
        {{"-delay", "fast"}, "fast"},
        {{"-delay", "-1"}, "-1"},
        {{"-delay", "99999999999"}, "99999999999"},
        {{"-delay"}, "-delay"},
        {{"-display"}, "-display"},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_hack_options(c.args);
        EXPECT_NE(parsed.error.find(c.named), std::string::npos)
            << ::testing::PrintToString(c.args) << " -> " << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

TEST(HackOptions, WindowIdsAsXScreenSaverWritesThem)
{
    unsigned long id = 0;
    EXPECT_TRUE(vorpane::parse_window_id("0x400007", id));
    EXPECT_EQ(id, 0x400007u);
    EXPECT_TRUE(vorpane::parse_window_id("4194311", id));
    EXPECT_EQ(id, 4194311u);
    for (const char* bad : {"", " 12", "0x", "12z", "0", "-12"}) {
        EXPECT_FALSE(vorpane::parse_window_id(bad, id)) << bad;
    }
}

} // namespace
