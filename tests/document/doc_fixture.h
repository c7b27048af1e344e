// Shared helpers of the document tests: a clean hook table and open-documents list per test, and
// small pictures with known pixels.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "document/document.h"
#include "document/document_hooks.h"
#include "document/layer_list.h"

class DocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDocumentHooks();
        SetDefaultEffectParams();
        SetNewDocumentDefaults(600, 400, 0, "Untitled");
    }
    void TearDown() override
    {
        while (FirstOpenDocument())
            CloseDocument(FirstOpenDocument()->doc);
        ResetDocumentHooks();
    }

    // A blank document of w × h (opaque white background).
    static Document* Blank(int32_t w, int32_t h)
    {
        SetNewDocumentDefaults(w, h, 0, "Untitled");
        return CreateDocument(nullptr);
    }
};

// Pixel (x, y) of a 32-bit picture as 0xAARRGGBB.
inline uint32_t Argb(const Bitmap* b, int32_t x, int32_t y)
{
    const uint8_t* p = PicPixel(b, x, y);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
// Pixel (x, y) of a 24-bit picture as 0x00RRGGBB.
inline uint32_t Rgb(const Bitmap* b, int32_t x, int32_t y)
{
    const uint8_t* p = PicPixel(b, x, y);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
}
inline void SetArgb(Bitmap* b, int32_t x, int32_t y, uint32_t v)
{
    uint8_t* p = PicPixel(b, x, y);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline void FillArgb(Bitmap* b, int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t v)
{
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x)
            SetArgb(b, x, y, v);
}

// A layer with a w × h bitmap at (x, y) filled with one pixel value.
inline Layer* SolidLayer(const char* name, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t argb)
{
    Layer* l = NewLayer(name);
    l->pixels = NewRGBAPic(w, h);
    FillArgb(l->pixels, 0, 0, w, h, argb);
    l->props.x = static_cast<int16_t>(x);
    l->props.y = static_cast<int16_t>(y);
    return l;
}
