// Plays a WAVE image held in memory, on SDL's audio subsystem.
//
// Three promises: Stop ends what plays; PlayAsync starts an image and returns
// at once; an image or a device that cannot be played stays silent, with no
// default sound and nothing shown. The image is copied into SDL's queue, so
// the caller's block is never read after PlayAsync returns.
#pragma once

#include <cstddef>
#include <cstdint>

class TSoundService {
public:
    ~TSoundService();

    void Stop();
    // A canonical 44-byte-header mono or stereo 16-bit PCM image; anything
    // else is refused silently. Returns whether it started.
    bool PlayAsync(const std::uint8_t* image, std::size_t size);

    // Bytes still waiting to be played, for callers that wait for the end.
    std::uint32_t QueuedBytes() const;

    // Closes the device and SDL's audio; the next play opens them again.
    void Shutdown();

private:
    bool OpenFor(int rate, int channels);
    void Close();

    std::uint32_t FDevice = 0;
    int FRate = 0;
    int FChannels = 0;
    bool FSubsystemUp = false;
};

// The process's one sound service.
TSoundService& SoundService();
