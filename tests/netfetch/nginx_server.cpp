#include "nginx_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

extern char** environ;

static unsigned short FreeLoopbackPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    unsigned short port = 0;
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) == 0)
        port = ntohs(at.sin_port);
    if (s >= 0)
        ::close(s);
    return port;
}

static bool Accepts(unsigned short port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(port);
    const bool ok = s >= 0 && ::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    if (s >= 0)
        ::close(s);
    return ok;
}

NginxServer::NginxServer(const std::string& root, const std::string& work)
{
    // The free port is found by binding and releasing it, so another process may take it first:
    // try a few.
    for (int attempt = 0; attempt < 3 && !Start(root, work); ++attempt) {
    }
}

bool NginxServer::Start(const std::string& root, const std::string& work)
{
    port_ = FreeLoopbackPort();
    if (port_ == 0)
        return false;
    std::filesystem::create_directories(work + "/logs");
    const std::string conf = work + "/nginx.conf";
    {
        std::ofstream out(conf);
        out << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
            << "error_log " << work << "/logs/error.log;\npid " << work << "/nginx.pid;\n"
            << "events { worker_connections 16; }\nhttp {\n    access_log off;\n";
        for (const char* temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
            out << "    " << temp << "_temp_path " << work << "/tmp;\n";
        out << "    server {\n        listen 127.0.0.1:" << port_ << ";\n        root " << root
            << ";\n    }\n}\n";
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"nginx", "-p", work.c_str(), "-c", conf.c_str(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, "nginx", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return false;  // exited: most likely the port was taken meanwhile
        if (Accepts(port_)) {
            pid_ = pid;
            return true;
        }
        ::usleep(50 * 1000);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return false;
}

NginxServer::~NginxServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}
