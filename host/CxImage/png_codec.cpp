// PNG through libpng's simplified interface, which keeps the library's own
// setjmp inside the library and reports failures by return value and a
// stored message: nothing jumps through our frames, nothing is printed.
#include <png.h>

#include <cstdlib>
#include <vector>

#include "CxImage/codecs_internal.h"

namespace cximage {
namespace {

int DepthForEntries(png_uint_32 entries) { return entries <= 2 ? 1 : entries <= 16 ? 4 : 8; }

// Palette pictures (without transparency) keep their palette and indexes.
const char* ReadColormapped(png_image& img, Raster& out) {
  std::vector<uint8_t> colormap(PNG_IMAGE_COLORMAP_SIZE(img));
  if (!Allocate(out, static_cast<int>(img.width), static_cast<int>(img.height), 8)) return "out of memory";
  if (!png_image_finish_read(&img, nullptr, out.indexes.data(), 0, colormap.data())) return "not a valid PNG picture";
  png_uint_32 entries = img.colormap_entries;
  for (uint8_t i : out.indexes)
    if (i >= entries) return "palette index out of range";
  out.bpp = DepthForEntries(entries);
  out.palette.resize(size_t{1} << out.bpp);
  for (png_uint_32 i = 0; i < entries && i < out.palette.size(); ++i)
    out.palette[i] = RGBQUAD{colormap[3 * i], colormap[3 * i + 1], colormap[3 * i + 2], 0};
  return nullptr;
}

}  // namespace

const char* DecodePng(const uint8_t* data, size_t size, Raster& out) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, data, size)) return "not a valid PNG picture";
  if (!SizeAllowed(img.width, img.height)) {
    png_image_free(&img);
    return "picture too large or empty";
  }
  // Deflate packs at most 1032 bytes into one, and every row holds a filter
  // byte and at least a bit a pixel: a file smaller than that share of its
  // rows is cut short, and is refused before the picture is allocated.
  uint64_t rows = uint64_t{img.height} * (1 + (uint64_t{img.width} + 7) / 8);
  if (uint64_t{size} * 1032 < rows) {
    png_image_free(&img);
    return "truncated data";
  }
  // Sixteen-bit samples are sRGB like eight-bit ones, not linear light.
  img.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  bool alpha = img.format & PNG_FORMAT_FLAG_ALPHA;
  const char* why = nullptr;
  if ((img.format & PNG_FORMAT_FLAG_COLORMAP) && !alpha) {
    img.format = PNG_FORMAT_BGR_COLORMAP;
    why = ReadColormapped(img, out);
  } else if (!(img.format & PNG_FORMAT_FLAG_COLOR) && !alpha) {
    img.format = PNG_FORMAT_GRAY;
    if (!Allocate(out, static_cast<int>(img.width), static_cast<int>(img.height), 8)) why = "out of memory";
    else if (!png_image_finish_read(&img, nullptr, out.indexes.data(), 0, nullptr)) why = "not a valid PNG picture";
    else
      for (int i = 0; i < 256; ++i) out.palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  } else {
    img.format = PNG_FORMAT_BGRA;
    if (!Allocate(out, static_cast<int>(img.width), static_cast<int>(img.height), alpha ? 32 : 24))
      why = "out of memory";
    else if (!png_image_finish_read(&img, nullptr, out.argb.data(), 0, nullptr))
      why = "not a valid PNG picture";
  }
  png_image_free(&img);
  if (why) out = Raster{};
  return why;
}

Encoded EncodePng(const Raster& image) {
  Encoded result;
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  img.width = static_cast<png_uint_32>(image.width);
  img.height = static_cast<png_uint_32>(image.height);
  std::vector<uint8_t> colormap, rgb;
  const void* pixels = image.argb.data();
  if (image.Indexed()) {
    img.format = PNG_FORMAT_BGR_COLORMAP;
    img.colormap_entries = static_cast<png_uint_32>(image.palette.size());
    for (const RGBQUAD& q : image.palette) colormap.insert(colormap.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed});
    pixels = image.indexes.data();
  } else if (image.bpp == 24) {
    // The simplified writer takes three bytes a pixel for opaque color.
    img.format = PNG_FORMAT_BGR;
    rgb.resize(image.argb.size() * 3);
    for (size_t i = 0; i < image.argb.size(); ++i) {
      uint32_t v = image.argb[i];
      rgb[3 * i] = static_cast<uint8_t>(v), rgb[3 * i + 1] = static_cast<uint8_t>(v >> 8);
      rgb[3 * i + 2] = static_cast<uint8_t>(v >> 16);
    }
    pixels = rgb.data();
  } else {
    img.format = PNG_FORMAT_BGRA;
  }
  png_alloc_size_t bound = PNG_IMAGE_PNG_SIZE_MAX(img);
  void* memory = std::malloc(bound);
  if (!memory) {
    result.error = "out of memory";
    return result;
  }
  png_alloc_size_t size = bound;
  if (!png_image_write_to_memory(&img, memory, &size, 0, pixels, 0, colormap.empty() ? nullptr : colormap.data())) {
    std::free(memory);
    png_image_free(&img);
    result.error = "PNG encoding failed";
    return result;
  }
  png_image_free(&img);
  void* shrunk = std::realloc(memory, size);
  result.data = static_cast<uint8_t*>(shrunk ? shrunk : memory);
  result.size = size;
  return result;
}

}  // namespace cximage
