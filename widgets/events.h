// What controls report to their container through Notify (slot 13).
#pragma once

namespace widgets {

constexpr int kEventChanged = 1;   // value: the control's new value (slider position, check state)
constexpr int kEventRadio = 2;     // value: the radio group; the container clears the group's others
constexpr int kEventClosed = 3;    // a tool window was closed with its close button

}  // namespace widgets
