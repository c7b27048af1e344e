// The updater's decisions that need no window or network: whether a version is newer, how the last
// upgrade is stamped and shown, and where the update server is.
//
// Versions compare as plain byte strings, exactly as the installed and published version texts are
// written: "2.0.1" is older than "2.0.10", and "1.10" sorts before "1.9", so 1.9 -> 1.10 is no update.
#pragma once
#include <string>

namespace updater {

// The version text buffer: 20 bytes, so at most 19 characters are ever compared.
constexpr std::size_t kVersionBuffer = 20;

bool IsUpdateAvailable(const std::string& installed, const std::string& latest);

// "MM/DD/YY" and "HH:MM:SS" of a local time, and the two shown together in the main dialog.
std::string StampDate(int year, int month, int day);
std::string StampTime(int hour, int minute, int second);
std::string ShowStamp(const std::string& date, const std::string& time);

// Where updates come from.  Configured in brisaloc.inf, section "Updater": key "Directory" is the
// update directory URL, key "Server" the host (with an optional ":port") to connect to.  A missing
// Directory falls back to the maker's server; a missing Server is taken from the URL's host part.
struct UpdateServer {
    std::string host;       // for ConnectWebServerSocket
    std::string directory;  // absolute http URL ending in "/"
};
constexpr const char* kConfigSection = "Updater";
constexpr const char* kDefaultDirectory = "http://update.ovantew.com/upgrade/brisalo6demo/";
UpdateServer ResolveUpdateServer(const std::string& serverKey, const std::string& directoryKey);

}  // namespace updater
