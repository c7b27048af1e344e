#include "raster/safe_file.h"

#include <atomic>
#include <cstdlib>
#include <ctime>

SafeFile::~SafeFile() { Abandon(); }

bool SafeFile::Open(const char* target)
{
    Abandon();
    if (!target || !*target)
        return false;
    target_ = target;
    static std::atomic<unsigned> counter{0};
    // "name.~N" in the same folder, so the final rename never crosses file systems; a name already
    // taken is skipped.
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temp_ = target_ + ".~" + std::to_string((unsigned(std::time(nullptr)) ^ counter++) % 100000);
        if (std::FILE* existing = std::fopen(temp_.c_str(), "rb")) {
            std::fclose(existing);
            continue;
        }
        file_ = std::fopen(temp_.c_str(), "wb");
    }
    ok_ = file_ != nullptr;
    return ok_;
}

void SafeFile::Write(const void* data, size_t size)
{
    if (!file_ || !ok_ || size == 0)
        return;
    if (std::fwrite(data, 1, size, file_) != size)
        ok_ = false;
}

bool SafeFile::Commit()
{
    if (!file_)
        return false;
    bool good = ok_ && std::fflush(file_) == 0 && !std::ferror(file_);
    good = (std::fclose(file_) == 0) && good;
    file_ = nullptr;
    if (good && MoveFileOver(temp_.c_str(), target_.c_str())) {
        temp_.clear();
        return true;
    }
    std::remove(temp_.c_str());
    temp_.clear();
    return false;
}

void SafeFile::Abandon()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        std::remove(temp_.c_str());
    }
    temp_.clear();
    ok_ = false;
}
