// The program's two palettes, kept as "PAL" resources: a LOGPALETTE (version, count, entries).
#include <cstring>
#include <vector>

#include "app/app.h"
#include "app/resource.h"

namespace app {
namespace {

HPALETTE palettes[2] = {};

HPALETTE LoadPalette(int id)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), "PAL");
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!data || size < 4)
        return nullptr;
    WORD count;
    std::memcpy(&count, data + 2, 2);
    // the resource must hold every entry it announces
    if (count == 0 || count > 256 || size < 4u + 4u * count)
        return nullptr;
    std::vector<BYTE> copy(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    std::memcpy(copy.data(), data, 4 + 4 * count);
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(copy.data()));
}

}  // namespace

bool LoadPalettes()
{
    palettes[0] = LoadPalette(IDP_PROGRAM_PALETTE);
    palettes[1] = LoadPalette(IDP_GREY_PALETTE);
    return palettes[0] && palettes[1];
}

HPALETTE ProgramPalette() { return palettes[0]; }

void DeletePalettes()
{
    for (HPALETTE& p : palettes) {
        if (p)
            DeleteObject(p);
        p = nullptr;
    }
}

}  // namespace app
