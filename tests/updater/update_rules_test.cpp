#include <gtest/gtest.h>

#include "updater/update_rules.h"

using namespace updater;

TEST(IsUpdateAvailable, ComparesVersionTextsBytewise)
{
    const struct {
        const char* installed;
        const char* latest;
        bool available;
    } cases[] = {
        {"2.0.1", "2.0.10", true},   // a prefix sorts first
        {"1.9", "1.10", false},      // '1' < '9': byte order, not numeric
        {"1.10", "1.9", true},
        {"6.0", "6.0", false},
        {"6.1", "6.0", false},
        {"", "6.0", true},           // nothing recorded: anything published is newer
        {"6.0", "", false},          // nothing published
        {"", "", false},
        {"6.0", "6.0\xe9", true},    // bytes above 0x7f compare unsigned
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUpdateAvailable(c.installed, c.latest), c.available) << c.installed << " -> " << c.latest;
}

TEST(Stamp, DateTwoSpacesTime)
{
    EXPECT_EQ(StampDate(2026, 12, 9), "12/09/26");
    EXPECT_EQ(StampDate(2000, 1, 31), "01/31/00");
    EXPECT_EQ(StampTime(7, 5, 0), "07:05:00");
    EXPECT_EQ(StampTime(23, 59, 59), "23:59:59");
    EXPECT_EQ(ShowStamp("12/09/26", "07:05:00"), "12/09/26  07:05:00");
}

TEST(ResolveUpdateServer, DefaultsAndHostFromTheUrl)
{
    const struct {
        const char* server;
        const char* directory;
        const char* host;
        const char* url;
    } cases[] = {
        {"", "", "update.ovantew.com", "http://update.ovantew.com/upgrade/brisalo6demo/"},
        {"", "http://127.0.0.1:8080/upgrade/brisalo6demo/", "127.0.0.1:8080",
         "http://127.0.0.1:8080/upgrade/brisalo6demo/"},
        {"", "http://127.0.0.1:8080/upgrade/brisalo6demo", "127.0.0.1:8080",
         "http://127.0.0.1:8080/upgrade/brisalo6demo/"},
        {"mirror.local:81", "http://update.ovantew.com/upgrade/brisalo6demo/", "mirror.local:81",
         "http://update.ovantew.com/upgrade/brisalo6demo/"},
    };
    for (const auto& c : cases) {
        const UpdateServer s = ResolveUpdateServer(c.server, c.directory);
        EXPECT_EQ(s.host, c.host) << c.directory;
        EXPECT_EQ(s.directory, c.url) << c.directory;
    }
}
