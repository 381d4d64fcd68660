// A colour as OpenGL takes it with GL_RGBA and GL_UNSIGNED_BYTE.
#pragma once

#include <cstdint>

namespace vorpane {

struct colour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    std::uint8_t a;
};

inline bool operator==(colour x, colour y) { return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a; }
inline bool operator!=(colour x, colour y) { return !(x == y); }

static_assert(sizeof(colour) == 4, "colours are uploaded as packed RGBA bytes");

} // namespace vorpane
