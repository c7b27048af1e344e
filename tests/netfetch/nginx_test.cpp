// A transfer from a real web server: Debian's nginx on loopback (native tree).
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "loopback_server.h"
#include "netfetch/netfetch.h"
#include "nginx_server.h"

TEST(Transfer, RealWebServerReplyIsStoredUnderTheShortName)
{
    TempFolder served, work, dir;
    const std::string page = "<html><body>" + RandomBytes(12000) + "</body></html>";
    {
        std::ofstream(served.path() + "/longfilename.html", std::ios::binary) << page;
    }
    NginxServer server(served.path(), work.path());
    ASSERT_TRUE(server.running()) << "nginx did not start";
    // A one-line request without protocol version gets the bare body back, for a path as well as
    // for an absolute URL.
    const std::string urls[] = {"/longfilename.html", "http://" + server.host() + "/longfilename.html"};
    for (const std::string& url : urls) {
        const Transfer t = Fetch(server.host(), dir.path(), url);
        ASSERT_NE(t.file, -1);
        EXPECT_EQ(t.portions.back(), 0);
        EXPECT_TRUE(ReadFile(dir.path() + "/longfile.htm") == page) << url;
    }
}
