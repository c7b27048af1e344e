// Reading BMP files.  The whole file is read into memory first: its size is real, unlike the sizes
// its headers claim, and everything after the 14-byte file header is checked against it.
#include <cstdio>
#include <cstdlib>

#include "raster/bmp_file.h"
#include "raster/bmp_read_dib.h"

namespace {

// The largest picture with the largest header, masks and colour table; anything bigger is not a BMP.
constexpr uint64_t kMaxFileBytes =
    uint64_t{kMaxBitmapSide} * kMaxBitmapSide * 4 + kBmpFileHeaderSize + 124 + 16 + 256 * 4;

struct FileBytes {
    uint8_t* data = nullptr;
    size_t size = 0;
    ~FileBytes() { std::free(data); }
};

bool ReadWholeFile(const char* path, FileBytes* file)
{
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f)
        return false;
    bool ok = false;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0 && static_cast<uint64_t>(size) <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0) {
            file->size = static_cast<size_t>(size);
            file->data = static_cast<uint8_t*>(std::malloc(file->size));
            ok = file->data && std::fread(file->data, 1, file->size, f) == file->size;
        }
    }
    std::fclose(f);
    return ok;
}

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

Bitmap* ReadBmp(const char* path, DibDepth depth)
{
    FileBytes file;
    if (!ReadWholeFile(path, &file))
        return nullptr;
    return DecodeBmpFile(file.data, file.size, depth);
}

}  // namespace

Bitmap* DecodeBmpFile(const uint8_t* file, size_t size, DibDepth depth)
{
    if (!file || size < kBmpFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return nullptr;
    const uint8_t* dib = file + kBmpFileHeaderSize;
    const size_t dibLength = size - kBmpFileHeaderSize;
    DibFormat format;
    if (!ParseDibHeader(dib, dibLength, &format))
        return nullptr;
    // The pixels start where the file header says, which must be past the header and its masks.
    const uint32_t offset = Get32(file + 10);
    if (offset < kBmpFileHeaderSize + format.tableOffset || offset > size)
        return nullptr;
    return DecodeDib(format, dib, dibLength, file + offset, size - offset, depth);
}

Bitmap* PT_GetBITMAPFile(const char* path) { return ReadBmp(path, DibDepth::AsStored); }

Bitmap* GetICALPHAFile(const char* path) { return ReadBmp(path, DibDepth::Rgba); }
