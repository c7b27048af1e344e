#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "updater/cabinet_check.h"

using updater::CabinetIsComplete;

namespace {

// The header of a one-folder, two-file cabinet of `size` bytes.
std::vector<unsigned char> Header(std::uint32_t size)
{
    std::vector<unsigned char> h(36, 0);
    std::memcpy(h.data(), "MSCF", 4);
    for (int i = 0; i < 4; ++i)
        h[8 + i] = static_cast<unsigned char>(size >> (8 * i));
    h[16] = 44;       // first file entry
    h[24] = 3;        // format 1.3
    h[25] = 1;
    h[26] = 1;        // folders
    h[28] = 2;        // files
    return h;
}

}  // namespace

TEST(CabinetIsComplete, AcceptsOnlyAWholeCabinet)
{
    const std::uint32_t size = 70000;
    EXPECT_TRUE(CabinetIsComplete(Header(size).data(), 36, size));

    const struct {
        const char* what;
        std::vector<unsigned char> header;
        std::uint64_t fileSize;
    } refused[] = {
        {"cut short", Header(size), size - 1},
        {"longer than recorded", Header(size), size + 1},
        {"header only", Header(size), 36},
        {"no files", [&] { auto h = Header(size); h[28] = 0; return h; }(), size},
        {"no folders", [&] { auto h = Header(size); h[26] = 0; return h; }(), size},
        {"other format", [&] { auto h = Header(size); h[25] = 2; return h; }(), size},
        {"error page", [] {
             const std::string page = "<html><head><title>404 Not Found</title></head></html>";
             return std::vector<unsigned char>(page.begin(), page.end());
         }(), 54},
    };
    for (const auto& c : refused)
        EXPECT_FALSE(CabinetIsComplete(c.header.data(), c.header.size(), c.fileSize)) << c.what;
    EXPECT_FALSE(CabinetIsComplete(Header(size).data(), 20, size)) << "short read";
    EXPECT_FALSE(CabinetIsComplete(nullptr, 0, 0));
}
