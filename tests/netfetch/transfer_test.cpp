// Real transfers over loopback through the native library.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "loopback_server.h"
#include "netfetch/netfetch.h"

namespace {

struct Transfer {
    std::vector<int> portions;  // every RecvWebFile result, the last one 0 or -1
    int file = -1;
};

// Runs one whole download; receiving stops at the first result that is not positive.
Transfer Fetch(const std::string& host, const std::string& dir, const std::string& url)
{
    Transfer t;
    const int s = ConnectWebServerSocket(host.c_str());
    if (s == -1)
        return t;
    t.file = SendWebQuery(s, dir.c_str(), url.c_str());
    if (t.file == -1)
        return t;
    for (int guard = 0; guard < 100000; ++guard) {
        const int n = RecvWebFile(s, t.file);
        t.portions.push_back(n);
        if (n <= 0)
            break;
    }
    return t;
}

std::string RandomBytes(std::size_t size)
{
    std::mt19937 random(5);
    std::string bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

}  // namespace

TEST(Transfer, LargeReplyArrivesInPortionsAndEqualsWhatWasSent)
{
    TempFolder dir;
    const std::string reply = "HTTP/1.0 200 OK\r\nServer: scripted\r\n\r\n" + RandomBytes(300 * 1024 + 17);
    ScriptedServer server(reply);
    const Transfer t = Fetch(server.host(), dir.path(), "/upgrade/brisalo6demo/data.cab");

    ASSERT_NE(t.file, -1);
    ASSERT_FALSE(t.portions.empty());
    EXPECT_EQ(t.portions.back(), 0);
    long total = 0;
    for (std::size_t i = 0; i + 1 < t.portions.size(); ++i) {
        EXPECT_GT(t.portions[i], 0);
        EXPECT_LE(t.portions[i], 5120);
        total += t.portions[i];
    }
    EXPECT_EQ(total, static_cast<long>(reply.size()));
    EXPECT_GT(t.portions.size(), reply.size() / 5120);
    EXPECT_TRUE(ReadFile(dir.path() + "/data.cab") == reply);
    EXPECT_EQ(server.received(), "GET /upgrade/brisalo6demo/data.cab\n");
}

TEST(Transfer, EmptyReplyGivesEmptyFileAndImmediateEnd)
{
    TempFolder dir;
    ScriptedServer server("");
    // A trailing separator on the directory names the same file.
    const Transfer t = Fetch(server.host(), dir.path() + "/", "/x/upgrade.inf");
    ASSERT_NE(t.file, -1);
    EXPECT_EQ(t.portions, std::vector<int>{0});
    EXPECT_TRUE(FileExists(dir.path() + "/upgrade.inf"));
    EXPECT_EQ(ReadFile(dir.path() + "/upgrade.inf"), "");
}

TEST(Transfer, ReplacesAnExistingFileOfTheSameName)
{
    TempFolder dir;
    {
        ScriptedServer first(std::string(9000, 'a'));
        Fetch(first.host(), dir.path(), "/upgrade.inf");
    }
    ScriptedServer second("short");
    const Transfer t = Fetch(second.host(), dir.path(), "/upgrade.inf");
    EXPECT_EQ(t.portions.back(), 0);
    EXPECT_EQ(ReadFile(dir.path() + "/upgrade.inf"), "short");
}

TEST(Transfer, ConnectionResetMidReplyIsAnErrorAndKeepsThePartialFile)
{
    TempFolder dir;
    const std::string sent = RandomBytes(64 * 1024);
    ScriptedServer server(sent, ScriptedServer::Ending::Reset);
    const Transfer t = Fetch(server.host(), dir.path(), "/data.cab");
    ASSERT_NE(t.file, -1);
    ASSERT_FALSE(t.portions.empty());
    EXPECT_EQ(t.portions.back(), -1);
    EXPECT_TRUE(FileExists(dir.path() + "/data.cab"));
    // whatever arrived before the reset is kept, unaltered
    const std::string kept = ReadFile(dir.path() + "/data.cab");
    EXPECT_TRUE(sent.compare(0, kept.size(), kept) == 0);
}

TEST(Transfer, OversizedRequestsAndPathsAreRefusedBeforeAnythingIsSent)
{
    TempFolder dir;
    const std::string longUrl = "/" + std::string(89, 'u') + "/a.inf";  // 96 characters
    const std::string deepDir = dir.path() + "/" + std::string(259 - dir.path().size(), 'd');
    const struct {
        std::string dir, url;
    } cases[] = {
        {dir.path(), longUrl},
        {deepDir, "/a.inf"},
        {dir.path(), "/folder/"},
    };
    for (const auto& c : cases) {
        ScriptedServer server("must not be stored");
        const int s = ConnectWebServerSocket(server.host().c_str());
        ASSERT_NE(s, -1);
        EXPECT_EQ(SendWebQuery(s, c.dir.c_str(), c.url.c_str()), -1) << c.url;
        // The server sees the connection closed without a byte: nothing sent, the socket released.
        EXPECT_EQ(server.received(), "") << c.url;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Transfer, UnreachableHostsGiveMinusOne)
{
    // a name that never resolves, then a port where nothing listens
    EXPECT_EQ(ConnectWebServerSocket("no-such-host.invalid"), -1);
    unsigned short closedPort;
    {
        ScriptedServer probe("");
        closedPort = probe.port();
        ASSERT_NE(ConnectWebServerSocket(probe.host().c_str()), -1);
    }
    EXPECT_EQ(ConnectWebServerSocket(("127.0.0.1:" + std::to_string(closedPort)).c_str()), -1);
    EXPECT_EQ(ConnectWebServerSocket("127.0.0.1:notaport"), -1);
}

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
