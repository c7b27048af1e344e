// What the updater reads and writes outside the network: its own directory, the version texts of
// brisaloc.inf and update\upgrade.inf, the server configuration, and the per-user record of the
// last upgrade.  Windows only.
#pragma once
#include <string>

#include "updater/update_rules.h"

namespace updater {

// The directory of updater.exe, always ending in a backslash.
const std::string& ProgramDirectory();
// Points everything at another program directory (tests run outside one); ends in a backslash.
void UseProgramDirectory(const std::string& dir);

std::string InstalledInfPath();  // brisaloc.inf
std::string UpdateFolder();      // update\ (with the backslash)
std::string PendingInfPath();    // update\upgrade.inf
std::string PendingCabPath();    // update\data.cab

std::string ReadInstalledVersion();
std::string ReadLatestVersion();
bool WriteInstalledVersion(const std::string& version);
UpdateServer ReadUpdateServer();

// Registry values "001" (date) and "002" (time) under the per-user UPDATE key.
bool ReadUpgradeStamp(std::string& date, std::string& time);
bool WriteUpgradeStampNow();

}  // namespace updater
