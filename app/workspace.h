// The workspace inside the main window: the tool boxes (children of one desk container covering the
// screen), the program's own cursor, and the options the session runs with.
#pragma once
#include "platform/geometry.h"
#include "raster/bitmap.h"
#include "widgets/container.h"

namespace app {

// The cursor the program draws itself when the 3D-cursor option is on (set by the canvas tools).
struct OwnCursor {
    Bitmap* image = nullptr;
    platform::Point hotSpot;
    platform::Point position;
};
const OwnCursor& CurrentOwnCursor();

// The container of every tool box; null before the main window exists.
widgets::Container* Desk();
void DrawToolBoxes(Bitmap* screen, const platform::Rect& clip);

}  // namespace app
