// A fresh folder per test, removed afterwards.  Path() is the folder as the program would name it.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("brisalo-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    void Remove(const std::string& name) const { std::filesystem::remove(path_ / name); }

private:
    std::filesystem::path path_;
};
