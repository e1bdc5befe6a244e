// Files for tests: a private temporary folder, whole-file reads, and real
// write failures that hold for root too.
#pragma once

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

struct TTempDir {
    std::filesystem::path path;
    explicit TTempDir(const std::string& tag)
        : path(std::filesystem::temp_directory_path() / ("morlix-" + tag + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TTempDir() { std::filesystem::remove_all(path); }
    std::string operator()(const std::string& name) const { return (path / name).string(); }
    int Entries() const
    {
        int n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(path)) ++n;
        return n;
    }
};

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Runs `body` with the file-size limit at `bytes` (SIGXFSZ ignored), so a
// write past it fails the way a full disk would.
template <typename F>
void WithFileSizeLimit(rlim_t bytes, F body)
{
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto* handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
    body();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
}
