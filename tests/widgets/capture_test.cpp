#include <gtest/gtest.h>

#include "probe.h"
#include "widgets/container.h"
#include "widgets/image_button.h"

using namespace widgets;

namespace {

std::vector<int> sunk;
void Sink(int code) { sunk.push_back(code); }

// A panel at (100, 100) with two buttons side by side.
struct Panel {
    Panel()
    {
        a = new ImageButton({10, 10, 60, 40}, nullptr, nullptr, nullptr, "A", 501);
        b = new ImageButton({70, 10, 120, 40}, nullptr, nullptr, nullptr, "B", 502);
        Widget* kids[] = {a, b};
        panel.SetChildren(kids, 2);
    }
    Container panel{{100, 100, 300, 200}};
    ImageButton* a;
    ImageButton* b;
};

TEST(CaptureRule, OneControlAtATimeAndOnlyItsHolderMayRelease)
{
    HostScope scope;
    Probe first({0, 0, 10, 10}), second({0, 0, 10, 10});
    EXPECT_TRUE(first.MayAct());
    EXPECT_TRUE(first.AcquireCapture());
    EXPECT_TRUE(CaptureHeld());
    EXPECT_EQ(CaptureHolder(), static_cast<Widget*>(&first));
    EXPECT_FALSE(second.AcquireCapture());
    EXPECT_FALSE(second.MayAct());
    EXPECT_TRUE(first.MayAct());
    second.ReleaseCapture();  // not the holder: nothing happens
    EXPECT_TRUE(CaptureHeld());
    first.ReleaseCapture();
    EXPECT_FALSE(CaptureHeld());
    EXPECT_EQ(CaptureHolder(), nullptr);
    EXPECT_TRUE(second.AcquireCapture());
}

TEST(CaptureRule, ADestroyedHolderFreesTheMouse)
{
    HostScope scope;
    auto* p = new Probe({0, 0, 10, 10});
    ASSERT_TRUE(p->AcquireCapture());
    delete p;
    EXPECT_FALSE(CaptureHeld());
}

TEST(CaptureRule, ADragThatBeganInOneButtonIsNotTakenOverByAnother)
{
    HostScope scope;
    sunk.clear();
    SetCommandSink(Sink);
    Panel p;
    ASSERT_TRUE(p.panel.LButtonDown(nullptr, 0, At(130, 120)));  // on A
    EXPECT_TRUE(p.a->Pressed());
    p.panel.MouseMove(nullptr, 0, At(190, 120));                  // over B
    EXPECT_FALSE(p.a->Pressed());                                 // A shows released while away
    EXPECT_FALSE(p.b->Pressed());
    EXPECT_EQ(p.b->MouseMove(nullptr, 0, At(190, 120)), 0);
    p.panel.LButtonUp(nullptr, 0, At(190, 120));
    EXPECT_TRUE(sunk.empty());  // released away from A, and B never had the mouse
    EXPECT_FALSE(CaptureHeld());

    p.panel.LButtonDown(nullptr, 0, At(190, 120));
    p.panel.LButtonUp(nullptr, 0, At(190, 120));
    EXPECT_EQ(sunk, std::vector<int>{502});
    SetCommandSink(nullptr);
}

TEST(Widget, AbsolutePlacesAndRepaintsFollowTheParentChain)
{
    HostScope scope;
    Container outer({100, 50, 400, 300});
    auto* inner = new Container({20, 30, 200, 200});
    auto* leaf = new Probe({5, 6, 25, 16});
    outer.AddChild(inner);
    inner->AddChild(leaf);
    EXPECT_EQ(leaf->AbsoluteRect(), (Rect{125, 86, 145, 96}));
    Point p{130, 90};
    leaf->PointToLocal(&p);
    EXPECT_EQ(p, (Point{10, 10}));
    Rect r{125, 86, 145, 96};
    leaf->RectToLocal(&r);
    EXPECT_EQ(r, (Rect{5, 6, 25, 16}));

    SetInvalidateClip({0, 0, 130, 600});
    leaf->Invalidate();
    SetInvalidateClip({0, 0, 100, 600});
    leaf->Invalidate();  // wholly outside the clip: no repaint
    SetInvalidateClip({0, 0, 0x7FFF, 0x7FFF});
    ASSERT_EQ(scope.host.repaints.size(), 1u);
    EXPECT_EQ(scope.host.repaints[0], (Rect{125, 86, 130, 96}));
}

}  // namespace
