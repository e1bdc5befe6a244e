// Natural cubic spline through equally spaced values (knots at 0, 1, ..., N-1).
//
// Every formula runs with `long double` intermediates and rounds to `double`
// only where a value is stored. The callers truncate the result toward zero,
// and only this keeps the knot values exact: in plain double about one knot
// in five comes back a hair toward zero.
#pragma once

#include "DoubleArray.h"

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG >= 64,
              "MORLIX needs an extended long double (64-bit significand); "
              "this compiler's long double would silently change the results");

namespace spline_detail {

// The build and the evaluation, templated on the intermediate type so that a
// test can run the very same steps in plain double and see the difference.
// y has n slots, z and w n + 1; n >= 3.
template <typename Ext>
void Build(const double* values, std::int32_t n, double* y, double* z, double* w)
{
    for (std::int32_t k = 0; k < n; ++k) y[k] = values[k];
    z[0] = 0.0;
    z[n - 1] = 0.0;
    for (std::int32_t i = 0; i <= n - 2; ++i)
        w[i + 1] = static_cast<double>(static_cast<Ext>(y[i + 1]) - static_cast<Ext>(y[i]));
    z[1] = static_cast<double>(static_cast<Ext>(w[2]) - static_cast<Ext>(w[1]) -
                               static_cast<Ext>(z[0]));
    w[1] = 4.0;
    // The diagonal settles on 2 + sqrt(3) within a few dozen steps; from then
    // on t is the same value, so it is divided out only when w[i] changes.
    double lastW = 0.0, t = 0.0;
    for (std::int32_t i = 1; i <= n - 3; ++i) {
        if (w[i] != lastW) {
            lastW = w[i];
            t = static_cast<double>(Ext(1) / static_cast<Ext>(w[i]));
        }
        z[i + 1] = static_cast<double>(static_cast<Ext>(w[i + 2]) - static_cast<Ext>(w[i + 1]) -
                                       static_cast<Ext>(z[i]) * static_cast<Ext>(t));
        w[i + 1] = static_cast<double>(Ext(4) - static_cast<Ext>(t));
    }
    z[n - 2] = static_cast<double>(static_cast<Ext>(z[n - 2]) - static_cast<Ext>(z[n - 1]));
    for (std::int32_t i = n - 2; i >= 1; --i)
        z[i] = static_cast<double>((static_cast<Ext>(z[i]) - static_cast<Ext>(z[i + 1])) /
                                   static_cast<Ext>(w[i]));
}

// The interval used for x: the smallest knot k >= x, less one (ties move hi).
inline std::int32_t FindInterval(double x, std::int32_t n)
{
    std::int32_t lo = 0;
    std::int32_t hi = n - 1;
    while (lo < hi) {
        const std::int32_t k = lo + (hi - lo) / 2;  // (lo + hi) / 2 without overflow
        if (static_cast<double>(k) < x)
            lo = k + 1;
        else
            hi = k;
    }
    if (lo > 0) --lo;
    return lo;
}

template <typename Ext>
double Evaluate(const double* y, const double* z, std::int32_t n, double x)
{
    const std::int32_t i = FindInterval(x, n);
    const double d = static_cast<double>(static_cast<Ext>(x) - static_cast<Ext>(i));
    const Ext D = d;
    const Ext yi = y[i], yi1 = y[i + 1], zi = z[i], zi1 = z[i + 1];
    const Ext r = yi + D * ((yi1 - yi) - (Ext(2) * zi + zi1) + D * (Ext(3) * zi + D * (zi1 - zi)));
    return static_cast<double>(r);
}

}  // namespace spline_detail

// Owns three arrays that only grow, so rebuilding a curve of the same or a
// smaller size allocates nothing.
class TSpline {
public:
    TSpline() = default;
    TSpline(const TSpline&) = delete;
    TSpline& operator=(const TSpline&) = delete;

    // Lays a new curve through values[0 .. highIndex]; the values are copied.
    // Throws std::invalid_argument for fewer than three points (highIndex < 2)
    // and std::bad_alloc when the arrays cannot grow (the old curve stays).
    void SetPoints(const double* values, std::int32_t highIndex);

    // The curve at x in knot units; outside 0 .. N-1 the outermost cubic goes
    // on. Throws std::logic_error before the first SetPoints.
    double Interpolate(double x) const;

    std::int32_t Count() const { return FCount; }
    std::int32_t Capacity() const { return FCapacity; }
    const double* SecondDerivs() const { return FSecondDeriv.get(); }  // z[k]: one sixth of S''

private:
    TDoubleArray FWork;
    TDoubleArray FValues;
    TDoubleArray FSecondDeriv;
    std::int32_t FCapacity = 0;
    std::int32_t FCount = 0;
};
