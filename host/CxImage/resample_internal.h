// The smooth scaler shared by Resample and Draw.
#pragma once

#include <cstdint>

#include "CxImage/raster.h"

namespace cximage {

// Writes the pixels of `region` (destination coordinates, inside 0..dstW x
// 0..dstH) of `src` scaled to dstW x dstH into `out`, region width x height
// 0xAARRGGBB values, rows from the top. The alpha stays only for 32 bits.
void ResampleSmooth(const Raster& src, int dstW, int dstH, const RECT& region, uint32_t* out);

}  // namespace cximage
