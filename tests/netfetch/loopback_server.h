// Test servers on 127.0.0.1 for netfetch's transfers.
//
// ScriptedServer accepts exactly one connection on an ephemeral port, reads what the client sends up
// to the first line feed (or until the client closes), then replies with the given bytes and either
// closes normally or resets the connection mid-reply.  NginxServer runs Debian's nginx on a folder
// (Python's http.server will not do: it waits for header lines after a one-line request).  Both stop
// when the object goes away.
#pragma once
#include <string>
#include <thread>
#include <sys/types.h>

class ScriptedServer {
public:
    enum class Ending { Close, Reset };
    ScriptedServer(std::string reply, Ending ending = Ending::Close);
    ~ScriptedServer();
    unsigned short port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    // What the client sent before it closed or ended its request line; waits for the connection.
    std::string received();

private:
    void Serve();
    int listener_ = -1;
    unsigned short port_ = 0;
    std::string reply_;
    Ending ending_;
    std::string received_;
    std::thread thread_;
};

class NginxServer {
public:
    // Serves `root`; nginx's own files (configuration, logs, pid) go to `work`.
    NginxServer(const std::string& root, const std::string& work);
    ~NginxServer();
    bool running() const { return pid_ > 0; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    bool Start(const std::string& root, const std::string& work);
    pid_t pid_ = -1;
    unsigned short port_ = 0;
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

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
