// The decoders and encoders behind CxImage. A decoder fills an empty Raster
// or returns the reason it refused the picture; an encoder returns a buffer
// from malloc (released with free) or null with the reason.
#pragma once

#include <cstddef>
#include <cstdint>

#include "CxImage/raster.h"

namespace cximage {

// Decoders: null on success, else a short reason ("truncated data", ...).
// On failure `out` is left empty.
const char* DecodeBmp(const uint8_t* data, size_t size, Raster& out);
const char* DecodeJpeg(const uint8_t* data, size_t size, Raster& out);
const char* DecodePng(const uint8_t* data, size_t size, Raster& out);

struct Encoded {
  uint8_t* data = nullptr;  // from malloc
  size_t size = 0;
  const char* error = nullptr;
};
Encoded EncodeBmp(const Raster& image);
Encoded EncodeJpeg(const Raster& image, int quality);
Encoded EncodePng(const Raster& image);

// The orientation (1 to 8, 1 when none or unreadable) that a JPEG's APP1
// segment (starting "Exif\0\0") gives its picture, and the raster turned to
// show upright by it.
int ExifOrientation(const uint8_t* app1, size_t size);
void ApplyOrientation(Raster& r, int orientation);

// True for a palette image whose palette colors are all greys.
bool IsGreyPalette(const Raster& image);

}  // namespace cximage
