// Run-length coded BMP pixels (8 bits per index, or 4 bits with two indexes per byte).  The coding
// is a sequence of byte pairs: a count and an index (or two alternating 4-bit indexes) repeated that
// many times, or 0 and an escape: 0 ends the line, 1 ends the picture, 2 moves right and up by the
// next two bytes, and 3 or more is that many indexes given literally, padded to an even byte count.
// Rows run bottom-up.  Runs that reach past the right edge are cut there, as files written for odd
// widths commonly do; anything that reaches past the top or the end of the data is damage.
#include "raster/bmp_read_dib.h"

namespace {

class RleTarget {
public:
    RleTarget(Bitmap* out, const uint32_t* palette) : out_(out), palette_(palette), bytes_(out->bitsPerPixel / 8) {}

    // False when the row is above the picture.
    bool Put(int32_t x, int32_t y, unsigned index) const
    {
        if (y >= out_->height)
            return false;
        if (x < out_->width) {
            const uint32_t c = palette_[index];
            uint8_t* p = out_->bits + size_t(y) * size_t(out_->stride) + size_t(x) * size_t(bytes_);
            p[0] = static_cast<uint8_t>(c);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c >> 16);
            if (bytes_ == 4)
                p[3] = static_cast<uint8_t>(c >> 24);
        }
        return true;
    }

private:
    Bitmap* out_;
    const uint32_t* palette_;
    int bytes_;
};

}  // namespace

bool DecodeDibRle(const DibFormat& f, const uint32_t* palette, const uint8_t* bits, size_t length, Bitmap* out)
{
    const bool four = f.compression == kDibRle4;
    const RleTarget target(out, palette);
    int32_t x = 0, y = 0;
    size_t pos = 0;
    while (pos + 2 <= length) {
        const unsigned count = bits[pos];
        const unsigned value = bits[pos + 1];
        pos += 2;
        if (count > 0) {
            if (x >= f.width)
                continue;
            for (unsigned i = 0; i < count && x < f.width; ++i, ++x) {
                const unsigned index = four ? (i & 1 ? value & 15 : value >> 4) : value;
                if (!target.Put(x, y, index))
                    return false;
            }
            continue;
        }
        switch (value) {
        case 0:  // end of line
            if (y >= f.height)
                return false;
            x = 0;
            ++y;
            break;
        case 1:  // end of picture
            return true;
        case 2:  // move
            if (pos + 2 > length)
                return false;
            // x stops counting at the edge: nothing lands beyond it and the sum cannot overflow
            x = x + bits[pos] > f.width ? f.width : x + bits[pos];
            y += bits[pos + 1];
            pos += 2;
            if (y > f.height || (y == f.height && x > 0))
                return false;
            break;
        default: {  // literal indexes
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (padded > length - pos)
                return false;
            for (unsigned i = 0; i < value && x < f.width; ++i, ++x) {
                const uint8_t b = bits[pos + (four ? i / 2 : i)];
                const unsigned index = four ? (i & 1 ? b & 15 : b >> 4) : b;
                if (!target.Put(x, y, index))
                    return false;
            }
            pos += padded;
            break;
        }
        }
    }
    // Data that stops without its end marker is whole only when every line was ended.
    return y >= f.height;
}
