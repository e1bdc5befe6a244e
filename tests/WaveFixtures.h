// WAVE files made in the test, with every field that the import looks at
// open to change.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

struct TWaveLayout {
    std::string riff = "RIFF", wave = "WAVE", fmt = "fmt ", data = "data";
    std::uint16_t formatTag = 1, channels = 1, blockAlign = 2, bits = 16;
    std::uint32_t rate = 44100;
    std::uint32_t fmtSize = 16;
    std::string chunkBeforeData;  // e.g. "LIST" or "fact": a 4-byte chunk in between
    long long dataSizeOverride = -1;
};

inline void Put16(std::vector<std::uint8_t>& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void PutTag(std::vector<std::uint8_t>& b, const std::string& t) { b.insert(b.end(), t.begin(), t.end()); }

inline std::vector<std::uint8_t> MakeWave(const std::vector<std::int16_t>& samples, const TWaveLayout& s = {})
{
    const std::uint32_t dataSize =
        s.dataSizeOverride >= 0 ? static_cast<std::uint32_t>(s.dataSizeOverride) : static_cast<std::uint32_t>(2 * samples.size());
    std::vector<std::uint8_t> b;
    PutTag(b, s.riff);
    Put32(b, 36 + dataSize);
    PutTag(b, s.wave);
    PutTag(b, s.fmt);
    Put32(b, s.fmtSize);
    Put16(b, s.formatTag);
    Put16(b, s.channels);
    Put32(b, s.rate);
    Put32(b, s.rate * s.blockAlign);
    Put16(b, s.blockAlign);
    Put16(b, s.bits);
    for (std::uint32_t extra = 16; extra < s.fmtSize; ++extra) b.push_back(0);
    if (!s.chunkBeforeData.empty()) {
        PutTag(b, s.chunkBeforeData);
        Put32(b, 4);
        Put32(b, 0);
    }
    PutTag(b, s.data);
    Put32(b, dataSize);
    for (std::int16_t v : samples) Put16(b, static_cast<std::uint16_t>(v));
    return b;
}

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
