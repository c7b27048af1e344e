#include "tests/chainstore/chain_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace {

BlockSeen See(unsigned char* chain, unsigned char* block)
{
    return {size_t(block - chain), PT_GetDataTypeFromBlk(block), PT_GetDataBlockSize(block),
            block[4] | block[5] << 8};
}

}  // namespace

std::vector<BlockSeen> WalkForward(unsigned char* chain, size_t limit)
{
    std::vector<BlockSeen> seen;
    for (unsigned char* b = PT_GetFstBlk(chain); b; b = PT_GetNxtBlk(chain, b)) {
        if (seen.size() == limit) {
            ADD_FAILURE() << "forward walk does not end";
            break;
        }
        seen.push_back(See(chain, b));
    }
    return seen;
}

std::vector<BlockSeen> WalkBackward(unsigned char* chain, size_t limit)
{
    std::vector<BlockSeen> seen;
    for (unsigned char* b = PT_GetLstBlk(chain); b; b = PT_GetPreBlk(chain, b)) {
        if (seen.size() == limit) {
            ADD_FAILURE() << "backward walk does not end";
            break;
        }
        seen.push_back(See(chain, b));
    }
    std::reverse(seen.begin(), seen.end());
    return seen;
}

unsigned char* AppendPattern(unsigned char* chain, int type, int size, uint8_t seed)
{
    unsigned char* grown = PT_AppendBlock(chain, type, size);
    if (grown) {
        unsigned char* payload = PT_GetDataFromBlk(PT_GetLstBlk(grown));
        for (int i = 0; i < size; ++i)
            payload[i] = uint8_t(seed + i);
    }
    return grown;
}

bool HasPattern(unsigned char* block, uint8_t seed)
{
    const unsigned char* payload = PT_GetDataFromBlk(block);
    const int size = PT_GetDataBlockSize(block) - 6;
    for (int i = 0; i < size; ++i)
        if (payload[i] != uint8_t(seed + i))
            return false;
    return true;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TempFolder::TempFolder()
{
    std::random_device random;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("chainstore_") + (test ? test->name() : "test") + "_" +
                             std::to_string(random()) + std::to_string(random());
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
