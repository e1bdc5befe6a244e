// The real sound path: SDL's disk driver writes what it was handed to a file,
// and we compare content, never timing.
#include "FormProbe.h"
#include "platform/SoundService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::vector<std::int16_t> ReadSamples(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(f), {}};
    std::vector<std::int16_t> s(bytes.size() / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return s;
}

// The second the preview plays, from the block it built.
std::vector<std::int16_t> PlayedSecond(const TForm1& form)
{
    const auto& b = *TForm1Probe::SoundBuf(form);
    std::vector<std::int16_t> s((b.size() - 44) / 2);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::int16_t>(b[44 + 2 * i] | b[45 + 2 * i] << 8);
    return s;
}

void WaitUntilPlayed()
{
    for (int i = 0; i < 500 && SoundService().QueuedBytes() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the device's last buffer
}

TEST(DiskDriver, DeliversThePreviewAndASecondPressRestartsIt)
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const char* file = std::getenv("SDL_DISKAUDIOFILE");
    ASSERT_TRUE(driver && std::string(driver) == "disk" && file) << "run with SDL_AUDIODRIVER=disk";
    fs::remove(file);

    TForm1 form;
    std::int16_t* wave = TForm1Probe::Wave(form);
    // Neither ramp comes out zero at any played sample, so silence is not content.
    for (int k = 0; k < 256; ++k) wave[k] = static_cast<std::int16_t>(k - 128);
    form.ScrollBar2->setValue(80);
    form.ButtonPlay->click();
    const auto first = PlayedSecond(form);
    EXPECT_EQ(first[1], (64 * 5 - 32768) * 80 / 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    for (int k = 0; k < 256; ++k) wave[k] = static_cast<std::int16_t>(127 - k);
    form.ScrollBar2->setValue(50);
    form.ButtonPlay->click();
    const auto second = PlayedSecond(form);
    WaitUntilPlayed();
    SoundService().Shutdown();

    const auto out = ReadSamples(file);
    const auto at = std::search(out.begin(), out.end(), second.begin(), second.end());
    ASSERT_NE(at, out.end()) << "the second press's second is delivered whole, in order";
    EXPECT_TRUE(std::all_of(at + static_cast<std::ptrdiff_t>(second.size()), out.end(), [](std::int16_t v) { return v == 0; }));

    // Before it: silence and a beginning of the first second, cut short.
    std::vector<std::int16_t> before;
    std::copy_if(out.begin(), at, std::back_inserter(before), [](std::int16_t v) { return v != 0; });
    ASSERT_FALSE(before.empty()) << "the first press played";
    ASSERT_LT(before.size(), first.size()) << "the second press stopped the first";
    EXPECT_TRUE(std::equal(before.begin(), before.end(), first.begin())) << "the first started from sample 0";
}

// The command-line player waits until the whole second has been delivered.
TEST(DiskDriver, CommandLinePlayWaitsForTheWholeSecond)
{
    ASSERT_STREQ(std::getenv("SDL_AUDIODRIVER"), "disk");
    const fs::path dir = fs::temp_directory_path() / ("morlix-play-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    TForm1 form;
    std::vector<std::uint8_t> vrf(256);
    for (int k = 0; k < 256; ++k) {
        TForm1Probe::Wave(form)[k] = static_cast<std::int16_t>(k - 128);
        vrf[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k - 128);
    }
    std::ofstream(dir / "w.vrf", std::ios::binary).write(reinterpret_cast<const char*>(vrf.data()), 256);
    form.ScrollBar2->setValue(60);
    form.PlayPreview();
    SoundService().Stop();
    const auto second = PlayedSecond(form);

    const fs::path raw = dir / "played.raw";
    const std::string command = "SDL_DISKAUDIOFILE='" + raw.string() + "' '" MORLIX_CLI "' play '" +
                                (dir / "w.vrf").string() + "' --volume 60";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto out = ReadSamples(raw);
    EXPECT_NE(std::search(out.begin(), out.end(), second.begin(), second.end()), out.end());
    fs::remove_all(dir);
}

TEST(NoDriver, PreviewStillWritesTheFileAndDrawsTheBarsSilently)
{
    const fs::path exportFile = fs::path(GetAppDir()) / "InportThis.wav";
    fs::remove(exportFile);
    TForm1 form;
    for (int k = 0; k < 256; ++k) TForm1Probe::Wave(form)[k] = static_cast<std::int16_t>(k % 32 * 8 - 128);
    form.ButtonPlay->click();
    EXPECT_EQ(fs::file_size(exportFile), 2092u);
    EXPECT_EQ(form.Image2->Picture().pixel(64, 96), ToQRgb(clRed));
    EXPECT_EQ(SoundService().QueuedBytes(), 0u);
    fs::remove(exportFile);
}

}  // namespace
