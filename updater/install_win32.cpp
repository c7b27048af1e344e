#include "updater/install.h"

#include <commctrl.h>
#include <setupapi.h>

#include <string>
#include <vector>

#include "updater/cabinet_check.h"
#include "updater/program_files.h"
#include "updater/resource.h"

namespace updater {

namespace {

struct CopyContext {
    void* defaultContext;
    HWND dialog;
    std::string sourceDir;
    bool standIn;  // the library sends no progress messages: ours take their place
};

// Progress runs started and files counted through TrackInstallProgress; user-interface thread only.
int g_progressRuns = 0;
int g_progressCount = 0;

UINT CALLBACK QueueCallback(void* context, UINT notification, UINT_PTR param1, UINT_PTR param2)
{
    auto* copy = static_cast<CopyContext*>(context);
    switch (notification) {
    case SPFILENOTIFY_STARTCOPY: {
        const auto* paths = reinterpret_cast<const FILEPATHS_A*>(param1);
        const std::string text = std::string("Copying ") + (paths && paths->Target ? paths->Target : "");
        SetDlgItemTextA(copy->dialog, IDC_PROMPT, text.c_str());
        return FILEOP_DOIT;
    }
    case SPFILENOTIFY_NEEDMEDIA: {
        // The package always sits in update\, whatever the INF says about disks.
        char* newPath = reinterpret_cast<char*>(param2);
        if (!newPath || copy->sourceDir.size() >= MAX_PATH)
            return FILEOP_ABORT;
        lstrcpynA(newPath, copy->sourceDir.c_str(), MAX_PATH);
        return FILEOP_NEWPATH;
    }
    case SPFILENOTIFY_STARTSUBQUEUE: {
        const int runs = g_progressRuns;
        const UINT answer = SetupDefaultQueueCallbackA(copy->defaultContext, notification, param1, param2);
        if (param1 == FILEOP_COPY && param2 != 0 && g_progressRuns == runs) {
            copy->standIn = true;
            SendMessageA(copy->dialog, WM_INSTALL_PROGRESS, 0, static_cast<LPARAM>(param2));
        }
        return answer;
    }
    case SPFILENOTIFY_ENDCOPY: {
        const UINT answer = SetupDefaultQueueCallbackA(copy->defaultContext, notification, param1, param2);
        if (copy->standIn)
            SendMessageA(copy->dialog, WM_INSTALL_PROGRESS, 0, 0);
        return answer;
    }
    default:
        return SetupDefaultQueueCallbackA(copy->defaultContext, notification, param1, param2);
    }
}

bool PendingCabinetIsComplete()
{
    const HANDLE file = CreateFileA(PendingCabPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char header[kCabinetHeaderSize] = {};
    DWORD got = 0;
    LARGE_INTEGER size{};
    const bool read = ReadFile(file, header, sizeof header, &got, nullptr) && GetFileSizeEx(file, &size);
    CloseHandle(file);
    return read && CabinetIsComplete(header, got, static_cast<std::uint64_t>(size.QuadPart));
}

bool CopyAndRegister(HINF inf, HWND dialog)
{
    char shortDir[MAX_PATH] = {};
    const DWORD n = GetShortPathNameA(ProgramDirectory().c_str(), shortDir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || !SetupSetDirectoryIdA(inf, 65600, shortDir))
        return false;

    const HSPFILEQ queue = SetupOpenFileQueue();
    if (queue == INVALID_HANDLE_VALUE)
        return false;
    void* defaultContext = SetupInitDefaultQueueCallbackEx(dialog, dialog, WM_INSTALL_PROGRESS, 0, nullptr);
    if (!defaultContext) {
        SetupCloseFileQueue(queue);
        return false;
    }
    CopyContext context{defaultContext, dialog, UpdateFolder(), false};
    bool ok = SetupInstallFilesFromInfSectionA(inf, nullptr, queue, "ProductInstall", context.sourceDir.c_str(),
                                               SP_COPY_NEWER) &&
              SetupCommitFileQueueA(dialog, queue, QueueCallback, &context);
    if (ok)
        ok = SetupInstallFromInfSectionA(dialog, inf, "ProductInstall", SPINST_INIFILES | SPINST_REGISTRY, nullptr,
                                         nullptr, 0, nullptr, nullptr, nullptr, nullptr) != 0;
    SetupCloseFileQueue(queue);
    SetupTermDefaultQueueCallback(defaultContext);
    return ok;
}

}  // namespace

bool InstallPackage(HWND dialog)
{
    // A package without a version, or with a cut or foreign cabinet, is never installed: the copy
    // would either record nothing or update only part of the program.
    const std::string latest = ReadLatestVersion();
    if (latest.empty() || !PendingCabinetIsComplete())
        return false;
    const HINF inf = SetupOpenInfFileA(PendingInfPath().c_str(), nullptr, INF_STYLE_WIN4, nullptr);
    if (inf == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = CopyAndRegister(inf, dialog);
    SetupCloseInfFile(inf);
    if (!ok)
        return false;
    ScheduleShellRefresh(true);
    WriteInstalledVersion(latest);
    WriteUpgradeStampNow();
    RemovePackageFiles();
    return true;
}

void TrackInstallProgress(HWND dialog, LPARAM lParam)
{
    const HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
    if (lParam != 0) {
        ++g_progressRuns;
        g_progressCount = 0;
        SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, LOWORD(lParam)));
        SendMessageA(bar, PBM_SETSTEP, 1, 0);
        SendMessageA(bar, PBM_SETPOS, 0, 0);
    } else {
        SendMessageA(bar, PBM_SETPOS, ++g_progressCount, 0);
    }
}

void RemovePackageFiles()
{
    DeleteFileA(PendingInfPath().c_str());
    DeleteFileA(PendingCabPath().c_str());
}

void ScheduleShellRefresh(bool runNow)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, KEY_ALL_ACCESS,
                      &key) != ERROR_SUCCESS)
        return;
    HKEY setup = nullptr;
    if (RegOpenKeyExA(key, "Setup", 0, KEY_READ, &setup) == ERROR_SUCCESS) {
        RegCloseKey(setup);
        static const char wrapper[] = "runonce";
        RegSetValueExA(key, "Wrapper", 0, REG_SZ, reinterpret_cast<const BYTE*>(wrapper), sizeof wrapper);
    }
    static const char grpconv[] = "grpconv -o";
    RegSetValueExA(key, "GrpConv", 0, REG_SZ, reinterpret_cast<const BYTE*>(grpconv), sizeof grpconv);
    RegCloseKey(key);
    if (!runNow)
        return;
    char command[] = "runonce -r";
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace updater
