#include "SoundService.h"

#include <SDL.h>

#include <cstring>

namespace {
std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
}  // namespace

TSoundService& SoundService()
{
    static TSoundService service;
    return service;
}

TSoundService::~TSoundService() { Shutdown(); }

void TSoundService::Shutdown()
{
    Close();
    if (FSubsystemUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    FSubsystemUp = false;
}

void TSoundService::Close()
{
    if (FDevice) SDL_CloseAudioDevice(FDevice);
    FDevice = 0;
}

bool TSoundService::OpenFor(int rate, int channels)
{
    if (FDevice && rate == FRate && channels == FChannels) return true;
    Close();
    if (!FSubsystemUp) {
        // SIGINT and SIGTERM must still end the program.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        FSubsystemUp = true;
    }
    SDL_AudioSpec want {};
    want.freq = rate;
    want.format = AUDIO_S16LSB;
    want.channels = static_cast<Uint8>(channels);
    want.samples = 512;  // about 12 ms at 44100 Hz
    SDL_AudioSpec have {};
    // The image's own format: SDL converts nothing on the way.
    FDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!FDevice) return false;
    FRate = rate;
    FChannels = channels;
    return true;
}

void TSoundService::Stop()
{
    if (!FDevice) return;
    SDL_PauseAudioDevice(FDevice, 1);
    SDL_ClearQueuedAudio(FDevice);
}

bool TSoundService::PlayAsync(const std::uint8_t* image, std::size_t size)
{
    if (!image || size < 44) return false;
    if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0 ||
        std::memcmp(image + 12, "fmt ", 4) != 0 || std::memcmp(image + 36, "data", 4) != 0)
        return false;
    const unsigned format = Le16(image + 20), channels = Le16(image + 22), bits = Le16(image + 34);
    const std::uint32_t rate = Le32(image + 24);
    std::uint32_t bytes = Le32(image + 40);
    if (format != 1 || bits != 16 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000)
        return false;
    if (bytes > size - 44) bytes = static_cast<std::uint32_t>(size - 44);
    if (!OpenFor(static_cast<int>(rate), static_cast<int>(channels))) return false;
    Stop();
    if (SDL_QueueAudio(FDevice, image + 44, bytes) != 0) return false;
    SDL_PauseAudioDevice(FDevice, 0);
    return true;
}

std::uint32_t TSoundService::QueuedBytes() const { return FDevice ? SDL_GetQueuedAudioSize(FDevice) : 0; }
