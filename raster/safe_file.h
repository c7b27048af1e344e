// Replacing a file safely: everything is written to a temporary file in the target's folder, flushed
// and only then renamed over the target.  Any failure (open, write, flush, rename) leaves the target
// untouched and removes the temporary file.  Used by every writer of user files.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

class SafeFile {
public:
    SafeFile() = default;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;
    ~SafeFile();

    bool Open(const char* target);
    // Write errors are remembered; Commit then fails.
    void Write(const void* data, size_t size);
    bool Ok() const { return file_ != nullptr && ok_; }
    std::FILE* Stream() { return file_; }
    // Flushes, closes and moves the temporary file over the target; false on any error.
    bool Commit();
    void Abandon();

private:
    std::FILE* file_ = nullptr;
    std::string target_, temp_;
    bool ok_ = false;
};

// Moves src over dst, replacing it (atomically where the platform allows); true on success.
bool MoveFileOver(const char* src, const char* dst);
