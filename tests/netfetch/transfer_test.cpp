// Real transfers over loopback through the library: natively libnetfetch.so, under Wine netfetch.dll.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "loopback_server.h"
#include "test_socket.h"
#include "netfetch/netfetch.h"

std::string Join(const TempFolder& dir, const char* name) { return dir.path() + testnet::PathSeparator() + name; }

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
    EXPECT_TRUE(ReadFile(Join(dir, "data.cab")) == reply);
    EXPECT_EQ(server.received(), "GET /upgrade/brisalo6demo/data.cab\n");
}

TEST(Transfer, EmptyReplyGivesEmptyFileAndImmediateEnd)
{
    TempFolder dir;
    ScriptedServer server("");
    // A trailing separator on the directory names the same file.
    const Transfer t = Fetch(server.host(), dir.path() + testnet::PathSeparator(), "/x/upgrade.inf");
    ASSERT_NE(t.file, -1);
    EXPECT_EQ(t.portions, std::vector<int>{0});
    EXPECT_TRUE(FileExists(Join(dir, "upgrade.inf")));
    EXPECT_EQ(ReadFile(Join(dir, "upgrade.inf")), "");
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
    EXPECT_EQ(ReadFile(Join(dir, "upgrade.inf")), "short");
}

TEST(Transfer, ConnectionResetMidReplyIsAnErrorAndKeepsThePartialFile)
{
    if (!testnet::CanReset())
        GTEST_SKIP() << "this platform's test server cannot reset a connection";
    TempFolder dir;
    const std::string sent = RandomBytes(64 * 1024);
    ScriptedServer server(sent, ScriptedServer::Ending::Reset);
    const Transfer t = Fetch(server.host(), dir.path(), "/data.cab");
    ASSERT_NE(t.file, -1);
    ASSERT_FALSE(t.portions.empty());
    EXPECT_EQ(t.portions.back(), -1);
    EXPECT_TRUE(FileExists(Join(dir, "data.cab")));
    // whatever arrived before the reset is kept, unaltered
    const std::string kept = ReadFile(Join(dir, "data.cab"));
    EXPECT_TRUE(sent.compare(0, kept.size(), kept) == 0);
}

TEST(Transfer, OversizedRequestsAndPathsAreRefusedBeforeAnythingIsSent)
{
    TempFolder dir;
    const std::string longUrl = "/" + std::string(89, 'u') + "/a.inf";  // 96 characters
    const std::string deepDir = dir.path() + testnet::PathSeparator() + std::string(259 - dir.path().size(), 'd');
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
        const int s = ConnectWebServerSocket(probe.host().c_str());
        ASSERT_NE(s, -1);
        EXPECT_EQ(SendWebQuery(s, ".", "/"), -1);  // refused, and the connection released
    }
    EXPECT_EQ(ConnectWebServerSocket(("127.0.0.1:" + std::to_string(closedPort)).c_str()), -1);
    EXPECT_EQ(ConnectWebServerSocket("127.0.0.1:notaport"), -1);
}
