// libFuzzer target: any bytes as a file handed to the WAVE import. The file
// lives in memory (memfd) and is opened by name, the way the window opens it.
#include "platform/Exceptions.h"
#include "wave/ReadWaveU.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::memfd_create("morlix-fuzz.wav", MFD_CLOEXEC);
    if (fd < 0) std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    TReadWave reader([](const std::string& text) {
        if (text != "異常なデータです." && text != "サポート外のフォーマットです.") std::abort();
    });
    try {
        if (reader.LoadFromFile("/proc/self/fd/" + std::to_string(fd))) {
            std::int32_t wave[256];
            reader.GetWave(wave);
            for (std::int32_t v : wave)
                if (v < -32768 || v > 32767) std::abort();
        }
    } catch (const Exception&) {
    }
    ::close(fd);
    return 0;
}
