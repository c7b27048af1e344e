// Registration of the program's two document types (".vkd" pictures and ".tur" tutorials), written
// at every start so that double-clicking a file opens it with this copy of the program.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace app {

// "{%lX-%X-%X-%X%X-%X%X%X%X%X%X}" (each field without leading zeros).
std::string FormatGuid(const platform::Guid& guid);

// The keys and their default values for one GUID and the executable's path.
std::vector<std::pair<std::string, std::string>> FileTypeEntries(const std::string& guid, const std::string& exe);

enum class Registered { None, ClassesRoot, UserClasses };
// Writes every entry under the machine-wide classes; when that is refused (an account without the
// right), writes them all under the current user's classes instead, which the shell also reads.
Registered RegisterFileTypes(const std::string& exe);

}  // namespace app
