// The headless registry: an in-memory map, with a switch that makes the machine-wide classes refuse
// writes the way they do for an account without the right.
#pragma once
#include <map>
#include <string>

#include "platform/registry.h"

namespace platform {

struct HeadlessRegistry {
    std::map<std::string, std::string> classesRoot;
    std::map<std::string, std::string> userClasses;
    bool refuseClassesRoot = false;
    unsigned guidsMade = 0;
};
HeadlessRegistry& TheHeadlessRegistry();

}  // namespace platform
