// The calls netfetch makes into the platform: sockets, files and the two error messages.  One
// implementation per platform (net_system_posix.cpp, net_system_win32.cpp); netfetch.cpp holds the
// transfer logic that both share.  Sockets and files are carried in 32-bit integers, -1 meaning none.
#pragma once
#include <cstddef>
#include <cstdint>

namespace netfetch::sys {

constexpr int kInvalid = -1;

bool StartSockets();                                      // the socket layer, version 2.2 on Windows
unsigned short HttpPort();                                // "http"/"tcp" from the services table, or 80
bool ResolveIPv4(const char* host, std::uint32_t& addressNetworkOrder);
int OpenStreamSocket();
bool Connect(int socket, std::uint32_t addressNetworkOrder, unsigned short port);
bool SendOnce(int socket, const char* data, std::size_t size);  // one send call, all bytes taken
int Receive(int socket, char* buffer, std::size_t size);         // count, 0 at end, -1 on error
void CloseSocket(int socket);

char PathSeparator();
int CreateTruncated(const char* path);
bool Write(int file, const char* data, std::size_t size);
void CloseFile(int file);

void ShowError(const char* text);                         // message box on Windows only

}  // namespace netfetch::sys
