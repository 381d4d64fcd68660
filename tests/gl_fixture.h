// A current offscreen GL context with a pixel-for-pixel projection, for tests that read back pixels.
// Main thread of the test only.
#pragma once

#include "colour.h"
#include "osmesa_context.h"

#include <gtest/gtest.h>

#include <memory>

namespace vorpane::testing {

class gl_test : public ::testing::Test {
protected:
    // Makes a width x height context with (0, 0) at the bottom left and one scene unit per pixel,
    // blending on as the saver's frame sets it, cleared to clear_colour.
    void open(int width, int height);
    void clear();
    // Reads the framebuffer once; pixel() then looks into that copy.
    void capture();
    // The captured pixel at x, y counted from the bottom left, as GL reads it.
    colour pixel(int x, int y) const;

    // One context for the whole test program, as the saver has one for its life: the disc's display
    // list, made once per process, must stay valid from test to test. It is never destroyed:
    // Mesa tears its own state down at exit first.
    static osmesa_context* context;
    colour clear_colour{0, 0, 255, 255};

private:
    std::vector<std::uint8_t> pixels_;
};

} // namespace vorpane::testing
