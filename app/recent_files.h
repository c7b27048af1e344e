// The recent-files list and its file "MRUSYS.DAT": 520-byte records (the folder in bytes 0..259 and
// the file name in bytes 260..519, each zero-terminated), no header, in menu order, at most six
// (menu commands 9000 to 9005).
#pragma once
#include "app/settings.h"

namespace app {

constexpr int kMaxRecentFiles = 6;
constexpr int kRecentRecordSize = 2 * kMaxPath;
constexpr int kFirstRecentCommand = 9000;

struct RecentFiles {
    int count = 0;
    char folder[kMaxRecentFiles][kMaxPath] = {};
    char name[kMaxRecentFiles][kMaxPath] = {};
};

// Reads records until one is short or six are read; a missing file gives an empty list.  Returns
// the number of entries.
int LoadRecentFiles(const char* path, RecentFiles* list);
// Replaces the file with one record per entry; 1 on success (on failure the old file stays).
int SaveRecentFiles(const char* path, const RecentFiles& list);
// Puts folder + name first, removing an earlier entry for the same file and the oldest beyond six.
void AddRecentFile(RecentFiles* list, const char* folder, const char* name);

}  // namespace app
