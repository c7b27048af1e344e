// Access to the program's option files.
//
// TESSEL.INI in the run directory holds the general options (section "Brisalo 6"); OVANTE.SYS in
// the system directory holds the text tool's font and the acquisition devices.  Every call opens
// the file through the platform; nothing is cached, a missing file or key gives the default and a
// failed write is ignored by the callers.  Paths are folder + backslash (unless the folder ends with
// one) + name and must fit the program's 260-byte path buffers.
#pragma once
#include <cstdint>
#include <string>

namespace app {

constexpr int kMaxPath = 260;
constexpr const char* kIniSection = "Brisalo 6";
constexpr const char* kIniFile = "TESSEL.INI";
constexpr const char* kSysFile = "OVANTE.SYS";

struct IniPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Where the two files live; set once at start (tests point them at a scratch folder).
void SetSettingsFolders(const std::string& runDir, const std::string& systemDir);
const std::string& RunDir();
// folder + "\" + name; empty when the result would not fit a 260-byte buffer.
std::string JoinPath(const std::string& folder, const char* name);

int GetIniInt(const char* section, const char* key, int fallback);
void GetIniText(const char* section, const char* key, const char* fallback, char* buffer, int size);
int SetIniInt(const char* section, const char* key, int value);
int SetIniText(const char* section, const char* key, const char* text);
// Reads "x, y".  A missing key reads as "nop": the defaults are stored and the result is 0.
int GetIniPoint(const char* section, const char* key, int32_t defaultX, int32_t defaultY, IniPoint* out);
int SetIniPoint(const char* section, const char* key, IniPoint point);

int GetSysInt(const char* section, const char* key, int fallback);
void GetSysText(const char* section, const char* key, const char* fallback, char* buffer, int size);
int SetSysInt(const char* section, const char* key, int value);
int SetSysText(const char* section, const char* key, const char* text);

}  // namespace app
