// The restart-time deletion list of the Windows 95/98/Me family: "wininit.ini" in the Windows
// directory, whose "[rename]" section holds one "NUL=<short path>" line per file or directory that
// the system deletes while it restarts.  Newer systems keep that list themselves (delayed moves);
// only the 9x family needs us to edit the file, and the editing is plain text work kept here,
// apart from the system calls, so that it can be checked on any machine.
#pragma once
#include <string>
#include <string_view>

namespace uninst {

// The new list text after scheduling shortPath: the old lines (split at CR and LF, empty lines
// dropped) up to and including the first "[rename]" header in any letter case, then
// "NUL=<shortPath>", then the rest.  Without a header, all old lines, then "[rename]" and the new
// entry.  Every line ends in a single line feed.
std::string AddRestartDeletion(std::string_view oldList, std::string_view shortPath);

// Schedules shortPath in the list file at listPath (created when missing).  The file is replaced
// only once the new text is completely written, so a failure never loses the entries already
// pending; false then.
bool AddRestartDeletionToFile(const std::string& listPath, std::string_view shortPath);

// dir + "\" + name, without doubling a backslash that dir already ends with.
std::string JoinWindowsPath(std::string_view dir, std::string_view name);

}  // namespace uninst
