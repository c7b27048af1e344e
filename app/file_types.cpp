#include "app/file_types.h"

#include <cstdio>

namespace app {

std::string FormatGuid(const platform::Guid& g)
{
    char text[64];
    std::snprintf(text, sizeof text, "{%lX-%X-%X-%X%X-%X%X%X%X%X%X}", static_cast<unsigned long>(g.data1),
                  static_cast<unsigned>(g.data2), static_cast<unsigned>(g.data3), static_cast<unsigned>(g.data4[0]),
                  static_cast<unsigned>(g.data4[1]), static_cast<unsigned>(g.data4[2]),
                  static_cast<unsigned>(g.data4[3]), static_cast<unsigned>(g.data4[4]),
                  static_cast<unsigned>(g.data4[5]), static_cast<unsigned>(g.data4[6]),
                  static_cast<unsigned>(g.data4[7]));
    return text;
}

std::vector<std::pair<std::string, std::string>> FileTypeEntries(const std::string& guid, const std::string& exe)
{
    const std::string icon = exe + ", 1";
    const std::string open = "\"" + exe + "\" \"%1\"";
    struct Type {
        const char *extension, *progId, *description;
    } types[] = {{".vkd", "Vesk_DOC", "Vesk Image Document"}, {".tur", "Vesk_TUR_DOC", "Vesk Tutorial Document"}};
    std::vector<std::pair<std::string, std::string>> entries;
    for (const Type& t : types) {
        const std::string ext = t.extension, id = t.progId;
        entries.push_back({ext + "\\", id});
        entries.push_back({id + "\\", t.description});
        entries.push_back({ext + "\\ShellEx\\" + guid, guid});
        entries.push_back({id + "\\CLSID\\", guid});
        entries.push_back({id + "\\DefaultIcon\\", icon});
        entries.push_back({id + "\\Shell\\Open\\Command\\", open});
    }
    return entries;
}

Registered RegisterFileTypes(const std::string& exe)
{
    platform::Guid guid;
    if (!platform::NewGuid(&guid))
        return Registered::None;
    const auto entries = FileTypeEntries(FormatGuid(guid), exe);
    bool all = true;
    for (const auto& [key, value] : entries)
        all = platform::RegistrySetDefault(platform::RegistryRoot::ClassesRoot, key.c_str(), value.c_str()) && all;
    if (all)
        return Registered::ClassesRoot;
    all = true;
    for (const auto& [key, value] : entries)
        all = platform::RegistrySetDefault(platform::RegistryRoot::CurrentUserClasses, key.c_str(), value.c_str()) &&
              all;
    return all ? Registered::UserClasses : Registered::None;
}

}  // namespace app
