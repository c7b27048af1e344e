#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/box_places.h"
#include "app/options.h"
#include "../common/scratch_folder.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(std::filesystem::path(run.Path()) / "sys");
        app::SetSettingsFolders(run.Path(), run.File("sys"));
    }
    ScratchFolder run;
};

TEST_F(SettingsTest, DeletingTheIniRestoresEveryDefault)
{
    app::GeneralOptions o;
    o.sound = 0;
    o.paperMethod = app::kPaperCentred;
    o.hint = o.cursor3d = o.autoHide = o.dailyHint = o.constrainProportion = 0;
    std::snprintf(o.workingDir, sizeof o.workingDir, "C:\\pictures");
    app::SaveGeneralOptions(o);
    app::NewDocumentDefaults d;
    d.width = 1024;
    d.height = 768;
    d.colorMode = 1;
    std::snprintf(d.title, sizeof d.title, "Sketch");
    d.hAlign = 5;
    d.vAlign = 2;
    app::SaveNewDocumentDefaults(d);
    app::SaveColours(0x123456, 0x654321);
    app::SaveMdiMaxed(1);
    app::SaveWallpaperPath("C:\\other.bmp");

    app::GeneralOptions o2;
    app::LoadGeneralOptions(&o2);
    app::NewDocumentDefaults d2;
    app::LoadNewDocumentDefaults(&d2);
    EXPECT_EQ(o2.sound, 0);
    EXPECT_EQ(o2.paperMethod, app::kPaperCentred);
    EXPECT_STREQ(o2.workingDir, "C:\\pictures");
    EXPECT_EQ(d2.width, 1024);
    EXPECT_EQ(d2.height, 768);
    EXPECT_STREQ(d2.title, "Sketch");
    EXPECT_EQ(d2.hAlign, 5);

    run.Remove("TESSEL.INI");
    app::LoadGeneralOptions(&o2);
    app::LoadNewDocumentDefaults(&d2);
    EXPECT_EQ(o2.sound, 1);
    EXPECT_EQ(o2.paperMethod, app::kPaperTiled);
    EXPECT_EQ(o2.hint, 1);
    EXPECT_EQ(o2.cursor3d, 1);
    EXPECT_EQ(o2.autoHide, 1);
    EXPECT_EQ(o2.dailyHint, 1);
    EXPECT_EQ(o2.constrainProportion, 1);
    EXPECT_STREQ(o2.workingDir, ".");
    EXPECT_EQ(d2.width, 600);
    EXPECT_EQ(d2.height, 400);
    EXPECT_EQ(d2.colorMode, 0);
    EXPECT_STREQ(d2.title, "Untitled");
    EXPECT_EQ(d2.hAlign, 4);
    EXPECT_EQ(d2.vAlign, 1);
    Colour fg, bg;
    app::LoadColours(&fg, &bg);
    EXPECT_EQ(fg, 0x000000u);
    EXPECT_EQ(bg, 0xFFFFFFu);
    EXPECT_EQ(app::LoadMdiMaxed(), 0);
    char wallpaper[app::kMaxPath];
    app::LoadWallpaperPath(wallpaper, sizeof wallpaper);
    EXPECT_EQ(wallpaper, run.Path() + "\\pattern\\backg.pcy");
}

TEST_F(SettingsTest, NiceTextAndLightAreWrittenButNeverReadBack)
{
    app::GeneralOptions o;
    o.niceText = 1;
    o.light = 1;
    app::SaveGeneralOptions(o);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "NICETEXT ON", -1), 1);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "LIGHT ON", -1), 1);
    app::LoadGeneralOptions(&o);
    EXPECT_EQ(o.niceText, 0);
    EXPECT_EQ(o.light, 0);
}

TEST_F(SettingsTest, PointsReadAndWriteAsXCommaSpaceY)
{
    app::IniPoint p{1, 2};
    EXPECT_EQ(app::GetIniPoint(app::kIniSection, "missing", 400, 50, &p), 0);
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 50);

    EXPECT_EQ(app::SetIniPoint(app::kIniSection, "somewhere", {-12, 345}), 1);
    EXPECT_NE(run.Read("TESSEL.INI").find("somewhere=-12, 345"), std::string::npos);
    EXPECT_EQ(app::GetIniPoint(app::kIniSection, "somewhere", 0, 0, &p), 1);
    EXPECT_EQ(p.x, -12);
    EXPECT_EQ(p.y, 345);

    struct {
        const char* text;
        int result, x, y;
    } cases[] = {
        {"nop", 0, 7, 8},      // the stored marker means "never placed"
        {"30,40", 1, 30, 40},  // no blank after the comma
        {"55", 1, 55, 8},      // one number: the second keeps its default
    };
    for (const auto& c : cases) {
        app::SetIniText(app::kIniSection, "p", c.text);
        EXPECT_EQ(app::GetIniPoint(app::kIniSection, "p", 7, 8, &p), c.result) << c.text;
        EXPECT_EQ(p.x, c.x) << c.text;
        EXPECT_EQ(p.y, c.y) << c.text;
    }
}

TEST_F(SettingsTest, ColoursCombineTheThreeKeysModulo256)
{
    app::SetIniInt(app::kIniSection, "FColor_R", 0x12);
    app::SetIniInt(app::kIniSection, "FColor_G", 0x34 + 256);
    app::SetIniInt(app::kIniSection, "FColor_B", 0x56);
    Colour fg, bg;
    app::LoadColours(&fg, &bg);
    EXPECT_EQ(fg, 0x563412u);
    app::SaveColours(0xA1B2C3, 0x010203);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "FColor_R", -1), 0xC3);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "BColor_B", -1), 0x01);
    app::LoadColours(&fg, &bg);
    EXPECT_EQ(fg, 0xA1B2C3u);
    EXPECT_EQ(bg, 0x010203u);
}

TEST_F(SettingsTest, SystemFileHoldsTheFontAndDevicesApartFromTheIni)
{
    app::TextFont f;
    app::LoadTextFont(&f);
    EXPECT_STREQ(f.face, "Arial");
    EXPECT_EQ(f.size, 12);
    EXPECT_EQ(f.bold + f.italic + f.underline, 0);
    char device[256];
    app::LoadDeviceName(app::Device::Camera, device, sizeof device);
    EXPECT_STREQ(device, "NONE");

    std::snprintf(f.face, sizeof f.face, "Times New Roman");
    f.size = 30;
    f.italic = 1;
    app::SaveTextFont(f);
    app::SaveDeviceName(app::Device::Scanner, "Flatbed 2000");
    EXPECT_FALSE(run.Exists("TESSEL.INI"));
    std::string sys = run.Read("sys/OVANTE.SYS");
    EXPECT_NE(sys.find("[Brisalo 3.0]"), std::string::npos);
    EXPECT_NE(sys.find("[Ovante]"), std::string::npos);

    app::TextFont g;
    app::LoadTextFont(&g);
    EXPECT_STREQ(g.face, "Times New Roman");
    EXPECT_EQ(g.size, 30);
    EXPECT_EQ(g.italic, 1);
    app::LoadDeviceName(app::Device::Scanner, device, sizeof device);
    EXPECT_STREQ(device, "Flatbed 2000");
    app::LoadDeviceName(app::Device::Camera, device, sizeof device);
    EXPECT_STREQ(device, "NONE");
}

TEST_F(SettingsTest, SizesANewPictureCannotHaveFallBackToTheDefaults)
{
    app::SetIniInt(app::kIniSection, "DEF_WIDTH", 0);
    app::SetIniInt(app::kIniSection, "DEF_HEIGHT", 200000);
    app::NewDocumentDefaults d;
    app::LoadNewDocumentDefaults(&d);
    EXPECT_EQ(d.width, 600);
    EXPECT_EQ(d.height, 400);
}

TEST_F(SettingsTest, ToolBoxesOffASmallerScreenReturnToTheirDefaults)
{
    struct {
        app::IniPoint stored;
        app::IniPoint expected;
    } cases[] = {
        {{2000, 50}, {400, 220}},   // beyond a 1024-pixel-wide screen
        {{1014, 50}, {1014, 50}},   // exactly width − 10 still fits
        {{1015, 50}, {400, 220}},
        {{30, 758}, {30, 758}},     // height − 10 fits
        {{30, 759}, {400, 220}},    // both coordinates go back together
    };
    for (const auto& c : cases) {
        app::SetIniPoint(app::kIniSection, app::kBrushBoxPlace.originKey, c.stored);
        app::BoxState s = app::RestoreBoxPlace(app::kBrushBoxPlace, 1024, 768);
        EXPECT_EQ(s.origin.x, c.expected.x) << c.stored.x << "," << c.stored.y;
        EXPECT_EQ(s.origin.y, c.expected.y) << c.stored.x << "," << c.stored.y;
    }

    run.Remove("TESSEL.INI");
    app::BoxState fresh = app::RestoreBoxPlace(app::kEditToolsPlace, 1024, 768);
    EXPECT_EQ(fresh.origin.x, 10);
    EXPECT_EQ(fresh.origin.y, 20);
    EXPECT_EQ(fresh.open, 1);

    app::SaveBoxPlace(app::kLayerBoxPlace, {{123, 45}, 0});
    std::string ini = run.Read("TESSEL.INI");
    EXPECT_NE(ini.find("layerboxorg=123, 45"), std::string::npos);
    EXPECT_NE(ini.find("layerboxopen=0"), std::string::npos);
    app::BoxState back = app::RestoreBoxPlace(app::kLayerBoxPlace, 1024, 768);
    EXPECT_EQ(back.origin.x, 123);
    EXPECT_EQ(back.open, 0);
}

TEST_F(SettingsTest, LibraryWindowsBeyondTheScreenMoveToTheirFallbacks)
{
    EXPECT_EQ(app::RestoreLibraryPlace(app::Library::Picture, 800, 600).x, 100);
    app::SaveLibraryPlace(app::Library::Picture, {900, 700});
    app::SaveLibraryPlace(app::Library::Tutorial, {900, 20});
    app::IniPoint pic = app::RestoreLibraryPlace(app::Library::Picture, 800, 600);
    app::IniPoint tut = app::RestoreLibraryPlace(app::Library::Tutorial, 800, 600);
    EXPECT_EQ(pic.x, 400);
    EXPECT_EQ(pic.y, 300);
    EXPECT_EQ(tut.x, 200);
    EXPECT_EQ(tut.y, 20);
}

TEST(JoinPath, AddsOneBackslashAndRefusesWhatDoesNotFitTheBuffer)
{
    EXPECT_EQ(app::JoinPath("C:\\Brisalo6", "TESSEL.INI"), "C:\\Brisalo6\\TESSEL.INI");
    EXPECT_EQ(app::JoinPath("C:\\Brisalo6\\", "TESSEL.INI"), "C:\\Brisalo6\\TESSEL.INI");
    EXPECT_EQ(app::JoinPath(std::string(250, 'a'), "TESSEL.INI"), "");
}

}  // namespace
