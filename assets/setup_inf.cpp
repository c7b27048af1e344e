// brisaloc.inf, the product's setup information file.  The updater reads the installed version
// from [Version] No and installs an update package's "ProductInstall" section, with directory id
// 65600 standing for the program folder and the files coming out of data.cab; the uninstaller has
// the setup library run "DefaultUninstall", where the program folder is the INF's own folder
// (directory id 1).  The file lists are made from what is in the program folder when this runs
// (the data-file families run first) plus the programs and the files the programs write.
//
// The file is assembled from sections; a new concern adds a function that appends its sections
// and a line in WriteSetupInf.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "raster/safe_file.h"

#ifndef BRISALO_VERSION
#error "BRISALO_VERSION must name the product version (the CMake project version)"
#endif

namespace assets {
namespace {

struct Section {
    std::string name;
    std::vector<std::string> lines;
};
// A deque, so that references to sections stay valid while more are added.
using Inf = std::deque<Section>;

Section& Add(Inf& inf, const std::string& name)
{
    for (Section& s : inf)
        if (s.name == name)
            return s;
    inf.push_back({name, {}});
    return inf.back();
}

// Our programs, always listed whether or not they are staged yet.  The uninstaller is not among
// the files the setup library deletes: it is running then, and removes itself at the next restart.
const char* const kPrograms[] = {"pintara6.exe", "chainstore.dll", "octpal.dll", "netfetch.dll", "updater.exe"};
const char kUninstaller[] = "uninstaller.exe";

// Files the programs write into their folder while they run; removed, never shipped.
const char* const kWrittenAtRun[] = {"TESSEL.INI", "MRUSYS.DAT", "fp0023.sys", "layout\\wallpaper.bmp",
                                     "update\\upgrade.inf", "update\\data.cab", "upgrade.inf", "data.cab"};
// Folders whose contents come from running the programs, not from the package.
const char* const kRunFolders[] = {"layout", "update", "e2e-logs"};

// The shortcuts an installation makes, in the all-users and the own start menu and desktop
// (directory ids 16407, 16386, 16409, 16400).
const char* const kShortcuts[] = {"Brisalo 6.lnk", "Brisalo 6 Updater.lnk", "Uninstall Brisalo 6.lnk"};
const int kShortcutFolders[] = {16407, 16386, 16409, 16400};

// Shipped files by folder ("" is the program folder itself), Windows separators.
using FileTree = std::map<std::string, std::set<std::string>>;

FileTree ShippedFiles(const std::string& programDir)
{
    namespace fs = std::filesystem;
    FileTree tree;
    for (const char* p : kPrograms)
        tree[""].insert(p);
    tree[""].insert(kUninstaller);
    std::set<std::string> skip(std::begin(kWrittenAtRun), std::end(kWrittenAtRun));
    skip.insert("brisaloc.inf");
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(programDir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path rel = fs::relative(it->path(), programDir, ec);
        if (it->is_directory(ec)) {
            if (std::find(std::begin(kRunFolders), std::end(kRunFolders), rel.string()) != std::end(kRunFolders))
                it.disable_recursion_pending();
            continue;
        }
        std::string folder = rel.parent_path().string(), name = rel.filename().string();
        std::replace(folder.begin(), folder.end(), '/', '\\');
        const std::string full = folder.empty() ? name : folder + "\\" + name;
        // ".~" marks the temporary file of a write still in progress
        if (!skip.count(full) && name.find(".~") == std::string::npos)
            tree[folder].insert(name);
    }
    return tree;
}

// "Program" for the program folder, else the folder with dots for backslashes.
std::string SectionSuffix(const std::string& folder)
{
    if (folder.empty())
        return "Program";
    std::string s = folder;
    std::replace(s.begin(), s.end(), '\\', '.');
    return s;
}

std::string DirEntry(int dirid, const std::string& folder)
{
    return std::to_string(dirid) + (folder.empty() ? "" : ",\"" + folder + "\"");
}

void VersionSection(Inf& inf)
{
    Section& v = Add(inf, "Version");
    v.lines = {"Signature=\"$Chicago$\"", "Provider=%Maker%", "No=" BRISALO_VERSION};
    Add(inf, "Strings").lines = {"Maker=\"OVANTEW\"", "Product=\"Brisalo 6\""};
}

// The whole product out of data.cab into the program folder (an update package's install section).
void ProductInstall(Inf& inf, const FileTree& files)
{
    Section& install = Add(inf, "ProductInstall");
    std::string copy = "CopyFiles=";
    Section& dirs = Add(inf, "DestinationDirs");
    Add(inf, "SourceDisksNames").lines = {"1=\"%Product% update\",data.cab,,"};
    Section& sources = Add(inf, "SourceDisksFiles");
    std::set<std::string> seen;
    for (const auto& [folder, names] : files) {
        const std::string section = "Files." + SectionSuffix(folder);
        copy += (copy.size() > 10 ? "," : "") + section;
        dirs.lines.push_back(section + "=" + DirEntry(65600, folder));
        Section& list = Add(inf, section);
        for (const std::string& name : names) {
            list.lines.push_back(name);
            // A cabinet has one flat list of names, so a name may ship only once.
            if (!seen.insert(name).second)
                std::fprintf(stderr, "brisaloc.inf: %s\\%s has the name of another shipped file\n",
                             folder.c_str(), name.c_str());
            else
                sources.lines.push_back(name + "=1");
        }
    }
    install.lines.push_back(copy);
    install.lines.push_back("AddReg=ProductInstall.Reg");
    Add(inf, "ProductInstall.Reg").lines = {
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6\",\"DisplayName\",,\"%Product%\"",
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6\",\"DisplayVersion\",,\"" BRISALO_VERSION "\"",
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6\",\"Publisher\",,\"%Maker%\"",
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6\",\"UninstallString\",,\"%65600%\\" +
            std::string(kUninstaller) + "\"",
    };
}

// Everything an installation and the programs leave behind, except the running uninstaller (it
// deletes itself and the folder at the next restart) and files the user added.
void DefaultUninstall(Inf& inf, const FileTree& shipped)
{
    FileTree remove = shipped;
    remove[""].erase(kUninstaller);
    remove[""].insert("brisaloc.inf");
    for (const std::string run : kWrittenAtRun) {
        const size_t slash = run.rfind('\\');
        remove[slash == std::string::npos ? "" : run.substr(0, slash)].insert(
            slash == std::string::npos ? run : run.substr(slash + 1));
    }
    Section& uninstall = Add(inf, "DefaultUninstall");
    Section& dirs = Add(inf, "DestinationDirs");
    std::string del = "DelFiles=";
    auto addList = [&](const std::string& section, const std::string& dir, const std::set<std::string>& names) {
        del += (del.size() > 9 ? "," : "") + section;
        dirs.lines.push_back(section + "=" + dir);
        Add(inf, section).lines.assign(names.begin(), names.end());
    };
    for (const auto& [folder, names] : remove)
        addList("Remove." + SectionSuffix(folder), DirEntry(1, folder), names);
    // The painting program's settings in the system folder.
    addList("Remove.System", "11", {"OVANTE.SYS"});
    const std::set<std::string> shortcuts(std::begin(kShortcuts), std::end(kShortcuts));
    for (int dirid : kShortcutFolders)
        addList("Remove.Shortcuts." + std::to_string(dirid), std::to_string(dirid), shortcuts);
    uninstall.lines.push_back(del);
    uninstall.lines.push_back("DelReg=DefaultUninstall.Reg");
    // The document types the painting program registers at every start, the updater's key and the
    // entry in the list of installed programs.
    Add(inf, "DefaultUninstall.Reg").lines = {
        "HKCR,\".vkd\"",
        "HKCR,\"Vesk_DOC\"",
        "HKCR,\".tur\"",
        "HKCR,\"Vesk_TUR_DOC\"",
        "HKCU,\"Software\\OVANTEW\\Brisalo6\"",
        "HKLM,\"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisalo6\"",
    };
}

// Where the updater looks for updates: "Directory" is the update folder's URL (ending in "/", path
// /upgrade/brisalo6demo/), "Server" the host and optional ":port" it connects to, taken from the URL
// when the key is absent.  Installers and tests point these elsewhere (tests: a loopback server).
void UpdaterSection(Inf& inf)
{
    Add(inf, "Updater").lines = {"Directory=http://update.ovantew.com/upgrade/brisalo6demo/"};
}

std::string Render(const Inf& inf)
{
    std::string out = "; Brisalo 6 setup information, made by the build.\r\n";
    // [Strings] goes last, where readers expect it.
    std::vector<const Section*> order;
    for (const Section& s : inf)
        if (s.name != "Strings")
            order.push_back(&s);
    for (const Section& s : inf)
        if (s.name == "Strings")
            order.push_back(&s);
    for (const Section* s : order) {
        out += "\r\n[" + s->name + "]\r\n";
        for (const std::string& line : s->lines)
            out += line + "\r\n";
    }
    return out;
}

}  // namespace

bool WriteSetupInf(const std::string& programDir)
{
    const FileTree files = ShippedFiles(programDir);
    Inf inf;
    VersionSection(inf);
    ProductInstall(inf, files);
    DefaultUninstall(inf, files);
    UpdaterSection(inf);
    const std::string text = Render(inf);
    std::error_code ec;
    std::filesystem::create_directories(programDir, ec);
    SafeFile out;
    if (!out.Open((std::filesystem::path(programDir) / "brisaloc.inf").string().c_str()))
        return false;
    out.Write(text.data(), text.size());
    return out.Commit();
}

}  // namespace assets
