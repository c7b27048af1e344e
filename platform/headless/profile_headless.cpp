// Profile files read and written in process, with the system's rules: "[section]" lines, "key=value"
// lines, names without regard to case, blanks around names and values ignored, one pair of
// surrounding quotes removed from a value.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"
#include "raster/safe_file.h"

namespace platform {
namespace {

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string> ReadLines(const char* file)
{
    std::vector<std::string> lines;
    std::FILE* f = std::fopen(HostPath(file).c_str(), "rb");
    if (!f)
        return lines;
    std::string line;
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::fclose(f);
    return lines;
}

bool IsSection(const std::string& line, std::string* name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    *name = Trim(t.substr(1, close - 1));
    return true;
}

bool IsKey(const std::string& line, const char* key, std::string* value)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos || !SameName(Trim(line.substr(0, eq)), key))
        return false;
    *value = Trim(line.substr(eq + 1));
    return true;
}

// The value of section/key; false when either is missing.
bool Lookup(const char* file, const char* section, const char* key, std::string* value)
{
    if (!file || !section || !key)
        return false;
    bool inSection = false;
    for (const std::string& line : ReadLines(file)) {
        std::string name;
        if (IsSection(line, &name))
            inSection = SameName(name, section);
        else if (inSection && IsKey(line, key, value)) {
            if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
                value->back() == value->front())
                *value = value->substr(1, value->size() - 2);
            return true;
        }
    }
    return false;
}

}  // namespace

int ProfileReadText(const char* file, const char* section, const char* key, const char* fallback, char* buffer,
                    int size)
{
    if (!buffer || size <= 0)
        return 0;
    std::string value;
    if (!Lookup(file, section, key, &value))
        value = fallback ? fallback : "";
    size_t n = std::min(value.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, value.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

int ProfileReadInt(const char* file, const char* section, const char* key, int fallback)
{
    std::string value;
    if (!Lookup(file, section, key, &value) || value.empty())
        return fallback;
    size_t i = 0;
    bool negative = false;
    if (value[i] == '-' || value[i] == '+')
        negative = value[i++] == '-';
    long long n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
        n = std::min(n * 10 + (value[i] - '0'), 0xFFFFFFFFLL);
    // The system keeps the low 32 bits of what it read.
    return static_cast<int>(static_cast<uint32_t>(negative ? -n : n));
}

bool ProfileWriteText(const char* file, const char* section, const char* key, const char* value)
{
    if (!file || !section || !key || !value)
        return false;
    std::vector<std::string> lines = ReadLines(file);
    const std::string entry = std::string(key) + "=" + value;
    bool inSection = false, written = false;
    size_t sectionEnd = lines.size();
    bool sectionFound = false;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        std::string name, old;
        if (IsSection(lines[i], &name)) {
            if (inSection) {
                sectionEnd = i;
                break;
            }
            inSection = SameName(name, section);
            sectionFound = sectionFound || inSection;
        } else if (inSection && IsKey(lines[i], key, &old)) {
            lines[i] = entry;
            written = true;
        }
    }
    if (!written) {
        if (sectionFound) {
            // after the section's last non-blank line
            size_t at = sectionEnd;
            while (at > 0 && Trim(lines[at - 1]).empty())
                --at;
            lines.insert(lines.begin() + static_cast<long>(at), entry);
        } else {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(entry);
        }
    }
    SafeFile out;
    if (!out.Open(HostPath(file).c_str()))
        return false;
    for (const std::string& line : lines) {
        out.Write(line.data(), line.size());
        out.Write("\r\n", 2);
    }
    return out.Commit();
}

}  // namespace platform
