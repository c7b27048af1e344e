// The window of one open document: a tool window whose title is the document's file name and whose
// client area shows the canvas at its zoom, inside a one-pixel black frame.
//
// The window belongs to the document desk (document_desk.h), which creates it when the document is
// complete and destroys it when the document closes.  It never closes itself: its close button asks
// the desk, because a modified picture first asks whether to save.
#pragma once
#include "app/document_view.h"
#include "document/document.h"
#include "widgets/tool_window.h"

namespace app {

// Colour around the canvas inside a document window.
constexpr Colour kDocumentBackdrop = 0x8C939C;

class DocWindow : public widgets::ToolWindow {
public:
    DocWindow(Document* doc, const platform::Rect& frame);

    Document* Doc() const { return doc_; }
    DocumentView& View() { return view_; }
    // The canvas mapping for the window as it now lies.
    ViewMapping Mapping();
    bool Maximised() const { return maximised_; }
    // Maximised windows fill the work area; a window put back takes its own place again.
    void SetMaximised(bool maximised, const platform::Rect& frame);
    void SetZoom(int zoom);
    // A window that is not maximised takes the size its zoomed canvas wants, keeping its top-left
    // corner where the work area allows.
    void FitFrame(const platform::Rect& workArea);
    void UpdateTitle();
    // Shows the picture from point (x, y) on when it does not fit the view, kept inside the picture.
    void ScrollTo(int32_t x, int32_t y);

    int Command(int code, int param) override;
    void CloseRequested() override;
    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const platform::Rect& clip) override;

private:
    // Moves and sizes the window; the title bar's buttons stay at its right end.
    void Reframe(const platform::Rect& frame);

    Document* doc_;
    DocumentView view_;
    bool maximised_ = false;
    platform::Rect restored_;
    widgets::Widget* maxButton_;
};

// Draws the canvas of a mapping into the screen buffer inside clip: 1 : 1 at 100 %, else scaled by
// the zoom factor; the black frame lies one pixel outside the view.
void DrawCanvas(Bitmap* screen, const platform::Rect& clip, const Bitmap* composite, const ViewMapping& mapping,
                int zoom);

}  // namespace app
