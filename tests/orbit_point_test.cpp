#include "orbit_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using vorpane::complex_f;
using vorpane::orbit_point;

namespace {

bool finite(complex_f p) { return std::isfinite(p.re) && std::isfinite(p.im); }

TEST(OrbitPoint, BeginAtSetsEveryField)
{
    orbit_point o{};
    o.count = 17;
    o.next_exponent = {3, 3};
    const complex_f c{-0.4f, 0.3f};
    o.begin_at(c);
    for (const complex_f f : {o.z, o.origin, o.c, o.position, o.next}) {
        EXPECT_EQ(f, c);
    }
    EXPECT_EQ(o.next_exponent, (complex_f{0, 0}));
    EXPECT_EQ(o.count, 0);
    EXPECT_EQ(o.exponent, o.exponent_at(c));
    EXPECT_FALSE(o.next_ready());

    o.interpolate(0.0f);
    EXPECT_NEAR(o.position.re, c.re, 1e-6f);
    EXPECT_NEAR(o.position.im, c.im, 1e-6f);
}

TEST(OrbitPoint, StepExponentCarriesTheIterateToItsSuccessor)
{
    const complex_f cs[] = {{-0.4f, 0.3f}, {0.25f, 0.5f}, {-1.7f, 0.01f}, {-0.1f, 0.65f}};
    for (const complex_f c : cs) {
        orbit_point o{};
        o.begin_at(c);
        for (int step = 0; step < 5; ++step) {
            o.compute_next();
            // pow(z, 1 + e) = z*z + c, and the spiral ends where the next iterate begins.
            o.interpolate(0.999999f);
            EXPECT_NEAR(o.position.re, o.next.re, 2e-4f) << c.re << "," << c.im << " step " << step;
            EXPECT_NEAR(o.position.im, o.next.im, 2e-4f) << c.re << "," << c.im << " step " << step;
            const std::complex<double> z(o.z.re, o.z.im);
            const std::complex<double> e(o.exponent.re, o.exponent.im);
            const std::complex<double> lands = std::pow(z, 1.0 + e);
            EXPECT_NEAR(lands.real(), o.next.re, 1e-4);
            EXPECT_NEAR(lands.imag(), o.next.im, 1e-4);
            o.advance();
        }
    }
}

TEST(OrbitPoint, MinusOneCyclesThroughZeroWithNonFiniteExponent)
{
    orbit_point o{};
    o.begin_at({-1, 0});
    EXPECT_EQ(o.z, (complex_f{-1, 0}));
    EXPECT_EQ(o.next, (complex_f{-1, 0}));
    EXPECT_FALSE(finite(o.exponent)); // log(0) / log(-1)

    o.advance();
    EXPECT_EQ(o.z, (complex_f{0, 0}));
    EXPECT_EQ(o.count, 1);
    o.advance();
    EXPECT_EQ(o.z, (complex_f{-1, 0}));
    EXPECT_EQ(o.count, 2);

    // A non-finite exponent spoils only the interpolated position.
    o.interpolate(0.5f);
    EXPECT_FALSE(finite(o.position));
    EXPECT_EQ(o.z, (complex_f{-1, 0}));
    EXPECT_EQ(o.count, 2);
}

TEST(OrbitPoint, ComputeNextIsRepeatableAndSavesTheAdvanceItsWork)
{
    orbit_point o{};
    o.begin_at({0.3f, -0.5f});
    o.compute_next();
    const orbit_point once = o;
    o.compute_next();
    EXPECT_EQ(o.next, once.next);
    EXPECT_EQ(o.next_exponent, once.next_exponent);
    EXPECT_EQ(o.z, once.z);
    EXPECT_EQ(o.position, once.position);
    EXPECT_EQ(o.count, 0);

    // Poison the prepared value: an advance that recomputed would not carry it over.
    o.next_exponent = {42, 42};
    o.advance();
    EXPECT_EQ(o.exponent, (complex_f{42, 42}));
    EXPECT_EQ(o.z, once.next);
    EXPECT_EQ(o.position, once.next);
    EXPECT_FALSE(o.next_ready());
}

TEST(OrbitPoint, AdvanceComputesWhenNothingWasPrepared)
{
    orbit_point lazy{};
    orbit_point eager{};
    lazy.begin_at({0.3f, -0.5f});
    eager.begin_at({0.3f, -0.5f});
    for (int i = 0; i < 2; ++i) {
        lazy.advance();
        eager.compute_next();
        eager.advance();
    }
    EXPECT_EQ(lazy.count, 2);
    EXPECT_EQ(lazy.z, eager.z);
    EXPECT_EQ(lazy.exponent, eager.exponent);
    EXPECT_EQ(lazy.origin, (complex_f{0.3f, -0.5f}));
    EXPECT_EQ(lazy.c, (complex_f{0.3f, -0.5f}));
}

TEST(OrbitPoint, BoundedIsStrictlyInsideTheEscapeRadius)
{
    struct {
        complex_f z;
        bool bounded;
    } cases[] = {
        {{5, 0}, false},
        {{0, -5}, false},
        {{3, 4}, false},
        {{std::nextafter(5.0f, 0.0f), 0}, true},
        {{0, 0}, true},
        {{NAN, 0}, false},
        {{INFINITY, 0}, false},
    };
    for (const auto& c : cases) {
        orbit_point o{};
        o.begin_at({0, 0});
        o.z = c.z;
        o.position = {0, 0}; // bounded looks at z, never at position
        EXPECT_EQ(o.bounded(), c.bounded) << c.z.re << "," << c.z.im;
    }
}

} // namespace
