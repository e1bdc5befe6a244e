#include "SplineU.h"

#include <stdexcept>

void TSpline::SetPoints(const double* values, std::int32_t highIndex)
{
    if (highIndex < 2)
        throw std::invalid_argument("TSpline::SetPoints needs at least three points");
    const std::int32_t n = highIndex + 1;
    if (n > FCapacity) {
        // Grow all three before touching any, so a failed allocation leaves
        // the object as it was and the next build grows them again. The
        // build writes every slot it reads, so they need no zeroing.
        const std::size_t slots = static_cast<std::size_t>(n);
        TDoubleArray values_ = AllocateDoubles(slots);
        TDoubleArray second = AllocateDoubles(slots + 1);
        TDoubleArray work = AllocateDoubles(slots + 1);
        FValues = std::move(values_);
        FSecondDeriv = std::move(second);
        FWork = std::move(work);
        FCapacity = n;
    }
    FCount = n;
    spline_detail::Build<long double>(values, n, FValues.get(), FSecondDeriv.get(), FWork.get());
}

double TSpline::Interpolate(double x) const
{
    if (FCount < 3) throw std::logic_error("TSpline::Interpolate called before SetPoints");
    return spline_detail::Evaluate<long double>(FValues.get(), FSecondDeriv.get(), FCount, x);
}
