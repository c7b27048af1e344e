// Alpha masks: coverage planes that are laid onto pictures in one colour (layer effects such as
// shadows and glows, text masks).
//
// A mask is one block of 8 + width × height bytes: width (u16), height (u16), the colour (a Colour
// value, u32), all little-endian, then one coverage byte per pixel (0 none, 255 full), top row
// first, rows unpadded.  The block layout is fixed so that a mask can be handed around and copied as
// plain bytes.  Whoever creates a mask owns it and frees it with DeleteAlphaMask.  BlockalphaBlt
// (block_ops.h) draws a mask.
#pragma once
#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"

struct AlphaMask;  // never defined: a mask is only its block of bytes

constexpr size_t kAlphaMaskHeaderBytes = 8;
constexpr int32_t kMaxAlphaMaskSide = 65535;  // the sides are stored as u16

// New mask with all coverage zero; null when a side is not positive, does not fit a u16 or memory
// runs out.
AlphaMask* NewAlphaMask(int32_t width, int32_t height, Colour colour);
void DeleteAlphaMask(AlphaMask* mask);
// Deep copy of a mask (header and coverage); null for a null mask or when memory runs out.
AlphaMask* BackupAlphaBitmap(const AlphaMask* mask);

// Header fields; 0 for a null mask.
int32_t AlphaMaskWidth(const AlphaMask* mask);
int32_t AlphaMaskHeight(const AlphaMask* mask);
Colour AlphaMaskColour(const AlphaMask* mask);
void SetAlphaMaskColour(AlphaMask* mask, Colour colour);
// Bytes in the whole block, header included.
size_t AlphaMaskBytes(const AlphaMask* mask);

// The whole block as bytes, and the coverage row y counted from the top.  y must be inside.
uint8_t* AlphaMaskBlock(AlphaMask* mask);
const uint8_t* AlphaMaskBlock(const AlphaMask* mask);
uint8_t* AlphaMaskRow(AlphaMask* mask, int32_t y);
const uint8_t* AlphaMaskRow(const AlphaMask* mask, int32_t y);
