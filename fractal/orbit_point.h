// One point c under z -> z*z + c, followable continuously between iterates along a logarithmic spiral.
// A plain 60-byte value; it owns nothing and has no lock: the owner decides which thread touches it.
#pragma once

#include "complex_math.h"

#include <cstdint>

namespace vorpane {

// A point with |z| below this keeps iterating.
constexpr float escape_radius = 5.0f;

struct orbit_point {
    complex_f z;             // current iterate
    complex_f origin;        // where the orbit began
    complex_f c;             // parameter of the iteration
    complex_f position;      // continuous position between z and next
    complex_f exponent;      // step exponent carrying z to z*z + c
    complex_f next;          // z*z + c once computed; equal to z while not computed
    complex_f next_exponent; // step exponent of the step that starts at next
    std::int32_t count;      // advances since begin_at

    void begin_at(complex_f start);
    complex_f exponent_at(complex_f p) const;
    void compute_next();
    void advance();
    void interpolate(float t);
    float magnitude() const { return complex_abs(z); }
    bool bounded() const { return magnitude() < escape_radius; }
    bool next_ready() const { return next != z; }
};

static_assert(sizeof(orbit_point) == 60, "grid memory depends on a packed 60-byte record");

} // namespace vorpane
