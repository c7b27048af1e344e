// The program's own message box: a skinned dialog centred on the main window that runs a nested
// message loop until one of its buttons is chosen.
//
// Kinds: 1 OK; 2 Yes/No; 3 Yes/No/Cancel; 4 OK/Cancel; 5 the start-up tips box (title from text
// 208, OK and a check box labelled from text 209).  Answers: 11 for the affirmative button, 12 for
// No, 13 for Cancel.  Enter answers affirmatively; Escape cancels where there is a Cancel button,
// else says No where there is one, else OK.  A quit arriving while the box is up answers Cancel, the
// answer that changes nothing.
#pragma once
#include <cstdint>

#include "raster/bitmap.h"
#include "widgets/widget.h"

namespace widgets {

constexpr int kAnswerYes = 11;
constexpr int kAnswerNo = 12;
constexpr int kAnswerCancel = 13;

constexpr int kBoxOk = 1;
constexpr int kBoxYesNo = 2;
constexpr int kBoxYesNoCancel = 3;
constexpr int kBoxOkCancel = 4;
constexpr int kBoxTips = 5;

// Numbered texts of the program, for the tips box; without a source the English texts are used.
using TextSource = const char* (*)(int id);
void SetTextSource(TextSource source);

// Shows the box and returns the answer.  For the tips box, showTips carries the check box in and out.
int SkinnedMessageBox(const char* title, const char* text, int kind, bool* showTips = nullptr);

bool MessageBoxActive();
// The main window hands every message here first while the box is up; 1 when consumed.
int RouteMessageBox(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);
void DrawMessageBox(Bitmap* screen, const Rect& clip);
// Where the box is on the screen while it is up (empty otherwise).
Rect MessageBoxRect();

}  // namespace widgets
