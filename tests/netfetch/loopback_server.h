// The scripted test server, download and file helpers of netfetch's transfer tests, for the native tree and
// the Windows tree alike.
//
// ScriptedServer accepts exactly one connection on an ephemeral loopback port, reads what the
// client sends up to the first line feed (or until the client closes), then replies with the given
// bytes and either closes normally or resets the connection (then reading only the request's first
// byte, so that unread data forces the reset).  It gives up after 10 s without a
// client, so a test never hangs on it.
#pragma once
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class ScriptedServer {
public:
    enum class Ending { Close, Reset };
    explicit ScriptedServer(std::string reply, Ending ending = Ending::Close);
    ~ScriptedServer();
    unsigned short port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    // What the client sent before it closed or ended its request line; waits for the connection.
    std::string received();

private:
    void Serve();
    std::intptr_t listener_ = -1;
    unsigned short port_ = 0;
    std::string reply_;
    Ending ending_;
    std::string received_;
    std::thread thread_;
};

// A fresh empty folder under the system's temporary folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

struct Transfer {
    std::vector<int> portions;  // every RecvWebFile result, the last one 0 or -1
    int file = -1;
};
// Runs one whole download through netfetch; receiving stops at the first result that is not positive.
Transfer Fetch(const std::string& host, const std::string& dir, const std::string& url);

std::string RandomBytes(std::size_t size);  // the same bytes on every run
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
