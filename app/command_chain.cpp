#include "app/command_chain.h"

namespace app {
namespace {

CommandHandler handlers[static_cast<int>(CommandSlot::Count)] = {};
int lastCommand = 0;

}  // namespace

bool IsDispatcherCommand(int command)
{
    return command == 134 || command == 40041 || command == 40042 || command == 40044 || command == 40045;
}

void SetCommandHandler(CommandSlot slot, CommandHandler handler)
{
    if (slot != CommandSlot::Count)
        handlers[static_cast<int>(slot)] = handler;
}

int DispatchCommand(int command, intptr_t parameter)
{
    command &= 0xFFFF;
    int first = IsDispatcherCommand(command) ? 0 : 1;
    int last = IsDispatcherCommand(command) ? 1 : static_cast<int>(CommandSlot::Count);
    for (int i = first; i < last; ++i)
        if (handlers[i] && handlers[i](command, parameter)) {
            lastCommand = command;
            return 1;
        }
    return 0;
}

int LastCommand() { return lastCommand; }

void ResetCommandChain()
{
    for (CommandHandler& h : handlers)
        h = nullptr;
    lastCommand = 0;
}

}  // namespace app
