#include "test_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testnet {

bool Startup() { return true; }

std::intptr_t ListenLoopback(unsigned short& port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(s, 4) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        if (s >= 0)
            ::close(s);
        return -1;
    }
    port = ntohs(at.sin_port);
    return s;
}

static bool Readable(int s, int timeoutMs)
{
    pollfd wait{s, POLLIN, 0};
    return ::poll(&wait, 1, timeoutMs) > 0;
}

std::intptr_t Accept(std::intptr_t listener, int timeoutMs)
{
    if (!Readable(static_cast<int>(listener), timeoutMs))
        return -1;
    const int c = ::accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return c < 0 ? -1 : c;
}

bool ReceiveByte(std::intptr_t s, char& byte, int timeoutMs)
{
    return Readable(static_cast<int>(s), timeoutMs) && ::recv(static_cast<int>(s), &byte, 1, 0) == 1;
}

bool SendAll(std::intptr_t s, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(static_cast<int>(s), bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void CloseWithReset(std::intptr_t s)
{
    linger abort{1, 0};
    ::setsockopt(static_cast<int>(s), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(static_cast<int>(s));
}

bool CanReset() { return true; }

void Close(std::intptr_t s) { ::close(static_cast<int>(s)); }

void Unblock(std::intptr_t listener) { ::shutdown(static_cast<int>(listener), SHUT_RDWR); }

char PathSeparator() { return '/'; }

}  // namespace testnet
