// The VRF waveform file: exactly 256 bytes, byte i = sample i as a signed
// byte, nothing else.
#pragma once

#include <cstdint>
#include <string>

namespace vrf {

constexpr int kSize = 256;

// Reads the whole file before anything is stored: `wave` is written only when
// all 256 bytes came. Returns false, leaving `wave` alone, when the file is
// not exactly 256 bytes. Throws EFOpenError when it cannot be opened and
// EInOutError when reading fails or comes up short.
bool Load(const std::string& fileName, std::int16_t* wave);

// Replaces the file atomically with the low byte of each sample. Throws
// EFCreateError naming the file when it cannot be created, EInOutError when
// writing fails; the old file then stays as it was.
void Save(const std::string& fileName, const std::int16_t* wave);

// The last "." after the last "/" and all after it become ".vrf"; with no
// such dot, ".vrf" is appended.
std::string ForceExtension(const std::string& fileName);

}  // namespace vrf
