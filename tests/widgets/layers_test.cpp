#include <gtest/gtest.h>

#include "probe.h"
#include "widgets/layers.h"

using namespace widgets;

namespace {

TEST(DialogLayer, TakesEveryMouseMessageAndMapsKeysToConfirmAndCancel)
{
    HostScope scope;
    EXPECT_EQ(RouteDialog(nullptr, kMsgLButtonDown, 0, At(5, 5)), 0);  // no dialog: nothing taken
    Probe dialog({0, 0, 100, 100});
    OpenDialog(&dialog);

    dialog.answer = 1;
    EXPECT_EQ(RouteDialog(nullptr, kMsgMouseMove, 0, At(500, 500)), 1);
    EXPECT_EQ(RouteDialog(nullptr, kMsgLButtonDown, 0, At(500, 500)), 1);
    EXPECT_EQ(RouteDialog(nullptr, kMsgLButtonUp, 0, At(500, 500)), 1);
    EXPECT_EQ(scope.host.cursorRestores, 0);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"move", "down", "up"}));

    // unhandled: the standard cursor comes back; an unhandled release is command (0, 0)
    dialog.calls.clear();
    dialog.answer = 0;
    RouteDialog(nullptr, kMsgMouseMove, 0, 0);
    RouteDialog(nullptr, kMsgLButtonDown, 0, 0);
    RouteDialog(nullptr, kMsgLButtonUp, 0, 0);
    EXPECT_EQ(scope.host.cursorRestores, 2);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"move", "down", "up", "cmd0"}));

    dialog.calls.clear();
    EXPECT_EQ(RouteDialog(nullptr, kMsgChar, kKeyEnter, 0), 1);
    EXPECT_EQ(RouteDialog(nullptr, kMsgChar, kKeyEscape, 0), 1);
    EXPECT_EQ(RouteDialog(nullptr, kMsgChar, 'a', 0), 0);
    EXPECT_EQ(RouteDialog(nullptr, kMsgPaint, 0, 0), 0);
    EXPECT_EQ(RouteDialog(nullptr, kMsgTimer, 12, 0), 0);
    EXPECT_EQ(RouteDialog(nullptr, kMsgMouseWheel, 0, 0), 1);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"cmd370", "cmd371"}));

    dialog.AcquireCapture();
    CloseDialog();
    EXPECT_EQ(CurrentDialog(), nullptr);
    EXPECT_FALSE(CaptureHeld());
    EXPECT_EQ(RouteDialog(nullptr, kMsgMouseMove, 0, 0), 0);
}

TEST(PopupLayer, APressOutsideOrARightPressClosesAndDestroysIt)
{
    HostScope scope;
    bool destroyed = false;
    auto* popup = new Probe({0, 0, 50, 50}, &destroyed);
    OpenPopup(popup);
    EXPECT_EQ(RoutePopup(nullptr, kMsgMouseMove, 0, 0), 1);
    EXPECT_EQ(RoutePopup(nullptr, kMsgLButtonDown, 0, 0), 1);
    EXPECT_EQ(RoutePopup(nullptr, kMsgLButtonUp, 0, 0), 1);
    EXPECT_EQ(RoutePopup(nullptr, kMsgRButtonUp, 0, 0), 1);
    EXPECT_EQ(RoutePopup(nullptr, kMsgChar, 'x', 0), 0);
    EXPECT_EQ(popup->calls, (std::vector<std::string>{"move", "down", "up"}));
    EXPECT_FALSE(destroyed);
    popup->answer = 0;
    EXPECT_EQ(RoutePopup(nullptr, kMsgLButtonDown, 0, 0), 1);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(CurrentPopup(), nullptr);

    destroyed = false;
    OpenPopup(new Probe({0, 0, 50, 50}, &destroyed));
    EXPECT_EQ(RoutePopup(nullptr, kMsgRButtonDown, 0, 0), 1);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(RoutePopup(nullptr, kMsgRButtonDown, 0, 0), 0);
}

int painted = 0, left = 0;
std::vector<int> dispatched;

TEST(FullScreenLayer, PaintsItselfPassesCommandsOnAndLeavesOnEscape)
{
    HostScope scope;
    painted = left = 0;
    dispatched.clear();
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgPaint, 0, 0), 0);
    EnterFullScreen({[] { ++painted; }, [](int c, intptr_t) { dispatched.push_back(c); }, [] { ++left; }});
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgPaint, 0, 0), 1);
    EXPECT_EQ(painted, 2);
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgCommand, (1u << 16) | 40041u, 0), 1);
    EXPECT_EQ(dispatched, std::vector<int>{40041});
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgLButtonDown, 0, 0), 1);
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgTimer, 101, 0), 0);  // other timers keep running
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgKeyDown, 'A', 0), 1);
    EXPECT_TRUE(FullScreenOn());
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgKeyDown, kKeyEscape, 0), 1);
    EXPECT_FALSE(FullScreenOn());
    EXPECT_EQ(left, 1);
    EXPECT_EQ(RouteFullScreen(nullptr, kMsgLButtonDown, 0, 0), 0);
}

TEST(Hints, ShowAfterTheTimerAndGoWhenThePointerLeaves)
{
    HostScope scope;
    SetHintsOn(true);
    HintTrack("Brush", {100, 100});
    EXPECT_EQ(scope.host.timers[kHintTimer], kHintMillis);
    EXPECT_EQ(HintShown(), nullptr);
    HintTrack("Brush", {101, 100});  // resting on the same control does not restart the wait
    HintTimer();
    ASSERT_NE(HintShown(), nullptr);
    EXPECT_STREQ(HintShown(), "Brush");
    EXPECT_EQ(scope.host.timers.count(kHintTimer), 0u);
    ASSERT_FALSE(scope.host.repaints.empty());
    EXPECT_GT(scope.host.repaints.back().top, 100);  // below the pointer

    HintTrack(nullptr, {300, 300});
    EXPECT_EQ(HintShown(), nullptr);
    HintTrack("Pencil", {790, 590});  // near the corner the hint stays on the screen
    HintTimer();
    EXPECT_LE(scope.host.repaints.back().right, 800);
    EXPECT_LE(scope.host.repaints.back().bottom, 600);

    SetHintsOn(false);
    EXPECT_EQ(HintShown(), nullptr);
    HintTrack("Eraser", {10, 10});
    EXPECT_EQ(scope.host.timers.count(kHintTimer), 0u);
    SetHintsOn(true);
}

}  // namespace
