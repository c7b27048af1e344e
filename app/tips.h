// The tips shown in the start-up tips box while "DAILY_HINT_ON" is set.
#pragma once

namespace app {

int TipCount();
// The tip for any number (taken modulo the count), so a random number picks one.
const char* Tip(unsigned number);

}  // namespace app
