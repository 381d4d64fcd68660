#include "snapshot_options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string joined(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args) {
        line += (line.empty() ? "" : " ") + ("'" + arg + "'");
    }
    return line.empty() ? "(no arguments)" : line;
}

TEST(SnapshotOptions, GoodCommandLines)
{
    struct {
        std::vector<std::string> args;
        int width, height;
        std::int64_t steps;
        std::optional<std::uint32_t> seed;
        std::string out;
        bool help;
    } cases[] = {
        {{}, 1024, 768, 2880, std::nullopt, "vorpane.png", false},
        {{"--size", "160x120"}, 160, 120, 2880, std::nullopt, "vorpane.png", false},
        {{"--size=1X1"}, 1, 1, 2880, std::nullopt, "vorpane.png", false},
        {{"--size", "65535x65535"}, 65535, 65535, 2880, std::nullopt, "vorpane.png", false},
        {{"--steps", "0"}, 1024, 768, 0, std::nullopt, "vorpane.png", false},
        {{"--steps=2147483647"}, 1024, 768, 2147483647, std::nullopt, "vorpane.png", false},
        {{"--seed", "0"}, 1024, 768, 2880, 0u, "vorpane.png", false},
        {{"--seed=4294967295"}, 1024, 768, 2880, 4294967295u, "vorpane.png", false},
        {{"--out", "a.png"}, 1024, 768, 2880, std::nullopt, "a.png", false},
        // Only the first '=' splits: the rest belongs to the file name.
        {{"--out=dir/a=b.png"}, 1024, 768, 2880, std::nullopt, "dir/a=b.png", false},
        {{"--help"}, 1024, 768, 2880, std::nullopt, "vorpane.png", true},
        {{"-h"}, 1024, 768, 2880, std::nullopt, "vorpane.png", true},
        {{"--size", "32x16", "--steps=60", "--seed", "11", "--out=x.png"}, 32, 16, 60, 11u, "x.png", false},
        // A repeated option: the last one wins.
        {{"--seed", "1", "--seed", "2", "--size=8x8", "--size", "9x7"}, 9, 7, 2880, 2u, "vorpane.png", false},
    };
    for (const auto& c : cases) {
        const vorpane::snapshot_parse_result got = vorpane::parse_snapshot_options(c.args);
        SCOPED_TRACE(joined(c.args));
        EXPECT_EQ(got.error, "");
        EXPECT_EQ(got.options.width, c.width);
        EXPECT_EQ(got.options.height, c.height);
        EXPECT_EQ(got.options.steps, c.steps);
        EXPECT_EQ(got.options.seed, c.seed);
        EXPECT_EQ(got.options.out, c.out);
        EXPECT_EQ(got.options.help, c.help);
    }
}

TEST(SnapshotOptions, BadCommandLinesNameTheCulprit)
{
    struct {
        std::vector<std::string> args;
        std::string culprit; // what the error must mention so the user can find the mistake
    } cases[] = {
        {{"--colour", "red"}, "--colour"},
        {{"picture.png"}, "picture.png"},
        {{"-s", "10x10"}, "-s"},
        {{"--size"}, "--size"},
        {{"--steps"}, "--steps"},
        {{"--seed"}, "--seed"},
        {{"--out"}, "--out"},
        {{"--size", "0x5"}, "0x5"},
        {{"--size", "5x0"}, "5x0"},
        {{"--size", "12"}, "12"},
        {{"--size", "10x10x"}, "10x10x"},
        {{"--size", "x10"}, "x10"},
        {{"--size", "-10x10"}, "-10x10"},
        {{"--size", " 10x10"}, " 10x10"},
        {{"--size", "65536x10"}, "65536x10"},
        {{"--size="}, "--size"},
        {{"--steps", "-1"}, "-1"},
        {{"--steps", "2147483648"}, "2147483648"},
        {{"--steps", "99999999999"}, "99999999999"},
        // Long enough to overflow 64 bits if the digits were simply accumulated.
        {{"--steps", "184467440737095516160"}, "184467440737095516160"},
        {{"--steps", "1e3"}, "1e3"},
        {{"--seed", "4294967296"}, "4294967296"},
        {{"--seed", "abc"}, "abc"},
        {{"--seed", "+5"}, "+5"},
        {{"--out="}, "--out"},
        {{"--out", ""}, "--out"},
        {{"--help=x"}, "--help"},
        // A mistake after good options is still reported.
        {{"--size", "20x20", "--steps", "5", "--bogus"}, "--bogus"},
    };
    for (const auto& c : cases) {
        const vorpane::snapshot_parse_result got = vorpane::parse_snapshot_options(c.args);
        SCOPED_TRACE(joined(c.args));
        ASSERT_FALSE(got.error.empty());
        EXPECT_NE(got.error.find(c.culprit), std::string::npos) << "error: " << got.error;
        EXPECT_EQ(got.error.find('\n'), std::string::npos) << "the error is one line: " << got.error;
    }
}

} // namespace
