#include "updater/cabinet_check.h"

namespace updater {

static std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

static std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool CabinetIsComplete(const unsigned char* header, std::size_t headerSize, std::uint64_t fileSize)
{
    if (!header || headerSize < kCabinetHeaderSize || fileSize < kCabinetHeaderSize)
        return false;
    if (header[0] != 'M' || header[1] != 'S' || header[2] != 'C' || header[3] != 'F')
        return false;
    const std::uint32_t cabinetSize = Le32(header + 8);
    const unsigned char versionMinor = header[24], versionMajor = header[25];
    const std::uint16_t folders = Le16(header + 26), files = Le16(header + 28);
    return cabinetSize == fileSize && versionMajor == 1 && versionMinor == 3 && folders > 0 && files > 0;
}

}  // namespace updater
