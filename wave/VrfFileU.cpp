#include "VrfFileU.h"

#include "platform/Files.h"

namespace vrf {

bool Load(const std::string& fileName, std::int16_t* wave)
{
    TReadFile file(fileName);
    if (file.Size() != kSize) return false;
    std::uint8_t bytes[kSize];
    file.ReadExactly(bytes, kSize);
    for (int i = 0; i < kSize; ++i) wave[i] = static_cast<std::int8_t>(bytes[i]);
    return true;
}

void Save(const std::string& fileName, const std::int16_t* wave)
{
    std::uint8_t bytes[kSize];
    for (int i = 0; i < kSize; ++i) bytes[i] = static_cast<std::uint8_t>(wave[i] & 0xFF);
    WriteFileAtomically(fileName, bytes, kSize);
}

std::string ForceExtension(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return fileName.substr(0, dot) + ".vrf";
    return fileName + ".vrf";
}

}  // namespace vrf
