// The WAVE import: a mono 16-bit PCM file with the canonical 44-byte header,
// its whole data chunk taken as one period and resampled to 256 points by a
// cubic spline of its own.
#pragma once

#include "writewaveU.h"

#include <cstdint>
#include <functional>
#include <string>

// A resampled value as a waveform sample: value div 256 toward zero,
// limited to -128..127.
std::int16_t SampleFromResampled(std::int32_t value);

class TReadWave {
public:
    // How a refusal reaches the user: the window passes its message box.
    using TShowMessage = std::function<void(const std::string& text)>;

    explicit TReadWave(TShowMessage showMessage);

    // True when the file was accepted and the 256 points are ready. False
    // after the refusal was shown: "異常なデータです." (44 bytes or less, a
    // data chunk claiming more than the file holds, fewer than 3 samples) or
    // "サポート外のフォーマットです." (a header test failed). Throws
    // EFOpenError when the file cannot be opened, EInOutError when reading
    // fails, std::bad_alloc when memory runs out; nothing is kept either way.
    // While open, the file holds a shared advisory lock against writers.
    bool LoadFromFile(const std::string& FileName);

    // The 256 resampled values, each within -32768..32767.
    void GetWave(std::int32_t* Dest) const;

private:
    TWaveHeader FHeader {};
    std::int32_t FResampled[256] = {};
    TShowMessage FShowMessage;
};
