#include <windows.h>

#include "updater/program_files.h"

namespace updater {

static const char kStampKey[] = "Software\\OVANTEW\\Brisalo6\\UPDATE";

static std::string& Directory()
{
    static std::string dir = [] {
        char path[MAX_PATH] = {};
        const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string p(path, n < MAX_PATH ? n : 0);
        const auto slash = p.find_last_of('\\');
        return slash == std::string::npos ? std::string(".\\") : p.substr(0, slash + 1);
    }();
    return dir;
}

const std::string& ProgramDirectory() { return Directory(); }

void UseProgramDirectory(const std::string& dir)
{
    Directory() = dir.empty() || dir.back() == '\\' ? dir : dir + '\\';
}

std::string InstalledInfPath() { return ProgramDirectory() + "brisaloc.inf"; }
std::string UpdateFolder() { return ProgramDirectory() + "update\\"; }
std::string PendingInfPath() { return UpdateFolder() + "upgrade.inf"; }
std::string PendingCabPath() { return UpdateFolder() + "data.cab"; }

static std::string ReadProfile(const char* section, const char* key, const std::string& file, DWORD size)
{
    char text[MAX_PATH] = {};
    GetPrivateProfileStringA(section, key, "", text, size < sizeof text ? size : sizeof text, file.c_str());
    return text;
}

std::string ReadInstalledVersion() { return ReadProfile("version", "No", InstalledInfPath(), kVersionBuffer); }
std::string ReadLatestVersion() { return ReadProfile("version", "No", PendingInfPath(), kVersionBuffer); }

bool WriteInstalledVersion(const std::string& version)
{
    return WritePrivateProfileStringA("version", "No", version.c_str(), InstalledInfPath().c_str()) != 0;
}

UpdateServer ReadUpdateServer()
{
    const std::string inf = InstalledInfPath();
    return ResolveUpdateServer(ReadProfile(kConfigSection, "Server", inf, MAX_PATH),
                               ReadProfile(kConfigSection, "Directory", inf, MAX_PATH));
}

static HKEY OpenStampKey()
{
    // Opening for reading creates the key as well, so a first start leaves it in place.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kStampKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

static bool ReadText(HKEY key, const char* name, std::string& text)
{
    char buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH - 1;  // 259 bytes at most; the zero is ours
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size < MAX_PATH ? size : MAX_PATH - 1] = 0;
    text = buffer;
    return true;
}

bool ReadUpgradeStamp(std::string& date, std::string& time)
{
    HKEY key = OpenStampKey();
    if (!key)
        return false;
    const bool ok = ReadText(key, "002", time) && ReadText(key, "001", date);
    RegCloseKey(key);
    return ok;
}

static bool WriteText(HKEY key, const wchar_t* name, const std::string& text)
{
    // Stored without the terminating zero: the recorded length is the text's.  The ANSI call would
    // add the zero itself whenever the byte after the text happens to be one, so the text goes in
    // through the wide call with an exact length.
    wchar_t wide[MAX_PATH];
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide, MAX_PATH);
    if (n <= 0 && !text.empty())
        return false;
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide),
                          static_cast<DWORD>(n * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteUpgradeStampNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    HKEY key = OpenStampKey();
    if (!key)
        return false;
    const bool ok = WriteText(key, L"002", StampTime(now.wHour, now.wMinute, now.wSecond)) &&
                    WriteText(key, L"001", StampDate(now.wYear, now.wMonth, now.wDay));
    RegCloseKey(key);
    return ok;
}

}  // namespace updater
