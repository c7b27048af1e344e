#include "octpal/replace_file.h"

#include <cstdio>
#include <string>

namespace octfile {

bool WriteReplacing(const char* path, const void* data, size_t size)
{
    if (!path || !*path)
        return false;
    // "name.~octN" in the target's own folder, so the final move never crosses file systems; a name
    // that is already taken is skipped rather than overwritten.
    static unsigned counter = 0;
    std::string temp;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 64 && !file; ++attempt) {
        temp = std::string(path) + ".~oct" + std::to_string(counter++);
        if (std::FILE* taken = std::fopen(temp.c_str(), "rb")) {
            std::fclose(taken);
            continue;
        }
        file = std::fopen(temp.c_str(), "wb");
        if (!file)
            return false;
    }
    if (!file)
        return false;
    bool good = std::fwrite(data, 1, size, file) == size;
    good = std::fflush(file) == 0 && good;
    good = std::fclose(file) == 0 && good;
    if (good && MoveOver(temp.c_str(), path))
        return true;
    std::remove(temp.c_str());
    return false;
}

}  // namespace octfile
