// Saving never destroys the previous file: a save that fails halfway leaves it byte for byte as it
// was and no temporary file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "doc_fixture.h"
#include "document/layer_commands.h"
#include "document/vkd_file.h"
#include "vkd_test_util.h"

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

class VkdSafeSaveTest : public DocTest {
protected:
    // A picture whose file is large enough to fail halfway through: noise codes to its raw size.
    Document* NoisyDocument()
    {
        Document* doc = Blank(256, 256);
        uint32_t s = 12345;
        for (int32_t y = 0; y < 256; ++y)
            for (int32_t x = 0; x < 256; ++x) {
                s = s * 1664525u + 1013904223u;
                SetArgb(doc->bottom->pixels, x, y, s | 0xFF000000u);
            }
        return doc;
    }
    ScratchDir dir;
};

TEST_F(VkdSafeSaveTest, WriteErrorHalfwayKeepsThePreviousFile)
{
#if defined(_WIN32)
    GTEST_SKIP() << "the write error is simulated with a POSIX file-size limit";
#else
    const std::string path = dir.File("picture.vkd");
    Document* doc = NoisyDocument();
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), Blank(64, 64)), 1);
    const std::vector<uint8_t> before = ReadAll(path);

    // Writes beyond 64 KB fail with EFBIG; the signal that would end the process is ignored.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = WriteLayeredDocument(path.c_str(), doc);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(dir.EntryCount(), 1u);
    // With room again the same save succeeds and replaces the file.
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    EXPECT_GT(ReadAll(path).size(), 256u * 256 * 3);   // three noisy planes; alpha is flat
#endif
}

TEST_F(VkdSafeSaveTest, ReadOnlyFolderKeepsThePreviousFile)
{
    const std::string path = dir.File("picture.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), Blank(64, 64)), 1);
    const std::vector<uint8_t> before = ReadAll(path);
    namespace fs = std::filesystem;
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::FILE* probe = std::fopen(dir.File("probe").c_str(), "wb")) {
        std::fclose(probe);
        std::remove(dir.File("probe").c_str());
        GTEST_SKIP() << "this user can write into read-only folders";
    }
    EXPECT_EQ(WriteLayeredDocument(path.c_str(), NoisyDocument()), 0);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(VkdSafeSaveTest, TargetHeldOpenIsEitherReplacedWholeOrKeptWhole)
{
    // Windows refuses to replace a file another program holds open (the save then fails at its last
    // step); POSIX replaces it.  Either way the target is one whole document and no temporary stays.
    const std::string path = dir.File("picture.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), Blank(64, 64)), 1);
    const std::vector<uint8_t> before = ReadAll(path);
    Document* noisy = NoisyDocument();
    std::FILE* holder = std::fopen(path.c_str(), "rb");
    ASSERT_NE(holder, nullptr);
    const int result = WriteLayeredDocument(path.c_str(), noisy);
    std::fclose(holder);
    const std::vector<uint8_t> after = ReadAll(path);
    if (result == 0) {
        EXPECT_EQ(after, before);
    } else {
        Document back{};
        ASSERT_EQ(ReadLayeredDocumentBytes(after, &back), 1);
        EXPECT_EQ(back.width, 256);
        ReleaseDocumentContents(&back);
    }
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(VkdSafeSaveTest, RefusedSavesLeaveNoFile)
{
    Document* doc = Blank(16, 16);
    EXPECT_EQ(WriteLayeredDocument(dir.File("no/such/folder.vkd").c_str(), doc), 0);
    EXPECT_EQ(WriteLayeredDocument(dir.File("x.vkd").c_str(), nullptr), 0);
    SetCurrentDocument(nullptr);
    EXPECT_EQ(WriteCurrentDocument(dir.File("x.vkd").c_str()), 0);
    EXPECT_EQ(dir.EntryCount(), 0u);
}

}  // namespace
