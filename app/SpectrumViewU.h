// The harmonic bar chart of the spectrum strip, apart from the window so the
// editor and the command-line renderer draw the same pixels.
#pragma once

#include "dsp/fftU.h"
#include "platform/Canvas.h"

#include <cstdint>

namespace spectrumview {

constexpr int kBars = 64;

// trunc(34 * (ln p / ln 20)) with extended intermediates; 0 for p <= 0.
int BarHeight(double p);

// Runs the FFT on sound / 512 and leaves the power spectrum in fft.Power.
void Analyse(TFFT& fft, const std::int32_t* sound);

// White strip; with bars, bar i (harmonic i + 1) filled red from top 96 to
// bottom 95 - h: the canvas makes it stand on row 96.
void Draw(TCanvas& canvas, TFFT& fft, const std::int32_t* sound, bool bars);

}  // namespace spectrumview
