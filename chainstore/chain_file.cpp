// Saving and loading chains.  A file is the chain's image from its start to the end of its last block;
// bytes after that are free space and are not saved.  Loading refuses any image whose blocks do not
// lead exactly from the first to the named last block, so a damaged file never yields a chain that
// navigation would follow out of its memory.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "chainstore/chain_format.h"
#include "chainstore/chain_memory.h"
#include "chainstore/chainstore.h"
#include "raster/safe_file.h"

using namespace chainstore;

namespace {

bool Save(const unsigned char* chain, const char* path)
{
    const size_t end = BytesInUse(chain);
    if (end > ChainCapacity(chain))
        return false;
    unsigned char header[kHeaderSize] = {};
    std::memcpy(header, chain, kReservedAt);  // user values and magic
    Store32(header + kLastAt, LastOffset(chain));
    // The previous file is replaced only once the new one is complete.
    SafeFile file;
    if (!file.Open(path))
        return false;
    file.Write(header, sizeof header);
    file.Write(chain + kHeaderSize, end - kHeaderSize);
    return file.Commit();
}

unsigned char* Load(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return nullptr;
    const long size = std::ftell(file);
    if (size < long(kHeaderSize) || std::fseek(file, 0, SEEK_SET) != 0)
        return nullptr;
    unsigned char header[kHeaderSize];
    if (std::fread(header, 1, sizeof header, file) != sizeof header || Load16(header + kMagicAt) != kMagic)
        return nullptr;
    const uint32_t last = LastOffset(header);
    if (last != 0 && (last < kHeaderSize || size_t(last) > size_t(size) - kBlockHeaderSize))
        return nullptr;
    unsigned char* chain = ChainAllocate(size_t(size));
    if (!chain)
        return nullptr;
    std::memcpy(chain, header, kReservedAt);
    Store32(chain + kLastAt, last);
    const size_t rest = size_t(size) - kHeaderSize;
    if (std::fread(chain + kHeaderSize, 1, rest, file) != rest || !ChainImageWalkable(chain, size_t(size))) {
        ChainRelease(chain);
        return nullptr;
    }
    return chain;
}

}  // namespace

extern "C" {

int PT_CALL PT_WriteBlockLink(unsigned char* chain, const char* path)
{
    if (!chain || !path)
        return 0;
    try {
        return Save(chain, path) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

unsigned char* PT_CALL PT_ReadBlockLink(const char* path)
{
    if (!path)
        return nullptr;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return nullptr;
    unsigned char* chain = Load(file);
    std::fclose(file);
    return chain;
}

}  // extern "C"
