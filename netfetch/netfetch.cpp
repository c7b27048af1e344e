// The three exported calls over the platform seam of net_system.h.
#include "netfetch/netfetch.h"

#include <string>

#include "netfetch/fetch_names.h"
#include "netfetch/net_system.h"

using namespace netfetch;

extern "C" NETFETCH_API int NETFETCH_CALL ConnectWebServerSocket(const char* host)
{
    if (!sys::StartSockets()) {
        sys::ShowError("Could not load Windows Sockets DLL.");
        return -1;
    }
    std::string name;
    unsigned short port = 0;
    if (!SplitHostPort(host, name, port, 0))
        return -1;
    std::uint32_t address = 0;
    if (!sys::ResolveIPv4(name.c_str(), address))
        return -1;
    const int s = sys::OpenStreamSocket();
    if (s == sys::kInvalid) {
        sys::ShowError("Invalid socket!!");
        return -1;
    }
    if (port == 0)
        port = sys::HttpPort();
    if (!sys::Connect(s, address, port)) {
        sys::CloseSocket(s);
        return -1;
    }
    return s;
}

extern "C" NETFETCH_API int NETFETCH_CALL SendWebQuery(int socket, const char* localDir, const char* url)
{
    // Everything that can be refused is checked before a byte leaves, so a refused request neither
    // reaches the server nor leaves a file behind.
    std::string request, name, path;
    if (socket == sys::kInvalid || !FormatRequest(url, request) || !LocalFileName(url, name) ||
        !LocalPath(localDir, name, sys::PathSeparator(), path)) {
        if (socket != sys::kInvalid)
            sys::CloseSocket(socket);
        return -1;
    }
    if (!sys::SendOnce(socket, request.data(), request.size())) {
        sys::CloseSocket(socket);
        return -1;
    }
    const int file = sys::CreateTruncated(path.c_str());
    if (file == sys::kInvalid)
        sys::CloseSocket(socket);
    return file;
}

extern "C" NETFETCH_API int NETFETCH_CALL RecvWebFile(int socket, int file)
{
    if (socket == sys::kInvalid || file == sys::kInvalid) {
        if (socket != sys::kInvalid)
            sys::CloseSocket(socket);
        if (file != sys::kInvalid)
            sys::CloseFile(file);
        return -1;
    }
    char buffer[kReceivePortion];
    const int received = sys::Receive(socket, buffer, sizeof buffer);
    if (received > 0 && sys::Write(file, buffer, static_cast<std::size_t>(received)))
        return received;
    sys::CloseFile(file);
    sys::CloseSocket(socket);
    return received == 0 ? 0 : -1;
}
