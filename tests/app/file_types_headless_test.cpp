#include "app/file_types.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/headless/registry_headless.h"

namespace {

TEST(FileTypes, GuidFormatHasNoLeadingZeros)
{
    platform::Guid g{0x0000ABCD, 0x0012, 0x4F00, {0x0A, 0xB0, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05}};
    EXPECT_EQ(app::FormatGuid(g), "{ABCD-12-4F00-AB0-012345}");
}

TEST(FileTypes, BothTypesShareOneGuidAndOpenWithTheProgram)
{
    auto& reg = platform::TheHeadlessRegistry();
    reg = {};
    const std::string exe = "C:\\Program Files\\Brisalo6\\pintara6.exe";
    ASSERT_EQ(app::RegisterFileTypes(exe), app::Registered::ClassesRoot);
    EXPECT_EQ(reg.guidsMade, 1u);
    EXPECT_EQ(reg.classesRoot.size(), 12u);
    EXPECT_TRUE(reg.userClasses.empty());
    EXPECT_EQ(reg.classesRoot[".vkd\\"], "Vesk_DOC");
    EXPECT_EQ(reg.classesRoot["Vesk_DOC\\"], "Vesk Image Document");
    EXPECT_EQ(reg.classesRoot[".tur\\"], "Vesk_TUR_DOC");
    EXPECT_EQ(reg.classesRoot["Vesk_TUR_DOC\\"], "Vesk Tutorial Document");
    EXPECT_EQ(reg.classesRoot["Vesk_DOC\\DefaultIcon\\"], exe + ", 1");
    EXPECT_EQ(reg.classesRoot["Vesk_TUR_DOC\\Shell\\Open\\Command\\"], "\"" + exe + "\" \"%1\"");
    const std::string guid = reg.classesRoot["Vesk_DOC\\CLSID\\"];
    EXPECT_TRUE(std::regex_match(guid, std::regex(R"(\{[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+-[0-9A-F]+\})"))) << guid;
    EXPECT_EQ(reg.classesRoot["Vesk_TUR_DOC\\CLSID\\"], guid);
    EXPECT_EQ(reg.classesRoot[".vkd\\ShellEx\\" + guid], guid);
    EXPECT_EQ(reg.classesRoot[".tur\\ShellEx\\" + guid], guid);
}

TEST(FileTypes, RefusedMachineClassesFallBackToTheUsersOwn)
{
    auto& reg = platform::TheHeadlessRegistry();
    reg = {};
    reg.refuseClassesRoot = true;
    ASSERT_EQ(app::RegisterFileTypes("C:\\B\\pintara6.exe"), app::Registered::UserClasses);
    EXPECT_TRUE(reg.classesRoot.empty());
    EXPECT_EQ(reg.userClasses.size(), 12u);
    EXPECT_EQ(reg.userClasses["Vesk_DOC\\Shell\\Open\\Command\\"], "\"C:\\B\\pintara6.exe\" \"%1\"");
}

}  // namespace
