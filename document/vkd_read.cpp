// Reading layered documents.  A file may be damaged or hostile: every count is checked against the
// bytes that are left before anything is allocated for it, and layer bitmaps are bounded so that a
// few bytes of header cannot ask for gigabytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "document/document_hooks.h"
#include "document/effect_render.h"
#include "document/layer_list.h"
#include "document/thumbnail.h"
#include "document/vkd_file.h"
#include "raster/channel.h"

const char* const kVkdHigherVersionText = "It's a higher version file. Please upgrade your software to read it!";
const char* const kVkdWarningCaption = "WARNING";

namespace {

class Source {
public:
    virtual ~Source()
    {
        std::free(scratch_);
    }
    virtual bool Read(void* to, size_t n) = 0;
    // The next n bytes as one span that lasts until the next Take: read into one buffer that every
    // coded plane of the file reuses, so loading a layer does not fault in fresh memory per plane.
    virtual bool Take(size_t n, std::span<const uint8_t>* out)
    {
        if (n > remaining_)
            return false;
        if (n > scratchBytes_) {
            std::free(scratch_);
            scratchBytes_ = 0;
            scratch_ = static_cast<uint8_t*>(std::malloc(n));
            if (!scratch_)
                return false;
            scratchBytes_ = n;
        }
        if (!Read(scratch_, n))
            return false;
        *out = std::span<const uint8_t>(scratch_, n);
        return true;
    }
    uint64_t Remaining() const { return remaining_; }

protected:
    uint64_t remaining_ = 0;

private:
    uint8_t* scratch_ = nullptr;
    size_t scratchBytes_ = 0;
};

class MemorySource : public Source {
public:
    explicit MemorySource(std::span<const uint8_t> b) : bytes_(b) { remaining_ = b.size(); }
    bool Read(void* to, size_t n) override
    {
        if (n > remaining_)
            return false;
        std::memcpy(to, bytes_.data() + (bytes_.size() - remaining_), n);
        remaining_ -= n;
        return true;
    }
    // Bytes already in memory are decoded where they lie.
    bool Take(size_t n, std::span<const uint8_t>* out) override
    {
        if (n > remaining_)
            return false;
        *out = bytes_.subspan(bytes_.size() - remaining_, n);
        remaining_ -= n;
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
};

class FileSource : public Source {
public:
    explicit FileSource(std::FILE* f) : file_(f)
    {
        if (std::fseek(f, 0, SEEK_END) == 0) {
            const long size = std::ftell(f);
            remaining_ = size > 0 ? static_cast<uint64_t>(size) : 0;
        }
        std::fseek(f, 0, SEEK_SET);
    }
    bool Read(void* to, size_t n) override
    {
        if (n > remaining_ || std::fread(to, 1, n, file_) != n)
            return false;
        remaining_ -= n;
        return true;
    }

private:
    std::FILE* file_;
};

uint32_t Get16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | (Get16(p + 2) << 16); }

Bitmap* ReadRawPixels(Source& in, int32_t w, int32_t h, uint32_t imageSize)
{
    const uint64_t expected = static_cast<uint64_t>(DIBStride(w, 32)) * static_cast<uint64_t>(h);
    if (imageSize != expected || imageSize > in.Remaining())
        return nullptr;
    Bitmap* b = NewRGBAPic(w, h);
    if (b && !in.Read(b->bits, PicBytes(b))) {
        DeletePic(b);
        return nullptr;
    }
    return b;
}

// The smallest a coded plane can be on disk: its byte count, the plane byte count and one run token.
constexpr uint64_t kMinCodedPlaneBytes = 4 + 4 + 2;

bool TakeCodedPlane(Source& in, std::span<const uint8_t>* coded)
{
    uint8_t count[4];
    if (!in.Read(count, sizeof count))
        return false;
    const uint32_t size = Get32(count);
    return size != 0 && in.Take(size, coded);
}

Bitmap* ReadChannelPixels(Source& in, int32_t w, int32_t h)
{
    // The layer's bitmap is only made once the first coded plane is in hand, codes a plane of the
    // layer's size, and the file still holds room for the other three.
    std::span<const uint8_t> coded;
    const uint64_t planeBytes = static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
    if (!TakeCodedPlane(in, &coded) || coded.size() < 4 || Get32(coded.data()) != planeBytes ||
        in.Remaining() < (kChannelCount - 1) * kMinCodedPlaneBytes)
        return nullptr;
    Bitmap* b = NewRGBAPic(w, h);
    if (!b)
        return nullptr;
    for (int c = 0; c < kChannelCount; ++c) {
        if ((c > 0 && !TakeCodedPlane(in, &coded)) || !DecodeBitmapChannel(coded, b, c)) {
            DeletePic(b);
            return nullptr;
        }
    }
    return b;
}

bool ReadPixels(Source& in, Layer* layer)
{
    uint8_t header[kVkdImageHeaderSize];
    if (!in.Read(header, sizeof header) || Get32(header) != 40)
        return false;
    const auto w = static_cast<int32_t>(Get32(header + 4));
    const auto h = static_cast<int32_t>(Get32(header + 8));
    if (w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide || int64_t{w} * h > kVkdMaxPixels)
        return false;
    if (Get16(header + 12) != 1 || Get16(header + 14) != 32)
        return false;
    const uint32_t storage = Get32(header + 16);
    if (storage == kVkdStorageRaw)
        layer->pixels = ReadRawPixels(in, w, h, Get32(header + 20));
    else if (storage == kVkdStorageChannels)
        layer->pixels = ReadChannelPixels(in, w, h);
    return layer->pixels != nullptr;
}

template <typename Block>
bool ReadBlock(Source& in, uint8_t flags, uint8_t flag, Block* block)
{
    return !(flags & flag) || in.Read(block, sizeof *block);
}

bool ReadLayer(Source& in, Document* doc, uint16_t version)
{
    Layer* layer = NewLayer("");
    if (!layer)
        return false;
    bool ok = in.Read(&layer->props, sizeof layer->props);
    if (ok) {
        LayerProps& p = layer->props;
        p.name[kLayerNameSize - 1] = '\0';
        // Values the compositor indexes with are kept in range, whatever the file says.
        if (p.blendMode >= kBlendModeCount)
            p.blendMode = 0;
        p.reserved = 0;
    }
    if (ok && layer->props.kind == kLayerKindRaster)
        ok = ReadPixels(in, layer);
    if (ok && version == kVkdVersion) {
        // Crosswise, as the writer stores them: the inner-glow flag carries the outer-glow block.
        const uint8_t f = layer->props.effectFlags;
        ok = ReadBlock(in, f, kEffectDropShadow, &layer->dropShadow) &&
             ReadBlock(in, f, kEffectInnerShadow, &layer->innerShadow) &&
             ReadBlock(in, f, kEffectInnerGlow, &layer->outerGlow) &&
             ReadBlock(in, f, kEffectOuterGlow, &layer->innerGlow) && ReadBlock(in, f, kEffectFifth, &layer->fifth);
        ClampShadowParams(&layer->dropShadow);
        ClampShadowParams(&layer->innerShadow);
        ClampGlowParams(&layer->outerGlow);
        ClampGlowParams(&layer->innerGlow);
    }
    ok = ok && RenderLayerEffects(layer, nullptr);
    if (ok)
        MakeLayerThumbnail(doc, layer);   // the layer box draws without one when this fails
    if (!ok) {
        FreeLayer(layer);
        return false;
    }
    // Each record goes above the ones before it: the file's last layer ends on top.
    InsertLayer(doc, layer, doc->top);
    return true;
}

bool ReadDocument(Source& in, Document* doc)
{
    uint8_t raw[kVkdHeaderSize];
    if (!in.Read(raw, sizeof raw))
        return false;
    if (Get16(raw + 2) != kVkdMagic || Get16(raw) != kVkdHeaderSize)
        return false;
    const uint16_t version = static_cast<uint16_t>(Get16(raw + 12));
    if (version > kVkdVersion) {
        g_documentHooks.messageBox(kVkdHigherVersionText, kVkdWarningCaption);
        return false;
    }
    const auto width = static_cast<int32_t>(Get16(raw + 4));
    const auto height = static_cast<int32_t>(Get16(raw + 6));
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        int64_t{width} * height > kVkdMaxPixels)
        return false;
    doc->width = width;
    doc->height = height;
    doc->storedWord = Get16(raw + 10);
    doc->top = doc->bottom = doc->current = nullptr;
    doc->layerCount = 0;
    ComputeThumbnailSizes(width, height, &doc->thumbWidth, &doc->thumbHeight, &doc->slotWidth, &doc->slotHeight);
    // Versions 1 to 99 never carried layers this program can read.
    if (version == 0 || version == kVkdVersion) {
        const uint32_t count = Get16(raw + 8);
        for (uint32_t i = 0; i < count; ++i) {
            if (!ReadLayer(in, doc, version))
                return false;
        }
    }
    doc->composite = NewRGBPic(width, height);
    if (!doc->composite)
        return false;
    doc->backup = nullptr;
    doc->currentIndex = -1;
    return true;
}

int Finish(bool ok, Document* doc)
{
    if (ok)
        return 1;
    ReleaseDocumentContents(doc);
    return 0;
}

}  // namespace

int ReadLayeredDocumentBytes(std::span<const uint8_t> bytes, Document* doc)
{
    if (!doc)
        return 0;
    MemorySource in(bytes);
    return Finish(ReadDocument(in, doc), doc);
}

int ReadLayeredDocument(const char* path, Document* doc)
{
    if (!doc || !path)
        return 0;
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return 0;
    FileSource in(f);
    const bool ok = ReadDocument(in, doc);
    std::fclose(f);
    return Finish(ok, doc);
}
