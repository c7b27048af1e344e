// The program's command line: at most one path, quoted or bare, among switches.  A path ending in
// "tur" (any case) is a tutorial to play; any other path is a document to open.
#pragma once
#include <string>

namespace app {

// The text between the first two double quotes when the line has one (up to the end of the line
// when the closing quote is missing); otherwise the last blank- or tab-separated token that does
// not begin with "/".  Empty when there is none.
std::string CommandLinePath(const char* line);

struct StartFiles {
    std::string document;
    std::string tutorial;
};

// Fills files from the line; false when the line names a file that does not exist (start-up then
// ends without a message).
bool ParseCommandLine(const char* line, bool (*exists)(const char*), StartFiles* files);

}  // namespace app
