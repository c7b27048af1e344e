// Writing layered documents.  Everything goes through SafeFile: a save that fails for any reason
// (disk full, a write error, the program stopping midway) must leave the previous file as it was,
// because that file is the user's picture.
#include <cstdlib>
#include <cstring>

#include "document/layer_growth.h"
#include "document/vkd_file.h"
#include "raster/channel.h"
#include "raster/safe_file.h"

namespace {

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

void MakeImageHeader(const Bitmap* pixels, uint8_t out[kVkdImageHeaderSize])
{
    std::memset(out, 0, kVkdImageHeaderSize);
    Put32(out, 40);
    Put32(out + 4, static_cast<uint32_t>(pixels->width));
    Put32(out + 8, static_cast<uint32_t>(pixels->height));
    Put16(out + 12, 1);
    Put16(out + 14, 32);
    Put32(out + 16, kVkdStorageChannels);
    Put32(out + 20, static_cast<uint32_t>(DIBStride(pixels->width, 32)) * static_cast<uint32_t>(pixels->height));
}

// The image header and the four coded planes of a 32-bit bitmap.
bool WritePixels(SafeFile& out, const Bitmap* pixels)
{
    uint8_t header[kVkdImageHeaderSize];
    MakeImageHeader(pixels, header);
    out.Write(header, sizeof header);
    // One block for the four planes in turn: a photograph's planes barely shrink, and each fresh
    // block of a layer's size would cost the system its pages again.
    uint8_t* coded = static_cast<uint8_t*>(std::malloc(ChannelCodeBound(
        static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height))));
    if (!coded)
        return false;
    for (int c = 0; c < kChannelCount && out.Ok(); ++c) {
        const size_t n = CodeBitmapChannel(pixels, c, coded);
        if (n == 0) {
            std::free(coded);
            return false;
        }
        uint8_t count[4];
        Put32(count, static_cast<uint32_t>(n));
        out.Write(count, sizeof count);
        out.Write(coded, n);
    }
    std::free(coded);
    return out.Ok();
}

bool WriteLayer(SafeFile& out, Document* doc, Layer* layer)
{
    // A failed trim only costs file size; the layer is still written whole.
    TrimLayer(doc, layer);
    LayerProps props = layer->props;
    props.name[kLayerNameSize - 1] = '\0';
    out.Write(&props, sizeof props);
    if (props.kind == kLayerKindRaster) {
        if (layer->pixels && layer->pixels->bitsPerPixel == 32) {
            if (!WritePixels(out, layer->pixels))
                return false;
        } else {
            // A raster layer that was never painted: one transparent pixel keeps the record readable.
            Bitmap* empty = NewRGBAPic(1, 1);
            const bool ok = empty && WritePixels(out, empty);
            DeletePic(empty);
            if (!ok)
                return false;
        }
    }
    // The glow blocks are keyed crosswise (the inner-glow flag carries the outer-glow block); files
    // already on disk depend on it, so it stays.
    const uint8_t f = props.effectFlags;
    if (f & kEffectDropShadow)
        out.Write(&layer->dropShadow, sizeof layer->dropShadow);
    if (f & kEffectInnerShadow)
        out.Write(&layer->innerShadow, sizeof layer->innerShadow);
    if (f & kEffectInnerGlow)
        out.Write(&layer->outerGlow, sizeof layer->outerGlow);
    if (f & kEffectOuterGlow)
        out.Write(&layer->innerGlow, sizeof layer->innerGlow);
    if (f & kEffectFifth)
        out.Write(&layer->fifth, sizeof layer->fifth);
    return out.Ok();
}

}  // namespace

int WriteLayeredDocument(const char* path, Document* doc)
{
    if (!doc || !path || !*path || !doc->bottom)
        return 0;
    int32_t count = 0;
    for (Layer* l = doc->top; l; l = l->below)
        ++count;
    if (doc->width <= 0 || doc->height <= 0 || doc->width > 0xFFFF || doc->height > 0xFFFF || count > 0xFFFF)
        return 0;
    SafeFile out;
    if (!out.Open(path))
        return 0;
    uint8_t header[kVkdHeaderSize] = {};
    Put16(header, kVkdHeaderSize);
    Put16(header + 2, kVkdMagic);
    Put16(header + 4, static_cast<uint32_t>(doc->width));
    Put16(header + 6, static_cast<uint32_t>(doc->height));
    Put16(header + 8, static_cast<uint32_t>(count));
    Put16(header + 10, doc->storedWord & 0xFFFF);
    Put16(header + 12, kVkdVersion);
    out.Write(header, sizeof header);
    for (Layer* l = doc->bottom; l; l = l->above) {
        if (!WriteLayer(out, doc, l))
            return 0;   // SafeFile removes the temporary file; the old one stays
    }
    return out.Commit() ? 1 : 0;
}

int WriteCurrentDocument(const char* path) { return WriteLayeredDocument(path, CurrentDocument()); }
