#include "updater/update_rules.h"

#include <cstdio>

namespace updater {

bool IsUpdateAvailable(const std::string& installed, const std::string& latest)
{
    if (latest.empty())
        return false;
    if (installed.empty())
        return true;
    return installed.compare(latest) < 0;  // std::string compares as unsigned bytes
}

static std::string TwoDigits(const char* format, int a, int b, int c)
{
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string StampDate(int year, int month, int day)
{
    return TwoDigits("%02d/%02d/%02d", month % 100, day % 100, year % 100);
}

std::string StampTime(int hour, int minute, int second)
{
    return TwoDigits("%02d:%02d:%02d", hour % 100, minute % 100, second % 100);
}

std::string ShowStamp(const std::string& date, const std::string& time) { return date + "  " + time; }

UpdateServer ResolveUpdateServer(const std::string& serverKey, const std::string& directoryKey)
{
    UpdateServer s;
    s.directory = directoryKey.empty() ? kDefaultDirectory : directoryKey;
    if (s.directory.back() != '/')
        s.directory += '/';
    s.host = serverKey;
    if (s.host.empty()) {
        // http://HOST[:PORT]/...
        const std::string scheme = "http://";
        std::string rest = s.directory.compare(0, scheme.size(), scheme) == 0 ? s.directory.substr(scheme.size())
                                                                             : std::string();
        s.host = rest.substr(0, rest.find('/'));
    }
    return s;
}

}  // namespace updater
