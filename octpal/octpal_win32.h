// octpal.dll as the painting program imports it: colour reduction over GDI objects.  Bitmaps are DIB
// sections; colours are COLORREF (red in the low byte).  The library keeps one octree per process
// between a build and ReleaseOctTree; the palette handles it returns belong to the caller, who deletes
// them with DeleteObject.  Builders return null and the other calls 0 (or -1 for the lookup) on
// failure.  Calls must come from one thread at a time.
#pragma once
#include <windows.h>

extern "C" {

HPALETTE __cdecl CreateOctreePalette(HBITMAP bitmap, UINT nMaxColors, UINT nColorBits);
HPALETTE __cdecl CreateBlackWhiteOctreePalette(void);
HPALETTE __cdecl CreateOctreePaletteFromLogPal(LOGPALETTE* palette);
int __cdecl GetPalEntryNum(void);
// `entries` holds GetPalEntryNum() records; the flags byte of each is left alone.
void __cdecl GetOctTreePalette(PALETTEENTRY* entries);
int __cdecl GetNearestColorIndex(COLORREF color, COLORREF* chosen);
int __cdecl DitherBitmap(HBITMAP bitmap);
int __cdecl PalDitherBitmap(HBITMAP bitmap, HPALETTE palette, UINT entries);
int __cdecl SaveAsIndexColorBitmap(HBITMAP bitmap, const char* path);
void __cdecl ReleaseOctTree(void);

}  // extern "C"
