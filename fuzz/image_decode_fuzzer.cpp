// Any bytes through one of CxImage's decoders (IMAGE_FORMAT is set per
// target: 1 BMP, 2 JPEG, 3 PNG). A picture that decodes is also scaled and
// written back, so every decoded raster is walked by the other code too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <vector>

#include "CxImage/cximage.h"

#if IMAGE_FORMAT == 3
#include <zlib.h>

// Mutations almost never keep a chunk's checksum right, and the decoder
// stops at the first wrong one; putting every checksum right lets the
// fuzzer reach what the chunks say.
static std::vector<uint8_t> WithChunkChecksums(const uint8_t* data, size_t size) {
  std::vector<uint8_t> d(data, data + size);
  size_t at = 8;
  while (at + 12 <= d.size()) {
    size_t length = static_cast<size_t>(d[at]) << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
    if (length > d.size() - at - 12) break;
    uLong crc = crc32(0, d.data() + at + 4, static_cast<uInt>(length + 4));
    for (int i = 0; i < 4; ++i) d[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += length + 12;
  }
  return d;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#if IMAGE_FORMAT == 1
  // A few RLE bytes may declare a picture of 64 megapixels, which the reader
  // rightly allocates; skipping those keeps thousands of runs a second on the
  // code that parses, while the unit tests cover the size limit itself.
  if (size >= 26) {
    bool core = data[14] == 12;
    int64_t w = core ? data[18] | data[19] << 8 : static_cast<int32_t>(data[18] | data[19] << 8 | data[20] << 16 | uint32_t(data[21]) << 24);
    int64_t h = core ? data[20] | data[21] << 8 : (size >= 26 ? static_cast<int32_t>(data[22] | data[23] << 8 | data[24] << 16 | uint32_t(data[25]) << 24) : 0);
    if (w < 0) w = -w;
    if (h < 0) h = -h;
    if (w * h > (int64_t{1} << 16)) return 0;
  }
#endif
#if IMAGE_FORMAT == 2
  // Likewise for the frame header's size. The decoder skips stray bytes
  // between segments, so every place that looks like a frame header counts.
  for (size_t at = 0; at + 9 <= size; ++at) {
    uint8_t m = data[at + 1];
    if (data[at] == 0xFF && m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
      int64_t h = data[at + 5] << 8 | data[at + 6], w = data[at + 7] << 8 | data[at + 8];
      if (w * h > (int64_t{1} << 16)) return 0;
    }
  }
#endif
#if IMAGE_FORMAT == 3
  std::vector<uint8_t> fixed = WithChunkChecksums(data, size);
  data = fixed.data();
#endif
  CxImage image(const_cast<BYTE*>(data), static_cast<DWORD>(size), IMAGE_FORMAT);
  if (!image.IsValid()) return 0;
  if (image.GetWidth() * image.GetHeight() > (1u << 16)) return 0;  // keep runs fast
  CxImage small;
  if (!image.Resample(7, 5, CXIMAGE_RESAMPLE_SMOOTH, &small) || small.GetWidth() != 7) abort();
  BYTE* buffer = nullptr;
  long length = 0;
  if (!image.Encode(buffer, length, CXIMAGE_FORMAT_BMP)) abort();
  CxImage again(buffer, static_cast<DWORD>(length), CXIMAGE_FORMAT_BMP);
  CxImage::FreeMemory(buffer);
  // Our own writer's output must read back as the same picture.
  if (!again.IsValid() || again.GetWidth() != image.GetWidth() || again.GetHeight() != image.GetHeight()) abort();
  return 0;
}
