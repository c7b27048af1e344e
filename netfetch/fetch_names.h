// The text rules of netfetch, free of any socket or file call so that they are checked natively:
// the request line, the 8.3 local file name derived from a URL, the local path, and "host:port".
#pragma once
#include <cstddef>
#include <string>

namespace netfetch {

constexpr std::size_t kRequestBuffer = 100;  // the request line and its terminating zero
constexpr std::size_t kMaxLocalPath = 259;   // characters, without the terminating zero
constexpr std::size_t kNameBuffer = 80;
constexpr std::size_t kReceivePortion = 5120;

// "GET <url>\n"; false when it would not fit the request buffer with its terminating zero.
bool FormatRequest(const char* url, std::string& request);

// The 8.3 name for a URL: up to 8 characters of its last segment before the segment's first dot,
// a dot, then up to 3 characters after the last dot of the URL.  A last segment without a dot gives
// a name without extension.  False when no safe file name results: a name that is empty or starts
// with its dot, or one holding a
// path separator, a drive colon, a wildcard or a control character, any of which would put the file
// somewhere other than the directory the caller chose.
bool LocalFileName(const char* url, std::string& name);

// dir + separator (unless dir already ends with it) + name; false above kMaxLocalPath characters.
bool LocalPath(const char* dir, const std::string& name, char separator, std::string& path);

// Splits "host" or "host:port".  defaultPort stays when no port is given; false for an empty host or
// a port that is not a number in 1..65535.
bool SplitHostPort(const char* text, std::string& host, unsigned short& port, unsigned short defaultPort);

}  // namespace netfetch
