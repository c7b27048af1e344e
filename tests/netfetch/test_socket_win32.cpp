#include <winsock2.h>
#include <windows.h>

#include "test_socket.h"

namespace testnet {

static SOCKET S(std::intptr_t s) { return static_cast<SOCKET>(s); }

bool Startup()
{
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

std::intptr_t ListenLoopback(unsigned short& port)
{
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof at;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(s, 4) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        if (s != INVALID_SOCKET)
            closesocket(s);
        return -1;
    }
    port = ntohs(at.sin_port);
    return static_cast<std::intptr_t>(s);
}

static bool Readable(SOCKET s, int timeoutMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &limit) > 0;
}

std::intptr_t Accept(std::intptr_t listener, int timeoutMs)
{
    if (!Readable(S(listener), timeoutMs))
        return -1;
    const SOCKET c = accept(S(listener), nullptr, nullptr);
    return c == INVALID_SOCKET ? -1 : static_cast<std::intptr_t>(c);
}

bool ReceiveByte(std::intptr_t s, char& byte, int timeoutMs)
{
    return Readable(S(s), timeoutMs) && recv(S(s), &byte, 1, 0) == 1;
}

bool SendAll(std::intptr_t s, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = send(S(s), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void CloseWithReset(std::intptr_t s)
{
    linger abort{1, 0};
    setsockopt(S(s), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    closesocket(S(s));
}

// The Windows tests run under Wine here, whose sockets end every connection with an orderly FIN,
// linger option and unread data notwithstanding (a reset from a native peer does reach a Wine
// client as an error).
bool CanReset() { return false; }

void Close(std::intptr_t s) { closesocket(S(s)); }

void Unblock(std::intptr_t listener) { shutdown(S(listener), SD_BOTH); }

char PathSeparator() { return '\\'; }

}  // namespace testnet
