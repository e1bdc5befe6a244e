#include "WaveViewU.h"

#include <algorithm>

namespace waveview {

void Clear(TCanvas& canvas)
{
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, 512, 255});
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clRed;
    canvas.MoveTo(0, 127);
    canvas.LineTo(512, 127);
}

void Draw(TCanvas& canvas, const std::int16_t* wave, int P)
{
    Clear(canvas);
    canvas.Brush.Color = clBlue;
    for (int c = 0; c < kColumns; ++c) {
        const int v = wave[P + c];
        const int left = 4 * c, right = 4 * c + 4;
        if (v < 0)
            canvas.FillRect({left, 127, right, 127 - v});
        else if (v > 0)
            canvas.FillRect({left, 128, right, 127 - v});
    }
}

int IndexAt(int X, int P, bool limitX)
{
    long long x = X;  // wide, so no pointer position can overflow
    if (limitX) x = std::max(std::min(x, 512LL), 0LL);
    const long long column = (x - 1) / 4;  // C++ division truncates toward zero
    return static_cast<int>(std::max(std::min(column + P, kSamples - 1LL), 0LL));
}

int ValueAt(int Y) { return static_cast<int>(std::max(std::min(127LL - Y, 127LL), -128LL)); }

}  // namespace waveview
