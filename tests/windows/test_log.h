// Test doubles of system components append what they were asked to a log file named by the
// environment variable VORPANE_TEST_LOG, one line per call, so a test can read the calls back.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace vorpane::testing {

inline int logged_lines()
{
    const char* path = std::getenv("VORPANE_TEST_LOG");
    std::FILE* f = path != nullptr ? std::fopen(path, "r") : nullptr;
    if (f == nullptr) {
        return 0;
    }
    int lines = 0;
    for (int ch; (ch = std::fgetc(f)) != EOF;) {
        lines += ch == '\n';
    }
    std::fclose(f);
    return lines;
}

template <typename... Args>
void log_line(const char* format, Args... args)
{
    const char* path = std::getenv("VORPANE_TEST_LOG");
    std::FILE* f = path != nullptr ? std::fopen(path, "a") : nullptr;
    if (f == nullptr) {
        return;
    }
    std::fprintf(f, format, args...);
    std::fputc('\n', f);
    std::fclose(f);
}

} // namespace vorpane::testing
