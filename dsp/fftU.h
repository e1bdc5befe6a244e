// 1024-point complex radix-2 FFT on two public arrays, plus a power spectrum.
//
// Tables and arrays live inside the object; a transform allocates nothing.
// As in the spline, intermediates are `long double` and every stored value is
// rounded to `double`.
#pragma once

#include <cfloat>
#include <cstdint>

static_assert(LDBL_MANT_DIG >= 64,
              "MORLIX needs an extended long double (64-bit significand)");

class TFFT {
public:
    static constexpr std::int32_t N = 1024;

    // Builds the sine and bit-reversal tables; every array starts at zero.
    TFFT();

    // In place on Re[0..N-1], Im[0..N-1]. The forward transform is scaled by
    // 1/N, the inverse is not.
    void Transform(bool inverse);

    // Power[i] = 2 (Re[N-i]^2 + Im[N-i]^2) for i = 0 .. N/2-1. Taken from the
    // mirror bin, so Power[0] comes from the never-written slot N and is 0.
    void CalcPower();

    const double* SinTable() const { return FSinTable; }
    const std::int32_t* BitRev() const { return FBitRev; }

    double Re[N + 1] = {};
    double Im[N + 1] = {};
    double Power[N / 2 + 1] = {};

private:
    void MakeSinTable();
    void MakeBitRev();

    double FSinTable[N + N / 4] = {};
    std::int32_t FBitRev[N + 1] = {};
};
