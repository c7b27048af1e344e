#include "app/command_line.h"

#include <cctype>
#include <cstring>

namespace app {

std::string CommandLinePath(const char* line)
{
    if (!line)
        return {};
    if (const char* open = std::strchr(line, '"')) {
        const char* close = std::strchr(open + 1, '"');
        return close ? std::string(open + 1, close) : std::string(open + 1);
    }
    std::string path;
    const char* p = line;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != '\t')
            ++p;
        if (p > start && *start != '/')
            path.assign(start, p);
    }
    return path;
}

bool ParseCommandLine(const char* line, bool (*exists)(const char*), StartFiles* files)
{
    *files = StartFiles{};
    std::string path = CommandLinePath(line);
    if (path.empty())
        return true;
    if (!exists || !exists(path.c_str()))
        return false;
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.size() >= 3 && lower.compare(lower.size() - 3, 3, "tur") == 0)
        files->tutorial = path;
    else
        files->document = path;
    return true;
}

}  // namespace app
