#include "writewaveU.h"

#include "platform/Exceptions.h"
#include "platform/Files.h"

#include <cstring>

namespace {
void Put16(std::uint8_t*& p, std::uint16_t v)
{
    *p++ = static_cast<std::uint8_t>(v);
    *p++ = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t*& p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) *p++ = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutTag(std::uint8_t*& p, const char* tag)
{
    std::memcpy(p, tag, 4);
    p += 4;
}
std::uint16_t Get16(const std::uint8_t*& p)
{
    const std::uint16_t v = static_cast<std::uint16_t>(p[0] | p[1] << 8);
    p += 2;
    return v;
}
std::uint32_t Get32(const std::uint8_t*& p)
{
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    p += 4;
    return v;
}
void GetTag(const std::uint8_t*& p, char* tag)
{
    std::memcpy(tag, p, 4);
    p += 4;
}

void PutSample(std::uint8_t*& p, std::int16_t v) { Put16(p, static_cast<std::uint16_t>(v)); }
}  // namespace

void EncodeWaveHeader(const TWaveHeader& h, std::uint8_t* out)
{
    PutTag(out, h.RiffId);
    Put32(out, h.RiffSize);
    PutTag(out, h.WaveId);
    PutTag(out, h.FmtId);
    Put32(out, h.FmtSize);
    Put16(out, h.FormatTag);
    Put16(out, h.Channels);
    Put32(out, h.SamplesPerSec);
    Put32(out, h.AvgBytesPerSec);
    Put16(out, h.BlockAlign);
    Put16(out, h.BitsPerSample);
    PutTag(out, h.DataId);
    Put32(out, h.DataSize);
}

TWaveHeader DecodeWaveHeader(const std::uint8_t* in)
{
    TWaveHeader h;
    GetTag(in, h.RiffId);
    h.RiffSize = Get32(in);
    GetTag(in, h.WaveId);
    GetTag(in, h.FmtId);
    h.FmtSize = Get32(in);
    h.FormatTag = Get16(in);
    h.Channels = Get16(in);
    h.SamplesPerSec = Get32(in);
    h.AvgBytesPerSec = Get32(in);
    h.BlockAlign = Get16(in);
    h.BitsPerSample = Get16(in);
    GetTag(in, h.DataId);
    h.DataSize = Get32(in);
    return h;
}

TWriteWave::TWriteWave()
{
    std::memcpy(FHeader.RiffId, "RIFF", 4);
    FHeader.RiffSize = 0;
    std::memcpy(FHeader.WaveId, "WAVE", 4);
    std::memcpy(FHeader.FmtId, "fmt ", 4);
    FHeader.FmtSize = 16;
    FHeader.FormatTag = 1;
    FHeader.Channels = 1;
    FHeader.SamplesPerSec = 44100;
    FHeader.AvgBytesPerSec = 88200;
    FHeader.BlockAlign = 2;
    FHeader.BitsPerSample = 16;
    std::memcpy(FHeader.DataId, "data", 4);
    FHeader.DataSize = 0;
}

void TWriteWave::SetSample(std::int16_t Index, std::int16_t Value)
{
    if (Index >= 0 && Index < kSamples) FData[Index] = Value;
}

void TWriteWave::MakePreview(std::vector<std::uint8_t>& Block)
{
    FHeader.SamplesPerSec = 44100;
    FHeader.AvgBytesPerSec = 88200;
    FHeader.DataSize = 88200;
    FHeader.RiffSize = FHeader.DataSize + 36;
    std::vector<std::uint8_t> image(kWaveHeaderSize + FHeader.DataSize);
    EncodeWaveHeader(FHeader, image.data());
    std::uint8_t* p = image.data() + kWaveHeaderSize;
    for (std::uint32_t n = 0; n < FHeader.SamplesPerSec; ++n) {
        const std::int32_t stored = FData[(n % 200) * 5];
        PutSample(p, static_cast<std::int16_t>(stored * Volume / 100));  // / truncates toward zero
    }
    Block = std::move(image);
}

std::vector<std::uint8_t> TWriteWave::ExportImage()
{
    FHeader.DataSize = 2048;
    FHeader.RiffSize = 2084;
    std::vector<std::uint8_t> image(kWaveHeaderSize + 2 * kSamples);
    EncodeWaveHeader(FHeader, image.data());
    std::uint8_t* p = image.data() + kWaveHeaderSize;
    for (const std::int16_t v : FData) PutSample(p, v);
    return image;
}

void TWriteWave::SaveToFile(const std::string& FileName)
{
    const std::vector<std::uint8_t> image = ExportImage();
    try {
        WriteFileAtomically(FileName, image.data(), image.size());
    } catch (const EInOutError&) {
        throw EFCreateError(FileName);
    }
}
