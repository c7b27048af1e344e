#include <windows.h>

#include "platform/files.h"

namespace platform {

std::string HostPath(const std::string& path) { return path; }

bool FileExists(const char* path)
{
    if (!path || !*path)
        return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const char* path)
{
    if (!path || !*path)
        return false;
    if (!CreateDirectoryA(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform
