// Helpers of the layered-document tests: scratch files, whole-file reads and comparisons of two
// documents by their properties and pixels.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/layer_list.h"

inline std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("brisalo_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const char* name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }
    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                 std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline bool SamePixels(const Bitmap* a, const Bitmap* b)
{
    if (!a || !b)
        return a == b;
    if (a->width != b->width || a->height != b->height || a->bitsPerPixel != b->bitsPerPixel)
        return false;
    const size_t row = static_cast<size_t>(a->width) * static_cast<size_t>(a->bitsPerPixel / 8);
    for (int32_t y = 0; y < a->height; ++y) {
        if (std::memcmp(PicRow(a, y), PicRow(b, y), row) != 0)
            return false;
    }
    return true;
}

// Layer by layer from the top: the 50 property bytes, the effect parameters and the pixels.
inline void ExpectSameLayers(const Document* a, const Document* b)
{
    ASSERT_EQ(CountLayers(a), CountLayers(b));
    const Layer* la = a->top;
    const Layer* lb = b->top;
    for (int i = 0; la && lb; ++i, la = la->below, lb = lb->below) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::memcmp(&la->props, &lb->props, sizeof la->props), 0) << la->props.name << " / " << lb->props.name;
        EXPECT_EQ(std::memcmp(&la->dropShadow, &lb->dropShadow, sizeof la->dropShadow), 0);
        EXPECT_EQ(std::memcmp(&la->outerGlow, &lb->outerGlow, sizeof la->outerGlow), 0);
        EXPECT_EQ(std::memcmp(&la->innerGlow, &lb->innerGlow, sizeof la->innerGlow), 0);
        EXPECT_TRUE(SamePixels(la->pixels, lb->pixels));
    }
}
