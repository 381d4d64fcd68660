// Command line of vorpane-snapshot: parsing and the usage text, with no side effects.
// Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorpane {

struct snapshot_options {
    int width = 1024;
    int height = 768;
    std::int64_t steps = 2880; // 96 passes of 30 steps: the finished image
    std::optional<std::uint32_t> seed;
    std::string out = "vorpane.png";
    bool help = false;
};

struct snapshot_parse_result {
    snapshot_options options;
    std::string error; // empty when the command line is good
};

snapshot_parse_result parse_snapshot_options(const std::vector<std::string>& args);
std::string snapshot_usage();

} // namespace vorpane
