#include "fftU.h"

#include <cmath>

namespace {
using Ext = long double;

inline double Round(Ext v) { return static_cast<double>(v); }
}  // namespace

TFFT::TFFT()
{
    MakeSinTable();
    MakeBitRev();
}

// One sine, two square roots, then a recurrence and mirrored copies.
void TFFT::MakeSinTable()
{
    double* T = FSinTable;
    const Ext pi = 3.141592653589793238462643383279502884L;
    double t = Round(std::sin(pi / N));
    double dc = Round(Ext(2) * t * t);
    double ds = Round(std::sqrt(Ext(dc) * (Ext(2) - dc)));
    t = Round(Ext(2) * dc);
    double c = 1.0;
    T[N / 4] = 1.0;
    double s = 0.0;
    T[0] = 0.0;
    for (std::int32_t i = 1; i <= N / 8 - 1; ++i) {
        c = Round(Ext(c) - dc);
        dc = Round(Ext(dc) + Ext(t) * c);
        s = Round(Ext(s) + ds);
        ds = Round(Ext(ds) - Ext(t) * s);
        T[i] = s;
        T[N / 4 - i] = c;
    }
    T[N / 8] = Round(std::sqrt(0.5L));
    for (std::int32_t i = 0; i <= N / 4 - 1; ++i) T[N / 2 - i] = T[i];
    for (std::int32_t i = 0; i <= N / 2 + N / 4 - 1; ++i) T[N / 2 + i] = -T[i];
}

void TFFT::MakeBitRev()
{
    std::int32_t i = 0, j = 0;
    for (;;) {
        FBitRev[i] = j;
        ++i;
        if (i >= N) break;
        std::int32_t k = N / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

void TFFT::Transform(bool inverse)
{
    for (std::int32_t i = 0; i < N; ++i) {
        const std::int32_t j = FBitRev[i];
        if (i < j) {
            const double tr = Re[i]; Re[i] = Re[j]; Re[j] = tr;
            const double ti = Im[i]; Im[i] = Im[j]; Im[j] = ti;
        }
    }
    for (std::int32_t k = 1; k <= N / 2; k *= 2) {
        const std::int32_t k2 = 2 * k;
        const std::int32_t d = N / k2;
        std::int32_t h = 0;
        for (std::int32_t j = 0; j < k; ++j) {
            const double c = FSinTable[h + N / 4];
            const double s = inverse ? -FSinTable[h] : FSinTable[h];
            for (std::int32_t i = j; i < N; i += k2) {
                const std::int32_t ik = i + k;
                const double dx = Round(Ext(s) * Im[ik] + Ext(c) * Re[ik]);
                const double dy = Round(Ext(c) * Im[ik] - Ext(s) * Re[ik]);
                Re[ik] = Round(Ext(Re[i]) - dx);
                Re[i] = Round(Ext(Re[i]) + dx);
                Im[ik] = Round(Ext(Im[i]) - dy);
                Im[i] = Round(Ext(Im[i]) + dy);
            }
            h += d;
        }
    }
    if (!inverse) {
        const double f = Round(Ext(1) / N);
        for (std::int32_t i = 0; i < N; ++i) {
            Re[i] = Round(Ext(Re[i]) * f);
            Im[i] = Round(Ext(Im[i]) * f);
        }
    }
}

void TFFT::CalcPower()
{
    for (std::int32_t i = 0; i <= N / 2 - 1; ++i) {
        const Ext r = Re[N - i], m = Im[N - i];
        Power[i] = Round(Ext(2) * (r * r + m * m));
    }
}
