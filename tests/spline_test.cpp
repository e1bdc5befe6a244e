#include "dsp/SplineU.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

// z[1] and a value of the three-point curve, from the closed forms.
TEST(Spline, ThreePointsMatchTheClosedForm)
{
    struct Case { double y0, y1, y2; };
    for (const Case c : {Case{0, 1, 0}, Case{3, -2, 7}, Case{-32768, 32512, 256}}) {
        TSpline s;
        const double y[] = {c.y0, c.y1, c.y2};
        s.SetPoints(y, 2);
        const double z1 = (c.y0 - 2 * c.y1 + c.y2) / 4;
        EXPECT_EQ(s.SecondDerivs()[0], 0.0);
        EXPECT_EQ(s.SecondDerivs()[2], 0.0);
        EXPECT_DOUBLE_EQ(s.SecondDerivs()[1], z1);
        EXPECT_DOUBLE_EQ(s.Interpolate(0.5), (c.y0 + c.y1) / 2 - 3 * z1 / 8);
    }
    TSpline s;
    const double y[] = {0, 1, 0};
    s.SetPoints(y, 2);
    EXPECT_EQ(s.SecondDerivs()[1], -0.5);
    EXPECT_EQ(s.Interpolate(0.5), 0.6875);
}

TEST(Spline, StraightLinesAndConstantsAreReproducedEverywhere)
{
    struct Case { double a, b; int n; };
    for (const Case c : {Case{5, 0, 3}, Case{-7.5, 0, 256}, Case{1, 2, 10}, Case{-100, 3.5, 256}}) {
        std::vector<double> y(c.n);
        for (int k = 0; k < c.n; ++k) y[k] = c.a + c.b * k;
        TSpline s;
        s.SetPoints(y.data(), c.n - 1);
        for (int k = 0; k < c.n; ++k) EXPECT_EQ(s.SecondDerivs()[k], 0.0);
        for (double x : {-3.0, -0.5, 0.0, 0.25, 1.0, 1.5, c.n - 1.0, c.n - 0.25, c.n + 4.0})
            EXPECT_DOUBLE_EQ(s.Interpolate(x), c.a + c.b * x) << "x = " << x;
    }
}

TEST(Spline, IntervalSearchFollowsTheTieRule)
{
    struct Case { double x; int interval; double d; };
    const Case cases[] = {{-0.5, 0, -0.5}, {0, 0, 0},      {0.25, 0, 0.25}, {1, 0, 1},
                          {1.5, 1, 0.5},   {100, 99, 1},   {254.5, 254, 0.5}, {255, 254, 1},
                          {255.75, 254, 1.75}, {300, 254, 46}};
    for (const Case c : cases) {
        EXPECT_EQ(spline_detail::FindInterval(c.x, 256), c.interval) << "x = " << c.x;
        EXPECT_EQ(c.x - spline_detail::FindInterval(c.x, 256), c.d);
    }
}

std::vector<std::vector<double>> PreviewKnotSets()
{
    std::vector<std::vector<double>> sets;
    std::mt19937 rng(20261211);
    std::uniform_int_distribution<int> sample(-128, 127);
    for (int n = 0; n < 400; ++n) {
        std::vector<double> y(256);
        for (double& v : y) v = sample(rng) * 256.0;
        sets.push_back(y);
    }
    for (double small : {256.0, -256.0}) {
        std::vector<double> y(256);
        for (int k = 0; k < 256; ++k) y[k] = k % 2 ? small : (k % 4 ? 32512.0 : -32768.0);
        sets.push_back(y);
    }
    return sets;
}

// How many knots of the preview's inputs do not come back exactly.
template <typename Ext>
int InexactKnots()
{
    int misses = 0;
    std::vector<double> z(257), w(257), y(256);
    for (const auto& knots : PreviewKnotSets()) {
        spline_detail::Build<Ext>(knots.data(), 256, y.data(), z.data(), w.data());
        for (int k = 0; k < 256; ++k)
            if (std::trunc(spline_detail::Evaluate<Ext>(y.data(), z.data(), 256, k)) != knots[k])
                ++misses;
    }
    return misses;
}

TEST(Spline, PreviewKnotsComeBackExactly)
{
    TSpline s;
    for (const auto& knots : PreviewKnotSets()) {
        s.SetPoints(knots.data(), 255);
        for (int k = 0; k < 256; ++k) ASSERT_EQ(s.Interpolate(k), knots[k]) << "knot " << k;
    }
    EXPECT_EQ(InexactKnots<long double>(), 0);
}

// The same steps in plain double lose knots: the test above can tell.
TEST(Spline, PlainDoubleArithmeticWouldLoseKnots)
{
    const int knots = static_cast<int>(PreviewKnotSets().size()) * 256;
    const int misses = InexactKnots<double>();
    EXPECT_GT(misses, knots / 20) << misses << " of " << knots;
    RecordProperty("inexact_in_double", std::to_string(misses) + " of " + std::to_string(knots));
}

// Finite differences of the evaluated curve on both sides of each knot.
TEST(Spline, DerivativesAreContinuousAndEndsAreNatural)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    std::vector<double> y(20);
    for (double& v : y) v = value(rng);
    TSpline s;
    s.SetPoints(y.data(), 19);
    const double* z = s.SecondDerivs();
    auto S = [&](int k, double d) {  // the cubic of interval k, at k + d
        return y[k] + d * ((y[k + 1] - y[k]) - (2 * z[k] + z[k + 1]) + d * (3 * z[k] + d * (z[k + 1] - z[k])));
    };
    auto d1 = [&](int k, double d) { const double h = 1e-5; return (S(k, d + h) - S(k, d - h)) / (2 * h); };
    auto d2 = [&](int k, double d) { const double h = 1e-3; return (S(k, d + h) - 2 * S(k, d) + S(k, d - h)) / (h * h); };
    for (int k = 1; k <= 18; ++k) {
        EXPECT_NEAR(d1(k - 1, 1), d1(k, 0), 1e-3) << "knot " << k;
        EXPECT_NEAR(d2(k - 1, 1), d2(k, 0), 1e-2) << "knot " << k;
        EXPECT_NEAR(d2(k, 0), 6 * z[k], 1e-2);
        EXPECT_NEAR(z[k - 1] + 4 * z[k] + z[k + 1], y[k - 1] - 2 * y[k] + y[k + 1], 1e-9);
    }
    EXPECT_NEAR(d2(0, 0), 0, 1e-2);
    EXPECT_NEAR(d2(18, 1), 0, 1e-2);
    for (int k = 0; k < 20; ++k) EXPECT_DOUBLE_EQ(s.Interpolate(k), y[k]);
}

TEST(Spline, SmallerRebuildReusesStorageAndMatchesAFreshObject)
{
    const double ten[] = {1, -4, 9, 16, -25, 36, 49, -64, 81, 100};
    const double five[] = {3, 1, -4, 1, 5};
    TSpline reused;
    reused.SetPoints(ten, 9);
    const double* storage = reused.SecondDerivs();
    reused.SetPoints(five, 4);
    EXPECT_EQ(reused.SecondDerivs(), storage);
    EXPECT_EQ(reused.Capacity(), 10);
    EXPECT_EQ(reused.Count(), 5);
    TSpline fresh;
    fresh.SetPoints(five, 4);
    for (double x = -2; x <= 7; x += 0.125) EXPECT_EQ(reused.Interpolate(x), fresh.Interpolate(x));
}

TEST(Spline, RefusesTooFewPointsAndEvaluationBeforeABuild)
{
    TSpline s;
    EXPECT_THROW(s.Interpolate(0), std::logic_error);
    const double y[] = {1, 2, 3};
    EXPECT_THROW(s.SetPoints(y, 1), std::invalid_argument);
    EXPECT_THROW(s.SetPoints(y, 0), std::invalid_argument);
    EXPECT_THROW(s.SetPoints(y, -1), std::invalid_argument);
    EXPECT_THROW(s.Interpolate(0), std::logic_error);
    s.SetPoints(y, 2);
    EXPECT_THROW(s.SetPoints(y, 1), std::invalid_argument);
    EXPECT_EQ(s.Interpolate(2), 3);  // the refused build left the curve alone
}

}  // namespace
