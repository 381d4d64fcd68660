// Single-precision complex values and the few complex functions the orbit needs.
// Values are stored as floats; the real functions underneath run in double and are rounded once.
// Pure functions: safe on any thread.
#pragma once

#include <cmath>
#include <limits>

namespace vorpane {

struct complex_f {
    float re;
    float im;
};

inline bool operator==(complex_f a, complex_f b) { return a.re == b.re && a.im == b.im; }
inline bool operator!=(complex_f a, complex_f b) { return !(a == b); }

struct complex_d {
    double re;
    double im;
};

// Principal logarithm in double: (ln|p|, atan2(im, re)); log 0 = (-inf, angle).
inline complex_d complex_log_d(complex_f p)
{
    const double re = p.re;
    const double im = p.im;
    const double angle = std::atan2(im, re);
    if (std::isnan(angle)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    // Squares of floats cannot overflow or underflow in double, so no scaling is needed.
    return {0.5 * std::log(re * re + im * im), angle};
}

inline complex_f complex_log(complex_f p)
{
    const complex_d l = complex_log_d(p);
    return {static_cast<float>(l.re), static_cast<float>(l.im)};
}

inline complex_f complex_exp(complex_f w)
{
    const double m = std::exp(static_cast<double>(w.re));
    return {static_cast<float>(m * std::cos(static_cast<double>(w.im))),
            static_cast<float>(m * std::sin(static_cast<double>(w.im)))};
}

// Principal power exp(w * log z).
inline complex_f complex_pow(complex_f z, complex_f w)
{
    const complex_d l = complex_log_d(z);
    const double re = w.re * l.re - w.im * l.im;
    const double im = w.re * l.im + w.im * l.re;
    const double m = std::exp(re);
    return {static_cast<float>(m * std::cos(im)), static_cast<float>(m * std::sin(im))};
}

// Division in double. A zero divisor, or one with a NaN part, gives NaN in both parts;
// std::complex division gives infinities or a mix of NaN and infinity there instead.
inline complex_d complex_div_d(complex_d a, complex_d b)
{
    if ((b.re == 0.0 && b.im == 0.0) || std::isnan(b.re) || std::isnan(b.im)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    const double d = b.re * b.re + b.im * b.im;
    return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}

inline complex_f complex_div(complex_f a, complex_f b)
{
    const complex_d q = complex_div_d({a.re, a.im}, {b.re, b.im});
    return {static_cast<float>(q.re), static_cast<float>(q.im)};
}

// |p| without overflow or underflow in the squares (they are taken in double).
inline float complex_abs(complex_f p)
{
    const double re = p.re;
    const double im = p.im;
    return static_cast<float>(std::sqrt(re * re + im * im));
}

} // namespace vorpane
