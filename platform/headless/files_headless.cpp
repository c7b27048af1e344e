#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/files.h"

namespace platform {

std::string HostPath(const std::string& path)
{
    std::string p = path;
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

bool FileExists(const char* path)
{
    if (!path || !*path)
        return false;
    struct stat st {};
    return stat(HostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool MakeFolder(const char* path)
{
    if (!path || !*path)
        return false;
    std::string p = HostPath(path);
    if (mkdir(p.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat st {};
        return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    return false;
}

}  // namespace platform
