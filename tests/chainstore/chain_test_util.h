// Helpers shared by the chain tests: walking a chain both ways through the public functions, building
// chains with recognisable payloads, and files in a private temporary folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "chainstore/chainstore.h"

struct BlockSeen {
    size_t offset;  // from the chain's start
    int type;
    int length;    // the whole block, header included
    int previous;  // the stored length of the block before it
    bool operator==(const BlockSeen&) const = default;
};

// Every block from first to last, stopping (and failing the test) after `limit` steps.
std::vector<BlockSeen> WalkForward(unsigned char* chain, size_t limit = 1u << 22);
// Every block from last to first, reported in chain order so it compares with WalkForward.
std::vector<BlockSeen> WalkBackward(unsigned char* chain, size_t limit = 1u << 22);

// Appends a block whose payload bytes are (seed + i) & 0xFF; returns the new chain or null.
unsigned char* AppendPattern(unsigned char* chain, int type, int size, uint8_t seed);
// True when the block's payload still holds the pattern AppendPattern wrote.
bool HasPattern(unsigned char* block, uint8_t seed);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A folder of its own for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};
