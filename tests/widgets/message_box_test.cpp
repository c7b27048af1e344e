#include "widgets/message_box.h"

#include <gtest/gtest.h>

#include "probe.h"
#include "widgets/skin.h"

using namespace widgets;

namespace {

// Test-only messages: press and release the box's n-th button of its row (counted from 0).
constexpr unsigned kClickButton = 0x8000;
constexpr unsigned kClickCheck = 0x8001;
constexpr unsigned kAskAgain = 0x8002;

int nestedAnswer = 0;

// The main window procedure of these tests: the message box sees every message first.
void Procedure(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    Rect box = MessageBoxRect();
    if (message == kClickButton || message == kClickCheck) {
        // buttons are 88 wide with 12 between, centred, 14 above the bottom
        int count = static_cast<int>(lParam);
        int rowLeft = box.left + (box.Width() - (count * 88 + (count - 1) * 12)) / 2;
        int x = message == kClickCheck ? box.left + 27 : rowLeft + static_cast<int>(wParam) * 100 + 44;
        int y = box.bottom - 28;
        RouteMessageBox(nullptr, kMsgLButtonDown, 0, At(x, y));
        RouteMessageBox(nullptr, kMsgLButtonUp, 0, At(x, y));
        return;
    }
    if (message == kAskAgain) {
        nestedAnswer = SkinnedMessageBox("Again", "A second question", kBoxYesNo);
        return;
    }
    RouteMessageBox(nullptr, message, wParam, lParam);
}

struct MessageBoxTest : ::testing::Test {
    MessageBoxTest() { scope.host.procedure = Procedure; }
    HostScope scope;
};

TEST_F(MessageBoxTest, EachButtonGivesItsAnswer)
{
    struct {
        int kind, buttons, pressed, answer;
    } cases[] = {
        {kBoxOk, 1, 0, kAnswerYes},
        {kBoxYesNo, 2, 0, kAnswerYes},
        {kBoxYesNo, 2, 1, kAnswerNo},
        {kBoxYesNoCancel, 3, 1, kAnswerNo},
        {kBoxYesNoCancel, 3, 2, kAnswerCancel},
        {kBoxOkCancel, 2, 1, kAnswerCancel},
    };
    for (const auto& c : cases) {
        scope.host.queue.clear();
        scope.host.Post(kMsgMouseMove, 0, At(1, 1));
        scope.host.Post(kClickButton, c.pressed, c.buttons);
        EXPECT_EQ(SkinnedMessageBox("Prompt", "Do you want to save?", c.kind), c.answer)
            << "kind " << c.kind << " button " << c.pressed;
        EXPECT_FALSE(MessageBoxActive());
    }
}

TEST_F(MessageBoxTest, EnterAffirmsAndEscapeTakesTheMildestAnswer)
{
    struct {
        int kind;
        uintptr_t key;
        int answer;
    } cases[] = {
        {kBoxYesNoCancel, kKeyEnter, kAnswerYes}, {kBoxYesNoCancel, kKeyEscape, kAnswerCancel},
        {kBoxOkCancel, kKeyEscape, kAnswerCancel}, {kBoxYesNo, kKeyEscape, kAnswerNo},
        {kBoxOk, kKeyEscape, kAnswerYes},
    };
    for (const auto& c : cases) {
        scope.host.queue.clear();
        scope.host.Post(kMsgChar, 'x');  // other keys do nothing
        scope.host.Post(kMsgChar, c.key);
        EXPECT_EQ(SkinnedMessageBox("t", "m", c.kind), c.answer) << c.kind << " " << c.key;
    }
}

TEST_F(MessageBoxTest, PressOnOneButtonReleaseOnAnotherChoosesNothing)
{
    scope.host.procedure = [](unsigned m, uintptr_t w, intptr_t l) {
        Rect box = MessageBoxRect();
        int row = box.left + (box.Width() - (3 * 88 + 24)) / 2, y = box.bottom - 28;
        if (m == 0x8000) {
            RouteMessageBox(nullptr, kMsgLButtonDown, 0, At(row + 44, y));   // Yes
            RouteMessageBox(nullptr, kMsgMouseMove, 0, At(row + 144, y));
            RouteMessageBox(nullptr, kMsgLButtonUp, 0, At(row + 144, y));    // over No
            return;
        }
        Procedure(m, w, l);
    };
    scope.host.Post(0x8000);
    scope.host.Post(kClickButton, 2, 3);
    EXPECT_EQ(SkinnedMessageBox("t", "m", kBoxYesNoCancel), kAnswerCancel);
    EXPECT_TRUE(scope.host.queue.empty());
}

TEST_F(MessageBoxTest, QuitWhileUpAnswersCancelAndASecondBoxIsRefused)
{
    // the queue runs dry: the program is quitting
    EXPECT_EQ(SkinnedMessageBox("t", "m", kBoxYesNo), kAnswerCancel);

    nestedAnswer = 0;
    scope.host.Post(kAskAgain);
    scope.host.Post(kClickButton, 1, 2);
    EXPECT_EQ(SkinnedMessageBox("t", "m", kBoxYesNo), kAnswerNo);
    EXPECT_EQ(nestedAnswer, kAnswerCancel);

    EXPECT_EQ(SkinnedMessageBox("t", "m", 0), kAnswerCancel);
    EXPECT_EQ(SkinnedMessageBox("t", "m", 6), kAnswerCancel);
}

TEST_F(MessageBoxTest, TipsBoxCarriesItsCheckBoxAndTitleFromTheTexts)
{
    SetTextSource([](int id) -> const char* { return id == 208 ? "Tips" : id == 209 ? "Show when start." : nullptr; });
    bool show = true;
    scope.host.Post(kClickCheck, 0, 1);
    scope.host.Post(kMsgChar, kKeyEnter);
    EXPECT_EQ(SkinnedMessageBox(nullptr, "Hold Space to move the picture.", kBoxTips, &show), kAnswerYes);
    EXPECT_FALSE(show);
    scope.host.Post(kMsgChar, kKeyEnter);
    EXPECT_EQ(SkinnedMessageBox(nullptr, "Another tip.", kBoxTips, &show), kAnswerYes);
    EXPECT_FALSE(show);
    SetTextSource(nullptr);
}

Bitmap* drawTarget = nullptr;

TEST_F(MessageBoxTest, DrawsCentredOverTheScreen)
{
    drawTarget = NewRGBPic(800, 600);
    ASSERT_NE(drawTarget, nullptr);
    scope.host.procedure = [](unsigned m, uintptr_t w, intptr_t l) {
        Rect box = MessageBoxRect();
        EXPECT_EQ(box.left + box.right, 800);
        EXPECT_EQ(box.top + box.bottom, 600);
        DrawMessageBox(drawTarget, {0, 0, 800, 600});
        Procedure(m, w, l);
    };
    scope.host.Post(kMsgChar, kKeyEscape);
    SkinnedMessageBox("WARNING", "System Kernal was damaged. Please install the software again.", kBoxOk);
    // the box covers the centre; the corners stay black
    EXPECT_NE(PixelAt(drawTarget, 400, 300), 0u);
    EXPECT_EQ(PixelAt(drawTarget, 5, 5), 0u);
    DeletePic(drawTarget);
}

}  // namespace
