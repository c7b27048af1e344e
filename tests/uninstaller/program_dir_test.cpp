// Finding the program folder from the uninstaller's own path, and refusing paths that would make
// it act on the wrong folder.
#include <gtest/gtest.h>

#include <string>

#include "uninstaller/program_dir.h"

namespace {

using uninst::DirResult;

TEST(ProgramDir, FolderOrRefusal)
{
    const std::string at79 = "C:\\" + std::string(59, 'x') + "\\uninstaller.exe";  // 3 + 59 + 16 = 78
    struct {
        std::string path;
        DirResult result;
        const char* dir;
    } cases[] = {
        {"C:\\Program Files\\Brisalo6\\uninstaller.exe", DirResult::Ok, "C:\\Program Files\\Brisalo6"},
        {at79 + "x", DirResult::Ok, nullptr},                  // 79 characters: the longest accepted
        {at79 + "xx", DirResult::TooLong, nullptr},            // 80 would be cut by the buffer
        {"C:\\uninstaller.exe", DirResult::DriveRoot, nullptr},
        {"\\uninstaller.exe", DirResult::DriveRoot, nullptr},
        {"\\\\server\\share\\uninstaller.exe", DirResult::DriveRoot, nullptr},
        {"\\\\server\\share\\Brisalo6\\uninstaller.exe", DirResult::Ok, "\\\\server\\share\\Brisalo6"},
        {"uninstaller.exe", DirResult::NoFolder, nullptr},
    };
    for (const auto& c : cases) {
        std::string dir = "untouched";
        EXPECT_EQ(uninst::ProgramDirFromModulePath(c.path, dir), c.result) << c.path;
        if (c.dir) {
            EXPECT_EQ(dir, c.dir) << c.path;
        } else if (c.result != DirResult::Ok) {
            EXPECT_EQ(dir, "untouched") << c.path;
        }
    }
    std::string dir;
    ASSERT_EQ(uninst::ProgramDirFromModulePath(at79 + "x", dir), DirResult::Ok);
    EXPECT_EQ(dir.size(), 62u);
}

}  // namespace
