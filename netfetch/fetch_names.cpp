#include "netfetch/fetch_names.h"

#include <cstring>

namespace netfetch {

bool FormatRequest(const char* url, std::string& request)
{
    if (!url)
        return false;
    const std::size_t length = std::strlen(url);
    // "GET " + url + "\n" + terminating zero
    if (length + 6 > kRequestBuffer)
        return false;
    request = "GET ";
    request += url;
    request += '\n';
    return true;
}

static bool SafeNameCharacter(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x20 && u != 0x7f && !std::strchr("\\/:*?\"<>|", c);
}

bool LocalFileName(const char* url, std::string& name)
{
    if (!url)
        return false;
    const char* segment = std::strrchr(url, '/');
    segment = segment ? segment + 1 : url;
    const char* lastDot = std::strrchr(url, '.');

    std::string result;
    for (const char* p = segment; *p && *p != '.' && result.size() < 8; ++p)
        result += *p;
    // A dot before the last segment belongs to a directory or the host, not to this file.
    if (lastDot && lastDot >= segment) {
        result += '.';
        for (const char* p = lastDot + 1; *p && p < lastDot + 4; ++p)
            result += *p;
    }
    if (result.empty() || result[0] == '.')
        return false;
    for (char c : result)
        if (!SafeNameCharacter(c))
            return false;
    static_assert(kNameBuffer > 12, "an 8.3 name and its zero fit the name buffer");
    name = result;
    return true;
}

bool LocalPath(const char* dir, const std::string& name, char separator, std::string& path)
{
    if (!dir)
        return false;
    std::string result = dir;
    if (!result.empty() && result.back() != separator)
        result += separator;
    result += name;
    if (result.size() > kMaxLocalPath)
        return false;
    path = result;
    return true;
}

bool SplitHostPort(const char* text, std::string& host, unsigned short& port, unsigned short defaultPort)
{
    if (!text || !*text)
        return false;
    const char* colon = std::strrchr(text, ':');
    if (!colon) {
        host = text;
        port = defaultPort;
        return true;
    }
    if (colon == text || !colon[1])
        return false;
    unsigned long value = 0;
    for (const char* p = colon + 1; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > 65535)
            return false;
    }
    if (value == 0)
        return false;
    host.assign(text, colon);
    port = static_cast<unsigned short>(value);
    return true;
}

}  // namespace netfetch
