#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/profile.h"
#include "../common/scratch_folder.h"

namespace {

TEST(HeadlessProfile, ReadsValuesTheWayTheSystemDoes)
{
    ScratchFolder dir;
    dir.Write("a.ini",
              "; a comment line\r\n"
              "[Other]\r\n"
              "Size=1\r\n"
              "[ Brisalo 6 ]\r\n"
              "  Size =  42 \r\n"
              "Quoted=\"  spaced  \"\r\n"
              "Number=12abc\r\n"
              "Negative=-5\r\n"
              "Word=abc\r\n"
              "Empty=\r\n");
    const std::string f = dir.File("a.ini");
    struct {
        const char* key;
        int expected;
    } ints[] = {
        {"size", 42},       // names without regard to case, blanks ignored
        {"Number", 12},     // the leading number
        {"Negative", -5},
        {"Word", 0},        // a text without digits is 0, not the default
        {"Empty", 99},      // an empty value is the default
        {"Missing", 99},
    };
    for (const auto& c : ints)
        EXPECT_EQ(platform::ProfileReadInt(f.c_str(), "brisalo 6", c.key, 99), c.expected) << c.key;
    EXPECT_EQ(platform::ProfileReadInt(f.c_str(), "Nowhere", "Size", 7), 7);
    EXPECT_EQ(platform::ProfileReadInt(dir.File("none.ini").c_str(), "Brisalo 6", "Size", 7), 7);

    char text[8];
    EXPECT_EQ(platform::ProfileReadText(f.c_str(), "Brisalo 6", "Quoted", "", text, sizeof text), 7);
    EXPECT_STREQ(text, "  space");  // quotes removed, inner blanks kept, cut to the buffer
    platform::ProfileReadText(f.c_str(), "Brisalo 6", "Missing", "fallback", text, sizeof text);
    EXPECT_STREQ(text, "fallbac");
}

TEST(HeadlessProfile, WritingReplacesInPlaceAndKeepsEverythingElse)
{
    ScratchFolder dir;
    dir.Write("a.ini", "[One]\r\nA=1\r\nB=2\r\n\r\n[Two]\r\nA=3\r\n");
    const std::string f = dir.File("a.ini");
    ASSERT_TRUE(platform::ProfileWriteText(f.c_str(), "one", "b", "20"));
    ASSERT_TRUE(platform::ProfileWriteText(f.c_str(), "One", "C", "30"));
    ASSERT_TRUE(platform::ProfileWriteText(f.c_str(), "Three", "D", "x y"));
    EXPECT_EQ(dir.Read("a.ini"), "[One]\r\nA=1\r\nb=20\r\nC=30\r\n\r\n[Two]\r\nA=3\r\n[Three]\r\nD=x y\r\n");
    EXPECT_EQ(platform::ProfileReadInt(f.c_str(), "Two", "A", 0), 3);

    // a new file is made on the first write
    ASSERT_TRUE(platform::ProfileWriteText(dir.File("new.ini").c_str(), "S", "K", "V"));
    char text[16];
    platform::ProfileReadText(dir.File("new.ini").c_str(), "S", "K", "", text, sizeof text);
    EXPECT_STREQ(text, "V");
    // a folder that does not exist cannot take the file
    EXPECT_FALSE(platform::ProfileWriteText(dir.File("no/such/x.ini").c_str(), "S", "K", "V"));
}

TEST(HeadlessFiles, ProgramPathsUseBackslashes)
{
    ScratchFolder dir;
    dir.Write("f.txt", "x");
    std::string windowsStyle = dir.Path() + "\\f.txt";
    EXPECT_TRUE(platform::FileExists(windowsStyle.c_str()));
    EXPECT_FALSE(platform::FileExists((dir.Path() + "\\g.txt").c_str()));
    EXPECT_FALSE(platform::FileExists(dir.Path().c_str()));  // a folder is not a file
    EXPECT_TRUE(platform::MakeFolder((dir.Path() + "\\layout").c_str()));
    EXPECT_TRUE(platform::MakeFolder((dir.Path() + "\\layout").c_str()));
}

}  // namespace
