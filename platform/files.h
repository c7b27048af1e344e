// Files as the program names them.  Every path inside the program is written the Windows way
// (folder, backslash, name); the platform turns it into one the host understands.
#pragma once
#include <string>

namespace platform {

std::string HostPath(const std::string& path);
bool FileExists(const char* path);
// Creates one folder; true when it exists afterwards.
bool MakeFolder(const char* path);

}  // namespace platform
