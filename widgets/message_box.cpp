#include "widgets/message_box.h"

#include <vector>

#include "platform/window_host.h"
#include "widgets/container.h"
#include "widgets/image_button.h"
#include "widgets/messages.h"
#include "widgets/skin.h"
#include "widgets/text_label.h"
#include "widgets/toggle_button.h"

namespace widgets {
namespace {

constexpr int32_t kDefaultWidth = 420;
constexpr int32_t kDefaultHeight = 190;
constexpr int32_t kButtonWidth = 88;
constexpr int32_t kButtonHeight = 28;

TextSource textSource = nullptr;

const char* Text(int id, const char* english)
{
    const char* t = textSource ? textSource(id) : nullptr;
    return t && *t ? t : english;
}

class MessageBoxDialog : public Container {
public:
    MessageBoxDialog(const Rect& rect, int kind) : Widget(rect), Container(rect, "msgbox.img", 0xEEF1F5), kind_(kind) {}

    int Command(int code, int) override
    {
        switch (code) {
        case kAnswerYes:
        case kAnswerNo:
        case kAnswerCancel:
            Finish(code);
            return 1;
        case kCmdConfirm:
            Finish(kAnswerYes);
            return 1;
        case kCmdCancel:
            Finish(kind_ == kBoxYesNoCancel || kind_ == kBoxOkCancel ? kAnswerCancel
                   : kind_ == kBoxYesNo                              ? kAnswerNo
                                                                     : kAnswerYes);
            return 1;
        }
        return 1;  // nothing under the box reacts while it is up
    }

    void Draw(Bitmap* screen, const Rect& clip) override
    {
        Rect a = AbsoluteRect();
        if (!background_) {
            // without its skin the box is still readable: a framed panel with a dark title strip
            FillBox(screen, clip, a, 0x2E3A48);
            FillBox(screen, clip, {a.left + 1, a.top + 30, a.right - 1, a.bottom - 1}, fill_);
        }
        Container::Draw(screen, clip);
    }

    void Finish(int answer)
    {
        answer_ = answer;
        done_ = true;
    }

    int kind_;
    int answer_ = kAnswerCancel;
    bool done_ = false;
};

MessageBoxDialog* active = nullptr;

}  // namespace

void SetTextSource(TextSource source) { textSource = source; }

bool MessageBoxActive() { return active != nullptr; }

Rect MessageBoxRect() { return active ? active->AbsoluteRect() : Rect{}; }

int SkinnedMessageBox(const char* title, const char* text, int kind, bool* showTips)
{
    platform::WindowHost* host = platform::Host();
    // One box at a time: a second question while one is open is answered as cancelled.
    if (!host || active || kind < kBoxOk || kind > kBoxTips)
        return kAnswerCancel;

    Bitmap* skin = LoadSkin("msgbox.img");
    int32_t w = skin ? skin->width : kDefaultWidth, h = skin ? skin->height : kDefaultHeight;
    DeletePic(skin);
    int32_t x = (host->ScreenWidth() - w) / 2, y = (host->ScreenHeight() - h) / 2;
    auto* box = new MessageBoxDialog({x, y, x + w, y + h}, kind);

    if (kind == kBoxTips)
        title = Text(208, "Tips");
    std::vector<Widget*> parts;
    parts.push_back(new TextLabel({16, 7, w - 16, 27}, title, 0xFFFFFF, 16));
    parts.push_back(new TextLabel({24, 46, w - 24, h - 52}, text, 0x1E232A, 16));

    struct ButtonSpec {
        int answer;
        const char *up, *down, *caption;
    };
    std::vector<ButtonSpec> buttons;
    const char* affirmative = kind == kBoxYesNo || kind == kBoxYesNoCancel ? "Yes" : "OK";
    buttons.push_back({kAnswerYes, "msgyes.img", "msgyesd.img", affirmative});
    if (kind == kBoxYesNo || kind == kBoxYesNoCancel)
        buttons.push_back({kAnswerNo, "msgno.img", "msgnod.img", "No"});
    if (kind == kBoxYesNoCancel || kind == kBoxOkCancel)
        buttons.push_back({kAnswerCancel, "msgc.img", "msgcd.img", "Cancel"});
    int32_t count = static_cast<int32_t>(buttons.size());
    int32_t rowWidth = count * kButtonWidth + (count - 1) * 12;
    int32_t bx = kind == kBoxTips ? w - 20 - rowWidth : (w - rowWidth) / 2, by = h - kButtonHeight - 14;
    for (const ButtonSpec& b : buttons) {
        parts.push_back(new ImageButton({bx, by, bx + kButtonWidth, by + kButtonHeight}, b.up, b.down, nullptr,
                                        b.caption, b.answer));
        bx += kButtonWidth + 12;
    }
    CheckBox* check = nullptr;
    if (kind == kBoxTips) {
        check = new CheckBox({20, by + 5, w / 2 + 40, by + 23}, Text(209, "Show when start."),
                             showTips ? *showTips : true);
        parts.push_back(check);
    }
    box->SetChildren(parts.data(), static_cast<int>(parts.size()));

    // The box takes over the mouse: whatever drag was under way ends here.
    ResetCapture();
    active = box;
    box->Invalidate();
    while (!box->done_ && host->PumpMessage()) {
    }
    int answer = box->done_ ? box->answer_ : kAnswerCancel;
    if (check && showTips)
        *showTips = check->Checked();
    active = nullptr;
    box->Invalidate();
    ResetCapture();
    delete box;
    return answer;
}

int RouteMessageBox(void* window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (!active)
        return 0;
    MessageBoxDialog* box = active;
    switch (message) {
    case kMsgMouseMove:
        if (!box->MouseMove(window, wParam, lParam) && platform::Host())
            platform::Host()->RestoreStandardCursor();
        return 1;
    case kMsgLButtonDown:
        box->LButtonDown(window, wParam, lParam);
        return 1;
    case kMsgLButtonUp:
        box->LButtonUp(window, wParam, lParam);
        return 1;
    case kMsgChar:
        if (wParam == kKeyEnter)
            box->Command(kCmdConfirm, 0);
        else if (wParam == kKeyEscape)
            box->Command(kCmdCancel, 0);
        return 1;
    case kMsgKeyDown:
    case kMsgKeyUp:
        return 1;
    }
    return IsMouseMessage(message) ? 1 : 0;
}

void DrawMessageBox(Bitmap* screen, const Rect& clip)
{
    if (active)
        active->Draw(screen, clip);
}

}  // namespace widgets
