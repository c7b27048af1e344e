#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "chainstore/chain_memory.h"
#include "chainstore/chainstore.h"
#include "tests/chainstore/chain_test_util.h"

namespace {

// 640 x 480; blocks "abc" (type 2), an empty one (type 0) and DE AD BE EF (type 7) at offsets 12, 21
// and 27 (0x1B).
const std::vector<uint8_t> kGolden = {
    0x80, 0x02, 0xE0, 0x01, 0x88, 0x28, 0x00, 0x00, 0x1B, 0x00, 0x00, 0x00,  // header
    0x02, 0x00, 0x09, 0x00, 0x00, 0x00, 'a', 'b', 'c',                       // length 9, first
    0x00, 0x00, 0x06, 0x00, 0x09, 0x00,                                      // length 6, after 9
    0x07, 0x00, 0x0A, 0x00, 0x06, 0x00, 0xDE, 0xAD, 0xBE, 0xEF,              // length 10, after 6
};

unsigned char* AppendBytes(unsigned char* chain, int type, const std::vector<uint8_t>& bytes)
{
    chain = PT_AppendBlock(chain, type, int(bytes.size()));
    if (chain && !bytes.empty())
        std::copy(bytes.begin(), bytes.end(), PT_GetDataFromBlk(PT_GetLstBlk(chain)));
    return chain;
}

unsigned char* GoldenChain()
{
    unsigned char* chain = PT_AllocBlockLink(640, 480);
    chain = AppendBytes(chain, 2, {'a', 'b', 'c'});
    chain = AppendBytes(chain, 0, {});
    chain = AppendBytes(chain, 7, {0xDE, 0xAD, 0xBE, 0xEF});
    unsigned char* last = PT_GetLstBlk(chain);
    // A block cut off again must not reach the file.
    chain = AppendBytes(chain, 3, {1, 2, 3, 4, 5});
    return PT_SetLstBlk(chain, chain + (last - chain));
}

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with)
{
    bytes.resize(std::max(bytes.size(), at + with.size()));
    std::copy(with.begin(), with.end(), bytes.begin() + std::ptrdiff_t(at));
    return bytes;
}

}  // namespace

TEST(ChainFile, WrittenFileIsTheChainImageByteForByte)
{
    TempFolder folder;
    unsigned char* chain = GoldenChain();
    ASSERT_NE(chain, nullptr);
    const auto path = folder / "golden.tur";
    ASSERT_EQ(PT_WriteBlockLink(chain, path.string().c_str()), 1);
    EXPECT_EQ(ReadBytes(path), kGolden);
    PT_FreeBlockLink(chain);

    // And it loads back into the same chain, in memory exactly as large as the file.
    chain = PT_ReadBlockLink(path.string().c_str());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chainstore::ChainCapacity(chain), kGolden.size());
    EXPECT_EQ(std::vector<uint8_t>(chain, chain + kGolden.size()), kGolden);
    const auto blocks = WalkForward(chain);
    EXPECT_EQ(blocks, (std::vector<BlockSeen>{{12, 2, 9, 0}, {21, 0, 6, 9}, {27, 7, 10, 6}}));
    EXPECT_EQ(WalkBackward(chain), blocks);
    PT_FreeBlockLink(chain);
}

TEST(ChainFile, EmptyChainIsAHeaderOnlyFile)
{
    TempFolder folder;
    const auto path = folder / "empty.tur";
    unsigned char* chain = PT_AllocBlockLink(70000, 3);
    ASSERT_EQ(PT_WriteBlockLink(chain, path.string().c_str()), 1);
    PT_FreeBlockLink(chain);
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{0x70, 0x11, 3, 0, 0x88, 0x28, 0, 0, 0, 0, 0, 0}));

    chain = PT_ReadBlockLink(path.string().c_str());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(PT_GetFstBlk(chain), nullptr);
    EXPECT_EQ(PT_GetLstBlk(chain), nullptr);
    // A loaded chain takes appends like a new one, growing past the file's size.
    ASSERT_NE(chain = AppendPattern(chain, 4, 100, 4), nullptr);
    EXPECT_EQ(WalkForward(chain), (std::vector<BlockSeen>{{12, 4, 106, 0}}));
    PT_FreeBlockLink(chain);
}

TEST(ChainFile, LargeChainSurvivesWriteReadAppendDeleteWrite)
{
    TempFolder folder;
    const auto path = folder / "large.tur";
    unsigned char* chain = PT_AllocBlockLink(800, 600);
    for (int i = 0; i < 400 && chain; ++i)
        chain = AppendPattern(chain, i % 255, (i * 7919) % 3000, uint8_t(i));
    ASSERT_NE(chain, nullptr);
    const auto written = WalkForward(chain);
    ASSERT_EQ(PT_WriteBlockLink(chain, path.string().c_str()), 1);
    PT_FreeBlockLink(chain);

    chain = PT_ReadBlockLink(path.string().c_str());
    ASSERT_NE(chain, nullptr);
    ASSERT_EQ(WalkForward(chain), written);
    EXPECT_EQ(WalkBackward(chain), written);
    for (size_t i = 0; i < written.size(); ++i)
        ASSERT_TRUE(HasPattern(chain + written[i].offset, uint8_t(i))) << i;

    ASSERT_NE(chain = AppendPattern(chain, 200, 5000, 200), nullptr);
    ASSERT_EQ(PT_DeleteBlock(chain, PT_GetFstBlk(chain)), 1);
    const auto edited = WalkForward(chain);
    ASSERT_EQ(edited.size(), written.size());
    ASSERT_EQ(PT_WriteBlockLink(chain, path.string().c_str()), 1);
    PT_FreeBlockLink(chain);

    chain = PT_ReadBlockLink(path.string().c_str());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(WalkForward(chain), edited);
    EXPECT_TRUE(HasPattern(PT_GetFstBlk(chain), 1));
    EXPECT_TRUE(HasPattern(PT_GetLstBlk(chain), 200));
    PT_FreeBlockLink(chain);
}

TEST(ChainFile, DamagedFilesAreRefused)
{
    const struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"no bytes", {}},
        {"shorter than a header", std::vector<uint8_t>(kGolden.begin(), kGolden.begin() + 11)},
        {"wrong magic", Patched(kGolden, 4, {0x89})},
        {"magic bytes swapped", Patched(kGolden, 4, {0x28, 0x88})},
        {"last block inside the header", Patched(kGolden, 8, {6})},
        {"last block without room for its header", Patched(kGolden, 8, {32})},
        {"last block named beyond the file", Patched(kGolden, 8, {0, 0, 1, 0})},
        {"last block inside another block", Patched(kGolden, 8, {24})},
        {"lengths step over the last block", Patched(kGolden, 14, {7})},
        {"length below a block header", Patched(kGolden, 14, {5})},
        {"length zero", Patched(kGolden, 23, {0})},
        {"last block runs past the end", Patched(kGolden, 29, {0x20})},
        {"file cut inside the last block", std::vector<uint8_t>(kGolden.begin(), kGolden.end() - 2)},
        {"first block names a predecessor", Patched(kGolden, 16, {1})},
        {"wrong previous length", Patched(kGolden, 31, {5})},
    };
    TempFolder folder;
    EXPECT_EQ(PT_ReadBlockLink((folder / "missing.tur").string().c_str()), nullptr);
    EXPECT_EQ(PT_ReadBlockLink(folder.path().string().c_str()), nullptr);  // a folder
    const auto path = folder / "damaged.tur";
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        unsigned char* chain = PT_ReadBlockLink(path.string().c_str());
        EXPECT_EQ(chain, nullptr) << c.what;
        PT_FreeBlockLink(chain);
    }
}

TEST(ChainFile, BytesAfterTheLastBlockAreFreeSpace)
{
    TempFolder folder;
    const auto path = folder / "stale.tur";
    struct Case {
        std::vector<uint8_t> bytes;
        size_t blocks;
    } cases[] = {
        {Patched(kGolden, kGolden.size(), {0x05, 0x00, 0xFF, 0xFF, 0x01, 0x02, 0x03}), 3},
        {Patched(kGolden, 8, {0, 0, 0, 0}), 0},  // an empty chain followed by old blocks
    };
    for (const auto& c : cases) {
        WriteBytes(path, c.bytes);
        unsigned char* chain = PT_ReadBlockLink(path.string().c_str());
        ASSERT_NE(chain, nullptr);
        EXPECT_EQ(chainstore::ChainCapacity(chain), c.bytes.size());
        EXPECT_EQ(WalkForward(chain).size(), c.blocks);
        // The stale bytes are overwritten by the next append rather than kept.
        ASSERT_NE(chain = AppendPattern(chain, 9, 20, 9), nullptr);
        EXPECT_EQ(WalkBackward(chain).size(), c.blocks + 1);
        EXPECT_TRUE(HasPattern(PT_GetLstBlk(chain), 9));
        PT_FreeBlockLink(chain);
    }
}

TEST(ChainFile, FailedWriteReportsZeroAndKeepsWhatWasThere)
{
    TempFolder folder;
    unsigned char* chain = GoldenChain();
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(PT_WriteBlockLink(chain, (folder / "no such folder" / "a.tur").string().c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));

    const auto taken = folder / "taken";
    std::filesystem::create_directory(taken);
    EXPECT_EQ(PT_WriteBlockLink(chain, taken.string().c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(taken));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);  // no temporary left

    // A successful write replaces a longer old file completely.
    const auto path = folder / "again.tur";
    WriteBytes(path, std::vector<uint8_t>(5000, 0xAA));
    ASSERT_EQ(PT_WriteBlockLink(chain, path.string().c_str()), 1);
    EXPECT_EQ(ReadBytes(path), kGolden);
    PT_FreeBlockLink(chain);
}
