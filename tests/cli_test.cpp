// morlix-cli against the window: the same bytes and pixels for the same
// waveform.
#include "FormProbe.h"
#include "ScriptedUI.h"
#include "TestFiles.h"
#include "WaveFixtures.h"
#include "app/SpectrumViewU.h"

#include <QImage>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;


struct Result {
    int status;
    std::string out, err;
};

// Runs morlix-cli with `args`, stdout and stderr captured.
Result Cli(const std::vector<std::string>& args, const fs::path& dir)
{
    const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        std::vector<char*> argv{const_cast<char*>(MORLIX_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(MORLIX_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    auto text = [](const fs::path& p) { const auto b = ReadAll(p); return std::string(b.begin(), b.end()); };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(out), text(err)};
}

struct CliFixture : ::testing::Test {
    TTempDir temp{"cli"};
    fs::path dir = temp.path;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    void TearDown() override { fs::remove(fs::path(GetAppDir()) / "InportThis.wav"); }
    std::int16_t* wave() { return TForm1Probe::Wave(*form); }
    fs::path SaveVrf(const std::string& name)
    {
        std::vector<std::uint8_t> b(256);
        for (int i = 0; i < 256; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(wave()[i]);
        WriteFile((dir / name).string(), b);
        return dir / name;
    }
};

const std::vector<std::function<int(int)>> kWaveforms = {
    [](int) { return 0; },
    [](int k) { return k - 128; },
    [](int k) { return k % 2 ? 127 : -128; },
    [](int k) { return (k * 7919) % 256 - 128; },
    [](int k) { return k == 100 ? 1 : 0; },
};

TEST_F(CliFixture, ExportAndPreviewAreTheEditorsBytes)
{
    int n = 0;
    for (const auto& shape : kWaveforms) {
        SCOPED_TRACE("waveform " + std::to_string(n));
        for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(shape(k));
        const fs::path in = SaveVrf("w" + std::to_string(n++) + ".vrf");
        form->ScrollBar2->setValue(37);
        form->PlayPreview();
        const Result exported = Cli({"export", in.string(), "-o", (dir / "out.wav").string()}, dir);
        EXPECT_EQ(exported.status, 0) << exported.err;
        ASSERT_EQ(ReadAll(dir / "out.wav").size(), 2092u);
        EXPECT_EQ(ReadAll(dir / "out.wav"), ReadAll(fs::path(GetAppDir()) / "InportThis.wav"));
        const Result previewed = Cli({"preview", in.string(), "-o", (dir / "p.wav").string(), "--volume", "37"}, dir);
        EXPECT_EQ(previewed.status, 0) << previewed.err;
        ASSERT_EQ(ReadAll(dir / "p.wav").size(), 88244u);
        EXPECT_EQ(ReadAll(dir / "p.wav"), *TForm1Probe::SoundBuf(*form));
    }
}

TEST_F(CliFixture, ImportThenExportIsTheWindowsImportThenPreview)
{
    std::vector<std::int16_t> samples(700);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>((i * 97 % 640) * 100 - 32000);
    const std::string wav = (dir / "rec.wav").string();
    WriteFile(wav, MakeWave(samples));
    {
        TScriptScope script;
        script.ui->files = {QString::fromStdString(wav)};
        form->ToolButton1->click();
        form->PlayPreview();
        TForm1Probe::Modified(*form) = false;
    }
    const Result imported = Cli({"import", wav, "-d", (dir / "vrf").string()}, dir);
    ASSERT_EQ(imported.status, 0) << imported.err;
    const auto vrfBytes = ReadAll(dir / "vrf" / "rec.vrf");
    ASSERT_EQ(vrfBytes.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(static_cast<std::int8_t>(vrfBytes[static_cast<std::size_t>(i)]), wave()[i]) << i;
    const Result exported = Cli({"export", (dir / "vrf" / "rec.vrf").string()}, dir);
    ASSERT_EQ(exported.status, 0) << exported.err;
    ASSERT_EQ(ReadAll(dir / "vrf" / "rec.wav").size(), 2092u);
    EXPECT_EQ(ReadAll(dir / "vrf" / "rec.wav"), ReadAll(fs::path(GetAppDir()) / "InportThis.wav"));
}

TEST_F(CliFixture, BatchWritesTheGoodOnesAndNamesTheBadOne)
{
    WriteFile((dir / "a.wav").string(), MakeWave(std::vector<std::int16_t>(256, 512)));
    WriteFile((dir / "b.wav").string(), MakeWave({1, 2}));
    TWaveLayout stereo;
    stereo.channels = 2;
    WriteFile((dir / "c.wav").string(), MakeWave(std::vector<std::int16_t>(256, 5), stereo));
    WriteFile((dir / "d.wav").string(), MakeWave(std::vector<std::int16_t>(300, -512)));
    const Result r = Cli({"import", (dir / "a.wav").string(), (dir / "b.wav").string(), (dir / "c.wav").string(),
                          (dir / "missing.wav").string(), (dir / "d.wav").string(), "-d", (dir / "out").string()},
                         dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find((dir / "b.wav").string() + ": 異常なデータです."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find((dir / "c.wav").string() + ": サポート外のフォーマットです."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("は開けません"), std::string::npos) << r.err;
    std::set<std::string> written;
    for (auto& e : fs::directory_iterator(dir / "out")) written.insert(e.path().filename().string());
    EXPECT_EQ(written, (std::set<std::string>{"a.vrf", "d.vrf"})) << "nothing for a refused file, no partial file";
    EXPECT_EQ(ReadAll(dir / "out" / "a.vrf"), std::vector<std::uint8_t>(256, 2));
}

TEST_F(CliFixture, RenderedPicturesAreTheWindowsPixels)
{
    for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>((k * 53) % 256 - 128);
    const fs::path in = SaveVrf("w.vrf");
    form->ScrollBar1->setValue(77);
    form->PlayPreview();
    ASSERT_EQ(Cli({"render", in.string(), "--view", (dir / "v.png").string(), "--scroll", "77"}, dir).status, 0);
    ASSERT_EQ(Cli({"render", in.string(), "--spectrum", (dir / "s.png").string()}, dir).status, 0);
    const QImage view(QString::fromStdString((dir / "v.png").string()));
    const QImage strip(QString::fromStdString((dir / "s.png").string()));
    EXPECT_EQ(view.convertToFormat(QImage::Format_RGB32), form->Image1->Picture());
    EXPECT_EQ(strip.convertToFormat(QImage::Format_RGB32), form->Image2->Picture());
}

TEST_F(CliFixture, SpectrumListsPowerAndHeight)
{
    for (int k = 0; k < 256; ++k) wave()[k] = static_cast<std::int16_t>(k % 64 * 4 - 128);
    const fs::path in = SaveVrf("w.vrf");
    form->PlayPreview();
    const Result r = Cli({"spectrum", in.string(), "--csv"}, dir);
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "harmonic,power,height");
    const TFFT* fft = TForm1Probe::FFT(*form);
    for (int i = 1; i <= 64; ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        int h = 0, height = 0;
        double power = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%d", &h, &power, &height), 3) << line;
        EXPECT_EQ(h, i);
        EXPECT_EQ(power, fft->Power[i]) << "round trip";
        EXPECT_EQ(height, spectrumview::BarHeight(fft->Power[i]));
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(CliFixture, UsageErrorsAndOwnInputsAreRefused)
{
    const fs::path in = SaveVrf("w.vrf");
    const auto before = ReadAll(in);
    struct Case { std::vector<std::string> args; int status; };
    const Case cases[] = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"export"}, 2},
        {{"export", in.string(), "-o", in.string()}, 2},
        {{"export", in.string(), in.string(), "-o", (dir / "x.wav").string()}, 2},
        {{"preview", in.string(), "-o", (dir / "x.wav").string(), "--volume", "101"}, 2},
        {{"render", in.string(), "--view", (dir / "x.png").string(), "--scroll", "129"}, 2},
        {{"render", in.string()}, 2},
        {{"spectrum", in.string(), "--bogus"}, 2},
        {{"export", "--help"}, 0},
        {{"--help"}, 0},
        {{"export", (dir / "nothing.vrf").string()}, 1},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(Cli(c.args, dir).status, c.status) << joined;
    }
    EXPECT_EQ(ReadAll(in), before);
    EXPECT_FALSE(fs::exists(dir / "x.wav"));
}

}  // namespace
