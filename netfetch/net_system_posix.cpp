// POSIX sockets and file descriptors, for the native library the tests load.
#include "netfetch/net_system.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace netfetch::sys {

// A server that stops sending without closing would otherwise hold the caller's thread forever.
constexpr int kReceiveTimeoutSeconds = 30;

bool StartSockets() { return true; }

unsigned short HttpPort()
{
    // getservbyname is not re-entrant; getservbyname_r is, and the updater calls from a worker.
    servent entry{}, *found = nullptr;
    char buffer[1024];
    if (getservbyname_r("http", "tcp", &entry, buffer, sizeof buffer, &found) == 0 && found)
        return ntohs(static_cast<unsigned short>(found->s_port));
    return 80;
}

bool ResolveIPv4(const char* host, std::uint32_t& address)
{
    addrinfo hints{}, *list = nullptr;
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    if (getaddrinfo(host, nullptr, &hints, &list) != 0 || !list)
        return false;
    address = reinterpret_cast<const sockaddr_in*>(list->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(list);
    return true;
}

int OpenStreamSocket()
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (s < 0)
        return kInvalid;
    timeval limit{kReceiveTimeoutSeconds, 0};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return s;
}

bool Connect(int s, std::uint32_t address, unsigned short port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    int rc;
    do
        rc = ::connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool SendOnce(int s, const char* data, std::size_t size)
{
    const ssize_t sent = ::send(s, data, size, MSG_NOSIGNAL);
    return sent == static_cast<ssize_t>(size);
}

int Receive(int s, char* buffer, std::size_t size)
{
    ssize_t got;
    do
        got = ::recv(s, buffer, size, 0);
    while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : static_cast<int>(got);
}

void CloseSocket(int s) { ::close(s); }

char PathSeparator() { return '/'; }

int CreateTruncated(const char* path)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? kInvalid : fd;
}

bool Write(int file, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(file, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void CloseFile(int file) { ::close(file); }

void ShowError(const char* text) { std::fprintf(stderr, "NETFETCH: %s\n", text); }

}  // namespace netfetch::sys
