// The generator's drawing functions, one per family of data files.  Each writes its files under the
// program directory given and returns false when one cannot be written.
#pragma once
#include <string>

namespace assets {

bool DrawSplash(const std::string& programDir);
bool DrawWallpapers(const std::string& programDir);
// The control skins under res\tools\.
bool DrawSkins(const std::string& programDir);
// The sound effects under wave\.
bool WriteSounds(const std::string& programDir);
// brisaloc.inf; lists the files already in the folder, so it runs after the other families.
bool WriteSetupInf(const std::string& programDir);

}  // namespace assets
