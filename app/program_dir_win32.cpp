#include "app/app.h"

namespace app {

const std::string& ProgramDir()
{
    static const std::string dir = [] {
        char path[MAX_PATH] = {};
        DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string s(path, n < MAX_PATH ? n : 0);
        size_t slash = s.find_last_of("\\/");
        return slash == std::string::npos ? std::string(".\\") : s.substr(0, slash + 1);
    }();
    return dir;
}

}  // namespace app
