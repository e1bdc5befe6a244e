#include "PreviewU.h"

#include <algorithm>

namespace preview {

void InterpolateWave(TSpline& spline, const std::int16_t* wave, std::int32_t* sound)
{
    double knots[256];
    for (int k = 0; k < 256; ++k) knots[k] = wave[k] * 256.0;
    spline.SetPoints(knots, 255);
    for (int i = 0; i < kSoundValues; ++i) {
        const double v = spline.Interpolate(i / 4.0);
        // Clamp before converting: the cast of an out-of-range double is undefined.
        const double limited = std::clamp(v, -32768.0, 32767.0);
        sound[i] = static_cast<std::int32_t>(limited);
    }
}

}  // namespace preview
