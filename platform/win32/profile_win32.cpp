#include <windows.h>

#include "platform/profile.h"

namespace platform {

int ProfileReadText(const char* file, const char* section, const char* key, const char* fallback, char* buffer,
                    int size)
{
    if (!buffer || size <= 0)
        return 0;
    return static_cast<int>(
        GetPrivateProfileStringA(section, key, fallback ? fallback : "", buffer, static_cast<DWORD>(size), file));
}

int ProfileReadInt(const char* file, const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

bool ProfileWriteText(const char* file, const char* section, const char* key, const char* value)
{
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

}  // namespace platform
