// The wininit.ini editing of the 9x family, over the shapes a list file can have.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "uninstaller/restart_list.h"

namespace {

struct ListCase {
    const char* what;
    const char* before;
    const char* after;
};

const ListCase kCases[] = {
    {"empty list", "", "[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
    {"capital header keeps its spelling, no second header",
     "[RENAME]\r\nNUL=C:\\OLD.TXT\r\n", "[RENAME]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\nNUL=C:\\OLD.TXT\n"},
    {"other sections only: header appended at the end",
     "[boot]\r\nshell=x\r\n\r\n[misc]\r\na=1", "[boot]\nshell=x\n[misc]\na=1\n[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
    {"header as last line", "[other]\nk=v\n[Rename]\n", "[other]\nk=v\n[Rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
    {"new entry under the first header, sections after it kept",
     "[rename]\nNUL=C:\\A\n[after]\nx=1\n[rename]\nNUL=C:\\B\n",
     "[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\nNUL=C:\\A\n[after]\nx=1\n[rename]\nNUL=C:\\B\n"},
    {"lone CR and LF both end lines, blank lines dropped",
     "[a]\rk=1\n\n\r\n[rename]\r\r", "[a]\nk=1\n[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
    {"only line breaks", "\r\n\r\n", "[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
    {"header must match whole line", "[rename] \n[renamed]\n",
     "[rename] \n[renamed]\n[rename]\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n"},
};

TEST(RestartList, AddsTheEntryDirectlyUnderTheHeader)
{
    for (const ListCase& c : kCases)
        EXPECT_EQ(uninst::AddRestartDeletion(c.before, "C:\\BRISAL~1\\UNINST~1.EXE"), c.after) << c.what;
}

TEST(RestartList, SecondEntryGoesAboveTheFirst)
{
    std::string list = uninst::AddRestartDeletion("", "C:\\BRISAL~1\\UNINST~1.EXE");
    list = uninst::AddRestartDeletion(list, "C:\\BRISAL~1");
    EXPECT_EQ(list, "[rename]\nNUL=C:\\BRISAL~1\nNUL=C:\\BRISAL~1\\UNINST~1.EXE\n");
}

class RestartListFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("uninst-list-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "wininit.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Read() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(RestartListFile, MissingFileIsCreatedWithHeaderAndEntry)
{
    ASSERT_TRUE(uninst::AddRestartDeletionToFile(path_, "C:\\PROG~1\\BRISALO6"));
    EXPECT_EQ(Read(), "[rename]\nNUL=C:\\PROG~1\\BRISALO6\n");
}

TEST_F(RestartListFile, ExistingEntriesSurvive)
{
    std::ofstream(path_, std::ios::binary) << "[RENAME]\r\nNUL=C:\\OLD.TXT\r\n";
    ASSERT_TRUE(uninst::AddRestartDeletionToFile(path_, "C:\\NEW.TXT"));
    EXPECT_EQ(Read(), "[RENAME]\nNUL=C:\\NEW.TXT\nNUL=C:\\OLD.TXT\n");
    // nothing but the list itself is left in the folder (no temporary file)
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

TEST_F(RestartListFile, UnwritableFolderFailsAndChangesNothing)
{
    const std::string missing = (dir_ / "no-such-folder" / "wininit.ini").string();
    EXPECT_FALSE(uninst::AddRestartDeletionToFile(missing, "C:\\NEW.TXT"));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(RestartListFile, ListThatCannotBeReadIsLeftAlone)
{
    // a folder where the list file should be: it exists but reads fail
    std::filesystem::create_directories(path_);
    EXPECT_FALSE(uninst::AddRestartDeletionToFile(path_, "C:\\NEW.TXT"));
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST(RestartList, JoinsWithOneBackslash)
{
    EXPECT_EQ(uninst::JoinWindowsPath("C:\\WINDOWS", "wininit.ini"), "C:\\WINDOWS\\wininit.ini");
    EXPECT_EQ(uninst::JoinWindowsPath("C:\\", "wininit.ini"), "C:\\wininit.ini");
}

}  // namespace
