#include "dsp/fftU.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace {

constexpr int N = TFFT::N;
const double kTwoPi = 6.283185307179586476925286766559;

// cos and sin of 2 pi m j / N, reduced first so the reference itself is exact
// to the last place.
double Cos(int m, int j) { return static_cast<double>(std::cos(6.283185307179586476925286766559L * ((m * j) % N) / N)); }
double Sin(int m, int j) { return static_cast<double>(std::sin(6.283185307179586476925286766559L * ((m * j) % N) / N)); }

struct FFTFixture : ::testing::Test {
    std::unique_ptr<TFFT> fft = std::make_unique<TFFT>();

    void Load(double (*re)(int), double (*im)(int))
    {
        for (int j = 0; j < N; ++j) {
            fft->Re[j] = re(j);
            fft->Im[j] = im(j);
        }
    }
    void ExpectOnlyBins(std::initializer_list<std::pair<int, std::pair<double, double>>> bins, double tol)
    {
        for (int m = 0; m < N; ++m) {
            double re = 0, im = 0;
            for (auto& b : bins)
                if (b.first == m) { re = b.second.first; im = b.second.second; }
            ASSERT_NEAR(fft->Re[m], re, tol) << "bin " << m;
            ASSERT_NEAR(fft->Im[m], im, tol) << "bin " << m;
        }
    }
};

TEST_F(FFTFixture, TablesHoldTheirKnownEntries)
{
    const int* b = fft->BitRev();
    const std::pair<int, int> rev[] = {{0, 0}, {1, 512}, {2, 256}, {3, 768}, {512, 1}, {1023, 1023}, {5, 640}};
    for (auto [i, r] : rev) EXPECT_EQ(b[i], r) << i;
    const double* t = fft->SinTable();
    EXPECT_EQ(t[0], 0.0);
    EXPECT_EQ(t[128], std::sqrt(0.5));
    EXPECT_EQ(t[256], 1.0);
    EXPECT_EQ(t[512], 0.0);
    EXPECT_EQ(t[768], -1.0);
    EXPECT_EQ(t[1024], 0.0);
    for (int i = 0; i < N + N / 4; ++i)
        ASSERT_NEAR(t[i], Sin(1, i), 5e-16) << i;  // a few units in the last place
}

TEST_F(FFTFixture, ConstantInputLandsInBinZeroAndHasNoPower)
{
    Load([](int) { return 3.25; }, [](int) { return 0.0; });
    fft->Transform(false);
    ExpectOnlyBins({{0, {3.25, 0}}}, 1e-15);
    fft->CalcPower();
    for (int i = 0; i < N / 2; ++i) EXPECT_EQ(fft->Power[i], 0.0) << i;
}

TEST_F(FFTFixture, RealCosineSplitsIntoItsTwoBins)
{
    Load([](int j) { return Cos(5, j); }, [](int) { return 0.0; });
    fft->Transform(false);
    ExpectOnlyBins({{5, {0.5, 0}}, {1019, {0.5, 0}}}, 1e-14);
    fft->CalcPower();
    EXPECT_NEAR(fft->Power[5], 0.5, 1e-13);
    EXPECT_EQ(fft->Power[0], 0.0);
}

TEST_F(FFTFixture, ComplexExponentialLandsInBinMOnly)
{
    Load([](int j) { return Cos(37, j); },
         [](int j) { return Sin(37, j); });
    fft->Transform(false);
    ExpectOnlyBins({{37, {1, 0}}}, 1e-14);
}

TEST_F(FFTFixture, InverseOfAUnitBinIsTheExponential)
{
    Load([](int j) { return j == 37 ? 1.0 : 0.0; }, [](int) { return 0.0; });
    fft->Transform(true);
    for (int j = 0; j < N; ++j) {
        ASSERT_NEAR(fft->Re[j], Cos(37, j), 1e-14) << j;
        ASSERT_NEAR(fft->Im[j], Sin(37, j), 1e-14) << j;
    }
}

TEST_F(FFTFixture, ForwardThenInverseGivesTheInputBack)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> v(-64, 64);
    double re[N], im[N];
    for (int j = 0; j < N; ++j) fft->Re[j] = re[j] = v(rng), fft->Im[j] = im[j] = v(rng);
    fft->Transform(false);
    fft->Transform(true);
    for (int j = 0; j < N; ++j) {
        ASSERT_NEAR(fft->Re[j], re[j], 1e-12);
        ASSERT_NEAR(fft->Im[j], im[j], 1e-12);
    }
    EXPECT_EQ(fft->Re[N], 0.0);  // slot N is never written
    EXPECT_EQ(fft->Im[N], 0.0);
}

TEST_F(FFTFixture, FullScaleFundamentalHasThePowerOfItsAmplitude)
{
    Load([](int j) { return 32767.0 / 512 * std::cos(kTwoPi * j / N + 0.3); }, [](int) { return 0.0; });
    fft->Transform(false);
    fft->CalcPower();
    const double a = 32767.0 / 512;
    EXPECT_NEAR(fft->Power[1], a * a / 2, 1e-9);  // 2047.875 and a hair
    EXPECT_NEAR(fft->Power[1], 2047.875, 1e-5);
    for (int i = 2; i < N / 2; ++i) ASSERT_NEAR(fft->Power[i], 0, 1e-20) << i;
}

}  // namespace
