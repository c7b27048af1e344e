// Installing a downloaded package with SETUPAPI, and the clean-up around it.  Windows only.
#pragma once
#include <windows.h>

namespace updater {

// Installs section "ProductInstall" of update\upgrade.inf from update\data.cab into the program
// directory (directory id 65600), reporting to `dialog` (the "UPGRADE" prompt: file names in its
// prompt text, progress through WM_INSTALL_PROGRESS).  On success records the new version and the
// time of the upgrade and removes the package.  On failure nothing is recorded and the package stays.
bool InstallPackage(HWND dialog);

// Deletes update\upgrade.inf and update\data.cab.
void RemovePackageFiles();

// Asks the shell, through the machine-wide RunOnce key, to refresh its program groups; with runNow
// starts that at once.
void ScheduleShellRefresh(bool runNow);

}  // namespace updater
