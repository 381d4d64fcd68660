#include "complex_math.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <limits>

using vorpane::complex_f;

namespace {

constexpr float nan_f = std::numeric_limits<float>::quiet_NaN();
constexpr float inf_f = std::numeric_limits<float>::infinity();
constexpr float pi_f = 3.14159265358979f;

TEST(ComplexDivision, ZeroOrNanDivisorGivesNanInBothParts)
{
    const complex_f divisors[] = {{0.0f, 0.0f}, {-0.0f, 0.0f}, {nan_f, 1.0f}, {1.0f, nan_f}, {nan_f, nan_f}};
    for (const complex_f d : divisors) {
        const complex_f q = vorpane::complex_div({1.0f, 2.0f}, d);
        EXPECT_TRUE(std::isnan(q.re) && std::isnan(q.im)) << d.re << "," << d.im;
    }
    // The standard library answers a zero divisor with infinities; this is why the helper exists.
    const std::complex<float> std_q = std::complex<float>(1.0f, 2.0f) / std::complex<float>(0.0f, 0.0f);
    EXPECT_FALSE(std::isnan(std_q.real()) && std::isnan(std_q.imag()));
}

TEST(ComplexDivision, OrdinaryQuotients)
{
    struct {
        complex_f a, b, expected;
    } cases[] = {
        {{1, 2}, {3, 4}, {0.44f, 0.08f}},
        {{-1, 0}, {0, 1}, {0, 1}},
        {{5, 0}, {2, 0}, {2.5f, 0}},
        {{0, 0}, {1, 1}, {0, 0}},
        {{FLT_MAX, FLT_MAX}, {FLT_MAX, FLT_MAX}, {1, 0}}, // no overflow in the denominator
    };
    for (const auto& c : cases) {
        const complex_f q = vorpane::complex_div(c.a, c.b);
        EXPECT_NEAR(q.re, c.expected.re, 1e-6f);
        EXPECT_NEAR(q.im, c.expected.im, 1e-6f);
    }
}

TEST(ComplexLog, PrincipalBranch)
{
    struct {
        complex_f p, expected;
    } cases[] = {
        {{1, 0}, {0, 0}},
        {{-1, 0}, {0, pi_f}},
        {{-1, -0.0f}, {0, -pi_f}},
        {{0, 2}, {std::log(2.0f), pi_f / 2}},
        {{0, -1}, {0, -pi_f / 2}},
        {{3, 4}, {std::log(5.0f), std::atan2(4.0f, 3.0f)}},
    };
    for (const auto& c : cases) {
        const complex_f l = vorpane::complex_log(c.p);
        EXPECT_NEAR(l.re, c.expected.re, 1e-6f) << c.p.re << "," << c.p.im;
        EXPECT_NEAR(l.im, c.expected.im, 1e-6f) << c.p.re << "," << c.p.im;
    }
}

TEST(ComplexLog, ZeroAndNan)
{
    const complex_f zero = vorpane::complex_log({0, 0});
    EXPECT_EQ(zero.re, -inf_f);
    EXPECT_EQ(zero.im, 0.0f);
    const complex_f nan_angle = vorpane::complex_log({nan_f, 1});
    EXPECT_TRUE(std::isnan(nan_angle.re) && std::isnan(nan_angle.im));
}

TEST(ComplexExpAndPow, AgreeWithTheirDefinitions)
{
    const complex_f e = vorpane::complex_exp({1, pi_f / 2});
    EXPECT_NEAR(e.re, 0.0f, 1e-6f);
    EXPECT_NEAR(e.im, std::exp(1.0f), 1e-6f);

    // i^i = exp(-pi/2), a real number.
    const complex_f ii = vorpane::complex_pow({0, 1}, {0, 1});
    EXPECT_NEAR(ii.re, std::exp(-pi_f / 2), 1e-6f);
    EXPECT_NEAR(ii.im, 0.0f, 1e-6f);

    // A real exponent on a negative base takes the principal branch: (-4)^0.5 = 2i.
    const complex_f root = vorpane::complex_pow({-4, 0}, {0.5f, 0});
    EXPECT_NEAR(root.re, 0.0f, 1e-6f);
    EXPECT_NEAR(root.im, 2.0f, 1e-6f);

    const complex_f square = vorpane::complex_pow({1, 2}, {2, 0});
    EXPECT_NEAR(square.re, -3.0f, 1e-5f);
    EXPECT_NEAR(square.im, 4.0f, 1e-5f);
}

TEST(ComplexAbs, NeitherOverflowsNorUnderflows)
{
    EXPECT_EQ(vorpane::complex_abs({3, 4}), 5.0f);
    EXPECT_NEAR(vorpane::complex_abs({FLT_MAX / 2, FLT_MAX / 2}), FLT_MAX / std::sqrt(2.0f), FLT_MAX * 1e-6f);
    const float tiny = FLT_TRUE_MIN * 4;
    EXPECT_EQ(vorpane::complex_abs({tiny * 3, tiny * 4}), tiny * 5);
    EXPECT_TRUE(std::isnan(vorpane::complex_abs({nan_f, 0})));
}

} // namespace
