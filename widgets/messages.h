// The window messages the controls understand.  The numbers are the system's own, repeated here so
// that the controls stay free of system headers and can be driven by native tests.
#pragma once
#include <cstdint>

#include "platform/geometry.h"

namespace widgets {

constexpr unsigned kMsgPaint = 0x000F;
constexpr unsigned kMsgKeyDown = 0x0100;
constexpr unsigned kMsgKeyUp = 0x0101;
constexpr unsigned kMsgChar = 0x0102;
constexpr unsigned kMsgCommand = 0x0111;
constexpr unsigned kMsgTimer = 0x0113;
constexpr unsigned kMsgMouseMove = 0x0200;
constexpr unsigned kMsgLButtonDown = 0x0201;
constexpr unsigned kMsgLButtonUp = 0x0202;
constexpr unsigned kMsgLButtonDblClk = 0x0203;
constexpr unsigned kMsgRButtonDown = 0x0204;
constexpr unsigned kMsgRButtonUp = 0x0205;
constexpr unsigned kMsgRButtonDblClk = 0x0206;
constexpr unsigned kMsgMButtonDown = 0x0207;
constexpr unsigned kMsgMouseWheel = 0x020A;

constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

// Dialog commands: the confirm and cancel buttons and the Enter and Escape keys send these.
constexpr int kCmdConfirm = 370;
constexpr int kCmdCancel = 371;

// Timers owned by the toolkit.
constexpr unsigned kHintTimer = 12;
constexpr unsigned kHintMillis = 800;

inline bool IsMouseMessage(unsigned m) { return m >= kMsgMouseMove && m <= kMsgMouseWheel; }

// Mouse positions travel in the low (x) and high (y) words, each signed.
inline platform::Point PointFromParam(intptr_t lParam)
{
    return {static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}
inline intptr_t ParamFromPoint(int32_t x, int32_t y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                 static_cast<uint16_t>(x));
}

}  // namespace widgets
