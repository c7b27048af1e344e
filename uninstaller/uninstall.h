// The removal steps of the uninstaller, in the Windows build.  The setup library does the real
// work from the "DefaultUninstall" section of the product's setup information file; what it
// cannot do (remove the folders it emptied, and the running uninstaller with its folder) is done
// here, the last two at the next restart of the system.
#pragma once
#include <string>

namespace uninst {

// True on the Windows 95/98/Me family, where restart-time deletion goes through wininit.ini.
bool IsWindows9x();

// Removes the subdirectories of directory depth first and then directory itself, each only when
// it is empty, so folders holding a user's files stay.  Links to other folders are not followed.
void RemoveEmptyTree(const std::string& directory);

// Schedules a file or an (at restart, empty) directory for deletion at the next restart, through
// the list file wininit.ini in windowsDir (the 9x family); false when it could not be scheduled.
bool DeleteAtRestartByList(const std::string& path, const std::string& windowsDir);
// The same through the system's own list of delayed moves (every later system).
bool DeleteAtRestartByMove(const std::string& path);
// Whichever of the two the running system uses.
bool DeleteAtRestart(const std::string& path);

// Runs the "DefaultUninstall" section of programDir\brisaloc.inf through the setup library in its
// own process and waits for it; then removes the emptied tree and schedules exePath and programDir
// for deletion at restart.  False, with nothing removed, when the setup process cannot be started.
bool Uninstall(const std::string& programDir, const std::string& exePath);

}  // namespace uninst
