#include <gtest/gtest.h>

#include <string>

#include "netfetch/fetch_names.h"

using namespace netfetch;

TEST(LocalFileName, FollowsTheEightThreeRule)
{
    const struct {
        const char* url;
        const char* name;
    } cases[] = {
        {"http://example.com/upgrade/brisalo6demo/upgrade.inf", "upgrade.inf"},
        {"http://example.com/upgrade/brisalo6demo/data.cab", "data.cab"},
        {"/docs/longfilename.html", "longfile.htm"},
        {"plain.txt", "plain.txt"},               // no slash: the whole URL is the segment
        {"/a/archive.tar.gz", "archive.gz"},      // first dot ends the name, last dot starts the extension
        {"/a/exactly8.abc", "exactly8.abc"},
        {"/a/x.y", "x.y"},
        {"/a/README", "README"},                  // no dot in the file: no extension
        {"http://host.example.com/files/README", "README"},  // a dot in the host is not the file's
        {"/v1.2/notes", "notes"},
    };
    for (const auto& c : cases) {
        std::string name;
        ASSERT_TRUE(LocalFileName(c.url, name)) << c.url;
        EXPECT_EQ(name, c.name) << c.url;
    }
}

TEST(LocalFileName, RefusesNamesThatWouldLeaveTheDirectory)
{
    for (const char* url : std::initializer_list<const char*>{"", "/dir/", "http://h/", "/a/..\\..\\evil.exe", "/a/c:evil.exe", "/a/x*.inf",
                            "/a/bad\tname.inf", "/a/.", "/a/.hidden", nullptr}) {
        std::string name = "untouched";
        EXPECT_FALSE(LocalFileName(url, name)) << (url ? url : "(null)");
        EXPECT_EQ(name, "untouched");
    }
}

TEST(FormatRequest, IsOneLineAndFitsTheBuffer)
{
    std::string request;
    ASSERT_TRUE(FormatRequest("/upgrade/brisalo6demo/upgrade.inf", request));
    EXPECT_EQ(request, "GET /upgrade/brisalo6demo/upgrade.inf\n");

    // 94 characters is the longest URL whose request line and zero fit 100 bytes.
    const std::string fits(94, 'a'), tooLong(95, 'a');
    ASSERT_TRUE(FormatRequest(fits.c_str(), request));
    EXPECT_EQ(request.size() + 1, kRequestBuffer);
    EXPECT_FALSE(FormatRequest(tooLong.c_str(), request));
}

TEST(LocalPath, AddsOneSeparatorAndRespectsThePathLimit)
{
    std::string with, without;
    ASSERT_TRUE(LocalPath("C:\\Brisalo6\\", "data.cab", '\\', with));
    ASSERT_TRUE(LocalPath("C:\\Brisalo6", "data.cab", '\\', without));
    EXPECT_EQ(with, "C:\\Brisalo6\\data.cab");
    EXPECT_EQ(without, with);

    const std::string name = "data.cab";
    const std::string longest(kMaxLocalPath - name.size() - 1, 'd');
    std::string path;
    ASSERT_TRUE(LocalPath(longest.c_str(), name, '\\', path));
    EXPECT_EQ(path.size(), kMaxLocalPath);
    EXPECT_FALSE(LocalPath((longest + "d").c_str(), name, '\\', path));
}

TEST(SplitHostPort, TakesAnOptionalPort)
{
    const struct {
        const char* text;
        bool ok;
        const char* host;
        unsigned short port;
    } cases[] = {
        {"update.example.com", true, "update.example.com", 0},
        {"127.0.0.1:8080", true, "127.0.0.1", 8080},
        {"127.0.0.1:65535", true, "127.0.0.1", 65535},
        {"127.0.0.1:65536", false, "", 0},
        {"127.0.0.1:0", false, "", 0},
        {"127.0.0.1:", false, "", 0},
        {"127.0.0.1:80x", false, "", 0},
        {":80", false, "", 0},
        {"", false, "", 0},
    };
    for (const auto& c : cases) {
        std::string host;
        unsigned short port = 0;
        EXPECT_EQ(SplitHostPort(c.text, host, port, 0), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(host, c.host);
            EXPECT_EQ(port, c.port);
        }
    }
}
