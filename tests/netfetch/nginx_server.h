// Debian's nginx serving a folder on a loopback port, for the native tests (Python's http.server will
// not do: after a one-line request it waits for header lines that never come).  Runs in the
// foreground as one process and stops when the object goes away.
#pragma once
#include <string>
#include <sys/types.h>

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
