// Flips and rotations of whole pictures.
//
// Each returns a new bitmap of the source's depth that the caller owns (DeletePic) and leaves the
// source as it was, so a failure (null for a null or damaged source, or when memory runs out)
// changes nothing.  The caller replaces its picture with the result.
#pragma once
#include "raster/bitmap.h"

// Mirror images: left to right, and top to bottom.
Bitmap* DIBFlipHorz(const Bitmap* bitmap);
Bitmap* DIBFlipVert(const Bitmap* bitmap);
// A quarter turn clockwise (the result is height × width; pixel (x, y) goes to (height - 1 - y, x)),
// and a half turn.
Bitmap* DIBRotate90(const Bitmap* bitmap);
Bitmap* DIBRotate180(const Bitmap* bitmap);
// A turn by angle radians; positive angles turn clockwise on screen (the +x axis towards +y, as y
// grows downwards), so a picture whose top edge should point along the unit vector (ux, uy) is turned
// by atan2(uy, ux).  The result is the bounding box of the turned picture with the two centres
// matched; pixels outside the picture are zero (transparent in 32 bits).  Quarter turns are exact.
// DIBRotate interpolates linearly (weighted by alpha); DIBRapidRotate takes the nearest pixel, for
// previews.
Bitmap* DIBRotate(const Bitmap* bitmap, double angle);
Bitmap* DIBRapidRotate(const Bitmap* bitmap, double angle);
