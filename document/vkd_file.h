// Layered document files (.vkd): the whole layer stack with positions, properties, pixels and effect
// settings, so that a picture comes back exactly as it was left.
//
// Layout (little-endian): an 18-byte header, then one record per layer from the bottom up: the 50
// property bytes, for raster layers a 44-byte image header and four run-length-coded channel planes
// (each a u32 byte count and the bytes raster/channel.h produces), then the parameter blocks of the
// effects whose flags are set.  Masks, thumbnails and the composite are not stored; reading rebuilds
// them.  Files of version 0 predate layer effects and carry no effect blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/document.h"

constexpr uint16_t kVkdHeaderSize = 18;
constexpr uint16_t kVkdMagic = 0x564B;   // "KV" on disk
constexpr uint16_t kVkdVersion = 100;
constexpr size_t kVkdImageHeaderSize = 44;
constexpr uint32_t kVkdStorageRaw = 0;
constexpr uint32_t kVkdStorageChannels = 8;

// The message shown (through DocumentHooks::messageBox) for a file newer than this program.
extern const char* const kVkdHigherVersionText;    // string 390
extern const char* const kVkdWarningCaption;       // string 2

struct VkdHeader {
    uint16_t headerSize;
    uint16_t magic;
    uint16_t width, height;
    uint16_t layerCount;
    uint16_t storedWord;
    uint16_t version;
    uint16_t zero[2];
};
static_assert(sizeof(VkdHeader) == kVkdHeaderSize);

// Writes the document to path.  Every layer is first trimmed to its visible pixels (which may move
// its position; the current layer's backup is trimmed with it, so it still mirrors the layer).  The file is written to a temporary file beside the target and only moved over it once it is
// complete and flushed: 1 on success; 0 on any failure (no document, a canvas or layer that does not
// fit the format, memory, a write error), and then a previous file at path is left untouched.
int WriteLayeredDocument(const char* path, Document* doc);
// The same for the current document (0 when there is none).
int WriteCurrentDocument(const char* path);

// Reads a layered document into a zero-filled document: canvas size, stored word, the layer list with
// thumbnails and rendered effect masks, the composite (not yet composed) and the thumbnail sizes.  The
// caller selects the top layer and composes.  A file newer than version 100 is refused after telling
// the user.  1 on success; 0 on failure, with everything read so far released.  Every count in the
// file is checked against the bytes that remain before anything is allocated for it.
int ReadLayeredDocument(const char* path, Document* doc);
// The same over bytes in memory (tools and the fuzz target).
int ReadLayeredDocumentBytes(std::span<const uint8_t> bytes, Document* doc);

// Largest canvas and largest layer bitmap the reader accepts, in pixels: a layer's bitmap and its four
// planes, or the composite, must fit in a 32-bit process, and a header of a few bytes must not be
// able to ask for more.
constexpr int64_t kVkdMaxPixels = int64_t{1} << 26;
