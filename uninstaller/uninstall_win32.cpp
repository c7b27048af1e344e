#include "uninstaller/uninstall.h"

#include <windows.h>

#include <vector>

#include "uninstaller/restart_list.h"

namespace uninst {

bool IsWindows9x()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void RemoveEmptyTree(const std::string& directory)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinWindowsPath(directory, "*.*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..")
                continue;
            // A junction or symbolic link leads out of the tree: sweeping behind it could remove
            // another program's empty folders.  Removing the link itself is enough.
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveDirectoryA(JoinWindowsPath(directory, name).c_str());
            else
                RemoveEmptyTree(JoinWindowsPath(directory, name));
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(directory.c_str());
}

bool DeleteAtRestartByList(const std::string& path, const std::string& windowsDir)
{
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    if (n == 0 || n >= sizeof shortPath)
        return false;
    return AddRestartDeletionToFile(JoinWindowsPath(windowsDir, "wininit.ini"), shortPath);
}

bool DeleteAtRestartByMove(const std::string& path)
{
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool DeleteAtRestart(const std::string& path)
{
    if (!IsWindows9x())
        return DeleteAtRestartByMove(path);
    char windowsDir[MAX_PATH];
    UINT n = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (n == 0 || n >= sizeof windowsDir)
        return false;
    return DeleteAtRestartByList(path, windowsDir);
}

bool Uninstall(const std::string& programDir, const std::string& exePath)
{
    std::string command = "Rundll32.exe setupapi.dll,InstallHinfSection DefaultUninstall 132 ";
    command += JoinWindowsPath(programDir, "brisaloc.inf");
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE,
                        nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    RemoveEmptyTree(programDir);
    // The executable first: the system's delayed moves run in the order they were made, so the
    // folder comes up only once the file is gone.
    DeleteAtRestart(exePath);
    DeleteAtRestart(programDir);
    return true;
}

}  // namespace uninst
