#include "TestFiles.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "wave/writewaveU.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }
std::int16_t S16(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::int16_t>(U16(b, at)); }
std::string Tag(const std::vector<std::uint8_t>& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }



void ExpectHeader(const std::vector<std::uint8_t>& b, std::uint32_t riffSize, std::uint32_t dataSize)
{
    EXPECT_EQ(Tag(b, 0), "RIFF");
    EXPECT_EQ(U32(b, 4), riffSize);
    EXPECT_EQ(Tag(b, 8), "WAVE");
    EXPECT_EQ(Tag(b, 12), "fmt ");
    EXPECT_EQ(U32(b, 16), 16u);
    EXPECT_EQ(U16(b, 20), 1u);
    EXPECT_EQ(U16(b, 22), 1u);
    EXPECT_EQ(U32(b, 24), 44100u);
    EXPECT_EQ(U32(b, 28), 88200u);
    EXPECT_EQ(U16(b, 32), 2u);
    EXPECT_EQ(U16(b, 34), 16u);
    EXPECT_EQ(Tag(b, 36), "data");
    EXPECT_EQ(U32(b, 40), dataSize);
}

TEST(WaveHeader, EncodesLittleEndianAndDecodesBack)
{
    TWriteWave w;
    std::vector<std::uint8_t> bytes(44);
    TWaveHeader h = w.Header();
    h.RiffSize = 0x01020304;
    EncodeWaveHeader(h, bytes.data());
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    const TWaveHeader back = DecodeWaveHeader(bytes.data());
    EXPECT_EQ(back.RiffSize, 0x01020304u);
    EXPECT_EQ(back.SamplesPerSec, 44100u);
    EXPECT_EQ(std::string(back.FmtId, 4), "fmt ");
}

TEST(WriteWave, FreshWriterSavesSilenceWithTheCanonicalHeader)
{
    TTempDir dir("writer");
    TWriteWave w;
    EXPECT_EQ(w.Volume, 50);
    w.SaveToFile((dir.path / "x.wav").string());
    const auto b = ReadAll(dir.path / "x.wav");
    ASSERT_EQ(b.size(), 2092u);
    ExpectHeader(b, 2084, 2048);
    for (std::size_t i = 44; i < b.size(); ++i) ASSERT_EQ(b[i], 0) << i;
}

TEST(WriteWave, PreviewBlockThenFileKeepTheirOwnSizes)
{
    TTempDir dir("writer");
    TWriteWave w;
    std::vector<std::uint8_t> block(1);
    w.MakePreview(block);
    ASSERT_EQ(block.size(), 88244u);
    ExpectHeader(block, 88236, 88200);
    w.SaveToFile((dir.path / "x.wav").string());
    ExpectHeader(ReadAll(dir.path / "x.wav"), 2084, 2048);
}

TEST(WriteWave, PreviewScalesTowardZeroAndRepeatsEvery200Samples)
{
    struct Case { std::int16_t stored; std::int16_t volume; std::int16_t out; };
    const Case cases[] = {{-32768, 80, -26214}, {12345, 33, 4073}, {-12345, 33, -4073}, {32767, 100, 32767},
                          {-32768, 100, -32768}, {32767, 0, 0},   {-1, 99, 0},          {199, 50, 99}};
    for (const Case c : cases) {
        TWriteWave w;
        w.SetSample(0, c.stored);
        w.Volume = c.volume;
        std::vector<std::uint8_t> block;
        w.MakePreview(block);
        for (std::size_t n : {0u, 200u, 400u, 44000u}) EXPECT_EQ(S16(block, 44 + 2 * n), c.out) << c.stored << "@" << c.volume;
    }

    TWriteWave w;
    for (int i = 0; i < 1024; ++i) w.SetSample(static_cast<std::int16_t>(i), static_cast<std::int16_t>(i + 1));
    w.Volume = 100;
    std::vector<std::uint8_t> block;
    w.MakePreview(block);
    for (std::size_t n = 0; n < 44100; ++n)
        ASSERT_EQ(S16(block, 44 + 2 * n), static_cast<std::int16_t>((n % 200) * 5 + 1)) << n;
    // Stored samples 996..1023 never sound: 997 is not among the values.
    for (std::size_t n = 0; n < 44100; ++n) ASSERT_NE(S16(block, 44 + 2 * n), 997);
}

TEST(WriteWave, FileHoldsTheUnscaledStoreAndIgnoresIndicesOutside)
{
    TTempDir dir("writer");
    TWriteWave w;
    w.SetSample(-1, 111);
    w.SetSample(1024, 222);
    w.SetSample(0, -32768);
    w.SetSample(1023, 32767);
    w.SetSample(500, -5);
    w.Volume = 7;
    w.SaveToFile((dir.path / "x.wav").string());
    const auto b = ReadAll(dir.path / "x.wav");
    EXPECT_EQ(S16(b, 44), -32768);
    EXPECT_EQ(S16(b, 44 + 2 * 1023), 32767);
    EXPECT_EQ(S16(b, 44 + 2 * 500), -5);
    int nonzero = 0;
    for (std::size_t i = 0; i < 1024; ++i) nonzero += S16(b, 44 + 2 * i) != 0;
    EXPECT_EQ(nonzero, 3);
}

// Fails for root too: the file-size limit stops the write part-way.
TEST(WriteWave, FailedWriteReportsThePathAndKeepsTheOldFile)
{
    TTempDir dir("writer");
    const std::string path = (dir.path / "InportThis.wav").string();
    TWriteWave w;
    w.SetSample(3, 1234);
    w.SaveToFile(path);
    const auto before = ReadAll(path);

    w.SetSample(3, -1);
    std::string message;
    WithFileSizeLimit(1000, [&] {
        try {
            w.SaveToFile(path);
        } catch (const EFCreateError& e) {
            message = e.what();
        }
    });

    EXPECT_EQ(message, "ファイル " + path + " を作成できません");
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(dir.Entries(), 1) << "no temporary file is left behind";

    fs::create_directory(dir.path / "folder.wav");
    EXPECT_THROW(w.SaveToFile((dir.path / "folder.wav").string()), EFCreateError);
    EXPECT_THROW(w.SaveToFile((dir.path / "missing" / "x.wav").string()), EFCreateError);
}

}  // namespace

namespace {

// Replacing keeps what a user set up around the file.
TEST(AtomicWrite, KeepsTheModeAndFollowsLinks)
{
    TTempDir dir("atomic");
    const std::string file = dir("real.vrf"), link = dir("link.vrf");
    const char first[] = "old", second[] = "new!";
    WriteFileAtomically(file, first, 3);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(file, link);
    WriteFileAtomically(link, second, 4);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(file), std::vector<std::uint8_t>(second, second + 4));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
