#include "FormProbe.h"
#include "ScriptedUI.h"
#include "TestFiles.h"
#include "app/SpectrumViewU.h"

#include <QDir>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path ExportPath() { return fs::path(GetAppDir()) / "InportThis.wav"; }


struct Preview : ::testing::Test {
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    std::int16_t* wave() { return TForm1Probe::Wave(*form); }
    const std::int32_t* sound() { return TForm1Probe::Sound(*form); }
    void SetUp() override { fs::remove(ExportPath()); }
    void TearDown() override { fs::remove(ExportPath()); }
};

TEST(AppDir, IsTheFolderOfTheRunningProgram)
{
    char self[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(GetAppDir(), fs::path(self).parent_path().string() + "/");
}

TEST_F(Preview, SoundValuesFollowTheKnots)
{
    struct Case { const char* name; std::function<int(int)> wave; std::function<int(int)> sound; };
    const Case cases[] = {
        {"zero", [](int) { return 0; }, [](int) { return 0; }},
        {"constant", [](int) { return -77; }, [](int) { return -77 * 256; }},
        {"ramp", [](int k) { return k - 128; }, [](int i) { return 64 * i - 32768; }},
    };
    for (const Case& c : cases) {
        for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(c.wave(k));
        form->PlayPreview();
        for (int i = 0; i < 1024; ++i) ASSERT_EQ(sound()[i], c.sound(i)) << c.name << " at " << i;
    }
    EXPECT_EQ(sound()[1021], 32576);
    EXPECT_EQ(sound()[1023], 32704);

    for (int k = 0; k < 256; ++k) wave()[k] = 0;
    wave()[100] = 1;
    form->PlayPreview();
    EXPECT_EQ(sound()[400], 256);
    EXPECT_EQ(sound()[398], 153);
    EXPECT_EQ(sound()[394], -32);
}

TEST_F(Preview, EveryKnotComesBackExactlyAndTheFileHoldsTheSound)
{
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> sample(-128, 127);
    for (int n = 0; n < 50; ++n) {
        for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(sample(rng));
        form->PlayPreview();
        for (int k = 0; k < 256; ++k) ASSERT_EQ(sound()[4 * k], wave()[k] * 256) << "knot " << k;
    }
    const auto file = ReadAll(ExportPath());
    ASSERT_EQ(file.size(), 2092u);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(static_cast<std::int16_t>(file[44 + 2 * i] | file[45 + 2 * i] << 8), sound()[i]) << i;
    EXPECT_FALSE(TForm1Probe::Modified(*form));
}

TEST_F(Preview, VolumeShapesOnlyThePlayedSecond)
{
    for (int k = 0; k < 256; ++k) wave()[k] = 100;
    form->ScrollBar2->setValue(0);
    EXPECT_EQ(TForm1Probe::Volume(*form), 0);
    EXPECT_FALSE(fs::exists(ExportPath())) << "moving the bar writes nothing";
    form->ButtonPlay->click();
    const auto* block = TForm1Probe::SoundBuf(*form);
    ASSERT_EQ(block->size(), 88244u);
    for (std::size_t i = 44; i < block->size(); ++i) ASSERT_EQ((*block)[i], 0);
    const auto file = ReadAll(ExportPath());
    EXPECT_EQ(file[44] | file[45] << 8, 25600) << "the file is full scale";
}

TEST_F(Preview, FailedExportIsReportedWithThePathAndKeepsTheOldOne)
{
    TScriptScope script;
    for (int k = 0; k < 256; ++k) wave()[k] = 3;
    form->ButtonPlay->click();
    const auto before = ReadAll(ExportPath());
    ASSERT_EQ(before.size(), 2092u);

    for (int k = 0; k < 256; ++k) wave()[k] = -9;
    WithFileSizeLimit(100, [&] { form->ButtonPlay->click(); });

    ASSERT_EQ(script.ui->shown.size(), 1);
    EXPECT_EQ(script.ui->shown[0], QString::fromStdString("error:ファイル " + ExportPath().string() + " を作成できません"));
    EXPECT_EQ(ReadAll(ExportPath()), before);
    EXPECT_EQ(sound()[0], -9 * 256) << "the steps before the export took effect";
    EXPECT_EQ(TForm1Probe::SoundBuf(*form)->size(), 88244u);
    EXPECT_TRUE(form->Image2->HasPicture());
}

// --- the spectrum strip ---

QRgb StripPixel(TForm1& f, int x, int y) { return f.Image2->Picture().pixel(x, y); }

// Bar i of height h covers columns 8i..8i+6 from row 96 up.
void ExpectBars(TForm1& f, const std::vector<int>& heights)
{
    const QRgb red = ToQRgb(clRed), white = ToQRgb(clWhite);
    for (int y = 0; y < 97; ++y)
        for (int x = 0; x < 513; ++x) {
            const int i = x / 8;
            const int h = i < 64 ? heights[static_cast<std::size_t>(i)] : -1;
            const bool bar = x % 8 != 7 && x < 512 && h != -1 && y >= 96 - std::max(h, 0) && y <= 96;
            ASSERT_EQ(StripPixel(f, x, y), bar ? red : white) << x << "," << y << " h " << h;
        }
}

TEST_F(Preview, SilenceDrawsThinBarsOnTheBottomRow)
{
    EXPECT_FALSE(form->Image2->HasPicture()) << "nothing before the first preview";
    form->PlayPreview();
    ExpectBars(*form, std::vector<int>(64, 0));
    for (int k = 0; k < 256; ++k) wave()[k] = 42;  // only an offset: the same picture
    form->PlayPreview();
    ExpectBars(*form, std::vector<int>(64, 0));
}

TEST_F(Preview, BarsFollowThePowerOfEachHarmonic)
{
    // A full-scale sine at the fundamental, straight into the strip.
    std::int32_t sine[1024];
    for (int j = 0; j < 1024; ++j) sine[j] = static_cast<std::int32_t>(std::lround(32767 * std::sin(6.283185307179586 * j / 1024)));
    TFFT fft;
    spectrumview::Analyse(fft, sine);
    EXPECT_EQ(spectrumview::BarHeight(fft.Power[1]), 86);

    struct Case { double p; int h; };
    const Case cases[] = {{20, 34}, {1, 0}, {0, 0}, {-1, 0}, {400, 68}, {0.9, -1}, {0.85, -1}, {0.8, -2}, {1e-30, -783}, {4096, 94}};
    for (const Case c : cases) EXPECT_EQ(spectrumview::BarHeight(c.p), c.h) << c.p;

    // A drawn waveform: each bar as its harmonic's power says.
    for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(k % 64 * 4 - 128);
    form->PlayPreview();
    const TFFT* used = TForm1Probe::FFT(*form);
    std::vector<int> heights;
    for (int i = 0; i < 64; ++i) heights.push_back(spectrumview::BarHeight(used->Power[i + 1]));
    EXPECT_GT(heights[3], 60);
    ExpectBars(*form, heights);
}

TEST_F(Preview, ToggleUpGivesAWhiteStripWithoutATransform)
{
    for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(k - 128);
    form->PlayPreview();
    const double re5 = TForm1Probe::FFT(*form)->Re[5];
    form->ToolButton3->click();
    EXPECT_FALSE(form->ToolButton3->isChecked());
    const QImage before = form->Image2->Picture();
    ExpectBars(*form, [&] { std::vector<int> h; for (int i = 0; i < 64; ++i) h.push_back(spectrumview::BarHeight(TForm1Probe::FFT(*form)->Power[i + 1])); return h; }());
    EXPECT_EQ(form->Image2->Picture(), before) << "the click alone changes nothing";
    for (int k = 0; k < 256; ++k) wave()[k] = 5;
    form->PlayPreview();
    EXPECT_EQ(TForm1Probe::FFT(*form)->Re[5], re5) << "no transform ran";
    ExpectBars(*form, std::vector<int>(64, -1));
}

}  // namespace
