#include "app/tips.h"

namespace app {
namespace {

const char* const kTips[] = {
    "Hold the Space bar to move the picture with the hand, and let it go to paint on.",
    "Hold Alt to pick a colour from the picture with the eyedropper.",
    "Ctrl+Z takes back the last change; Ctrl+Shift+Z brings it back again.",
    "Paint on a new layer to keep your sketch apart from the colours beneath it.",
    "A picture saved as a VESK file keeps every layer, its effects and its blend mode.",
    "Press Ctrl with + or - to zoom the picture in and out.",
    "Record what you paint as a tutorial, and play it back later at any speed.",
    "Watercolour and oil brushes mix with the paint already on the layer.",
};
constexpr int kTipCount = static_cast<int>(sizeof kTips / sizeof kTips[0]);

}  // namespace

int TipCount() { return kTipCount; }

const char* Tip(unsigned number) { return kTips[number % kTipCount]; }

}  // namespace app
