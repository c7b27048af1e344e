#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "app/brush_presets.h"
#include "app/recent_files.h"
#include "../common/scratch_folder.h"

namespace {

std::string Record(const std::string& folder, const std::string& name)
{
    std::string r(app::kRecentRecordSize, '\0');
    r.replace(0, folder.size(), folder);
    r.replace(app::kMaxPath, name.size(), name);
    return r;
}

TEST(RecentFiles, ReadsAtMostSixRecordsAndStopsAtAShortOne)
{
    ScratchFolder dir;
    std::string seven;
    for (int i = 0; i < 7; ++i)
        seven += Record("C:\\art" + std::to_string(i), "p" + std::to_string(i) + ".vkd");
    dir.Write("MRUSYS.DAT", seven);
    app::RecentFiles list;
    EXPECT_EQ(app::LoadRecentFiles(dir.File("MRUSYS.DAT").c_str(), &list), 6);
    EXPECT_EQ(list.count, 6);
    EXPECT_STREQ(list.folder[0], "C:\\art0");
    EXPECT_STREQ(list.name[5], "p5.vkd");

    dir.Write("MRUSYS.DAT", Record("C:\\a", "one.vkd") + Record("C:\\b", "two.vkd").substr(0, 519));
    EXPECT_EQ(app::LoadRecentFiles(dir.File("MRUSYS.DAT").c_str(), &list), 1);
    EXPECT_STREQ(list.name[0], "one.vkd");

    EXPECT_EQ(app::LoadRecentFiles(dir.File("missing.dat").c_str(), &list), 0);
    EXPECT_EQ(list.count, 0);
}

TEST(RecentFiles, AFieldWithoutItsTerminatorIsCutAtItsEnd)
{
    ScratchFolder dir;
    dir.Write("MRUSYS.DAT", std::string(app::kRecentRecordSize, 'x'));
    app::RecentFiles list;
    ASSERT_EQ(app::LoadRecentFiles(dir.File("MRUSYS.DAT").c_str(), &list), 1);
    EXPECT_EQ(std::strlen(list.folder[0]), size_t(app::kMaxPath - 1));
    EXPECT_EQ(std::strlen(list.name[0]), size_t(app::kMaxPath - 1));
}

TEST(RecentFiles, SavingWritesOneRecordPerEntryAndAddingKeepsTheNewestFirst)
{
    ScratchFolder dir;
    app::RecentFiles list;
    for (int i = 0; i < 8; ++i)
        app::AddRecentFile(&list, "C:\\art", ("p" + std::to_string(i) + ".vkd").c_str());
    EXPECT_EQ(list.count, 6);
    EXPECT_STREQ(list.name[0], "p7.vkd");
    EXPECT_STREQ(list.name[5], "p2.vkd");
    app::AddRecentFile(&list, "c:\\ART", "P4.VKD");  // the same file, written differently
    EXPECT_EQ(list.count, 6);
    EXPECT_STREQ(list.name[0], "P4.VKD");
    EXPECT_STREQ(list.name[1], "p7.vkd");
    EXPECT_STREQ(list.name[5], "p2.vkd");

    const std::string path = dir.File("MRUSYS.DAT");
    ASSERT_EQ(app::SaveRecentFiles(path.c_str(), list), 1);
    std::string bytes = dir.Read("MRUSYS.DAT");
    ASSERT_EQ(bytes.size(), size_t(6 * app::kRecentRecordSize));
    EXPECT_EQ(bytes.substr(app::kRecentRecordSize, app::kRecentRecordSize), Record("C:\\art", "p7.vkd"));
    app::RecentFiles back;
    EXPECT_EQ(app::LoadRecentFiles(path.c_str(), &back), 6);
    EXPECT_STREQ(back.folder[0], "c:\\ART");

    app::RecentFiles empty;
    ASSERT_EQ(app::SaveRecentFiles(path.c_str(), empty), 1);
    EXPECT_EQ(dir.Read("MRUSYS.DAT").size(), 0u);
}

TEST(BrushPresets, MissingRecordsAreGeneratedAndDamagedOnesReplaced)
{
    ScratchFolder dir;
    app::BrushPreset presets[app::kBrushPresetCount];
    EXPECT_EQ(app::LoadBrushPresets(dir.File("fp0023.sys").c_str(), presets), 0);
    for (int i = 0; i < app::kBrushPresetCount; ++i)
        EXPECT_EQ(presets[i].values[0], app::DefaultBrushPreset(i).values[0]);
    EXPECT_LT(presets[0].values[0], presets[app::kBrushPresetCount - 1].values[0]);

    app::BrushPreset custom;
    custom.values[0] = 33.5;
    custom.values[1] = 0.25;
    custom.flags = 0xA1B2C3D4;
    uint8_t good[app::kBrushPresetSize], damaged[app::kBrushPresetSize];
    app::EncodeBrushPreset(custom, good);
    app::BrushPreset bad = custom;
    bad.values[2] = std::numeric_limits<double>::quiet_NaN();
    app::EncodeBrushPreset(bad, damaged);
    // little-endian doubles at 0, 8, ...; the word at 40
    EXPECT_EQ(good[40], 0xD4);
    EXPECT_EQ(good[43], 0xA1);
    EXPECT_EQ(good[7], 0x40);  // high byte of 33.5

    std::string file(reinterpret_cast<char*>(good), sizeof good);
    file += std::string(reinterpret_cast<char*>(damaged), sizeof damaged);
    file += std::string(reinterpret_cast<char*>(good), 47);  // short: ends reading
    dir.Write("fp0023.sys", file);
    EXPECT_EQ(app::LoadBrushPresets(dir.File("fp0023.sys").c_str(), presets), 2);
    EXPECT_EQ(presets[0].values[0], 33.5);
    EXPECT_EQ(presets[0].flags, 0xA1B2C3D4u);
    EXPECT_EQ(presets[1].values[0], app::DefaultBrushPreset(1).values[0]);
    EXPECT_EQ(presets[2].values[0], app::DefaultBrushPreset(2).values[0]);

    ASSERT_EQ(app::SaveBrushPresets(dir.File("fp0023.sys").c_str(), presets), 1);
    EXPECT_EQ(dir.Read("fp0023.sys").size(), size_t(app::kBrushPresetCount * app::kBrushPresetSize));
    app::BrushPreset back[app::kBrushPresetCount];
    EXPECT_EQ(app::LoadBrushPresets(dir.File("fp0023.sys").c_str(), back), app::kBrushPresetCount);
    EXPECT_EQ(back[0].values[1], 0.25);
}

}  // namespace
