#include "assets/resource_files.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>

#include "raster/safe_file.h"

namespace assets {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
void Put32(Bytes& b, uint32_t v) { Put16(b, v & 0xFFFF), Put16(b, v >> 16); }

struct Colour8 {
    uint8_t r, g, b;
};

Colour8 ToBytes(RGB c)
{
    auto byte = [](float v) { return uint8_t(std::clamp(v, 0.f, 1.f) * 255.f + 0.5f); };
    return {byte(c.r), byte(c.g), byte(c.b)};
}

// Median cut: split the box with the widest channel range at its median until there are 256.
std::vector<Colour8> MakePalette(const std::vector<Colour8>& pixels)
{
    struct Box {
        size_t begin, end;
    };
    std::vector<Colour8> px = pixels;
    std::vector<Box> boxes{{0, px.size()}};
    auto widest = [&](const Box& b, int& channel) {
        int best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            uint8_t lo = 255, hi = 0;
            for (size_t i = b.begin; i < b.end; ++i) {
                const uint8_t v = ch == 0 ? px[i].r : ch == 1 ? px[i].g : px[i].b;
                lo = std::min(lo, v), hi = std::max(hi, v);
            }
            if (hi - lo > best)
                best = hi - lo, channel = ch;
        }
        return best;
    };
    while (boxes.size() < 256) {
        size_t pick = boxes.size();
        int pickRange = 0, pickChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int ch = 0;
            const int range = boxes[i].end - boxes[i].begin > 1 ? widest(boxes[i], ch) : 0;
            if (range > pickRange)
                pick = i, pickRange = range, pickChannel = ch;
        }
        if (pick == boxes.size())
            break;  // every box holds one colour
        Box& b = boxes[pick];
        const size_t mid = b.begin + (b.end - b.begin) / 2;
        std::nth_element(px.begin() + b.begin, px.begin() + mid, px.begin() + b.end,
                         [ch = pickChannel](const Colour8& x, const Colour8& y) {
                             return ch == 0 ? x.r < y.r : ch == 1 ? x.g < y.g : x.b < y.b;
                         });
        const Box upper{mid, b.end};
        b.end = mid;
        boxes.push_back(upper);
    }
    std::vector<Colour8> palette;
    for (const Box& b : boxes) {
        uint64_t r = 0, g = 0, bl = 0;
        for (size_t i = b.begin; i < b.end; ++i)
            r += px[i].r, g += px[i].g, bl += px[i].b;
        const uint64_t n = std::max<uint64_t>(1, b.end - b.begin);
        palette.push_back({uint8_t(r / n), uint8_t(g / n), uint8_t(bl / n)});
    }
    return palette;
}

int Nearest(const std::vector<Colour8>& palette, float r, float g, float b)
{
    int best = 0;
    float bestDistance = 1e30f;
    for (size_t i = 0; i < palette.size(); ++i) {
        const float dr = palette[i].r - r, dg = palette[i].g - g, db = palette[i].b - b;
        const float d = dr * dr * 0.3f + dg * dg * 0.59f + db * db * 0.11f;
        if (d < bestDistance)
            bestDistance = d, best = int(i);
    }
    return best;
}

bool WriteFile(const std::string& path, const Bytes& bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    SafeFile out;
    if (!out.Open(path.c_str()))
        return false;
    out.Write(bytes.data(), bytes.size());
    return out.Commit();
}

}  // namespace

bool SaveIndexedBmp(const Canvas& canvas, const std::string& path)
{
    const int w = canvas.width(), h = canvas.height();
    if (w <= 0 || h <= 0)
        return false;
    std::vector<Colour8> pixels;
    pixels.reserve(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(ToBytes(canvas.Get(x, y)));
    std::vector<Colour8> palette = MakePalette(pixels);
    palette.resize(256, Colour8{0, 0, 0});

    // Floyd-Steinberg error diffusion, top to bottom, into rows kept top-down until written.
    const uint32_t stride = (uint32_t(w) + 3) & ~3u;
    std::vector<uint8_t> index(size_t(stride) * h, 0);
    std::vector<std::array<float, 3>> error(size_t(w + 2) * 2, {0, 0, 0});
    for (int y = 0; y < h; ++y) {
        std::array<float, 3>* cur = &error[size_t(y % 2) * (w + 2) + 1];
        std::array<float, 3>* next = &error[size_t((y + 1) % 2) * (w + 2) + 1];
        std::fill(next - 1, next + w + 1, std::array<float, 3>{0, 0, 0});
        for (int x = 0; x < w; ++x) {
            const Colour8 p = pixels[size_t(y) * w + x];
            const float r = std::clamp(p.r + cur[x][0], 0.f, 255.f), g = std::clamp(p.g + cur[x][1], 0.f, 255.f),
                        b = std::clamp(p.b + cur[x][2], 0.f, 255.f);
            const int i = Nearest(palette, r, g, b);
            index[size_t(y) * stride + x] = uint8_t(i);
            const float e[3] = {r - palette[i].r, g - palette[i].g, b - palette[i].b};
            for (int ch = 0; ch < 3; ++ch) {
                cur[x + 1][ch] += e[ch] * 7 / 16;
                next[x - 1][ch] += e[ch] * 3 / 16;
                next[x][ch] += e[ch] * 5 / 16;
                next[x + 1][ch] += e[ch] * 1 / 16;
            }
        }
    }

    const uint32_t imageSize = stride * uint32_t(h);
    const uint32_t offset = 14 + 40 + 256 * 4;
    Bytes file;
    file.reserve(offset + imageSize);
    file.push_back('B'), file.push_back('M');
    Put32(file, offset + imageSize);
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, 40);
    Put32(file, uint32_t(w));
    Put32(file, uint32_t(h));
    Put16(file, 1);
    Put16(file, 8);
    Put32(file, 0);  // BI_RGB
    Put32(file, imageSize);
    Put32(file, 2835), Put32(file, 2835);
    Put32(file, 256), Put32(file, 0);
    for (const Colour8& c : palette)
        file.push_back(c.b), file.push_back(c.g), file.push_back(c.r), file.push_back(0);
    for (int y = h - 1; y >= 0; --y)
        file.insert(file.end(), index.begin() + ptrdiff_t(size_t(y) * stride),
                    index.begin() + ptrdiff_t(size_t(y + 1) * stride));
    return WriteFile(path, file);
}

bool SaveIcon(const std::vector<IconImage>& images, const std::string& path)
{
    std::vector<Bytes> dibs;
    for (const IconImage& im : images) {
        const int w = im.canvas->width(), h = im.canvas->height();
        if (w <= 0 || h <= 0 || w > 256 || h > 256 || im.coverage->size() != size_t(w) * h)
            return false;
        Bytes d;
        const uint32_t maskStride = ((uint32_t(w) + 31) / 32) * 4;
        Put32(d, 40);
        Put32(d, uint32_t(w));
        Put32(d, uint32_t(h) * 2);  // colour rows and mask rows
        Put16(d, 1);
        Put16(d, 32);
        Put32(d, 0);
        Put32(d, uint32_t(w) * h * 4 + maskStride * h);
        Put32(d, 0), Put32(d, 0), Put32(d, 0), Put32(d, 0);
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) {
                const Colour8 c = ToBytes(im.canvas->Get(x, y));
                const float a = std::clamp((*im.coverage)[size_t(y) * w + x], 0.f, 1.f);
                d.push_back(c.b), d.push_back(c.g), d.push_back(c.r), d.push_back(uint8_t(a * 255.f + 0.5f));
            }
        // The AND mask, for systems that ignore alpha: a pixel is see-through below half coverage.
        for (int y = h - 1; y >= 0; --y) {
            Bytes row(maskStride, 0);
            for (int x = 0; x < w; ++x)
                if ((*im.coverage)[size_t(y) * w + x] < 0.5f)
                    row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            d.insert(d.end(), row.begin(), row.end());
        }
        dibs.push_back(std::move(d));
    }
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, uint16_t(dibs.size()));
    uint32_t offset = 6 + 16 * uint32_t(dibs.size());
    for (size_t i = 0; i < dibs.size(); ++i) {
        const int w = images[i].canvas->width(), h = images[i].canvas->height();
        file.push_back(uint8_t(w & 0xFF)), file.push_back(uint8_t(h & 0xFF));  // 256 is stored as 0
        file.push_back(0), file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, uint32_t(dibs[i].size()));
        Put32(file, offset);
        offset += uint32_t(dibs[i].size());
    }
    for (const Bytes& d : dibs)
        file.insert(file.end(), d.begin(), d.end());
    return WriteFile(path, file);
}

}  // namespace assets
