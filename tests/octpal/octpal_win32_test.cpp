// octpal.dll as the painting program sees it: the export table, and the exports on real DIB sections,
// GDI palettes and files read back by the system's own bitmap loader.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "octpal/octpal_win32.h"

namespace {

struct Dib {
    HBITMAP bitmap = nullptr;
    uint8_t* bits = nullptr;
    int width = 0, height = 0, stride = 0;

    Dib(int w, int h, int bpp, const DWORD* masks = nullptr) : width(w), height(h)
    {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = w;
        info.header.biHeight = h;
        info.header.biPlanes = 1;
        info.header.biBitCount = WORD(bpp);
        info.header.biCompression = masks ? BI_BITFIELDS : BI_RGB;
        if (masks)
            for (int i = 0; i < 3; ++i)
                info.masks[i] = masks[i];
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<uint8_t*>(memory);
        stride = (w * bpp + 31) / 32 * 4;
    }
    ~Dib() { DeleteObject(bitmap); }
    uint8_t* At(int x, int row, int bytesPerPixel = 3) { return bits + row * stride + x * bytesPerPixel; }
    std::vector<uint8_t> Bytes() const { return {bits, bits + size_t(stride) * size_t(height)}; }
};

std::vector<PALETTEENTRY> EntriesOf(HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, UINT(entries.size()), entries.data());
    return entries;
}

std::vector<uint32_t> Rgbs(const std::vector<PALETTEENTRY>& entries)
{
    std::vector<uint32_t> out;
    for (const PALETTEENTRY& e : entries)
        out.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
    return out;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "octpal-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

struct OctpalDll : testing::Test {
    void TearDown() override { ReleaseOctTree(); }
};

TEST_F(OctpalDll, ExportsExactlyTheTenUndecoratedNames)
{
    HMODULE dll = GetModuleHandleA("octpal.dll");
    ASSERT_NE(dll, nullptr);
    const auto* base = reinterpret_cast<const uint8_t*>(dll);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 10u);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        found.insert(reinterpret_cast<const char*>(base + names[i]));
    const std::set<std::string> expected = {
        "CreateOctreePalette", "CreateBlackWhiteOctreePalette", "CreateOctreePaletteFromLogPal",
        "GetPalEntryNum", "GetOctTreePalette", "GetNearestColorIndex", "DitherBitmap",
        "PalDitherBitmap", "SaveAsIndexColorBitmap", "ReleaseOctTree"};
    EXPECT_EQ(found, expected);
    for (const std::string& name : expected)
        EXPECT_NE(GetProcAddress(dll, name.c_str()), nullptr) << name;
}

TEST_F(OctpalDll, PaletteDitherAndSaveReadBackByTheSystemLoader)
{
    // Smooth ramps in every channel: far more than 256 colours, so the tree reduces and the
    // diffusion has errors to spread.
    Dib dib(37, 23, 24);
    ASSERT_NE(dib.bitmap, nullptr);
    for (int y = 0; y < dib.height; ++y)
        for (int x = 0; x < dib.width; ++x) {
            uint8_t* p = dib.At(x, y);
            p[0] = uint8_t(x * 7);
            p[1] = uint8_t(y * 11);
            p[2] = uint8_t((x + y) * 4);
        }
    HPALETTE palette = CreateOctreePalette(dib.bitmap, 256, 8);
    ASSERT_NE(palette, nullptr);
    const int n = GetPalEntryNum();
    ASSERT_GT(n, 16);
    ASSERT_LE(n, 256);
    const std::vector<PALETTEENTRY> gdi = EntriesOf(palette);
    DeleteObject(palette);
    ASSERT_EQ(gdi.size(), size_t(n));
    std::vector<PALETTEENTRY> collected(size_t(n), PALETTEENTRY{0, 0, 0, 0xAB});
    GetOctTreePalette(collected.data());
    EXPECT_EQ(Rgbs(collected), Rgbs(gdi));
    for (const PALETTEENTRY& e : collected)
        EXPECT_EQ(e.peFlags, 0xAB) << "the flags byte is the caller's";

    const std::vector<uint8_t> before = dib.Bytes();
    ASSERT_EQ(DitherBitmap(dib.bitmap), 1);
    EXPECT_NE(dib.Bytes(), before);

    const std::string path = TempPath("roundtrip.bmp");
    ASSERT_EQ(SaveAsIndexColorBitmap(dib.bitmap, path.c_str()), 1);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    EXPECT_EQ(size, DWORD(54 + 4 * n + 40 * 23));

    auto* loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(loaded, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 37);
    EXPECT_EQ(ds.dsBm.bmHeight, 23);
    ASSERT_EQ(ds.dsBm.bmBitsPixel, 8);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, loaded);
    std::vector<RGBQUAD> table(256);
    const UINT tableSize = GetDIBColorTable(dc, 0, 256, table.data());
    SelectObject(dc, old);
    DeleteDC(dc);
    ASSERT_GE(tableSize, UINT(n));
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue), Rgbs(gdi)[size_t(i)]) << i;
    // Each index is the nearest palette colour of the dithered pixel, rows in the source's order.
    const auto* indices = static_cast<const uint8_t*>(ds.dsBm.bmBits);
    for (int y = 0; y < dib.height; ++y)
        for (int x = 0; x < dib.width; ++x) {
            const uint8_t* p = dib.At(x, y);
            COLORREF chosen = 0;
            const int expected = GetNearestColorIndex(RGB(p[2], p[1], p[0]), &chosen);
            ASSERT_EQ(indices[y * ds.dsBm.bmWidthBytes + x], expected) << x << "," << y;
        }
    DeleteObject(loaded);
    DeleteFileA(path.c_str());
}

TEST_F(OctpalDll, ReadsSixteenAndThirtyTwoBitSectionsWithAndWithoutMasks)
{
    const DWORD masks565[3] = {0xF800, 0x07E0, 0x001F};
    const DWORD swapped[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    struct Case {
        const char* what;
        int bpp;
        const DWORD* masks;
        uint32_t word;
        COLORREF colour;
    } cases[] = {
        {"5-5-5", 16, nullptr, 0x7FFF, RGB(248, 248, 248)},
        {"5-6-5", 16, masks565, 0x07E0, RGB(0, 252, 0)},
        {"32-bit", 32, nullptr, 0x00112233, RGB(0x11, 0x22, 0x33)},
        {"32-bit masks", 32, swapped, 0x00112233, RGB(0x33, 0x22, 0x11)},
    };
    for (const Case& c : cases) {
        Dib dib(5, 3, c.bpp, c.masks);
        ASSERT_NE(dib.bitmap, nullptr) << c.what;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                for (int i = 0; i < c.bpp / 8; ++i)
                    dib.At(x, y, c.bpp / 8)[i] = uint8_t(c.word >> (8 * i));
        HPALETTE palette = CreateOctreePalette(dib.bitmap, 256, 8);
        ASSERT_NE(palette, nullptr) << c.what;
        EXPECT_EQ(Rgbs(EntriesOf(palette)), std::vector<uint32_t>{c.colour}) << c.what;
        DeleteObject(palette);
        // Dithering and saving want 24 bits and leave other pictures alone.
        const std::vector<uint8_t> before = dib.Bytes();
        EXPECT_EQ(DitherBitmap(dib.bitmap), 0) << c.what;
        EXPECT_EQ(SaveAsIndexColorBitmap(dib.bitmap, TempPath("never.bmp").c_str()), 0) << c.what;
        EXPECT_EQ(dib.Bytes(), before) << c.what;
    }
    EXPECT_EQ(GetFileAttributesA(TempPath("never.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(OctpalDll, BadHandlesAndPathsFailCleanly)
{
    Dib good(4, 4, 24), paletted(4, 4, 8);
    HBITMAP device = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_NE(device, nullptr);
    const std::string missing = TempPath("no-such-folder\\x.bmp");
    struct Case {
        const char* what;
        HBITMAP bitmap;
        UINT maxColors, colorBits;
    } cases[] = {
        {"null handle", nullptr, 256, 8},    {"not a DIB section", device, 256, 8},
        {"8 bits per pixel", paletted.bitmap, 256, 8}, {"depth 9", good.bitmap, 256, 9},
        {"depth 0", good.bitmap, 256, 0},    {"no colours allowed", good.bitmap, 0, 8},
    };
    for (const Case& c : cases) {
        HPALETTE built = CreateOctreePalette(good.bitmap, 256, 8);
        ASSERT_NE(built, nullptr);
        DeleteObject(built);
        EXPECT_EQ(CreateOctreePalette(c.bitmap, c.maxColors, c.colorBits), nullptr) << c.what;
        EXPECT_EQ(GetPalEntryNum(), 0) << c.what;
        COLORREF untouched = 0x123456;
        EXPECT_EQ(GetNearestColorIndex(0, &untouched), -1) << c.what;
        EXPECT_EQ(untouched, 0x123456u) << c.what;
    }
    EXPECT_EQ(DitherBitmap(good.bitmap), 0) << "no tree";
    EXPECT_EQ(SaveAsIndexColorBitmap(good.bitmap, TempPath("none.bmp").c_str()), 0) << "no tree";
    EXPECT_EQ(GetFileAttributesA(TempPath("none.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    HPALETTE built = CreateOctreePalette(good.bitmap, 256, 8);
    ASSERT_NE(built, nullptr);
    for (HBITMAP bad : {HBITMAP(nullptr), device}) {
        EXPECT_EQ(DitherBitmap(bad), 0);
        EXPECT_EQ(PalDitherBitmap(bad, built, 1), 0);
        EXPECT_EQ(SaveAsIndexColorBitmap(bad, TempPath("bad.bmp").c_str()), 0);
    }
    EXPECT_EQ(PalDitherBitmap(good.bitmap, nullptr, 1), 0);
    EXPECT_EQ(PalDitherBitmap(good.bitmap, built, 0), 0);
    EXPECT_EQ(SaveAsIndexColorBitmap(good.bitmap, missing.c_str()), 0);
    EXPECT_EQ(SaveAsIndexColorBitmap(good.bitmap, nullptr), 0);
    EXPECT_EQ(GetFileAttributesA(TempPath("bad.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteObject(built);
    DeleteObject(device);
}

TEST_F(OctpalDll, BlackWhiteAndGivenPalettes)
{
    HPALETTE bw = CreateBlackWhiteOctreePalette();
    ASSERT_NE(bw, nullptr);
    EXPECT_EQ(Rgbs(EntriesOf(bw)), (std::vector<uint32_t>{RGB(0, 0, 0), RGB(255, 255, 255)}));
    DeleteObject(bw);
    EXPECT_EQ(GetPalEntryNum(), 2);

    struct {
        WORD version, count;
        PALETTEENTRY entries[3];
    } given = {0x300, 3, {{255, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}}};
    HPALETTE made = CreateOctreePaletteFromLogPal(reinterpret_cast<LOGPALETTE*>(&given));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Rgbs(EntriesOf(made)), (std::vector<uint32_t>{RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 0, 0)}));
    DeleteObject(made);
    EXPECT_EQ(GetPalEntryNum(), 2);
    COLORREF chosen = 0;
    EXPECT_EQ(GetNearestColorIndex(RGB(0, 0, 255), &chosen), 1);
    EXPECT_EQ(chosen, RGB(0, 0, 255));
    EXPECT_EQ(CreateOctreePaletteFromLogPal(nullptr), nullptr);
    EXPECT_EQ(GetPalEntryNum(), 0);
}

TEST_F(OctpalDll, PalDitherUsesTheGivenGdiPalette)
{
    struct {
        WORD version, count;
        PALETTEENTRY entries[2];
    } bw = {0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&bw));
    ASSERT_NE(palette, nullptr);
    Dib dib(8, 4, 24);
    std::fill(dib.bits, dib.bits + dib.stride * dib.height, 128);
    ASSERT_EQ(PalDitherBitmap(dib.bitmap, palette, 2), 1);
    // Mid grey is nearer white: the first pixel of the top row errs by -127, passing (-127 * 8) >> 5 =
    // -32 to its right neighbour, which it keeps itself.
    EXPECT_EQ(dib.At(0, 3)[0], 128);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(dib.At(1, 3)[c], 96);
    Dib deep(4, 4, 32);
    EXPECT_EQ(PalDitherBitmap(deep.bitmap, palette, 2), 0);
    DeleteObject(palette);
}

}  // namespace
