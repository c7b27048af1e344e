#include "app/recent_files.h"

#include <cstdio>
#include <cstring>
#include <cctype>

#include "platform/files.h"
#include "raster/safe_file.h"

namespace app {
namespace {

void CopyField(char* out, const char* in)
{
    std::memset(out, 0, kMaxPath);
    if (in)
        std::strncpy(out, in, kMaxPath - 1);
}

// File names on Windows compare without regard to case.
bool SameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

int LoadRecentFiles(const char* path, RecentFiles* list)
{
    *list = RecentFiles{};
    std::FILE* f = path ? std::fopen(platform::HostPath(path).c_str(), "rb") : nullptr;
    if (!f)
        return 0;
    unsigned char record[kRecentRecordSize];
    while (list->count < kMaxRecentFiles && std::fread(record, 1, sizeof record, f) == sizeof record) {
        // A record without its terminator would run into the next field; it is cut at the field's end.
        std::memcpy(list->folder[list->count], record, kMaxPath);
        std::memcpy(list->name[list->count], record + kMaxPath, kMaxPath);
        list->folder[list->count][kMaxPath - 1] = 0;
        list->name[list->count][kMaxPath - 1] = 0;
        ++list->count;
    }
    std::fclose(f);
    return list->count;
}

int SaveRecentFiles(const char* path, const RecentFiles& list)
{
    SafeFile out;
    if (!path || !out.Open(platform::HostPath(path).c_str()))
        return 0;
    int count = list.count < 0 ? 0 : list.count > kMaxRecentFiles ? kMaxRecentFiles : list.count;
    for (int i = 0; i < count; ++i) {
        char record[kRecentRecordSize] = {};
        std::strncpy(record, list.folder[i], kMaxPath - 1);
        std::strncpy(record + kMaxPath, list.name[i], kMaxPath - 1);
        out.Write(record, sizeof record);
    }
    return out.Commit() ? 1 : 0;
}

void AddRecentFile(RecentFiles* list, const char* folder, const char* name)
{
    RecentFiles next;
    CopyField(next.folder[0], folder);
    CopyField(next.name[0], name);
    next.count = 1;
    for (int i = 0; i < list->count && next.count < kMaxRecentFiles; ++i) {
        if (SameName(list->folder[i], next.folder[0]) && SameName(list->name[i], next.name[0]))
            continue;
        CopyField(next.folder[next.count], list->folder[i]);
        CopyField(next.name[next.count], list->name[i]);
        ++next.count;
    }
    *list = next;
}

}  // namespace app
