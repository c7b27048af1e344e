// The registry, as far as the program writes it: default string values of keys, and new GUIDs.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

enum class RegistryRoot {
    ClassesRoot,         // the machine-wide classes
    CurrentUserClasses,  // the user's own classes, for accounts that may not write the machine's
};

// Creates the key if needed and sets its default value; true on success.
bool RegistrySetDefault(RegistryRoot root, const char* subkey, const char* value);

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};
bool NewGuid(Guid* guid);

}  // namespace platform
