// The canonical 44-byte mono PCM WAVE header, and the writer of the two WAVE
// outputs: the one-second preview image and the 1024-sample export file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#pragma pack(push, 1)
struct TWaveHeader {
    char RiffId[4];
    std::uint32_t RiffSize;
    char WaveId[4];
    char FmtId[4];
    std::uint32_t FmtSize;
    std::uint16_t FormatTag;
    std::uint16_t Channels;
    std::uint32_t SamplesPerSec;
    std::uint32_t AvgBytesPerSec;
    std::uint16_t BlockAlign;
    std::uint16_t BitsPerSample;
    char DataId[4];
    std::uint32_t DataSize;
};
#pragma pack(pop)
static_assert(sizeof(TWaveHeader) == 44, "the WAVE header is 44 bytes on disk");

constexpr std::size_t kWaveHeaderSize = sizeof(TWaveHeader);

// The header as it stands in a file (little-endian whatever the host), and back.
void EncodeWaveHeader(const TWaveHeader& h, std::uint8_t* out);
TWaveHeader DecodeWaveHeader(const std::uint8_t* in);

class TWriteWave {
public:
    static constexpr int kSamples = 1024;

    // Header for 44100 Hz, mono, 16 bits; all samples 0; Volume 50.
    TWriteWave();

    // Stores Value as sample Index; an Index outside 0..1023 changes nothing.
    void SetSample(std::int16_t Index, std::int16_t Value);

    // Replaces Block with a one-second 44100 Hz image (88244 bytes): output
    // sample n is stored sample (n mod 200) * 5, times Volume, / 100 toward
    // zero. The caller owns Block and must not be playing from it.
    void MakePreview(std::vector<std::uint8_t>& Block);

    // The 1024 stored samples, unscaled, as a 2092-byte WAVE file, replacing
    // FileName atomically. Throws EFCreateError naming FileName when the file
    // cannot be created or written; an earlier file then stays intact.
    void SaveToFile(const std::string& FileName);

    // The export file's bytes, as SaveToFile writes them.
    std::vector<std::uint8_t> ExportImage();

    const TWaveHeader& Header() const { return FHeader; }

    std::int16_t Volume = 50;

private:
    TWaveHeader FHeader;
    std::int16_t FData[kSamples] = {};
};
