#include <objbase.h>
#include <windows.h>

#include <cstring>

#include "platform/registry.h"

namespace platform {

bool RegistrySetDefault(RegistryRoot root, const char* subkey, const char* value)
{
    if (!subkey || !value)
        return false;
    HKEY base = HKEY_CLASSES_ROOT;
    std::string path = subkey;
    // The key table names keys with a closing backslash; the registry wants the bare path.
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (root == RegistryRoot::CurrentUserClasses) {
        base = HKEY_CURRENT_USER;
        path = "Software\\Classes\\" + path;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool NewGuid(Guid* guid)
{
    if (!guid)
        return false;
    GUID g;
    if (CoCreateGuid(&g) != S_OK)
        return false;
    guid->data1 = static_cast<uint32_t>(g.Data1);
    guid->data2 = g.Data2;
    guid->data3 = g.Data3;
    std::memcpy(guid->data4, g.Data4, 8);
    return true;
}

}  // namespace platform
