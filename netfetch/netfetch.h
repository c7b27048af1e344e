// netfetch: fetches one file from a web server over a plain TCP connection into a local file.
//
// For one file: ConnectWebServerSocket, then SendWebQuery, then RecvWebFile while it returns a
// positive count.  The request is the single line "GET <url>\n"; every byte the server sends back is
// stored as it arrives, without interpretation.  The library owns the socket and the file it opens:
// both are closed when SendWebQuery fails or RecvWebFile returns 0 (end of reply) or -1 (error), so
// the caller never closes either.  Nothing is kept between calls.
//
// Host names may carry a port ("127.0.0.1:8080"); without one the port is the services table's
// "http" over "tcp", or 80.
#pragma once

#if defined(_WIN32)
#  if defined(NETFETCH_BUILDING)
#    define NETFETCH_API __declspec(dllexport)
#  else
#    define NETFETCH_API __declspec(dllimport)
#  endif
#  define NETFETCH_CALL __cdecl
#else
#  define NETFETCH_API __attribute__((visibility("default")))
#  define NETFETCH_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// A connected socket, or -1 (message box only when the socket layer or socket creation fails).
NETFETCH_API int NETFETCH_CALL ConnectWebServerSocket(const char* host);

// Sends the request for `url` and creates the local file named after it in `localDir`.  Returns the
// file handle, or -1: the request does not fit 100 bytes, the URL names no usable file, the local path
// would exceed 259 characters (nothing is sent or created in these three cases), the send failed, or
// the file cannot be created.
NETFETCH_API int NETFETCH_CALL SendWebQuery(int socket, const char* localDir, const char* url);

// Receives one portion (at most 5120 bytes) into the file: the count written, 0 at the end of the
// reply, -1 on a receive or write error.  A partly written file stays on disk after -1.
NETFETCH_API int NETFETCH_CALL RecvWebFile(int socket, int file);

#ifdef __cplusplus
}
#endif
