// Cameras and phones store a picture as the sensor saw it and say in its EXIF
// block how to turn it; a portrait photo shown without that lies on its side.
#include <algorithm>
#include <utility>
#include <vector>

#include "CxImage/codecs_internal.h"

namespace cximage {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;

struct TiffReader {
  const uint8_t* data;
  size_t size;
  bool little;

  bool Has(size_t at, size_t n) const { return at <= size && n <= size - at; }
  uint16_t U16(size_t at) const {
    return little ? static_cast<uint16_t>(data[at] | data[at + 1] << 8)
                  : static_cast<uint16_t>(data[at] << 8 | data[at + 1]);
  }
  uint32_t U32(size_t at) const {
    uint32_t a = U16(at), b = U16(at + 2);
    return little ? (b << 16 | a) : (a << 16 | b);
  }
};

// The position of pixel (x, y) of the upright picture in the stored one.
std::pair<int, int> Source(int orientation, int x, int y, int storedWidth, int storedHeight) {
  int w = storedWidth - 1, h = storedHeight - 1;
  switch (orientation) {
    case 2: return {w - x, y};      // mirrored
    case 3: return {w - x, h - y};  // upside down
    case 4: return {x, h - y};      // mirrored upside down
    case 5: return {y, x};          // mirrored, turned left
    case 6: return {y, h - x};      // turned left: shown turned right
    case 7: return {w - y, h - x};  // mirrored, turned right
    case 8: return {w - y, x};      // turned right: shown turned left
    default: return {x, y};
  }
}

template <typename T>
std::vector<T> Reordered(const std::vector<T>& stored, int orientation, int storedWidth, int storedHeight, int width,
                         int height) {
  std::vector<T> out(stored.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      auto [sx, sy] = Source(orientation, x, y, storedWidth, storedHeight);
      out[static_cast<size_t>(y) * static_cast<size_t>(width) + x] =
          stored[static_cast<size_t>(sy) * static_cast<size_t>(storedWidth) + sx];
    }
  }
  return out;
}

}  // namespace

int ExifOrientation(const uint8_t* app1, size_t size) {
  static const uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (size < 6 + 8 || !std::equal(kExif, kExif + 6, app1)) return 1;
  TiffReader tiff{app1 + 6, size - 6, app1[6] == 'I'};
  if (!(app1[6] == app1[7] && (app1[6] == 'I' || app1[6] == 'M')) || tiff.U16(2) != 42) return 1;
  size_t ifd = tiff.U32(4);
  if (!tiff.Has(ifd, 2)) return 1;
  size_t count = tiff.U16(ifd);
  for (size_t i = 0; i < count; ++i) {
    size_t entry = ifd + 2 + i * 12;
    if (!tiff.Has(entry, 12)) return 1;
    if (tiff.U16(entry) != kOrientationTag) continue;
    if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) != 1) return 1;
    int value = tiff.U16(entry + 8);
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

void ApplyOrientation(Raster& r, int orientation) {
  if (orientation < 2 || orientation > 8 || r.Empty()) return;
  bool swaps = orientation >= 5;
  int width = swaps ? r.height : r.width, height = swaps ? r.width : r.height;
  if (r.Indexed()) r.indexes = Reordered(r.indexes, orientation, r.width, r.height, width, height);
  else r.argb = Reordered(r.argb, orientation, r.width, r.height, width, height);
  r.width = width;
  r.height = height;
}

}  // namespace cximage
