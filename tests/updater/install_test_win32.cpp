// Installing a real update package (a gcab cabinet of package_stage/) with SETUPAPI, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "updater/install.h"
#include "updater/program_files.h"
#include "updater/resource.h"

using namespace updater;
namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

// A registry text exactly as stored, read through the wide call: the ANSI one adds a zero of its own
// to texts stored without one, which would hide whether the writer stored one.
bool RawValue(const wchar_t* name, DWORD& type, std::wstring& text)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OVANTEW\\Brisalo6\\UPDATE", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[300];
    DWORD size = sizeof buffer;
    const bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (ok)
        text.assign(buffer, size / sizeof(wchar_t));
    return ok;
}

// Stands in for the "UPGRADE" dialog: records every progress message and answers it as the dialog does.
std::vector<LPARAM> g_progress;
LRESULT CALLBACK ProgressProbe(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INSTALL_PROGRESS) {
        g_progress.push_back(lParam);
        TrackInstallProgress(window, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Install : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir = fs::path(temp) / ("brisalo-install-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(dir);
        fs::create_directories(dir / "update");
        fs::copy_file(fs::path(TEST_PACKAGE) / "upgrade.inf", dir / "update" / "upgrade.inf");
        fs::copy_file(fs::path(TEST_PACKAGE) / "data.cab", dir / "update" / "data.cab");
        Write(dir / "brisaloc.inf", "[version]\r\nNo=6.0\r\n");
        Write(dir / "pintara6.txt", "old program\r\n");
        UseProgramDirectory(dir.string());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OVANTEW\\Brisalo6\\UPDATE");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6");
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

}  // namespace

TEST_F(Install, CopiesThePackageAndRecordsVersionAndTime)
{
    WNDCLASSA probeClass{};
    probeClass.lpfnWndProc = ProgressProbe;
    probeClass.lpszClassName = "UpgradeProgressProbe";
    probeClass.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&probeClass);
    // message-only: the tests may run without a display
    const HWND probe = CreateWindowA("UpgradeProgressProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     probeClass.hInstance, nullptr);
    ASSERT_TRUE(probe);
    g_progress.clear();
    ASSERT_TRUE(InstallPackage(probe));
    DestroyWindow(probe);
    // one run over the three files of the package, then one step per file copied
    EXPECT_EQ(g_progress, (std::vector<LPARAM>{3, 0, 0, 0}));

    const fs::path stage = TEST_STAGE;
    EXPECT_EQ(Read(dir / "pintara6.txt"), Read(stage / "pintara6.txt"));
    EXPECT_EQ(Read(dir / "res" / "tools" / "skin.txt"), Read(stage / "res" / "tools" / "skin.txt"));
    // the same name in another folder is another file
    EXPECT_EQ(Read(dir / "res" / "tools" / "pintara6.txt"), Read(stage / "res" / "tools" / "pintara6.txt"));

    EXPECT_EQ(ReadInstalledVersion(), "6.0.1");
    // the package's registry entries are installed after its files
    char shown[32] = {};
    DWORD size = sizeof shown;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6",
                           "DisplayVersion", RRF_RT_REG_SZ, nullptr, shown, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(shown, "6.0.1");
    // the shell is asked to refresh its program groups at the next start
    const char runOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    char command[32] = {};
    size = sizeof command;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, runOnce, "GrpConv", RRF_RT_REG_SZ, nullptr, command, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(command, "grpconv -o");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, runOnce, "GrpConv");
    EXPECT_FALSE(fs::exists(dir / "update" / "upgrade.inf"));
    EXPECT_FALSE(fs::exists(dir / "update" / "data.cab"));

    // "001" MM/DD/YY and "002" HH:MM:SS, each stored without a terminating zero
    DWORD type = 0;
    std::wstring date, time;
    ASSERT_TRUE(RawValue(L"001", type, date));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_TRUE(RawValue(L"002", type, time));
    ASSERT_EQ(date.size(), 8u);
    ASSERT_EQ(time.size(), 8u);
    EXPECT_TRUE(date[2] == L'/' && date[5] == L'/');
    EXPECT_TRUE(time[2] == L':' && time[5] == L':');
    std::string readDate, readTime;
    ASSERT_TRUE(ReadUpgradeStamp(readDate, readTime));
    EXPECT_EQ(readDate, std::string(date.begin(), date.end()));
    EXPECT_EQ(readTime, std::string(time.begin(), time.end()));
}

TEST_F(Install, ABrokenPackageInstallsNothingAndKeepsTheVersion)
{
    const fs::path cab = dir / "update" / "data.cab", inf = dir / "update" / "upgrade.inf";
    const std::string whole = Read(cab), announcement = Read(inf);
    const struct {
        const char* what;
        std::string cab, inf;
    } cases[] = {
        {"truncated cabinet", whole.substr(0, whole.size() / 2), announcement},
        {"cabinet cut by one byte", whole.substr(0, whole.size() - 1), announcement},
        {"error page instead of a cabinet", "<html><body>404 Not Found</body></html>", announcement},
        {"announcement without version",
         whole, announcement.substr(announcement.find("[ProductInstall]"))},
    };
    for (const auto& c : cases) {
        Write(cab, c.cab);
        Write(inf, c.inf);
        EXPECT_FALSE(InstallPackage(nullptr)) << c.what;
        EXPECT_EQ(Read(dir / "pintara6.txt"), "old program\r\n") << c.what;
        EXPECT_FALSE(fs::exists(dir / "res")) << c.what;
        EXPECT_EQ(ReadInstalledVersion(), "6.0") << c.what;
        EXPECT_TRUE(fs::exists(cab) && fs::exists(inf)) << c.what << ": the pending package stays";
        std::string date, time;
        EXPECT_FALSE(ReadUpgradeStamp(date, time)) << c.what;
    }
}
