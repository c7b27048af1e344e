// updater.exe: checks the update server for a newer version, downloads the package and installs it.
// One modal dialog; each network job runs on its own worker thread, which reports back with a sent
// WM_COMMAND that the dialog answers at once, so the worker never waits on the dialog's work.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "netfetch/netfetch.h"
#include "updater/install.h"
#include "updater/program_files.h"
#include "updater/resource.h"
#include "updater/update_rules.h"

using namespace updater;

namespace {

HFONT g_statusFont = nullptr;
int g_blinkCount = 0;  // user-interface thread only

enum class Fetch { NotSent, Failed, Complete };

// Downloads the update directory's file `name` into the program directory.
Fetch Download(const char* name)
{
    const UpdateServer server = ReadUpdateServer();
    const int s = ConnectWebServerSocket(server.host.c_str());
    if (s == -1)
        return Fetch::NotSent;
    const std::string url = server.directory + name;
    const int file = SendWebQuery(s, ProgramDirectory().c_str(), url.c_str());
    if (file == -1)
        return Fetch::NotSent;
    int got;
    do
        got = RecvWebFile(s, file);
    while (got > 0);
    return got == 0 ? Fetch::Complete : Fetch::Failed;
}

// Moves a downloaded file from the program directory into update\.
bool MoveIntoUpdateFolder(const char* name)
{
    const std::string from = ProgramDirectory() + name;
    const std::string to = UpdateFolder() + name;
    CreateDirectoryA(UpdateFolder().c_str(), nullptr);
    const bool ok = CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
    DeleteFileA(from.c_str());
    return ok;
}

DWORD WINAPI CheckForUpdate(void* param)
{
    const HWND dialog = static_cast<HWND>(param);
    if (Download("upgrade.inf") == Fetch::Complete)
        MoveIntoUpdateFolder("upgrade.inf");
    else
        DeleteFileA((ProgramDirectory() + "upgrade.inf").c_str());  // a cut announcement is no news
    SendMessageA(dialog, WM_COMMAND, IDN_CHECK_DONE, 1);
    return 0;
}

DWORD WINAPI DownloadPackage(void* param)
{
    const HWND dialog = static_cast<HWND>(param);
    if (IsUpdateAvailable(ReadInstalledVersion(), ReadLatestVersion())) {
        switch (Download("data.cab")) {
        case Fetch::NotSent:
            break;
        case Fetch::Failed:
            DeleteFileA((ProgramDirectory() + "data.cab").c_str());
            RemovePackageFiles();
            break;
        case Fetch::Complete:
            MoveIntoUpdateFolder("data.cab");
            break;
        }
    }
    SendMessageA(dialog, WM_COMMAND, IDN_DOWNLOAD_DONE, 1);
    return 0;
}

void ShowVersions(HWND dialog)
{
    const std::string installed = ReadInstalledVersion(), latest = ReadLatestVersion();
    SetDlgItemTextA(dialog, IDC_INSTALLED, installed.c_str());
    SetDlgItemTextA(dialog, IDC_LATEST, latest.c_str());
    EnableWindow(GetDlgItem(dialog, IDC_UPGRADE), IsUpdateAvailable(installed, latest));
}

void StartWorker(HWND dialog, LPTHREAD_START_ROUTINE body)
{
    g_blinkCount = 0;
    SetTimer(dialog, IDT_BLINK, 200, nullptr);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_UPGRADE), FALSE);
    if (HANDLE thread = CreateThread(nullptr, 0, body, dialog, 0, nullptr))
        CloseHandle(thread);
    else
        SendMessageA(dialog, WM_COMMAND, body == CheckForUpdate ? IDN_CHECK_DONE : IDN_DOWNLOAD_DONE, 0);
}

void EndBusy(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    KillTimer(dialog, IDT_BLINK);
    SetDlgItemTextA(dialog, IDC_STATUS, "");
}

INT_PTR CALLBACK UpgradeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_PROMPT, "An newer update patch has been downloaded.\nDo you want to install it now?");
        return TRUE;
    case WM_INSTALL_PROGRESS:
        TrackInstallProgress(dialog, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            InstallPackage(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        g_statusFont = CreateFontA(16, 0, 0, 0, 900, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        SendDlgItemMessageA(dialog, IDC_STATUS, WM_SETFONT, reinterpret_cast<WPARAM>(g_statusFont), FALSE);
        std::string date, time;
        if (ReadUpgradeStamp(date, time))
            SetDlgItemTextA(dialog, IDC_LAST_UPGRADE, ShowStamp(date, time).c_str());
        ShowVersions(dialog);
        return TRUE;
    }
    case WM_TIMER:
        if (wParam == IDT_BLINK) {
            ++g_blinkCount;
            SetDlgItemTextA(dialog, IDC_STATUS, (g_blinkCount & 1) ? "Communicating with server..." : "");
            return TRUE;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            StartWorker(dialog, CheckForUpdate);
            return TRUE;
        case IDC_UPGRADE:
            StartWorker(dialog, DownloadPackage);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDN_CHECK_DONE:
            if (InSendMessage())
                ReplyMessage(0);
            if (lParam) {
                const std::string latest = ReadLatestVersion();
                SetDlgItemTextA(dialog, IDC_LATEST, latest.c_str());
                if (IsUpdateAvailable(ReadInstalledVersion(), latest))
                    EnableWindow(GetDlgItem(dialog, IDC_UPGRADE), TRUE);
            }
            EndBusy(dialog);
            return TRUE;
        case IDN_DOWNLOAD_DONE:
            if (InSendMessage())
                ReplyMessage(0);
            EndBusy(dialog);
            if (lParam)
                DialogBoxParamA(GetModuleHandleA(nullptr), "UPGRADE", dialog, UpgradeProc, 0);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        if (g_statusFont) {
            DeleteObject(g_statusFont);
            g_statusFont = nullptr;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    return static_cast<int>(DialogBoxParamA(instance, "UIDEMO", nullptr, MainProc, 0));
}
