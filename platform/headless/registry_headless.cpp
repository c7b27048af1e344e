#include "platform/headless/registry_headless.h"

#include <random>

namespace platform {

HeadlessRegistry& TheHeadlessRegistry()
{
    static HeadlessRegistry registry;
    return registry;
}

bool RegistrySetDefault(RegistryRoot root, const char* subkey, const char* value)
{
    HeadlessRegistry& r = TheHeadlessRegistry();
    if (!subkey || !value)
        return false;
    if (root == RegistryRoot::ClassesRoot) {
        if (r.refuseClassesRoot)
            return false;
        r.classesRoot[subkey] = value;
    } else {
        r.userClasses[subkey] = value;
    }
    return true;
}

bool NewGuid(Guid* guid)
{
    if (!guid)
        return false;
    static std::mt19937 random{std::random_device{}()};
    guid->data1 = random();
    guid->data2 = static_cast<uint16_t>(random());
    guid->data3 = static_cast<uint16_t>((random() & 0x0FFF) | 0x4000);
    for (uint8_t& b : guid->data4)
        b = static_cast<uint8_t>(random());
    ++TheHeadlessRegistry().guidsMade;
    return true;
}

}  // namespace platform
