#include "SpectrumViewU.h"

#include <cmath>

namespace spectrumview {

int BarHeight(double p)
{
    if (!(p > 0)) return 0;
    const long double q = std::log(static_cast<long double>(p)) / std::log(20.0L);
    return static_cast<int>(34.0L * q);  // toward zero
}

void Analyse(TFFT& fft, const std::int32_t* sound)
{
    for (int i = 0; i < TFFT::N; ++i) {
        fft.Re[i] = sound[i] / 512.0;
        fft.Im[i] = 0;
    }
    fft.Transform(false);
    fft.CalcPower();
}

void Draw(TCanvas& canvas, TFFT& fft, const std::int32_t* sound, bool bars)
{
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, 512, 255});
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clRed;
    if (!bars) return;
    Analyse(fft, sound);
    for (int i = 0; i < kBars; ++i) {
        canvas.Pen.Color = clRed;
        canvas.Brush.Color = canvas.Pen.Color;
        const int h = BarHeight(fft.Power[i + 1]);
        canvas.FillRect({8 * i, 96, 8 * i + 7, 95 - h});
    }
}

}  // namespace spectrumview
