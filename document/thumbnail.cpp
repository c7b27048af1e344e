#include "document/thumbnail.h"

#include <algorithm>

namespace {

constexpr uint8_t kGrey = 192;

}  // namespace

int MakeLayerThumbnail(const Document* doc, Layer* layer)
{
    if (!doc || !layer || doc->width <= 0 || doc->height <= 0)
        return 0;
    // A very thin canvas has a thumbnail side of 0 in the layer box's arithmetic; keep one pixel.
    const int32_t tw = std::max(doc->thumbWidth, 1), th = std::max(doc->thumbHeight, 1);
    Bitmap* thumb = NewRGBPic(tw, th);
    if (!thumb)
        return 0;
    const Bitmap* src = layer->pixels && layer->pixels->bitsPerPixel == 32 ? layer->pixels : nullptr;
    for (int32_t ty = 0; ty < th; ++ty) {
        uint8_t* row = PicRow(thumb, ty);
        // Centre of the thumbnail pixel in document coordinates, then in layer coordinates.
        int64_t ly = (int64_t{2} * ty + 1) * doc->height / (2 * th) - layer->props.y;
        bool rowInside = src && ly >= 0 && ly < src->height;
        const uint8_t* srow = rowInside ? PicRow(src, static_cast<int32_t>(ly)) : nullptr;
        for (int32_t tx = 0; tx < tw; ++tx) {
            uint32_t bg = ((tx / 4) & 1) == ((ty / 4) & 1) ? kGrey : 255;
            uint32_t b = bg, g = bg, r = bg;
            if (srow) {
                int64_t lx = (int64_t{2} * tx + 1) * doc->width / (2 * tw) - layer->props.x;
                if (lx >= 0 && lx < src->width) {
                    const uint8_t* p = srow + lx * 4;
                    uint32_t a = p[3];
                    b = (p[0] * a + bg * (255 - a) + 127) / 255;
                    g = (p[1] * a + bg * (255 - a) + 127) / 255;
                    r = (p[2] * a + bg * (255 - a) + 127) / 255;
                }
            }
            row[tx * 3] = static_cast<uint8_t>(b);
            row[tx * 3 + 1] = static_cast<uint8_t>(g);
            row[tx * 3 + 2] = static_cast<uint8_t>(r);
        }
    }
    DeletePic(layer->thumbnail);
    layer->thumbnail = thumb;
    return 1;
}
