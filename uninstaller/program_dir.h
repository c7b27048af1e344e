// Where the uninstaller acts: the folder its own executable lies in.  Everything it removes is
// found from there, so a wrong folder would be a disaster; the checks live here, apart from the
// system calls, so that they can be checked on any machine.
#pragma once
#include <string>
#include <string_view>

namespace uninst {

// The longest module path we accept: the program's paths live in 80-character buffers, and a
// longer path would be cut short there and name a different folder.
constexpr size_t kMaxModulePath = 79;

enum class DirResult {
    Ok,
    TooLong,     // more than kMaxModulePath characters
    NoFolder,    // no backslash: not a full path
    DriveRoot,   // the program would sit in a drive's root, whose whole tree we must never sweep
};

// The directory part of modulePath, without the trailing backslash, into dir (only on Ok).
DirResult ProgramDirFromModulePath(std::string_view modulePath, std::string& dir);

}  // namespace uninst
