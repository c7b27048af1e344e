#include "platform/window_host.h"

namespace platform {
namespace {
WindowHost* current = nullptr;
}

WindowHost* Host() { return current; }

WindowHost* SetHost(WindowHost* host)
{
    WindowHost* old = current;
    current = host;
    return old;
}

}  // namespace platform
