#include "hsv_to_rgb.h"

#include <cmath>
#include <cstdint>

namespace vorpane {

namespace {

// Truncation toward zero, keeping the low 8 bits. Values no integer can hold give 0 rather than
// undefined behaviour.
std::uint8_t low_byte(double x)
{
    if (!(std::fabs(x) < 4.0e18)) {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(x)) & 0xFFu);
}

} // namespace

void hsv_to_rgb(double h, double s, double v, colour& out)
{
    if (h == 1.0) {
        h = 0.0;
    }
    const double value = v * 255.0;
    const std::uint8_t grey = low_byte(value);
    out.r = out.g = out.b = grey;
    if (s == 0.0) {
        return;
    }
    const double hue = h * 360.0 / 60.0;
    if (!(std::fabs(hue) < 16.0)) {
        return; // far outside every sector, NaN included
    }
    const int sector = static_cast<int>(hue);
    const double f = hue - sector;
    const std::uint8_t p = low_byte((1.0 - s) * value);
    const std::uint8_t q = low_byte((1.0 - f * s) * value);
    const std::uint8_t r = low_byte((1.0 - s * (1.0 - f)) * value);
    const std::uint8_t vb = grey;
    switch (sector) {
    case 0: out.r = vb; out.g = r; out.b = p; break;
    case 1: out.r = q; out.g = vb; out.b = p; break;
    case 2: out.r = p; out.g = vb; out.b = r; break;
    case 3: out.r = p; out.g = q; out.b = vb; break;
    case 4: out.r = r; out.g = p; out.b = vb; break;
    case 5: out.r = vb; out.g = p; out.b = q; break;
    default: break; // outside the hue circle: the grey stays
    }
}

} // namespace vorpane
