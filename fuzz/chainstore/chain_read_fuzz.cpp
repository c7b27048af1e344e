// Arbitrary bytes as a chain file: whatever PT_ReadBlockLink accepts must walk from first to last and
// back over the same blocks, stay walkable through deletes, cuts and appends steered by the input,
// and save to a file that is exactly its image.  Any broken promise aborts.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "chainstore/chainstore.h"

namespace {

void Require(bool ok)
{
    if (!ok)
        std::abort();
}

// One scratch file per process, removed when the process ends.
const std::string& ScratchPath()
{
    static const struct Scratch {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("chainstore_fuzz_" + std::to_string(getpid()) + ".tur"))
                               .string();
        ~Scratch() { std::remove(path.c_str()); }
    } scratch;
    return scratch.path;
}

uint32_t LastOffset(const unsigned char* chain)
{
    return uint32_t(chain[8] | chain[9] << 8 | chain[10] << 16) | uint32_t(chain[11]) << 24;
}

// Every type and payload byte of a block, folded into one number.
unsigned Digest(unsigned char* block)
{
    const unsigned length = PT_GetDataBlockSize(block);
    Require(length >= 6);
    unsigned sum = PT_GetDataTypeFromBlk(block) + length * 131u;
    const unsigned char* payload = PT_GetDataFromBlk(block);
    for (unsigned i = 0; i + 6 < length; ++i)
        sum = sum * 31u + payload[i];
    return sum;
}

// Walks both ways, reading every block, and returns the blocks in order; both walks must meet the same
// blocks with the same contents.
std::vector<unsigned char*> CheckedWalk(unsigned char* chain, size_t limit)
{
    std::vector<unsigned char*> blocks;
    unsigned forward = 0, backward = 0;
    for (unsigned char* b = PT_GetFstBlk(chain); b; b = PT_GetNxtBlk(chain, b)) {
        Require(blocks.size() < limit);
        forward += Digest(b);
        blocks.push_back(b);
    }
    Require(blocks.empty() ? PT_GetLstBlk(chain) == nullptr : PT_GetLstBlk(chain) == blocks.back());
    size_t back = blocks.size();
    for (unsigned char* b = PT_GetLstBlk(chain); b; b = PT_GetPreBlk(chain, b)) {
        Require(back > 0 && blocks[--back] == b);
        backward += Digest(b);
    }
    Require(back == 0 && forward == backward);
    return blocks;
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = ScratchPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    unsigned char* chain = PT_ReadBlockLink(path.c_str());
    if (!chain)
        return 0;
    // A block is at least 6 bytes, so a walk longer than this has left the chain.
    const size_t limit = size / 6 + 64;
    std::vector<unsigned char*> blocks = CheckedWalk(chain, limit);

    // The first bytes of the input double as an edit script.
    for (size_t step = 0; step < 12 && step < size; ++step) {
        const uint8_t op = data[step];
        const size_t pick = blocks.empty() ? 0 : (op >> 2) % blocks.size();
        switch (op & 3) {
        case 0:
            Require(PT_DeleteBlock(chain, blocks.empty() ? PT_GetFstBlk(chain) : blocks[pick]) ==
                    (blocks.empty() ? 0 : 1));
            break;
        case 1:
            if (!blocks.empty())
                Require(PT_SetLstBlk(chain, blocks[pick]) == chain);
            break;
        default: {
            const int payload = (op & 2) && (op & 0x80) ? 65529 : op * 37;
            unsigned char* grown = PT_AppendBlock(chain, op, payload);
            if (!grown)
                break;
            chain = grown;
            Require(PT_GetDataBlockSize(PT_GetLstBlk(chain)) == payload + 6);
            std::memset(PT_GetDataFromBlk(PT_GetLstBlk(chain)), op, size_t(payload));
            break;
        }
        }
        blocks = CheckedWalk(chain, limit + 12);
    }

    // Saved, the chain is its own image up to the end of its last block.
    Require(PT_WriteBlockLink(chain, path.c_str()) == 1);
    const size_t used = blocks.empty() ? 12 : LastOffset(chain) + PT_GetDataBlockSize(blocks.back());
    std::vector<uint8_t> image(chain, chain + used);
    Require(FileBytes(path) == image);
    PT_FreeBlockLink(chain);

    unsigned char* again = PT_ReadBlockLink(path.c_str());
    Require(again != nullptr);
    Require(CheckedWalk(again, limit + 12).size() == blocks.size());
    PT_FreeBlockLink(again);
    return 0;
}
