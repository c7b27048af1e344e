// The exports of octpal.dll: GDI objects in, the portable core underneath.
#include "octpal/octpal_win32.h"

#include <cstdlib>

#include "octpal/diffuse.h"
#include "octpal/octpal_core.h"
#include "octpal/picture.h"

static_assert(sizeof(OctEntry) == sizeof(PALETTEENTRY));

namespace {

// Describes a DIB section; false for a null handle or any other kind of bitmap.
bool Describe(HBITMAP bitmap, OctPixels* pic)
{
    DIBSECTION ds{};
    if (!bitmap || GetObjectA(bitmap, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits)
        return false;
    pic->bits = ds.dsBm.bmBits;
    pic->width = ds.dsBm.bmWidth;
    pic->height = ds.dsBm.bmHeight;
    pic->bitsPerPixel = ds.dsBm.bmBitsPixel;
    pic->bitfields = ds.dsBmih.biCompression == BI_BITFIELDS;
    for (int i = 0; i < 3; ++i)
        pic->masks[i] = ds.dsBitfields[i];
    return true;
}

// A GDI palette holding the tree's colours in palette order; null (and no tree) when it cannot be
// made.
HPALETTE PaletteFromTree()
{
    const UINT n = OctLeafCount();
    if (n == 0 || n > 0xFFFF) {
        OctRelease();
        return nullptr;
    }
    auto* log = static_cast<LOGPALETTE*>(
        std::calloc(1, sizeof(LOGPALETTE) + (n - 1) * sizeof(PALETTEENTRY)));
    if (!log) {
        OctRelease();
        return nullptr;
    }
    log->palVersion = 0x300;
    log->palNumEntries = WORD(n);
    OctCollectPalette(reinterpret_cast<OctEntry*>(log->palPalEntry));
    HPALETTE palette = CreatePalette(log);
    std::free(log);
    if (!palette)
        OctRelease();
    return palette;
}

}  // namespace

extern "C" {

HPALETTE __cdecl CreateOctreePalette(HBITMAP bitmap, UINT nMaxColors, UINT nColorBits)
{
    OctRelease();
    OctPixels pic{};
    if (nColorBits > 8 || !Describe(bitmap, &pic) || !OctBuildFromPixels(&pic, nMaxColors, nColorBits))
        return nullptr;
    return PaletteFromTree();
}

HPALETTE __cdecl CreateBlackWhiteOctreePalette(void)
{
    return OctBuildBlackWhite() ? PaletteFromTree() : nullptr;
}

HPALETTE __cdecl CreateOctreePaletteFromLogPal(LOGPALETTE* palette)
{
    OctRelease();
    if (!palette || palette->palNumEntries == 0)
        return nullptr;
    if (!OctBuildFromEntries(reinterpret_cast<const OctEntry*>(palette->palPalEntry), palette->palNumEntries))
        return nullptr;
    HPALETTE made = CreatePalette(palette);
    if (!made)
        OctRelease();
    return made;
}

int __cdecl GetPalEntryNum(void) { return int(OctLeafCount()); }

void __cdecl GetOctTreePalette(PALETTEENTRY* entries)
{
    OctCollectPalette(reinterpret_cast<OctEntry*>(entries));
}

int __cdecl GetNearestColorIndex(COLORREF color, COLORREF* chosen)
{
    return OctNearestIndex(color, reinterpret_cast<uint32_t*>(chosen));
}

int __cdecl DitherBitmap(HBITMAP bitmap)
{
    OctPixels pic{};
    return Describe(bitmap, &pic) ? OctDither(&pic) : 0;
}

int __cdecl PalDitherBitmap(HBITMAP bitmap, HPALETTE palette, UINT entries)
{
    OctPixels pic{};
    size_t stride = 0;
    if (!Describe(bitmap, &pic) || pic.bitsPerPixel != 24 || !octpic::Geometry(&pic, &stride) ||
        !palette || entries == 0)
        return 0;
    // The nearest-index search only ever answers positions inside the palette, so entries past its
    // end could never be chosen: the work table stops there.
    const UINT available = GetPaletteEntries(palette, 0, 0, nullptr);
    const UINT count = entries < available ? entries : available;
    if (count == 0)
        return 0;
    auto* table = static_cast<PALETTEENTRY*>(std::calloc(count, sizeof(PALETTEENTRY)));
    if (!table)
        return 0;
    if (GetPaletteEntries(palette, 0, count, table) == 0) {
        std::free(table);
        return 0;
    }
    octdiffuse::Burkes(static_cast<uint8_t*>(pic.bits), pic.width, pic.height, stride,
                       [&](uint8_t r, uint8_t g, uint8_t b, uint8_t out[3]) {
                           const UINT i = GetNearestPaletteIndex(palette, RGB(r, g, b));
                           if (i == CLR_INVALID || i >= count)
                               return false;
                           out[0] = table[i].peRed;
                           out[1] = table[i].peGreen;
                           out[2] = table[i].peBlue;
                           return true;
                       });
    std::free(table);
    return 1;
}

int __cdecl SaveAsIndexColorBitmap(HBITMAP bitmap, const char* path)
{
    OctPixels pic{};
    return Describe(bitmap, &pic) ? OctSaveIndexBmp(&pic, path) : 0;
}

void __cdecl ReleaseOctTree(void) { OctRelease(); }

}  // extern "C"
