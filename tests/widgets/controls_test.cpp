#include <gtest/gtest.h>

#include "probe.h"
#include "widgets/container.h"
#include "widgets/events.h"
#include "widgets/slider.h"
#include "widgets/toggle_button.h"
#include "widgets/tool_window.h"

using namespace widgets;

namespace {

// A container that keeps what its children report.
struct Recorder : Container {
    explicit Recorder(const Rect& r) : Widget(r), Container(r) {}
    int Notify(int id, int event, int value) override
    {
        Container::Notify(id, event, value);
        events.push_back({id, event, value});
        return 1;
    }
    struct Event {
        int id, event, value;
    };
    std::vector<Event> events;
};

void Click(Widget& root, int x, int y)
{
    root.LButtonDown(nullptr, 0, At(x, y));
    root.LButtonUp(nullptr, 0, At(x, y));
}

TEST(Slider, StepIsATenthOfTheRangeFromElevenUp)
{
    struct {
        int min, max, step;
    } cases[] = {{0, 10, 1}, {0, 11, 1}, {0, 100, 10}, {0, 255, 25}, {-50, 50, 10}, {7, 7, 1}, {1, 5, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SliderStep(c.min, c.max), c.step) << c.min << ".." << c.max;
}

TEST(Slider, ArrowsStepDraggingFollowsThePointerAndTheRangeHolds)
{
    HostScope scope;
    Recorder panel({0, 0, 400, 100});
    auto* s = new Slider({10, 10, 230, 40}, false, "Size", 0, 100, 50);
    s->SetId(7);
    panel.AddChild(s);
    Rect lower = s->LowerArrow(), upper = s->UpperArrow(), groove = s->Groove();
    Click(panel, upper.left + 2, upper.top + 2);
    EXPECT_EQ(s->Value(), 60);
    Click(panel, lower.left + 2, lower.top + 2);
    Click(panel, lower.left + 2, lower.top + 2);
    EXPECT_EQ(s->Value(), 40);
    ASSERT_FALSE(panel.events.empty());
    EXPECT_EQ(panel.events.back().id, 7);
    EXPECT_EQ(panel.events.back().value, 40);

    panel.LButtonDown(nullptr, 0, At(groove.left + 5, groove.top + 3));
    EXPECT_EQ(s->Value(), 0);
    panel.MouseMove(nullptr, 0, At(groove.right + 100, 300));  // far away: still the slider's drag
    EXPECT_EQ(s->Value(), 100);
    int mid = (groove.left + groove.right) / 2;
    panel.MouseMove(nullptr, 0, At(mid, 0));
    EXPECT_NEAR(s->Value(), 50, 1);
    panel.LButtonUp(nullptr, 0, At(mid, 0));
    EXPECT_FALSE(CaptureHeld());
    s->SetValue(1000);
    EXPECT_EQ(s->Value(), 100);
}

TEST(Toggles, CheckBoxesToggleAndRadioButtonsExcludeTheirGroup)
{
    HostScope scope;
    Recorder panel({0, 0, 300, 200});
    auto* check = new CheckBox({10, 10, 150, 30}, "Sound Effect", false);
    auto* r1 = new RadioButton({10, 40, 150, 60}, "Mozaic", 1, true);
    auto* r2 = new RadioButton({10, 70, 150, 90}, "Center", 1, false);
    auto* other = new RadioButton({10, 100, 150, 120}, "Elsewhere", 2, true);
    check->SetId(1);
    r1->SetId(2);
    r2->SetId(3);
    other->SetId(4);
    Widget* kids[] = {check, r1, r2, other};
    panel.SetChildren(kids, 4);

    Click(panel, 100, 20);  // on the label: the whole control is the target
    EXPECT_TRUE(check->Checked());
    Click(panel, 20, 20);
    EXPECT_FALSE(check->Checked());

    Click(panel, 20, 80);
    EXPECT_TRUE(r2->Checked());
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(other->Checked());  // another group is left alone

    // press on one, release on another: nothing changes
    panel.LButtonDown(nullptr, 0, At(20, 50));
    panel.LButtonUp(nullptr, 0, At(20, 20));
    EXPECT_FALSE(r1->Checked());
    EXPECT_FALSE(check->Checked());
}

TEST(ToolWindow, TitleBarDragsMinimiseFoldsCloseHidesAndTells)
{
    HostScope scope;
    Recorder desk({0, 0, 800, 600});
    auto* box = new ToolWindow({100, 100, 300, 250}, "Layers");
    box->SetId(9);
    auto* inside = new Probe({10, 30, 50, 60});
    inside->answer = 0;  // a passive control: input passes on to the window
    box->AddChild(inside);
    desk.AddChild(box);

    desk.LButtonDown(nullptr, 0, At(120, 110));
    desk.MouseMove(nullptr, 0, At(170, 140));
    desk.LButtonUp(nullptr, 0, At(170, 140));
    EXPECT_EQ(box->GetRect(), (Rect{150, 130, 350, 280}));
    EXPECT_EQ(inside->AbsoluteRect(), (Rect{160, 160, 200, 190}));

    Click(desk, 350 - 37 + 5, 130 + 8);  // minimise
    EXPECT_TRUE(box->Minimised());
    EXPECT_EQ(box->GetRect().Height(), kTitleBarHeight);
    EXPECT_FALSE(inside->Shown());
    Click(desk, 350 - 37 + 5, 130 + 8);
    EXPECT_FALSE(box->Minimised());
    EXPECT_TRUE(inside->Shown());
    EXPECT_EQ(box->GetRect().Height(), 150);
    // a window resized since it was made unfolds to the height it had when it folded
    box->SetRect({150, 130, 350, 200});
    box->SetMinimised(true);
    box->SetMinimised(false);
    EXPECT_EQ(box->GetRect(), (Rect{150, 130, 350, 200}));

    Click(desk, 350 - 19 + 5, 130 + 8);  // close
    EXPECT_FALSE(box->Shown());
    ASSERT_FALSE(desk.events.empty());
    EXPECT_EQ(desk.events.back().id, 9);
    EXPECT_EQ(desk.events.back().event, kEventClosed);
    inside->calls.clear();
    EXPECT_EQ(desk.LButtonDown(nullptr, 0, At(200, 200)), 1);  // the desk's own body now
    EXPECT_TRUE(inside->calls.empty());
}

}  // namespace
