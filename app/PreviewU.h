// The preview's sound: the waveform stretched to 1024 values by the spline.
#pragma once

#include "dsp/SplineU.h"

#include <cstdint>

namespace preview {

constexpr int kSoundValues = 1024;

// Knots wave[k] * 256 at 0..255, evaluated at i / 4, truncated toward zero
// and limited to -32768..32767. The knots are not periodic: the last three
// values continue the last segment.
void InterpolateWave(TSpline& spline, const std::int16_t* wave, std::int32_t* sound);

}  // namespace preview
