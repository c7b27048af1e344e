#include "uninstaller/restart_list.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "raster/safe_file.h"

namespace uninst {
namespace {

bool IsRenameHeader(std::string_view line)
{
    constexpr std::string_view kHeader = "[rename]";
    if (line.size() != kHeader.size())
        return false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != kHeader[i])
            return false;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            if (i > start)
                lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return lines;
}

// The whole list file; a missing file reads as empty.  False when the file exists but cannot be
// read, so that it is never replaced by a list holding only our line.
bool ReadList(const std::string& path, std::string& out)
{
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return errno == ENOENT;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace

std::string AddRestartDeletion(std::string_view oldList, std::string_view shortPath)
{
    const std::vector<std::string_view> lines = SplitLines(oldList);
    std::string out;
    size_t next = 0;
    bool header = false;
    while (next < lines.size() && !header) {
        header = IsRenameHeader(lines[next]);
        out.append(lines[next++]).push_back('\n');
    }
    if (!header)
        out.append("[rename]\n");
    out.append("NUL=").append(shortPath).push_back('\n');
    for (; next < lines.size(); ++next)
        out.append(lines[next]).push_back('\n');
    return out;
}

bool AddRestartDeletionToFile(const std::string& listPath, std::string_view shortPath)
{
    std::string old;
    if (!ReadList(listPath, old))
        return false;
    const std::string text = AddRestartDeletion(old, shortPath);
    SafeFile out;
    if (!out.Open(listPath.c_str()))
        return false;
    out.Write(text.data(), text.size());
    return out.Commit();
}

std::string JoinWindowsPath(std::string_view dir, std::string_view name)
{
    std::string path(dir);
    if (path.empty() || path.back() != '\\')
        path.push_back('\\');
    return path.append(name);
}

}  // namespace uninst
