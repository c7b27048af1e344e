// The uninstaller's system steps under Windows (here Wine): sweeping the emptied tree and what the
// system records for deletion at the next restart.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "uninstaller/uninstall.h"

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPending[] = "PendingFileRenameOperations";

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void Touch(const std::string& path) { std::ofstream(path) << "x"; }
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(RemoveEmptyTree, RemovesEmptyFoldersAndKeepsOnesWithFiles)
{
    const std::string root = TempFolder("uninst-tree-");
    for (const char* d : {"\\paper", "\\paper\\tips", "\\res", "\\res\\tools", "\\res\\layer", "\\mine", "\\mine\\old"})
        ASSERT_TRUE(CreateDirectoryA((root + d).c_str(), nullptr)) << d;
    Touch(root + "\\mine\\old\\cat.vkd");

    uninst::RemoveEmptyTree(root);
    EXPECT_FALSE(Exists(root + "\\paper"));
    EXPECT_FALSE(Exists(root + "\\res"));
    EXPECT_TRUE(Exists(root + "\\mine\\old\\cat.vkd"));
    EXPECT_TRUE(Exists(root));

    DeleteFileA((root + "\\mine\\old\\cat.vkd").c_str());
    uninst::RemoveEmptyTree(root + "\\");  // a trailing backslash is fine
    EXPECT_FALSE(Exists(root));
}

// The value as a list of strings (REG_MULTI_SZ, empty strings kept); empty when missing.
std::vector<std::string> PendingMoves(std::vector<char>* raw = nullptr)
{
    HKEY key;
    std::vector<std::string> items;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key))
        return items;
    DWORD type = 0, size = 0;
    if (!RegQueryValueExA(key, kPending, nullptr, &type, nullptr, &size) && size) {
        std::vector<char> data(size + 2, 0);
        if (!RegQueryValueExA(key, kPending, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size)) {
            if (raw)
                raw->assign(data.begin(), data.begin() + size);
            // pairs of strings up to the terminating empty one that follows the last pair
            size_t at = 0;
            while (at < size) {
                std::string s(data.data() + at);
                at += s.size() + 1;
                if (at >= size && s.empty())
                    break;
                items.push_back(s);
            }
        }
    }
    RegCloseKey(key);
    return items;
}

void RestorePendingMoves(bool had, const std::vector<char>& raw)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key))
        return;
    if (had)
        RegSetValueExA(key, kPending, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(raw.data()), DWORD(raw.size()));
    else
        RegDeleteValueA(key, kPending);
    RegCloseKey(key);
}

TEST(DeleteAtRestart, RecordsADelayedMoveToNothingForFileAndFolder)
{
    std::vector<char> saved;
    const bool had = !PendingMoves(&saved).empty();
    const std::string dir = TempFolder("uninst-move-");
    const std::string file = dir + "\\uninstaller.exe";
    Touch(file);

    ASSERT_FALSE(uninst::IsWindows9x());
    EXPECT_TRUE(uninst::DeleteAtRestart(file));
    EXPECT_TRUE(uninst::DeleteAtRestart(dir));
    const std::vector<std::string> moves = PendingMoves();
    RestorePendingMoves(had, saved);

    // each entry is the NT path of the source followed by an empty destination, in call order
    ASSERT_GE(moves.size(), 4u);
    const size_t n = moves.size();
    EXPECT_EQ(moves[n - 4], "\\??\\" + file);
    EXPECT_EQ(moves[n - 3], "");
    EXPECT_EQ(moves[n - 2], "\\??\\" + dir);
    EXPECT_EQ(moves[n - 1], "");
    EXPECT_TRUE(Exists(file)) << "only scheduled, not deleted now";
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(DeleteAtRestart, NinetyFiveFamilyListGetsShortPathsFolderAboveFile)
{
    const std::string windows = TempFolder("uninst-windows-");
    // the temporary folder name can come round again in a reused prefix: start from no list
    DeleteFileA((windows + "\\wininit.ini").c_str());
    const std::string dir = TempFolder("uninst-long folder name-");
    const std::string file = dir + "\\uninstaller program.exe";
    Touch(file);
    char shortFile[MAX_PATH], shortDir[MAX_PATH];
    ASSERT_NE(GetShortPathNameA(file.c_str(), shortFile, sizeof shortFile), 0u);
    ASSERT_NE(GetShortPathNameA(dir.c_str(), shortDir, sizeof shortDir), 0u);

    EXPECT_TRUE(uninst::DeleteAtRestartByList(file, windows));
    EXPECT_TRUE(uninst::DeleteAtRestartByList(dir, windows + "\\"));
    // a path that does not exist has no short form: nothing is scheduled
    EXPECT_FALSE(uninst::DeleteAtRestartByList(dir + "\\missing.txt", windows));

    std::ifstream in(windows + "\\wininit.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[rename]\nNUL=" + std::string(shortDir) + "\nNUL=" + shortFile + "\n");

    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
    DeleteFileA((windows + "\\wininit.ini").c_str());
    RemoveDirectoryA(windows.c_str());
}

}  // namespace
