#include "uninstaller/program_dir.h"

namespace uninst {

DirResult ProgramDirFromModulePath(std::string_view modulePath, std::string& dir)
{
    if (modulePath.size() > kMaxModulePath)
        return DirResult::TooLong;
    const size_t slash = modulePath.find_last_of('\\');
    if (slash == std::string_view::npos)
        return DirResult::NoFolder;
    std::string_view folder = modulePath.substr(0, slash);
    // "C:", "\\server\share" or "" would make the uninstall sweep a whole drive or share.
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
        return DirResult::DriveRoot;
    if (folder.starts_with("\\\\")) {
        const size_t share = folder.find('\\', 2);
        if (share == std::string_view::npos || folder.find('\\', share + 1) == std::string_view::npos)
            return DirResult::DriveRoot;
    }
    dir.assign(folder);
    return DirResult::Ok;
}

}  // namespace uninst
