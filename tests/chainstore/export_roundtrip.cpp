#include "tests/chainstore/export_roundtrip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

template <class F>
void Bind(F& slot, const char* name, const std::function<void*(const char*)>& find,
          std::vector<std::string>& missing)
{
    void* address = find(name);
    if (!address)
        missing.push_back(name);
    slot = reinterpret_cast<F>(address);
}

}  // namespace

const std::vector<std::string>& ChainExportNames()
{
    static const std::vector<std::string> names = {
        "PT_AllocBlockLink", "PT_AppendBlock",    "PT_DeleteBlock",   "PT_FreeBlockLink",
        "PT_GetDataBlockSize", "PT_GetDataFromBlk", "PT_GetDataTypeFromBlk", "PT_GetFstBlk",
        "PT_GetLstBlk",      "PT_GetNxtBlk",      "PT_GetPreBlk",     "PT_ReadBlockLink",
        "PT_SetLstBlk",      "PT_WriteBlockLink",
    };
    return names;
}

std::vector<std::string> ResolveChainExports(ChainExports& e, const std::function<void*(const char*)>& find)
{
    std::vector<std::string> missing;
    Bind(e.alloc, "PT_AllocBlockLink", find, missing);
    Bind(e.free, "PT_FreeBlockLink", find, missing);
    Bind(e.append, "PT_AppendBlock", find, missing);
    Bind(e.remove, "PT_DeleteBlock", find, missing);
    Bind(e.first, "PT_GetFstBlk", find, missing);
    Bind(e.last, "PT_GetLstBlk", find, missing);
    Bind(e.next, "PT_GetNxtBlk", find, missing);
    Bind(e.previous, "PT_GetPreBlk", find, missing);
    Bind(e.set_last, "PT_SetLstBlk", find, missing);
    Bind(e.type, "PT_GetDataTypeFromBlk", find, missing);
    Bind(e.size, "PT_GetDataBlockSize", find, missing);
    Bind(e.data, "PT_GetDataFromBlk", find, missing);
    Bind(e.write, "PT_WriteBlockLink", find, missing);
    Bind(e.read, "PT_ReadBlockLink", find, missing);
    return missing;
}

void RoundTripThroughExports(const ChainExports& e, const std::string& path)
{
    // Types 10..14 with payloads of 0, 1000, 2000, 3000, 4000 bytes (growing the chain past its first
    // 1,024 bytes), then type 99, which is cut off again and deleted type 11: 10, 12, 13, 14 remain.
    unsigned char* chain = e.alloc(1024, 768);
    ASSERT_NE(chain, nullptr);
    for (int i = 0; i < 5; ++i) {
        unsigned char* grown = e.append(chain, 10 + i, 1000 * i);
        ASSERT_NE(grown, nullptr);
        chain = grown;
        unsigned char* payload = e.data(e.last(chain));
        for (int k = 0; k < 1000 * i; ++k)
            payload[k] = uint8_t(i * 31 + k);
    }
    const ptrdiff_t keep = e.last(chain) - chain;
    ASSERT_NE(chain = e.append(chain, 99, 10), nullptr);
    EXPECT_EQ(e.set_last(chain, chain + keep), chain);
    EXPECT_EQ(e.remove(chain, e.next(chain, e.first(chain))), 1);
    EXPECT_EQ(e.write(chain, path.c_str()), 1);
    e.free(chain);

    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const size_t expected_size = 12 + 6 + 2006 + 3006 + 4006;
    ASSERT_EQ(file.size(), expected_size);
    EXPECT_EQ(file[0] | file[1] << 8, 1024);
    EXPECT_EQ(file[2] | file[3] << 8, 768);
    EXPECT_EQ(file[4] | file[5] << 8, 0x2888);
    EXPECT_EQ(size_t(file[8] | file[9] << 8 | file[10] << 16), expected_size - 4006);

    chain = e.read(path.c_str());
    ASSERT_NE(chain, nullptr);
    const int types[] = {10, 12, 13, 14};
    int seen = 0;
    for (unsigned char* b = e.first(chain); b; b = e.next(chain, b), ++seen) {
        ASSERT_LT(seen, 4);
        const int i = types[seen] - 10;
        EXPECT_EQ(e.type(b), types[seen]);
        EXPECT_EQ(e.size(b), 1000 * i + 6);
        const unsigned char* payload = e.data(b);
        for (int k = 0; k < 1000 * i; ++k)
            ASSERT_EQ(payload[k], uint8_t(i * 31 + k)) << "block " << seen << " byte " << k;
    }
    EXPECT_EQ(seen, 4);
    for (unsigned char* b = e.last(chain); b; b = e.previous(chain, b))
        --seen;
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(e.type(nullptr), 255);
    EXPECT_EQ(e.size(nullptr), 0);
    e.free(chain);
    std::remove(path.c_str());
}
