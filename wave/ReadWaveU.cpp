#include "ReadWaveU.h"

#include "dsp/DoubleArray.h"
#include "dsp/SplineU.h"
#include "platform/Files.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {
const char* const kBadData = "異常なデータです.";
const char* const kUnsupported = "サポート外のフォーマットです.";

bool TagIs(const char* tag, const char* want) { return std::memcmp(tag, want, 4) == 0; }

// The tests in their order; tags compare byte for byte.
bool Supported(const TWaveHeader& h)
{
    return TagIs(h.RiffId, "RIFF") && TagIs(h.WaveId, "WAVE") && TagIs(h.FmtId, "fmt ") && h.FormatTag == 1 &&
           h.BlockAlign == 2 && h.BitsPerSample == 16 && h.Channels == 1 && TagIs(h.DataId, "data");
}

// Reads count 16-bit little-endian samples in large blocks.
void ReadSamples(TReadFile& file, double* out, std::uint32_t count)
{
    constexpr std::size_t kBlockSamples = 32768;
    std::vector<std::uint8_t> block(2 * std::min<std::size_t>(kBlockSamples, count));
    std::size_t done = 0;
    while (done < count) {
        const std::size_t n = std::min<std::size_t>(kBlockSamples, count - done);
        file.ReadExactly(block.data(), 2 * n);
        for (std::size_t i = 0; i < n; ++i)
            out[done + i] = static_cast<std::int16_t>(block[2 * i] | block[2 * i + 1] << 8);
        done += n;
    }
}
}  // namespace

std::int16_t SampleFromResampled(std::int32_t value)
{
    return static_cast<std::int16_t>(std::clamp(value / 256, -128, 127));
}

TReadWave::TReadWave(TShowMessage showMessage) : FShowMessage(std::move(showMessage)) {}

bool TReadWave::LoadFromFile(const std::string& FileName)
{
    TReadFile file(FileName, true);
    const std::int64_t size = file.Size();
    if (size <= static_cast<std::int64_t>(kWaveHeaderSize)) {
        FShowMessage(kBadData);
        return false;
    }
    std::uint8_t raw[kWaveHeaderSize];
    file.ReadExactly(raw, sizeof raw);
    FHeader = DecodeWaveHeader(raw);
    if (!Supported(FHeader)) {
        FShowMessage(kUnsupported);
        return false;
    }
    // Decided from the file's size before anything is allocated: a chunk
    // claiming more than the file holds, or too short for a spline.
    const std::uint32_t count = FHeader.DataSize / FHeader.BlockAlign;
    if (FHeader.DataSize > size - static_cast<std::int64_t>(kWaveHeaderSize) || count < 3) {
        FShowMessage(kBadData);
        return false;
    }
    TDoubleArray samples = AllocateDoubles(count);  // every slot is read into
    ReadSamples(file, samples.get(), count);

    TSpline spline;
    spline.SetPoints(samples.get(), static_cast<std::int32_t>(count - 1));
    for (int i = 0; i < 256; ++i) {
        const double x = static_cast<double>((static_cast<long double>(count) / 256) * i);
        const double v = std::clamp(spline.Interpolate(x), -32768.0, 32767.0);
        FResampled[i] = static_cast<std::int32_t>(v);  // toward zero
    }
    return true;
}

void TReadWave::GetWave(std::int32_t* Dest) const { std::copy(std::begin(FResampled), std::end(FResampled), Dest); }
