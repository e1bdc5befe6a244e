// The preview's numeric work, with FFTW and GSL on the same work as anchors.
#include "dsp/SplineU.h"
#include "dsp/fftU.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <gsl/gsl_spline.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<double> PreviewKnots()
{
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> s(-128, 127);
    std::vector<double> y(256);
    for (double& v : y) v = s(rng) * 256.0;
    return y;
}

std::vector<double> LongSignal(int n)
{
    std::vector<double> y(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) y[static_cast<std::size_t>(i)] = 20000 * std::sin(i * 0.01) + (i % 7) * 100;
    return y;
}

void Spline_Preview256x1024(benchmark::State& state)
{
    const auto y = PreviewKnots();
    TSpline s;
    for (auto _ : state) {
        s.SetPoints(y.data(), 255);
        double acc = 0;
        for (int i = 0; i < 1024; ++i) acc += s.Interpolate(i / 4.0);
        benchmark::DoNotOptimize(acc);
    }
}
BENCHMARK(Spline_Preview256x1024);

void GSL_NaturalSpline256x1024(benchmark::State& state)
{
    const auto y = PreviewKnots();
    std::vector<double> x(256);
    for (int k = 0; k < 256; ++k) x[static_cast<std::size_t>(k)] = k;
    gsl_interp* interp = gsl_interp_alloc(gsl_interp_cspline, 256);
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    for (auto _ : state) {
        gsl_interp_init(interp, x.data(), y.data(), 256);
        double sum = 0;
        // GSL does not extrapolate: the last three points stop at the end.
        for (int i = 0; i < 1024; ++i) sum += gsl_interp_eval(interp, x.data(), y.data(), std::min(i / 4.0, 255.0), acc);
        benchmark::DoNotOptimize(sum);
    }
    gsl_interp_accel_free(acc);
    gsl_interp_free(interp);
}
BENCHMARK(GSL_NaturalSpline256x1024);

void Spline_SetPoints(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto y = LongSignal(n);
    TSpline s;
    for (auto _ : state) {
        s.SetPoints(y.data(), n - 1);
        benchmark::DoNotOptimize(s.SecondDerivs()[n / 2]);
    }
    state.SetComplexityN(n);
}
BENCHMARK(Spline_SetPoints)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN);

void GSL_SplineInit(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto y = LongSignal(n);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) x[static_cast<std::size_t>(k)] = k;
    gsl_interp* interp = gsl_interp_alloc(gsl_interp_cspline, static_cast<std::size_t>(n));
    for (auto _ : state) {
        gsl_interp_init(interp, x.data(), y.data(), static_cast<std::size_t>(n));
        benchmark::ClobberMemory();
    }
    gsl_interp_free(interp);
}
BENCHMARK(GSL_SplineInit)->Arg(1000000);

void FFT_ForwardAndPower(benchmark::State& state)
{
    auto fft = std::make_unique<TFFT>();
    const auto y = PreviewKnots();
    for (auto _ : state) {
        for (int i = 0; i < 1024; ++i) {
            fft->Re[i] = y[static_cast<std::size_t>(i / 4)] / 512;
            fft->Im[i] = 0;
        }
        fft->Transform(false);
        fft->CalcPower();
        benchmark::DoNotOptimize(fft->Power[1]);
    }
}
BENCHMARK(FFT_ForwardAndPower);

void FFTW_Forward1024(benchmark::State& state)
{
    fftw_complex* in = fftw_alloc_complex(1024);
    fftw_complex* out = fftw_alloc_complex(1024);
    fftw_plan plan = fftw_plan_dft_1d(1024, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const auto y = PreviewKnots();
    for (auto _ : state) {
        for (int i = 0; i < 1024; ++i) {
            in[i][0] = y[static_cast<std::size_t>(i / 4)] / 512;
            in[i][1] = 0;
        }
        fftw_execute(plan);
        benchmark::DoNotOptimize(out[1][0]);
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(FFTW_Forward1024);

}  // namespace
