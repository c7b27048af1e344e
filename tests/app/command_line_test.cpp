#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> existing;
bool Exists(const char* path) { return existing.count(path) != 0; }

TEST(CommandLine, FindsThePathAmongQuotesTokensAndSwitches)
{
    struct {
        const char* line;
        const char* path;
    } cases[] = {
        {"", ""},
        {"/s /quiet", ""},
        {"C:\\a.vkd", "C:\\a.vkd"},
        {"/s C:\\a.vkd /x", "C:\\a.vkd"},
        {"first.vkd\tsecond.vkd", "second.vkd"},            // a later token replaces an earlier one
        {"\"C:\\My Pictures\\Cat.VKD\" /s", "C:\\My Pictures\\Cat.VKD"},
        {"/s \"C:\\a b.tur\" extra", "C:\\a b.tur"},          // quotes win over tokens
        {"\"C:\\unclosed name.vkd", "C:\\unclosed name.vkd"},
        {"  \t ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::CommandLinePath(c.line), c.path) << c.line;
}

TEST(CommandLine, SortsDocumentsFromTutorialsAndRefusesMissingFiles)
{
    existing = {"C:\\My Pictures\\Cat.VKD", "C:\\lessons\\Trees.TUR", "C:\\odd.xtur"};
    app::StartFiles files;
    ASSERT_TRUE(app::ParseCommandLine("\"C:\\My Pictures\\Cat.VKD\"", Exists, &files));
    EXPECT_EQ(files.document, "C:\\My Pictures\\Cat.VKD");
    EXPECT_EQ(files.tutorial, "");

    ASSERT_TRUE(app::ParseCommandLine("C:\\lessons\\Trees.TUR", Exists, &files));
    EXPECT_EQ(files.tutorial, "C:\\lessons\\Trees.TUR");
    EXPECT_EQ(files.document, "");

    // the test is on the last three letters, as the program has always done
    ASSERT_TRUE(app::ParseCommandLine("C:\\odd.xtur", Exists, &files));
    EXPECT_EQ(files.tutorial, "C:\\odd.xtur");

    ASSERT_TRUE(app::ParseCommandLine("/s /x", Exists, &files));
    EXPECT_EQ(files.document, "");
    EXPECT_EQ(files.tutorial, "");

    EXPECT_FALSE(app::ParseCommandLine("C:\\nowhere.vkd", Exists, &files));
}

}  // namespace
