#include "orbit_point.h"

namespace vorpane {

namespace {

// The square is rounded to float before c is added; compute_next rounds only the sum.
complex_f square_plus_c_rounded_twice(complex_f p, complex_f c)
{
    const double pr = p.re;
    const double pi = p.im;
    const float sq_re = static_cast<float>(pr * pr - pi * pi);
    const float sq_im = static_cast<float>(2.0 * pr * pi);
    return {sq_re + c.re, sq_im + c.im};
}

} // namespace

void orbit_point::begin_at(complex_f start)
{
    c = start;
    z = start;
    origin = start;
    position = start;
    next = start;
    exponent = exponent_at(start);
    next_exponent = {0.0f, 0.0f};
    count = 0;
}

complex_f orbit_point::exponent_at(complex_f p) const
{
    const complex_f w = square_plus_c_rounded_twice(p, c);
    const complex_d q = complex_div_d(complex_log_d(w), complex_log_d(p));
    return {static_cast<float>(q.re - 1.0), static_cast<float>(q.im)};
}

void orbit_point::compute_next()
{
    const double zr = z.re;
    const double zi = z.im;
    next = {static_cast<float>(zr * zr - zi * zi + c.re), static_cast<float>(zr * zi + zi * zr + c.im)};
    next_exponent = exponent_at(next);
}

void orbit_point::advance()
{
    if (next == z) {
        compute_next();
    }
    z = next;
    position = next;
    exponent = next_exponent;
    ++count;
}

void orbit_point::interpolate(float t)
{
    const complex_f w = {static_cast<float>(1.0 + static_cast<double>(t) * exponent.re),
                         static_cast<float>(static_cast<double>(t) * exponent.im)};
    position = complex_pow(z, w);
}

} // namespace vorpane
