// Writes a small seed corpus for the WAVE import fuzzer into the folder given.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {
struct Wave {
    std::vector<std::uint8_t> b;
    void u16(unsigned v) { b.push_back(static_cast<std::uint8_t>(v)); b.push_back(static_cast<std::uint8_t>(v >> 8)); }
    void u32(std::uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i))); }
    void tag(const char* t) { b.insert(b.end(), t, t + 4); }
};

std::vector<std::uint8_t> Make(unsigned samples, unsigned channels, unsigned bits, std::uint32_t dataSize, int shape)
{
    Wave w;
    w.tag("RIFF"); w.u32(36 + dataSize); w.tag("WAVE"); w.tag("fmt "); w.u32(16); w.u16(1); w.u16(channels);
    w.u32(44100); w.u32(44100 * channels * bits / 8); w.u16(channels * bits / 8); w.u16(bits); w.tag("data"); w.u32(dataSize);
    for (unsigned i = 0; i < samples; ++i)
        w.u16(static_cast<unsigned>(shape == 0 ? (i * 256) : shape == 1 ? (i % 2 ? 32767 : -32768) : (i * 7919)));
    return w.b;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> seeds = {
        {"ramp256", Make(256, 1, 16, 512, 0)},
        {"alternating512", Make(512, 1, 16, 1024, 1)},
        {"three", Make(3, 1, 16, 6, 2)},
        {"short300", Make(300, 1, 16, 600, 2)},
        {"claims-more", Make(10, 1, 16, 4000, 2)},
        {"stereo", Make(64, 2, 16, 256, 2)},
        {"eight-bit", Make(64, 1, 8, 64, 2)},
        {"header-only", Make(0, 1, 16, 0, 0)},
    };
    for (const auto& [name, bytes] : seeds)
        std::ofstream(dir + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return 0;
}
