// The command dispatcher's fixed chain.  Every command identifier (a button, a menu entry, a panel
// control) reaches the main window as WM_COMMAND; five identifiers belong to the dispatcher itself,
// every other one is offered to the handlers in their fixed order until one accepts it.  Handlers
// are installed by the parts that own them as those parts start; their order never changes.
#pragma once
#include <cstdint>

namespace app {

// 1 when the command was taken.
using CommandHandler = int (*)(int command, intptr_t parameter);

// The places in the chain, in order.  The layer box's commands come second to last.
enum class CommandSlot {
    Own,        // 134, 40041, 40042, 40044, 40045
    FileSave,   // save, save as, export, insert picture
    FileOpen,   // open, scanner, camera
    Tutorial,   // tutorial files
    Tools,      // painting-tool buttons
    Panels,     // tool boxes and panels
    Layers,     // the layer box
    Shell,      // quit, preferences, recent files and the rest of the shell
    Count
};

constexpr int kCommandQuit = 100;
constexpr int kCommandDefaultTool = 50023;
// The shell's own menu commands.
constexpr int kCommandPreferences = 32860;
constexpr int kCommandDesktopWallpaper = 32861;
bool IsDispatcherCommand(int command);

void SetCommandHandler(CommandSlot slot, CommandHandler handler);
// Offers the command along the chain; 1 when a handler took it (it then becomes the last command).
int DispatchCommand(int command, intptr_t parameter);
int LastCommand();
void ResetCommandChain();

}  // namespace app
