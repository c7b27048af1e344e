#include "app/preferences.h"

#include <gtest/gtest.h>

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
        // 800 × 600 screen: the 430 × 260 dialog's top-left is at (185, 170)
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
    Click(210, 170 + 106 + 10);  // "Nice text"
    Click(460, 170 + 82 + 10);   // "Center"
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
    Click(210, 170 + 34 + 10);   // "Sound Effect"
    Click(210, 170 + 178 + 10);  // "Show tips after startup."
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

}  // namespace
