// The raster block library in one include: bitmaps, block operations, blend modes, masks,
// stretches, transforms, lines and pixels; BMP files and channel planes.
#pragma once
#include "raster/alpha_mask.h"
#include "raster/bitmap.h"
#include "raster/blend_modes.h"
#include "raster/bmp_file.h"
#include "raster/block_ops.h"
#include "raster/channel.h"
#include "raster/pic_copy.h"
#include "raster/lines.h"
#include "raster/pic_rect.h"
#include "raster/stretch.h"
#include "raster/transform.h"
