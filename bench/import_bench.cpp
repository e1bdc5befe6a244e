// Importing a ten-minute 44.1 kHz mono recording: time, and the peak memory
// the import adds, per sample of the file.
#include "wave/ReadWaveU.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <new>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint32_t kSamples = 26460000;  // 10 minutes at 44100 Hz

std::string MakeRecording()
{
    const std::string path = std::filesystem::temp_directory_path() / ("morlix-bench-" + std::to_string(::getpid()) + ".wav");
    std::vector<std::uint8_t> b;
    b.reserve(44 + 2 * std::size_t{kSamples});
    auto put = [&](std::uint32_t v, int bytes) { for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
    auto tag = [&](const char* t) { b.insert(b.end(), t, t + 4); };
    tag("RIFF"); put(36 + 2 * kSamples, 4); tag("WAVE"); tag("fmt "); put(16, 4); put(1, 2); put(1, 2);
    put(44100, 4); put(88200, 4); put(2, 2); put(16, 2); tag("data"); put(2 * kSamples, 4);
    for (std::uint32_t i = 0; i < kSamples; ++i)
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(20000 * std::sin(i * 0.001))), 2);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return path;
}

bool ImportOnce(const std::string& path)
{
    TReadWave reader([](const std::string& m) { std::fprintf(stderr, "refused: %s\n", m.c_str()); });
    return reader.LoadFromFile(path);
}

// The peak resident size of a child that forks from here, in bytes.
long ChildPeak(bool import, const std::string& path)
{
    const pid_t pid = ::fork();
    if (pid == 0) _exit(import && !ImportOnce(path) ? 1 : 0);
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss * 1024L;
}

void Import_TenMinutes(benchmark::State& state)
{
    const std::string path = MakeRecording();
    for (auto _ : state)
        if (!ImportOnce(path)) state.SkipWithError("refused");
    // What the import adds to the process at its peak: a child that imports
    // against one that does not.
    const long peak = ChildPeak(true, path) - ChildPeak(false, path);
    std::filesystem::remove(path);
    state.counters["samples"] = kSamples;
    state.counters["peak_bytes_per_sample"] = static_cast<double>(peak) / kSamples;
}
BENCHMARK(Import_TenMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
