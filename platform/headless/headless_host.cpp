#include "platform/headless/headless_host.h"

namespace platform {

bool HeadlessHost::PumpMessage()
{
    if (queue.empty())
        return false;
    QueuedMessage m = queue.front();
    queue.pop_front();
    if (procedure)
        procedure(m.message, m.wParam, m.lParam);
    return true;
}

}  // namespace platform
