// Winsock 2 and Win32 files, for netfetch.dll.
#include <winsock2.h>
#include <windows.h>

#include "netfetch/net_system.h"

namespace netfetch::sys {

constexpr DWORD kReceiveTimeoutMs = 30000;

// Socket and file handles travel as 32-bit integers through the exported calls; Windows keeps
// both kinds of handle values within 32 bits on 64-bit systems too, so the conversions are exact.
static SOCKET ToSocket(int s) { return static_cast<SOCKET>(static_cast<unsigned int>(s)); }
static HANDLE ToHandle(int file) { return LongToHandle(file); }

bool StartSockets()
{
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

unsigned short HttpPort()
{
    const servent* entry = getservbyname("http", "tcp");
    return entry ? ntohs(static_cast<u_short>(entry->s_port)) : 80;
}

bool ResolveIPv4(const char* host, std::uint32_t& address)
{
    // Winsock keeps the host entry per thread, so this is safe on the updater's worker.
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0])
        return false;
    CopyMemory(&address, entry->h_addr_list[0], 4);
    return true;
}

int OpenStreamSocket()
{
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return kInvalid;
    const DWORD limit = kReceiveTimeoutMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
    return static_cast<int>(s);
}

bool Connect(int s, std::uint32_t address, unsigned short port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    return connect(ToSocket(s), reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
}

bool SendOnce(int s, const char* data, std::size_t size)
{
    return send(ToSocket(s), data, static_cast<int>(size), 0) == static_cast<int>(size);
}

int Receive(int s, char* buffer, std::size_t size)
{
    const int got = recv(ToSocket(s), buffer, static_cast<int>(size), 0);
    return got == SOCKET_ERROR ? -1 : got;
}

void CloseSocket(int s) { closesocket(ToSocket(s)); }

char PathSeparator() { return '\\'; }

int CreateTruncated(const char* path)
{
    const HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? kInvalid : HandleToLong(h);
}

bool Write(int file, const char* data, std::size_t size)
{
    DWORD written = 0;
    return WriteFile(ToHandle(file), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

void CloseFile(int file) { CloseHandle(ToHandle(file)); }

void ShowError(const char* text) { MessageBoxA(nullptr, text, "NETFETCH.DLL", MB_OK | MB_ICONERROR); }

}  // namespace netfetch::sys
