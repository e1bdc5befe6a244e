// morlix-cli: the editor's engine for whole folders of waveforms. Every file
// it writes is byte for byte what the editor writes for the same waveform.
#include "app/PreviewU.h"
#include "app/SpectrumViewU.h"
#include "app/WaveViewU.h"
#include "dsp/SplineU.h"
#include "dsp/fftU.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/SoundService.h"
#include "wave/ReadWaveU.h"
#include "wave/VrfFileU.h"
#include "wave/writewaveU.h"

#include <QBuffer>
#include <QImage>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kOk = 0, kRefused = 1, kUsage = 2;

const char* const kHelp =
    "usage: morlix-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  export    IN.vrf... [-o OUT.wav | -d DIR]   the 1024-sample file a preview writes as InportThis.wav\n"
    "  preview   IN.vrf -o OUT.wav [--volume N]    the one-second image the preview plays (N 0..100, 80)\n"
    "  import    IN.wav... [-o OUT.vrf | -d DIR]   a WAVE file imported as the window does, saved as VRF\n"
    "  spectrum  IN.vrf [--csv]                    harmonic, power and bar height of harmonics 1..64\n"
    "  render    IN.vrf --view OUT.png [--scroll P] | --spectrum OUT.png\n"
    "  play      IN.vrf [--volume N]               plays the preview second and waits for its end\n"
    "\n"
    "'morlix-cli COMMAND --help' tells more. Exit status: 0 done, 1 an input was refused, 2 usage error.\n";

const std::map<std::string, std::string> kCommandHelp = {
    {"export",
     "usage: morlix-cli export IN.vrf... [-o OUT.wav | -d DIR] [--quiet]\n"
     "Writes the 2092-byte WAVE file (1024 samples, 44100 Hz, 16 bits, mono) that a preview of the\n"
     "waveform writes as InportThis.wav. -o names the file for one input; -d writes DIR/NAME.wav for\n"
     "each; without either, NAME.wav goes beside each input.\n"},
    {"preview",
     "usage: morlix-cli preview IN.vrf -o OUT.wav [--volume N]\n"
     "Writes the one-second 44100 Hz preview image exactly as it is played, at volume N (0..100, 80).\n"},
    {"import",
     "usage: morlix-cli import IN.wav... [-o OUT.vrf | -d DIR] [--quiet]\n"
     "Imports mono 16-bit PCM WAVE files as the window's import does and saves each as a VRF file.\n"
     "A refused file is named with its message, gets no output, and makes the exit status 1.\n"},
    {"spectrum",
     "usage: morlix-cli spectrum IN.vrf [--csv]\n"
     "Prints harmonic number, power and bar height for harmonics 1..64 of the previewed sound.\n"},
    {"render",
     "usage: morlix-cli render IN.vrf --view OUT.png [--scroll P]\n"
     "       morlix-cli render IN.vrf --spectrum OUT.png\n"
     "Draws the wave view (513 x 257, scroll position P 0..128) or the spectrum strip (513 x 97) as a PNG.\n"},
    {"play",
     "usage: morlix-cli play IN.vrf [--volume N]\n"
     "Plays the preview second through the sound service and waits until it has played.\n"},
};

struct UsageError {
    std::string message;
};

struct Args {
    std::vector<std::string> inputs;
    std::map<std::string, std::string> options;  // "-o", "-d", "--volume", ...
    std::set<std::string> flags;                  // "--csv", "--quiet", "--help"
};

Args Parse(int argc, char** argv, const std::set<std::string>& valued, const std::set<std::string>& flags)
{
    Args a;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (valued.count(arg)) {
            if (i + 1 >= argc) throw UsageError{arg + " needs a value"};
            if (a.options.count(arg)) throw UsageError{arg + " given twice"};
            a.options[arg] = argv[++i];
        } else if (flags.count(arg) || arg == "--help" || arg == "-h") {
            a.flags.insert(arg == "-h" ? "--help" : arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else {
            a.inputs.push_back(arg);
        }
    }
    return a;
}

int Number(const Args& a, const std::string& option, int fallback, int lo, int hi)
{
    const auto it = a.options.find(option);
    if (it == a.options.end()) return fallback;
    int v = 0;
    const auto [end, ec] = std::from_chars(it->second.data(), it->second.data() + it->second.size(), v);
    if (ec != std::errc() || end != it->second.data() + it->second.size() || v < lo || v > hi)
        throw UsageError{option + " takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi)};
    return v;
}

void Warn(const std::string& text) { std::fprintf(stderr, "morlix-cli: %s\n", text.c_str()); }

// A file that exists and is the same as one of the inputs.
bool IsOneOf(const fs::path& out, const std::vector<std::string>& inputs)
{
    std::error_code ec;
    for (const std::string& in : inputs)
        if (fs::equivalent(out, in, ec)) return true;
    return false;
}

// Where each input's output goes: -o for one input, -d DIR/NAME.ext, or
// beside the input. Refuses collisions and outputs that are inputs.
std::vector<fs::path> Outputs(const Args& a, const std::string& ext)
{
    if (a.inputs.empty()) throw UsageError{"no input file"};
    const bool hasO = a.options.count("-o"), hasD = a.options.count("-d");
    if (hasO && hasD) throw UsageError{"-o and -d cannot go together"};
    if (hasO && a.inputs.size() != 1) throw UsageError{"-o takes one input; use -d for several"};
    std::vector<fs::path> outs;
    for (const std::string& in : a.inputs) {
        fs::path name = fs::path(in).filename().replace_extension(ext);
        if (hasO)
            outs.emplace_back(a.options.at("-o"));
        else if (hasD)
            outs.push_back(fs::path(a.options.at("-d")) / name);
        else
            outs.push_back(fs::path(in).replace_extension(ext));
    }
    if (hasD) {
        std::error_code ec;
        fs::create_directories(a.options.at("-d"), ec);
        if (ec) throw UsageError{"cannot make the folder " + a.options.at("-d") + ": " + ec.message()};
    }
    std::set<fs::path> seen;
    for (const fs::path& out : outs) {
        if (!seen.insert(fs::absolute(out).lexically_normal()).second)
            throw UsageError{"two inputs would both write " + out.string()};
        if (IsOneOf(out, a.inputs)) throw UsageError{"refusing to write over the input " + out.string()};
    }
    return outs;
}

class Progress {
public:
    Progress(std::size_t total, bool quiet) : FTotal(total), FOn(!quiet && total > 1 && ::isatty(2)) {}
    ~Progress()
    {
        if (FOn) std::fputs("\n", stderr);
    }
    void Step(std::size_t done, const std::string& name)
    {
        if (FOn) std::fprintf(stderr, "\r[%zu/%zu] %s\033[K", done, FTotal, name.c_str());
    }

private:
    std::size_t FTotal;
    bool FOn;
};

// The waveform of a VRF file, or nothing after saying why.
std::optional<std::vector<std::int16_t>> LoadVrf(const std::string& in)
{
    std::vector<std::int16_t> wave(256);
    try {
        if (vrf::Load(in, wave.data())) return wave;
        Warn(in + ": 不正なVRFファイルです");
    } catch (const Exception& e) {
        Warn(in + ": " + e.what());
    }
    return std::nullopt;
}

// What a preview of the waveform puts into the writer and FSound.
struct Previewed {
    std::int32_t sound[preview::kSoundValues];
    TWriteWave writer;
};

std::unique_ptr<Previewed> Preview(const std::vector<std::int16_t>& wave)
{
    auto p = std::make_unique<Previewed>();
    TSpline spline;
    preview::InterpolateWave(spline, wave.data(), p->sound);
    for (int i = 0; i < preview::kSoundValues; ++i)
        p->writer.SetSample(static_cast<std::int16_t>(i), static_cast<std::int16_t>(p->sound[i]));
    return p;
}

std::vector<std::uint8_t> PreviewImage(const std::vector<std::int16_t>& wave, int volume)
{
    auto p = Preview(wave);
    p->writer.Volume = static_cast<std::int16_t>(volume);
    std::vector<std::uint8_t> block(1);
    p->writer.MakePreview(block);
    return block;
}

// Runs one output step and reports its failure; false when it failed.
template <typename F>
bool Write(const fs::path& out, F write)
{
    try {
        write(out.string());
        return true;
    } catch (const std::exception& e) {
        Warn(out.string() + ": " + e.what());
        return false;
    }
}

int Export(const Args& a)
{
    const auto outs = Outputs(a, ".wav");
    Progress progress(a.inputs.size(), a.flags.count("--quiet"));
    int status = kOk;
    for (std::size_t i = 0; i < a.inputs.size(); ++i) {
        progress.Step(i + 1, a.inputs[i]);
        const auto wave = LoadVrf(a.inputs[i]);
        if (!wave || !Write(outs[i], [&](const std::string& path) { Preview(*wave)->writer.SaveToFile(path); }))
            status = kRefused;
    }
    return status;
}

int PreviewCommand(const Args& a)
{
    if (a.inputs.size() != 1 || !a.options.count("-o")) throw UsageError{"preview takes one IN.vrf and -o OUT.wav"};
    if (a.options.count("-d")) throw UsageError{"preview writes one file: -o OUT.wav"};
    const int volume = Number(a, "--volume", 80, 0, 100);
    const auto outs = Outputs(a, ".wav");
    const auto wave = LoadVrf(a.inputs[0]);
    if (!wave) return kRefused;
    const auto image = PreviewImage(*wave, volume);
    return Write(outs[0], [&](const std::string& path) { WriteFileAtomically(path, image.data(), image.size()); })
               ? kOk
               : kRefused;
}

int Import(const Args& a)
{
    const auto outs = Outputs(a, ".vrf");
    Progress progress(a.inputs.size(), a.flags.count("--quiet"));
    int status = kOk;
    for (std::size_t i = 0; i < a.inputs.size(); ++i) {
        const std::string& in = a.inputs[i];
        progress.Step(i + 1, in);
        try {
            TReadWave reader([&](const std::string& text) { Warn(in + ": " + text); });
            if (!reader.LoadFromFile(in)) {
                status = kRefused;
                continue;
            }
            std::int32_t values[256];
            reader.GetWave(values);
            std::int16_t wave[256];
            for (int k = 0; k < 256; ++k) wave[k] = SampleFromResampled(values[k]);
            if (!Write(outs[i], [&](const std::string& path) { vrf::Save(path, wave); })) status = kRefused;
        } catch (const std::bad_alloc&) {
            Warn(in + ": メモリが不足しています");
            status = kRefused;
        } catch (const Exception& e) {
            Warn(in + ": " + e.what());
            status = kRefused;
        }
    }
    return status;
}

std::string Shortest(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

int Spectrum(const Args& a)
{
    if (a.inputs.size() != 1) throw UsageError{"spectrum takes one IN.vrf"};
    const auto wave = LoadVrf(a.inputs[0]);
    if (!wave) return kRefused;
    const auto p = Preview(*wave);
    auto fft = std::make_unique<TFFT>();
    spectrumview::Analyse(*fft, p->sound);
    const bool csv = a.flags.count("--csv");
    if (csv) std::puts("harmonic,power,height");
    for (int i = 0; i < spectrumview::kBars; ++i) {
        const double power = fft->Power[i + 1];
        std::printf(csv ? "%d,%s,%d\n" : "%d\t%s\t%d\n", i + 1, Shortest(power).c_str(), spectrumview::BarHeight(power));
    }
    return kOk;
}

// A picture of the window's size that starts white, as the window's do.
QImage WhitePicture(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool SavePng(const QImage& img, const fs::path& out)
{
    return Write(out, [&](const std::string& path) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!img.save(&buffer, "PNG")) throw Exception("PNG encoding failed");
        WriteFileAtomically(path, png.constData(), static_cast<std::size_t>(png.size()));
    });
}

int Render(const Args& a)
{
    if (a.inputs.size() != 1) throw UsageError{"render takes one IN.vrf"};
    const bool view = a.options.count("--view"), strip = a.options.count("--spectrum");
    if (view == strip) throw UsageError{"render takes --view OUT.png or --spectrum OUT.png"};
    if (strip && a.options.count("--scroll")) throw UsageError{"--scroll goes with --view"};
    const int scroll = Number(a, "--scroll", 0, 0, waveview::kMaxScroll);
    const fs::path out = a.options.at(view ? "--view" : "--spectrum");
    if (IsOneOf(out, a.inputs)) throw UsageError{"refusing to write over the input " + out.string()};
    const auto wave = LoadVrf(a.inputs[0]);
    if (!wave) return kRefused;
    if (view) {
        QImage img = WhitePicture(513, 257);
        TCanvas canvas(img);
        waveview::Draw(canvas, wave->data(), scroll);
        return SavePng(img, out) ? kOk : kRefused;
    }
    const auto p = Preview(*wave);
    auto fft = std::make_unique<TFFT>();
    QImage img = WhitePicture(513, 97);
    TCanvas canvas(img);
    spectrumview::Draw(canvas, *fft, p->sound, true);
    return SavePng(img, out) ? kOk : kRefused;
}

int Play(const Args& a)
{
    if (a.inputs.size() != 1) throw UsageError{"play takes one IN.vrf"};
    const int volume = Number(a, "--volume", 80, 0, 100);
    const auto wave = LoadVrf(a.inputs[0]);
    if (!wave) return kRefused;
    const auto image = PreviewImage(*wave, volume);
    TSoundService& sound = SoundService();
    if (!sound.PlayAsync(image.data(), image.size())) {
        Warn("no sound device could play the preview");
        return kRefused;
    }
    while (sound.QueuedBytes() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the device's own buffer
    sound.Shutdown();
    return kOk;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        std::fputs(kHelp, argc < 2 ? stderr : stdout);
        return argc < 2 ? kUsage : kOk;
    }
    const std::string command = argv[1];
    struct Grammar { std::set<std::string> valued, flags; int (*run)(const Args&); };
    const std::map<std::string, Grammar> commands = {
        {"export", {{"-o", "-d"}, {"--quiet"}, Export}},
        {"preview", {{"-o", "--volume"}, {}, PreviewCommand}},
        {"import", {{"-o", "-d"}, {"--quiet"}, Import}},
        {"spectrum", {{}, {"--csv"}, Spectrum}},
        {"render", {{"--view", "--spectrum", "--scroll"}, {}, Render}},
        {"play", {{"--volume"}, {}, Play}},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        Warn("unknown command " + command + " (see morlix-cli --help)");
        return kUsage;
    }
    try {
        const Args a = Parse(argc, argv, it->second.valued, it->second.flags);
        if (a.flags.count("--help")) {
            std::fputs(kCommandHelp.at(command).c_str(), stdout);
            return kOk;
        }
        return it->second.run(a);
    } catch (const UsageError& e) {
        Warn(e.message);
        std::fputs(kCommandHelp.at(command).c_str(), stderr);
        return kUsage;
    }
}
