#include "app/preferences.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/headless/headless_host.h"
#include "../common/scratch_folder.h"
#include "widgets/layers.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"

namespace {

using namespace widgets;

bool finished = false, confirmed = false;
app::PreferenceEffects effects;
std::string boxText;

void Done(bool ok, const app::PreferenceEffects& e)
{
    finished = true;
    confirmed = ok;
    effects = e;
}

// The main window of the test: the message box first, then the dialog layer.
void Procedure(unsigned m, uintptr_t w, intptr_t l)
{
    if (!RouteMessageBox(nullptr, m, w, l))
        RouteDialog(nullptr, m, w, l);
}

void Click(int x, int y)
{
    RouteDialog(nullptr, kMsgLButtonDown, 0, ParamFromPoint(x, y));
    RouteDialog(nullptr, kMsgLButtonUp, 0, ParamFromPoint(x, y));
}

struct PreferencesTest : ::testing::Test {
    void SetUp() override
    {
        app::SetSettingsFolders(dir.Path(), dir.Path());
        host.procedure = Procedure;
        previous = platform::SetHost(&host);
        app::LoadGeneralOptions(&options);
        finished = confirmed = false;
        effects = {};
    }
    void TearDown() override
    {
        CloseDialog();
        delete dialog;
        platform::SetHost(previous);
    }
    void Open()
    {
        // 800 × 600 screen: the 474 × 274 dialog's top-left is at (163, 163)
        dialog = app::NewPreferencesDialog(&options, 800, 600, Done);
        OpenDialog(dialog);
    }
    ScratchFolder dir;
    platform::HeadlessHost host{800, 600};
    platform::WindowHost* previous = nullptr;
    app::GeneralOptions options;
    Container* dialog = nullptr;
};

TEST_F(PreferencesTest, ConfirmCopiesBackShowsTheRestartMessageAndNiceTextIsNotReadBack)
{
    Open();
    Click(163 + 25, 163 + 106 + 10);  // "Nice text"
    Click(163 + 275, 163 + 82 + 10);   // "Center"
    EXPECT_EQ(options.niceText, 0);  // nothing applies before confirming
    EXPECT_FALSE(dir.Exists("TESSEL.INI"));

    host.Post(kMsgChar, kKeyEnter);  // answers the restart message
    RouteDialog(nullptr, kMsgChar, kKeyEnter, 0);
    ASSERT_TRUE(finished);
    EXPECT_TRUE(confirmed);
    EXPECT_TRUE(effects.niceTextChanged);
    EXPECT_TRUE(effects.reloadWallpaper);
    EXPECT_FALSE(effects.soundChanged);
    EXPECT_TRUE(host.queue.empty()) << "the restart message was not shown";
    EXPECT_EQ(options.paperMethod, app::kPaperCentred);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "NICETEXT ON", -1), 1);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "PAPERMETHOD", -1), 0);

    app::GeneralOptions next;
    app::LoadGeneralOptions(&next);
    EXPECT_EQ(next.niceText, 0);  // the next start shows the box unchecked again
    EXPECT_EQ(next.paperMethod, app::kPaperCentred);
}

TEST_F(PreferencesTest, CancelChangesNothingButTheTipsSwitchWritesAtOnce)
{
    Open();
    Click(163 + 25, 163 + 34 + 10);   // "Sound Effect"
    Click(163 + 25, 163 + 178 + 10);  // "Show tips after startup."
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "DAILY_HINT_ON", -1), 0);
    RouteDialog(nullptr, kMsgChar, kKeyEscape, 0);
    ASSERT_TRUE(finished);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(options.sound, 1);
    EXPECT_EQ(app::GetIniInt(app::kIniSection, "SOUND ON", -1), -1);
    EXPECT_EQ(options.dailyHint, 0);

    // confirming with no change shows no message
    finished = false;
    app::GeneralOptions edited = options;
    effects = app::ConfirmPreferences(&options, edited);
    EXPECT_FALSE(effects.niceTextChanged);
    EXPECT_FALSE(effects.reloadWallpaper);
}

int wallpaperChanges = 0;
bool ChooseFile(char* path, int size)
{
    std::snprintf(path, static_cast<size_t>(size), "%s", "D:\\art\\sky.bmp");
    return true;
}

TEST_F(PreferencesTest, WallpaperChoicesAreWrittenAtOnceAndShown)
{
    wallpaperChanges = 0;
    const app::WallpaperChoice choice{[] { ++wallpaperChanges; }, ChooseFile};
    dialog = app::NewPreferencesDialog(&options, 800, 600, Done, &choice);
    OpenDialog(dialog);
    const std::string patterns = app::JoinPath(dir.Path(), "pattern");
    char path[app::kMaxPath];
    auto wallpaper = [&] {
        app::LoadWallpaperPath(path, sizeof path);
        return std::string(path);
    };
    Click(163 + 451, 163 + 172);   // next pattern after the default backg.pcy
    EXPECT_EQ(wallpaper(), app::JoinPath(patterns, "800.pcy"));
    Click(163 + 277, 163 + 172);   // previous, twice: round past the first
    Click(163 + 277, 163 + 172);
    EXPECT_EQ(wallpaper(), app::JoinPath(patterns, "a-09.pcy"));
    Click(163 + 314, 163 + 204);   // Browse...
    EXPECT_EQ(wallpaper(), "D:\\art\\sky.bmp");
    Click(163 + 414, 163 + 204);   // Default
    EXPECT_EQ(wallpaper(), app::DefaultWallpaperPath());
    EXPECT_EQ(wallpaperChanges, 5);
    // cancelling the dialog keeps the wallpaper chosen
    RouteDialog(nullptr, kMsgChar, kKeyEscape, 0);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(wallpaper(), app::DefaultWallpaperPath());
}

TEST(WallpaperPatternTest, StepsGoRoundThePatterns)
{
    struct {
        const char* path;
        int step;
        const char* next;
    } cases[] = {
        {"C:\\Brisalo6\\pattern\\backg.pcy", 1, "800.pcy"},
        {"C:\\Brisalo6\\pattern\\backg.pcy", -1, "a-09.pcy"},
        {"A-09.PCY", 1, "backg.pcy"},
        {"D:\\art\\sky.bmp", 1, "backg.pcy"},
        {"D:\\art\\sky.bmp", -1, "a-09.pcy"},
        {"", 1, "backg.pcy"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(app::NextWallpaperPattern(c.path, c.step), c.next) << c.path << " " << c.step;
}

}  // namespace
