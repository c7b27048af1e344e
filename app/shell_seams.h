// The outside pieces the shell starts, feeds and stops at fixed moments of its life: scanner and
// camera input (it may want to see every message of the loop), the stylus tablet, tutorial
// playback of a file named on the command line, and the timers of the painting parts.  Each is a
// function pointer that the part owning the piece assigns when it joins the program; until then
// the defaults do nothing and report that nothing is there, so the shell runs the same with or
// without them.  Pointers are never null.
#pragma once

namespace app {

enum TabletState : int { kTabletAbsent = 0, kTabletOpen = 1, kTabletUnusable = -1 };

struct ShellSeams {
    // Opened while the main window is created, closed at shutdown (window: the main window's handle).
    void (*openScanner)(void* window);
    void (*closeScanner)();
    // Every message of the loop, before it is translated; true when the scanner took it.
    bool (*offerMessage)(void* msg);
    // The stylus tablet, opened at the deferred start and closed when the loop has ended.
    int (*openTablet)(void* window);
    void (*closeTablet)();
    // Plays a tutorial file (the command line named one).
    void (*playTutorial)(const char* path);
    // The main window's timers that the painting parts start and own: the sound library's 23, the
    // paint repeat 101 while a button is held on the canvas, the marching ants 1032 and the text
    // caret 10.  True when the owner handled the tick.
    bool (*paintTimer)(unsigned id);
};
extern ShellSeams g_shellSeams;
void ResetShellSeams();

}  // namespace app
