// Any text as URL, host and directory: the request line, the local name and path and the host:port
// split never overrun their limits, and an accepted local name never leaves its directory.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "netfetch/fetch_names.h"

using namespace netfetch;

static void Require(bool condition)
{
    if (!condition)
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // input: URL, a zero byte, a directory (both as zero-terminated text, as the library gets them)
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string url = input.substr(0, input.find('\0'));
    const std::string dir = input.find('\0') == std::string::npos ? "" : input.substr(input.find('\0') + 1);
    const std::string dirText = dir.substr(0, dir.find('\0'));

    std::string request;
    if (FormatRequest(url.c_str(), request))
        Require(request.size() + 1 <= kRequestBuffer && request.back() == '\n');

    std::string name;
    if (LocalFileName(url.c_str(), name)) {
        Require(!name.empty() && name.size() <= 12 && name[0] != '.');
        for (char c : name)
            Require(static_cast<unsigned char>(c) >= 0x20 && !std::strchr("\\/:*?\"<>|", c));
        std::string path;
        if (LocalPath(dirText.c_str(), name, '\\', path))
            Require(path.size() <= kMaxLocalPath && path.compare(path.size() - name.size(), name.size(), name) == 0);
    }

    std::string host;
    unsigned short port = 0;
    if (SplitHostPort(url.c_str(), host, port, 80))
        Require(!host.empty() && port != 0);
    return 0;
}
