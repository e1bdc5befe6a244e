#include "FormProbe.h"
#include "ScriptedUI.h"
#include "WaveFixtures.h"
#include "platform/Exceptions.h"
#include "wave/ReadWaveU.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kBadData = "異常なデータです.";
const char* const kUnsupported = "サポート外のフォーマットです.";

struct Import : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("morlix-import-" + std::to_string(::getpid()));
    std::vector<std::string> messages;
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::vector<std::uint8_t>& bytes, const std::string& name = "in.wav")
    {
        const std::string path = (dir / name).string();
        WriteFile(path, bytes);
        return path;
    }
    // The 256 points, or empty after a refusal (its message in `messages`).
    std::vector<std::int32_t> Load(const std::vector<std::uint8_t>& bytes)
    {
        TReadWave reader([this](const std::string& m) { messages.push_back(m); });
        if (!reader.LoadFromFile(Write(bytes))) return {};
        std::vector<std::int32_t> out(256);
        reader.GetWave(out.data());
        return out;
    }
    // As the window stores them: value div 256 toward zero.
    std::vector<int> Samples(const std::vector<std::uint8_t>& bytes)
    {
        std::vector<int> s;
        for (std::int32_t v : Load(bytes)) s.push_back(v / 256);
        return s;
    }
};

TEST_F(Import, The256SamplesAreThePointsDividedTowardZero)
{
    const std::pair<std::int16_t, int> cases[] = {{512, 2},  {-512, -2}, {32767, 127}, {-32768, -128},
                                                  {-200, 0}, {-255, 0},  {-256, -1},   {255, 0}};
    std::vector<std::int16_t> in(256, 0);
    for (std::size_t i = 0; i < std::size(cases); ++i) in[30 * i] = cases[i].first;
    const auto out = Samples(MakeWave(in));
    ASSERT_EQ(out.size(), 256u);
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(out[30 * i], cases[i].second) << cases[i].first;

    std::vector<std::int16_t> multiples(256);
    for (int i = 0; i < 256; ++i) multiples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(((i * 77) % 256 - 128) * 256);
    const auto points = Load(MakeWave(multiples));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(points[static_cast<std::size_t>(i)], multiples[static_cast<std::size_t>(i)]) << i;
}

TEST_F(Import, LongerFilesAreThinnedAndShorterOnesInterpolated)
{
    std::vector<std::int16_t> period(256);
    for (int i = 0; i < 256; ++i) period[static_cast<std::size_t>(i)] = static_cast<std::int16_t>((i * 37 % 256 - 128) * 256);
    std::vector<std::int16_t> twice(period);
    twice.insert(twice.end(), period.begin(), period.end());
    const auto points = Load(MakeWave(twice));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(points[static_cast<std::size_t>(i)], twice[static_cast<std::size_t>(2 * i)]) << i;
    for (int i = 0; i < 128; ++i) ASSERT_EQ(points[static_cast<std::size_t>(i + 128)], period[static_cast<std::size_t>(2 * i)]);

    std::vector<std::int16_t> ramp(128);
    for (int k = 0; k < 128; ++k) ramp[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(256 * k - 32768);
    const auto values = Load(MakeWave(ramp));
    EXPECT_EQ(values[255], -128) << "x = 127.5, beyond the last knot";
    const auto out = Samples(MakeWave(ramp));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(out[static_cast<std::size_t>(i)], (i + 1) / 2 - 128) << i;
}

TEST_F(Import, AnySampleRateGivesTheSameWaveform)
{
    std::vector<std::int16_t> in(1000);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::int16_t>(i * 61 % 4001 * 16 - 32000);
    TWaveLayout s;
    s.rate = 8000;
    const auto at8k = Load(MakeWave(in, s));
    s.rate = 44100;
    const auto at44k = Load(MakeWave(in, s));
    s.rate = 96000;
    EXPECT_EQ(Load(MakeWave(in, s)), at44k);
    EXPECT_EQ(at8k, at44k);
    EXPECT_EQ(at44k.size(), 256u);
}

TEST_F(Import, RefusalsShowTheirMessage)
{
    const std::vector<std::int16_t> some(300, 1000);
    auto with = [&](auto change) { TWaveLayout s; change(s); return MakeWave(some, s); };
    struct Case { const char* name; std::vector<std::uint8_t> bytes; const char* message; };
    std::vector<std::uint8_t> header44 = MakeWave({});
    std::vector<std::uint8_t> header45 = MakeWave({}, {});
    header45.push_back(0);  // passes the length test, then has no samples
    TWaveLayout onlyTwo;
    const Case cases[] = {
        {"empty", {}, kBadData},
        {"44 bytes", header44, kBadData},
        {"45 bytes", header45, kBadData},
        {"two samples", MakeWave({5, 6}), kBadData},
        {"claims more than it holds", with([](TWaveLayout& s) { s.dataSizeOverride = 602; }), kBadData},
        {"claims gigabytes", with([](TWaveLayout& s) { s.dataSizeOverride = 0xFFFFFFF0; }), kBadData},
        {"stereo", with([](TWaveLayout& s) { s.channels = 2; }), kUnsupported},
        {"8-bit", with([](TWaveLayout& s) { s.bits = 8; s.blockAlign = 1; }), kUnsupported},
        {"18-byte format chunk", with([](TWaveLayout& s) { s.fmtSize = 18; }), kUnsupported},
        {"LIST chunk before data", with([](TWaveLayout& s) { s.chunkBeforeData = "LIST"; }), kUnsupported},
        {"fact chunk before data", with([](TWaveLayout& s) { s.chunkBeforeData = "fact"; }), kUnsupported},
        {"lower-case riff", with([](TWaveLayout& s) { s.riff = "riff"; }), kUnsupported},
        {"not WAVE", with([](TWaveLayout& s) { s.wave = "AVI "; }), kUnsupported},
        {"fmt without its blank", with([](TWaveLayout& s) { s.fmt = "fmt_"; }), kUnsupported},
        {"float format", with([](TWaveLayout& s) { s.formatTag = 3; }), kUnsupported},
        {"block align 4", with([](TWaveLayout& s) { s.blockAlign = 4; }), kUnsupported},
    };
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_TRUE(Load(c.bytes).empty()) << c.name;
        EXPECT_EQ(messages, std::vector<std::string>({c.message})) << c.name;
    }
    messages.clear();
    EXPECT_EQ(Load(MakeWave({5, 6, 7})).size(), 256u) << "three samples are enough";
    TWaveLayout odd;
    odd.dataSizeOverride = 7;  // the odd last byte is ignored
    auto bytes = MakeWave({5, 6, 7}, odd);
    bytes.push_back(0);
    EXPECT_EQ(Load(bytes).size(), 256u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Import, OpenErrorsAreRaisedNotShown)
{
    TReadWave reader([this](const std::string& m) { messages.push_back(m); });
    const std::string missing = (dir / "missing.wav").string();
    try {
        reader.LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "ファイル " + missing + " は開けません");
    }
    EXPECT_THROW(reader.LoadFromFile(dir.string()), EFOpenError);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Import, WritersAreHeldOffWhileTheFileIsOpenReadersAreNot)
{
    // The refusal is shown while the file is still open: look from there.
    const std::string path = Write(MakeWave({1, 2}));
    bool writerBlocked = false, readerServed = false;
    TReadWave reader([&](const std::string&) {
        const int w = ::open(path.c_str(), O_RDWR);
        writerBlocked = ::flock(w, LOCK_EX | LOCK_NB) != 0;
        ::close(w);
        const int r = ::open(path.c_str(), O_RDONLY);
        char c;
        readerServed = ::flock(r, LOCK_SH | LOCK_NB) == 0 && ::read(r, &c, 1) == 1;
        ::close(r);
    });
    EXPECT_FALSE(reader.LoadFromFile(path));
    EXPECT_TRUE(writerBlocked);
    EXPECT_TRUE(readerServed);
    const int w = ::open(path.c_str(), O_RDWR);
    EXPECT_EQ(::flock(w, LOCK_EX | LOCK_NB), 0) << "the lock goes with the file";
    ::close(w);
}

// The command in the window.
struct ImportCommand : Import {
    TScriptScope script;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    std::int16_t* wave() { return TForm1Probe::Wave(*form); }
    void TearDown() override
    {
        TForm1Probe::Modified(*form) = false;
        Import::TearDown();
    }
};

TEST_F(ImportCommand, AcceptedFileReplacesTheWaveformAndMarksItModified)
{
    EXPECT_EQ(form->OpenDialog1.Filter, "WAVEファイル|*.wav");
    EXPECT_EQ(form->OpenDialog1.Title, "WAVEデータの取り込み -MORLIX-");
    std::vector<std::int16_t> in(256, 0);  // identical to the current waveform
    script.ui->files = {QString::fromStdString(Write(MakeWave(in)))};
    form->ToolButton1->click();
    EXPECT_TRUE(TForm1Probe::Modified(*form));
    EXPECT_EQ(script.ui->shown, QStringList({"open:"}));

    in[3] = -256 * 100;
    script.ui->files = {QString::fromStdString(Write(MakeWave(in)))};
    form->ToolButton1->click();
    EXPECT_EQ(wave()[3], -100);
    EXPECT_EQ(form->Image1->Picture().pixel(13, 200), ToQRgb(clBlue));
}

TEST_F(ImportCommand, RefusedFileChangesNothingButIsRedrawn)
{
    wave()[7] = 55;  // set behind the view's back: only a redraw shows it
    script.ui->files = {QString::fromStdString(Write(MakeWave({1, 2})))};
    form->ToolButton1->click();
    EXPECT_EQ(script.ui->shown, QStringList({"open:", QString("box:") + kBadData}));
    EXPECT_EQ(wave()[7], 55);
    EXPECT_FALSE(TForm1Probe::Modified(*form));
    EXPECT_EQ(form->Image1->Picture().pixel(29, 100), ToQRgb(clBlue));
}

TEST_F(ImportCommand, CancelledOrUnopenableChangesAndRedrawsNothing)
{
    wave()[7] = 55;
    script.ui->files = {std::nullopt, QString::fromStdString((dir / "missing.wav").string())};
    form->ToolButton1->click();
    form->ToolButton1->click();
    EXPECT_EQ(script.ui->shown,
              QStringList({"open:", "open:", QString::fromStdString("error:ファイル " + (dir / "missing.wav").string() + " は開けません")}));
    EXPECT_NE(form->Image1->Picture().pixel(29, 100), ToQRgb(clBlue)) << "no redraw";
    EXPECT_FALSE(TForm1Probe::Modified(*form));
}

}  // namespace
