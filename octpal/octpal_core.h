// Colour reduction core: one colour octree per process, the palette it yields, nearest-colour lookups
// against it, Burkes error diffusion and the 8-bit index-colour BMP writer.
//
// Everything here works on plain pixel buffers in the layout of a device-independent bitmap (rows
// padded to 4 bytes, 24-bit pixels stored blue, green, red), so the whole algorithm is built and tested
// without Windows.  The Windows library (octpal_win32.cpp) only translates GDI objects into these calls.
//
// Ownership: the tree lives in this library's module state from a successful build until OctRelease or
// the next build.  All calls must come from one thread at a time.  Functions return 1 for success and 0
// for failure unless stated otherwise.
#pragma once
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define OCTPAL_API
#else
#define OCTPAL_API __attribute__((visibility("default")))
#endif

extern "C" {

// A palette entry with the byte layout of the platform's PALETTEENTRY: red, green, blue, flags.
struct OctEntry {
    uint8_t red, green, blue, flags;
};

// A picture as a DIB section describes it.  Rows follow each other in memory, each
// ((width * bitsPerPixel + 31) / 32) * 4 bytes long.  `masks` (red, green, blue) are used for 16 and
// 32 bits per pixel when `bitfields` is nonzero.
struct OctPixels {
    void* bits;
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t bitfields;
    uint32_t masks[3];
};

// Discards the current tree and builds one of depth `colorBits` (1..8) from every pixel of `src`
// (16, 24 or 32 bits per pixel), reducing it after each pixel so that it never keeps more than
// `maxColors` leaves.  On any failure the library is left without a tree.
OCTPAL_API int OctBuildFromPixels(const OctPixels* src, uint32_t maxColors, uint32_t colorBits);

// Discards the current tree and builds the two-colour tree of depth 1: black (index 0), white (1).
OCTPAL_API int OctBuildBlackWhite(void);

// Discards the current tree and inserts every entry at depth 8 without reduction; equal entries share
// one leaf.  Each leaf answers lookups with the position of the first entry that reached it, so the
// indices match the caller's palette until OctCollectPalette renumbers them in tree order.
// A count of 0 leaves the library without a tree and fails.
OCTPAL_API int OctBuildFromEntries(const OctEntry* entries, uint32_t count);

// Number of leaves, which is the palette size; 0 without a tree.
OCTPAL_API uint32_t OctLeafCount(void);

// Writes the palette (leaf means, depth first by child slot) to `out`, which holds OctLeafCount()
// entries, and numbers the leaves accordingly.  The flags byte of each entry is left as it was.
OCTPAL_API void OctCollectPalette(OctEntry* out);

// Palette index of the colour nearest to `colorref` (0x00BBGGRR) and, through `outColor` when it is
// not null, that palette colour; -1 without a tree, leaving *outColor untouched.
OCTPAL_API int32_t OctNearestIndex(uint32_t colorref, uint32_t* outColor);

// Burkes error diffusion of a 24-bit picture, in place, against the current tree.  0 when the picture
// is not 24 bits per pixel or has no pixels, or when there is no tree; the picture is then untouched.
OCTPAL_API int OctDither(const OctPixels* pic);

// Writes a 24-bit picture as an 8-bit index-colour BMP file with the current tree's palette, keeping
// the picture's memory row order.  The file is replaced only once it is completely written, so a
// failure never leaves a damaged or missing file behind.  0 without a tree, for a palette of more than
// 256 colours, for a picture that is not 24 bits per pixel, and on any allocation or file error.
OCTPAL_API int OctSaveIndexBmp(const OctPixels* pic, const char* path);

// Frees every node; the library is then without a tree.
OCTPAL_API void OctRelease(void);

// Where tree nodes come from: one block per node, zeroed by the tree.  A null block makes the build
// that asked for it fail and leaves the library without a tree.  Null pointers restore the process
// heap.  The current tree is released first, so no node is ever freed by the wrong heap.  Meant for
// measuring node memory and for proving the failure path.
typedef void* (*OctNodeAlloc)(size_t size);
typedef void (*OctNodeFree)(void* block);
OCTPAL_API void OctSetNodeHeap(OctNodeAlloc alloc, OctNodeFree release);

}  // extern "C"
