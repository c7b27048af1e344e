// Installing a downloaded package with SETUPAPI, and the clean-up around it.  Windows only.
#pragma once
#include <windows.h>

namespace updater {

// Installs section "ProductInstall" of update\upgrade.inf from update\data.cab into the program
// directory (directory id 65600), reporting to `dialog` (the "UPGRADE" prompt: file names in its
// prompt text, progress through WM_INSTALL_PROGRESS).  On success records the new version and the
// time of the upgrade and removes the package.  On failure nothing is recorded and the package stays.
bool InstallPackage(HWND dialog);

// The "UPGRADE" dialog's answer to WM_INSTALL_PROGRESS: a nonzero lParam N starts a run over
// 0..N (low 16 bits), zero advances by one file.  The setup library's default callback sends these
// where it supports a progress window; where it does not (Wine), InstallPackage's own callback sends
// the same messages, so the bar moves everywhere and never twice as fast.
void TrackInstallProgress(HWND dialog, LPARAM lParam);

// Deletes update\upgrade.inf and update\data.cab.
void RemovePackageFiles();

// Asks the shell, through the machine-wide RunOnce key, to refresh its program groups; with runNow
// starts that at once.
void ScheduleShellRefresh(bool runNow);

}  // namespace updater
