#include "app/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/profile.h"

namespace app {
namespace {

std::string runDir = ".";
std::string systemDir = ".";

std::string IniPath() { return JoinPath(runDir, kIniFile); }
std::string SysPath() { return JoinPath(systemDir, kSysFile); }

int ReadInt(const std::string& file, const char* section, const char* key, int fallback)
{
    return file.empty() ? fallback : platform::ProfileReadInt(file.c_str(), section, key, fallback);
}

void ReadText(const std::string& file, const char* section, const char* key, const char* fallback, char* buffer,
              int size)
{
    if (!buffer || size <= 0)
        return;
    if (file.empty()) {
        std::snprintf(buffer, static_cast<size_t>(size), "%s", fallback ? fallback : "");
        return;
    }
    platform::ProfileReadText(file.c_str(), section, key, fallback, buffer, size);
}

int WriteText(const std::string& file, const char* section, const char* key, const char* text)
{
    return !file.empty() && platform::ProfileWriteText(file.c_str(), section, key, text) ? 1 : 0;
}

int WriteInt(const std::string& file, const char* section, const char* key, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteText(file, section, key, text);
}

}  // namespace

void SetSettingsFolders(const std::string& run, const std::string& system)
{
    runDir = run;
    systemDir = system;
}

const std::string& RunDir() { return runDir; }

std::string JoinPath(const std::string& folder, const char* name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += name ? name : "";
    return path.size() < static_cast<size_t>(kMaxPath) ? path : std::string();
}

int GetIniInt(const char* section, const char* key, int fallback) { return ReadInt(IniPath(), section, key, fallback); }

void GetIniText(const char* section, const char* key, const char* fallback, char* buffer, int size)
{
    ReadText(IniPath(), section, key, fallback, buffer, size);
}

int SetIniInt(const char* section, const char* key, int value) { return WriteInt(IniPath(), section, key, value); }

int SetIniText(const char* section, const char* key, const char* text) { return WriteText(IniPath(), section, key, text); }

int GetIniPoint(const char* section, const char* key, int32_t defaultX, int32_t defaultY, IniPoint* out)
{
    char text[64];
    GetIniText(section, key, "nop", text, sizeof text);
    if (std::strcmp(text, "nop") == 0) {
        *out = {defaultX, defaultY};
        return 0;
    }
    out->x = static_cast<int32_t>(std::strtol(text, nullptr, 10));
    // Without a comma there is no second number; the default keeps the point usable.
    const char* comma = std::strchr(text, ',');
    out->y = comma ? static_cast<int32_t>(std::strtol(comma + 1, nullptr, 10)) : defaultY;
    return 1;
}

int SetIniPoint(const char* section, const char* key, IniPoint point)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d, %d", static_cast<int>(point.x), static_cast<int>(point.y));
    return SetIniText(section, key, text);
}

int GetSysInt(const char* section, const char* key, int fallback) { return ReadInt(SysPath(), section, key, fallback); }

void GetSysText(const char* section, const char* key, const char* fallback, char* buffer, int size)
{
    ReadText(SysPath(), section, key, fallback, buffer, size);
}

int SetSysInt(const char* section, const char* key, int value) { return WriteInt(SysPath(), section, key, value); }

int SetSysText(const char* section, const char* key, const char* text) { return WriteText(SysPath(), section, key, text); }

}  // namespace app
