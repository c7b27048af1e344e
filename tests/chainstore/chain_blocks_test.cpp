#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "chainstore/chain_memory.h"
#include "chainstore/chainstore.h"
#include "tests/chainstore/chain_test_util.h"

namespace {

uint16_t U16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const unsigned char* p) { return U16(p) | uint32_t(U16(p + 2)) << 16; }

// A chain of blocks with types 1..n and the given payload sizes, each payload filled with the pattern
// seeded by its type.
unsigned char* ChainOf(const std::vector<int>& sizes)
{
    unsigned char* chain = PT_AllocBlockLink(640, 480);
    for (size_t i = 0; chain && i < sizes.size(); ++i)
        chain = AppendPattern(chain, int(i + 1), sizes[i], uint8_t(i + 1));
    return chain;
}

std::vector<int> TypesOf(const std::vector<BlockSeen>& blocks)
{
    std::vector<int> types;
    for (const auto& b : blocks)
        types.push_back(b.type);
    return types;
}

}  // namespace

TEST(ChainBlocks, NewChainIsAnEmptyHeaderKeepingSixteenBitValues)
{
    struct Case { int value, stored; } cases[] = {{640, 640}, {70000, 4464}, {-1, 0xFFFF}, {0, 0}};
    for (const auto& c : cases) {
        unsigned char* chain = PT_AllocBlockLink(c.value, 480);
        ASSERT_NE(chain, nullptr);
        EXPECT_EQ(U16(chain), c.stored) << c.value;
        EXPECT_EQ(U16(chain + 2), 480);
        EXPECT_EQ(U16(chain + 4), 0x2888);
        EXPECT_EQ(U16(chain + 6), 0);
        EXPECT_EQ(U32(chain + 8), 0u);
        EXPECT_EQ(chainstore::ChainCapacity(chain), 1024u);
        for (size_t i = 12; i < 1024; ++i)
            ASSERT_EQ(chain[i], 0) << i;
        EXPECT_EQ(PT_GetFstBlk(chain), nullptr);
        EXPECT_EQ(PT_GetLstBlk(chain), nullptr);
        PT_FreeBlockLink(chain);
    }
}

TEST(ChainBlocks, BlocksLieBackToBackAndWalkBothWays)
{
    // Sizes cover the empty payload, the largest one and enough bytes to make the chain grow (and
    // usually move) several times while earlier payloads must survive.
    const std::vector<int> sizes = {3, 0, 65529, 1000, 0, 17, 5000, 1};
    unsigned char* chain = ChainOf(sizes);
    ASSERT_NE(chain, nullptr);

    const auto forward = WalkForward(chain);
    ASSERT_EQ(forward.size(), sizes.size());
    size_t offset = 12;
    int previous = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(forward[i], (BlockSeen{offset, int(i + 1), sizes[i] + 6, previous})) << i;
        EXPECT_TRUE(HasPattern(chain + offset, uint8_t(i + 1))) << i;
        offset += size_t(sizes[i]) + 6;
        previous = sizes[i] + 6;
    }
    EXPECT_EQ(WalkBackward(chain), forward);
    EXPECT_EQ(U32(chain + 8), forward.back().offset);
    EXPECT_EQ(PT_GetPreBlk(chain, PT_GetFstBlk(chain)), nullptr);
    EXPECT_EQ(PT_GetNxtBlk(chain, PT_GetLstBlk(chain)), nullptr);
    EXPECT_EQ(PT_GetDataFromBlk(PT_GetFstBlk(chain)), chain + 18);
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, TypeKeepsItsLowEightBits)
{
    unsigned char* chain = PT_AllocBlockLink(1, 1);
    ASSERT_NE(chain = PT_AppendBlock(chain, 0x1FE, 2), nullptr);
    EXPECT_EQ(PT_GetDataTypeFromBlk(PT_GetLstBlk(chain)), 0xFE);
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, GrowthFollowsTheRuleAndZeroFills)
{
    unsigned char* chain = PT_AllocBlockLink(1, 1);
    // A first block larger than the initial area grows it to exactly what that block needs.
    ASSERT_NE(chain = PT_AppendBlock(chain, 1, 2000), nullptr);
    EXPECT_EQ(chainstore::ChainCapacity(chain), 2000u + 12 + 6);
    // Full now, so a small block grows it by the 1,024-byte minimum beyond the bytes in use.
    ASSERT_NE(chain = PT_AppendBlock(chain, 2, 10), nullptr);
    EXPECT_EQ(chainstore::ChainCapacity(chain), 1024u + 2018 + 6);
    // The next one fits without growing.
    ASSERT_NE(chain = PT_AppendBlock(chain, 3, 100), nullptr);
    EXPECT_EQ(chainstore::ChainCapacity(chain), 1024u + 2018 + 6);
    // Every new payload starts zeroed, whether the chain had to move or grew into memory it already had,
    // and its size never runs ahead of the rule however the memory behind it is reserved.
    for (int n = 0; n < 300; ++n) {
        ASSERT_NE(chain = PT_AppendBlock(chain, 4, 100), nullptr);
        unsigned char* payload = PT_GetDataFromBlk(PT_GetLstBlk(chain));
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(payload[i], 0) << n;
        std::memset(payload, 0xEE, 100);
        EXPECT_LE(chainstore::ChainCapacity(chain) - size_t(payload + 100 - chain), 1024u - 100) << n;
    }
    const auto blocks = WalkForward(chain);
    ASSERT_EQ(blocks.size(), 303u);
    for (size_t i = 3; i < blocks.size(); ++i)
        ASSERT_EQ(chain[blocks[i].offset + 6 + 99], 0xEE) << i;
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, RefusedAppendLeavesTheChainAlone)
{
    // 65,536 would be 0 if only its low 16 bits were taken: a block far smaller than the caller's data.
    for (int size : {-1, 65530, 65536, 70000}) {
        unsigned char* chain = ChainOf({5});
        ASSERT_NE(chain, nullptr);
        std::vector<unsigned char> before(chain, chain + 1024);
        EXPECT_EQ(PT_AppendBlock(chain, 9, size), nullptr) << size;
        EXPECT_EQ(std::vector<unsigned char>(chain, chain + 1024), before) << size;
        EXPECT_EQ(chainstore::ChainCapacity(chain), 1024u);
        PT_FreeBlockLink(chain);
    }
}

TEST(ChainBlocks, GrowthThatCannotBeHadLeavesTheChainUsable)
{
    unsigned char* chain = ChainOf({5, 6});
    ASSERT_NE(chain, nullptr);
    const std::vector<unsigned char> before(chain, chain + 1024);
    for (size_t size : {SIZE_MAX, SIZE_MAX / 2})
        EXPECT_EQ(chainstore::ChainResize(chain, size), nullptr) << size;
    EXPECT_EQ(std::vector<unsigned char>(chain, chain + 1024), before);
    EXPECT_EQ(chainstore::ChainCapacity(chain), 1024u);
    ASSERT_NE(chain = AppendPattern(chain, 3, 7, 3), nullptr);
    EXPECT_EQ(TypesOf(WalkBackward(chain)), (std::vector<int>{1, 2, 3}));
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, NullArgumentsDoNothing)
{
    unsigned char* chain = ChainOf({4});
    unsigned char* block = PT_GetFstBlk(chain);
    EXPECT_EQ(PT_AppendBlock(nullptr, 1, 1), nullptr);
    EXPECT_EQ(PT_DeleteBlock(nullptr, block), 0);
    EXPECT_EQ(PT_DeleteBlock(chain, nullptr), 0);
    EXPECT_EQ(PT_GetFstBlk(nullptr), nullptr);
    EXPECT_EQ(PT_GetLstBlk(nullptr), nullptr);
    EXPECT_EQ(PT_GetNxtBlk(nullptr, block), nullptr);
    EXPECT_EQ(PT_GetNxtBlk(chain, nullptr), nullptr);
    EXPECT_EQ(PT_GetPreBlk(nullptr, block), nullptr);
    EXPECT_EQ(PT_GetPreBlk(chain, nullptr), nullptr);
    EXPECT_EQ(PT_SetLstBlk(nullptr, block), nullptr);
    EXPECT_EQ(PT_SetLstBlk(chain, nullptr), chain);
    EXPECT_EQ(PT_GetDataTypeFromBlk(nullptr), 255);
    EXPECT_EQ(PT_GetDataBlockSize(nullptr), 0);
    EXPECT_EQ(PT_GetDataFromBlk(nullptr), nullptr);
    EXPECT_EQ(PT_WriteBlockLink(nullptr, "unused.tur"), 0);
    EXPECT_EQ(PT_WriteBlockLink(chain, nullptr), 0);
    EXPECT_EQ(PT_ReadBlockLink(nullptr), nullptr);
    PT_FreeBlockLink(nullptr);
    EXPECT_EQ(WalkForward(chain).size(), 1u);
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, TruncationHidesLaterBlocksUntilAppendsOverwriteThem)
{
    unsigned char* chain = ChainOf({10, 20, 30});
    ASSERT_NE(chain, nullptr);
    unsigned char* second = PT_GetNxtBlk(chain, PT_GetFstBlk(chain));
    unsigned char* stale = PT_GetNxtBlk(chain, second);
    EXPECT_EQ(PT_SetLstBlk(chain, second), chain);
    EXPECT_EQ(PT_GetLstBlk(chain), second);
    EXPECT_EQ(PT_GetNxtBlk(chain, second), nullptr);  // although the stale third block follows
    EXPECT_EQ(TypesOf(WalkForward(chain)), (std::vector<int>{1, 2}));
    EXPECT_EQ(PT_GetNxtBlk(chain, stale), nullptr);
    EXPECT_EQ(PT_DeleteBlock(chain, stale), 0);

    // Moving the end forward again restores the cut block unchanged (redo after undo).
    PT_SetLstBlk(chain, stale);
    EXPECT_EQ(TypesOf(WalkForward(chain)), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(HasPattern(stale, 3));

    PT_SetLstBlk(chain, second);
    ASSERT_NE(chain = AppendPattern(chain, 7, 4, 7), nullptr);
    const auto blocks = WalkForward(chain);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[2], (BlockSeen{12 + 16 + 26, 7, 10, 26}));
    EXPECT_EQ(WalkBackward(chain), blocks);
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, AddressesOutsideTheChainAreNotFollowed)
{
    unsigned char* chain = ChainOf({10, 20});
    unsigned char* other = ChainOf({10, 20});
    ASSERT_TRUE(chain && other);
    const std::vector<unsigned char> before(chain, chain + 1024);
    unsigned char* foreign = PT_GetFstBlk(other);
    EXPECT_EQ(PT_DeleteBlock(chain, foreign), 0);
    EXPECT_EQ(PT_GetNxtBlk(chain, foreign), nullptr);
    EXPECT_EQ(PT_GetPreBlk(chain, PT_GetLstBlk(other)), nullptr);
    EXPECT_EQ(PT_DeleteBlock(chain, chain + 4), 0);  // inside the header
    PT_SetLstBlk(chain, foreign);
    PT_SetLstBlk(chain, chain + 1020);  // no room for a block there
    EXPECT_EQ(std::vector<unsigned char>(chain, chain + 1024), before);
    PT_FreeBlockLink(other);
    PT_FreeBlockLink(chain);
}

TEST(ChainBlocks, DeleteKeepsTheRestWalkableAndIntact)
{
    struct Case {
        const char* what;
        std::vector<int> sizes;
        int remove;  // index of the block to delete
        std::vector<int> types_left;
    } cases[] = {
        {"only block", {8}, 0, {}},
        {"first of three", {8, 0, 30}, 0, {2, 3}},
        {"middle of three", {8, 0, 30}, 1, {1, 3}},
        {"last of three", {8, 0, 30}, 2, {1, 2}},
        {"large middle block", {5, 65529, 7, 9}, 1, {1, 3, 4}},
    };
    for (const auto& c : cases) {
        unsigned char* chain = ChainOf(c.sizes);
        ASSERT_NE(chain, nullptr) << c.what;
        unsigned char* block = PT_GetFstBlk(chain);
        for (int i = 0; i < c.remove; ++i)
            block = PT_GetNxtBlk(chain, block);
        EXPECT_EQ(PT_DeleteBlock(chain, block), 1) << c.what;

        const auto forward = WalkForward(chain);
        EXPECT_EQ(TypesOf(forward), c.types_left) << c.what;
        EXPECT_EQ(WalkBackward(chain), forward) << c.what;
        size_t offset = 12;
        int previous = 0;
        for (const auto& b : forward) {
            EXPECT_EQ(b.offset, offset) << c.what;
            EXPECT_EQ(b.previous, previous) << c.what;
            EXPECT_EQ(b.length, c.sizes[size_t(b.type - 1)] + 6) << c.what;
            EXPECT_TRUE(HasPattern(chain + b.offset, uint8_t(b.type))) << c.what;
            offset += size_t(b.length);
            previous = b.length;
        }
        if (forward.empty()) {
            EXPECT_EQ(PT_GetLstBlk(chain), nullptr) << c.what;
        }

        // The chain goes on working: a new block follows the remaining ones.
        ASSERT_NE(chain = AppendPattern(chain, 9, 3, 9), nullptr);
        const auto after = WalkForward(chain);
        EXPECT_EQ(after.size(), forward.size() + 1) << c.what;
        EXPECT_EQ(after.back(), (BlockSeen{offset, 9, 9, previous})) << c.what;
        PT_FreeBlockLink(chain);
    }
}
