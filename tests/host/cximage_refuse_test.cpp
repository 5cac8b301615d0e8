// Untrusted pictures: every malformed BMP, JPEG and PNG below is refused with
// its reason, silently, and without allocating anything the size of the
// picture it claims.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "CxImage/cximage.h"
#include "host/bmp_builder.h"

// The largest single allocation while a probe is on, to see that a refused
// picture never got as far as allocating its pixels.
namespace {
std::atomic<bool> g_probe{false};
std::atomic<size_t> g_largest{0};
}  // namespace

// Every plain and nothrow form of new and delete is replaced, as malloc and
// free, so that allocations from anywhere in the program pair up.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
void* Allocate(size_t n) noexcept {
  if (g_probe.load(std::memory_order_relaxed)) {
    size_t seen = g_largest.load();
    while (n > seen && !g_largest.compare_exchange_weak(seen, n)) {
    }
  }
  return std::malloc(n ? n : 1);
}
void* AllocateOrThrow(size_t n) {
  if (void* p = Allocate(n)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(size_t n) { return AllocateOrThrow(n); }
void* operator new[](size_t n) { return AllocateOrThrow(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

struct Outcome {
  bool valid;
  std::string why;
  size_t largest;
  std::string printed;
};

Outcome Decode(const std::vector<uint8_t>& bytes, DWORD format) {
  testing::internal::CaptureStderr();
  g_largest = 0;
  g_probe = true;
  CxImage image(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), format);
  g_probe = false;
  return Outcome{image.IsValid(), image.GetLastError(), g_largest.load(), testing::internal::GetCapturedStderr()};
}

void ExpectRefused(const std::vector<uint8_t>& bytes, DWORD format, const std::string& why, const char* what) {
  Outcome o = Decode(bytes, format);
  EXPECT_FALSE(o.valid) << what;
  EXPECT_EQ(o.why, why) << what;
  EXPECT_LT(o.largest, 64u * 1024) << what << ": allocated before refusing";
  EXPECT_EQ(o.printed, "") << what;
}

bmptest::BmpLayout Indexed8(int width, int height) {
  bmptest::BmpLayout s;
  s.width = width, s.height = height, s.bpp = 8;
  s.palette = bmptest::Palette(4);
  s.colorsUsed = 4;
  s.bits = bmptest::Rows(width, height, 8, false, [](int x, int y) { return static_cast<uint32_t>((x + y) % 4); });
  return s;
}

TEST(RefuseBmp, SizesThatOverflowOrExceedTheCap) {
  struct Case {
    int32_t width, height;
    const char* what;
  } cases[] = {
      {65536, 65536, "2^32 pixels, zero in 32-bit arithmetic"},
      {0x7FFFFFFF, 0x7FFFFFFF, "the largest header values"},
      {8001, 8000, "one row over 64 megapixels"},
      {1, 1 << 27, "a column of 2^27 pixels"},
      {0, 5, "no width"},
      {-4, 5, "negative width"},
      {4, INT32_MIN, "a height that cannot be negated in 32 bits"},
  };
  for (const Case& c : cases) {
    bmptest::BmpLayout s = Indexed8(4, 1);
    s.width = c.width, s.height = c.height;
    ExpectRefused(bmptest::Build(s), CXIMAGE_FORMAT_BMP, "picture too large or empty", c.what);
  }
}

TEST(RefuseBmp, PaletteIndexesAndPaletteSize) {
  bmptest::BmpLayout s = Indexed8(4, 2);
  s.bits[5] = 4;  // one past the four colors used
  ExpectRefused(bmptest::Build(s), CXIMAGE_FORMAT_BMP, "palette index out of range", "index past the palette");

  bmptest::BmpLayout over = Indexed8(4, 2);
  over.colorsUsed = 300;
  ExpectRefused(bmptest::Build(over), CXIMAGE_FORMAT_BMP, "palette larger than the depth allows", "300 colors in 8 bits");

  // A palette that claims 256 entries in a file that holds four: reading
  // it would run past the end.
  bmptest::BmpLayout overRead = Indexed8(2, 1);
  overRead.colorsUsed = 0;
  overRead.bits.clear();
  overRead.pixelOffset = 60;
  ExpectRefused(bmptest::Build(overRead), CXIMAGE_FORMAT_BMP, "truncated data", "palette over-read");

  bmptest::BmpLayout rle;
  rle.width = 4, rle.height = 1, rle.bpp = 8, rle.compression = BI_RLE8, rle.palette = bmptest::Palette(2);
  rle.colorsUsed = 2;
  rle.bits = {2, 5, 0, 1};
  ExpectRefused(bmptest::Build(rle), CXIMAGE_FORMAT_BMP, "palette index out of range", "RLE index past the palette");
}

TEST(RefuseBmp, RleRunsPastTheRowOrThePicture) {
  struct Case {
    uint32_t compression;
    std::vector<uint8_t> bits;
    const char* why;
  } cases[] = {
      {BI_RLE8, {5, 1, 0, 1}, "RLE run past the row"},                  // 5 into 4
      {BI_RLE8, {2, 1, 0, 3, 1, 1, 1, 0, 0, 1}, "RLE run past the row"},  // literal of 3 after 2
      {BI_RLE8, {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}, "RLE run past the picture"},  // a fourth row of three
      {BI_RLE8, {0, 2, 5, 0, 0, 1}, "RLE move past the picture"},
      {BI_RLE8, {0, 2, 0, 4, 0, 1}, "RLE move past the picture"},
      {BI_RLE8, {4, 1, 0, 0, 4, 1}, "truncated data"},                  // no end of picture
      {BI_RLE8, {0, 4, 1, 1}, "truncated data"},                        // literal cut short
      {BI_RLE4, {6, 0x11, 0, 1}, "RLE run past the row"},
      {BI_RLE4, {0, 5, 0x11, 0x10, 0, 1}, "RLE run past the row"},
  };
  for (const Case& c : cases) {
    bmptest::BmpLayout s;
    s.width = 4, s.height = 3, s.compression = c.compression;
    s.bpp = c.compression == BI_RLE8 ? 8 : 4;
    s.palette = bmptest::Palette(2);
    s.colorsUsed = 2;
    s.bits = c.bits;
    ExpectRefused(bmptest::Build(s), CXIMAGE_FORMAT_BMP, c.why, c.why);
  }
  // A stream that goes wrong late in a large picture is still refused before
  // the picture is allocated.
  bmptest::BmpLayout large;
  large.width = 4000, large.height = 4000, large.bpp = 8, large.compression = BI_RLE8;
  large.palette = bmptest::Palette(2), large.colorsUsed = 2;
  for (int row = 0; row < 20; ++row) {
    for (int i = 0; i < 20; ++i) large.bits.insert(large.bits.end(), {200, 1});
    large.bits.insert(large.bits.end(), {0, 0});
  }
  for (int i = 0; i < 16; ++i) large.bits.insert(large.bits.end(), {255, 1});  // 4080 pixels
  large.bits.insert(large.bits.end(), {0, 1});
  ExpectRefused(bmptest::Build(large), CXIMAGE_FORMAT_BMP, "RLE run past the row", "large RLE picture");
}

TEST(RefuseBmp, BitFieldMasks) {
  struct Case {
    std::vector<uint32_t> masks;
    const char* why;
  } cases[] = {
      {{0, 0x07E0, 0x001F}, "zero bit-field mask"},
      {{0xF800, 0x0FE0, 0x001F}, "overlapping bit-field masks"},
      {{0xF800, 0x07E0, 0x001F, 0x0100}, "overlapping bit-field masks"},
      {{0xF801, 0x07E0, 0x001E}, "bit-field mask not contiguous"},
      {{0x1F0000, 0x07E0, 0x001F}, "bit-field mask outside the pixel"},
  };
  for (const Case& c : cases) {
    bmptest::BmpLayout s;
    s.width = 2, s.height = 2, s.bpp = 16, s.compression = BI_BITFIELDS, s.masks = c.masks;
    s.headerSize = c.masks.size() == 4 ? 56 : 40;
    s.bits = bmptest::Rows(2, 2, 16, false, [](int, int) { return 0x1234u; });
    ExpectRefused(bmptest::Build(s), CXIMAGE_FORMAT_BMP, c.why, c.why);
  }
}

TEST(RefuseBmp, OffsetsHeadersAndTruncation) {
  bmptest::BmpLayout past = Indexed8(4, 2);
  past.pixelOffset = 5000;
  past.bits.clear();
  std::vector<uint8_t> bytes = bmptest::Build(past);
  bytes.resize(100);
  ExpectRefused(bytes, CXIMAGE_FORMAT_BMP, "pixel offset past the end", "offset past the end");

  bmptest::BmpLayout inside = Indexed8(4, 2);
  inside.pixelOffset = 20;
  ExpectRefused(bmptest::Build(inside), CXIMAGE_FORMAT_BMP, "pixel data overlaps the headers", "offset in the header");

  bytes = bmptest::Build(Indexed8(4, 3));
  bytes.pop_back();
  ExpectRefused(bytes, CXIMAGE_FORMAT_BMP, "truncated data", "one byte short");

  // 8000 x 8000 declared, a few rows present: refused before allocating.
  bmptest::BmpLayout large = Indexed8(8000, 2);
  large.height = 8000;
  ExpectRefused(bmptest::Build(large), CXIMAGE_FORMAT_BMP, "truncated data", "large truncated picture");

  bmptest::BmpLayout header = Indexed8(4, 2);
  header.headerSize = 64;
  ExpectRefused(bmptest::Build(header), CXIMAGE_FORMAT_BMP, "unsupported header", "header of 64 bytes");
  bmptest::BmpLayout planes = Indexed8(4, 2);
  planes.planes = 2;
  ExpectRefused(bmptest::Build(planes), CXIMAGE_FORMAT_BMP, "bad plane count", "two planes");
  bmptest::BmpLayout depth = Indexed8(4, 2);
  depth.bpp = 2;
  ExpectRefused(bmptest::Build(depth), CXIMAGE_FORMAT_BMP, "unsupported depth", "two bits");
  bmptest::BmpLayout mismatch = Indexed8(4, 2);
  mismatch.compression = BI_RLE4;
  ExpectRefused(bmptest::Build(mismatch), CXIMAGE_FORMAT_BMP, "compression does not match the depth", "RLE4 at 8 bits");
  bmptest::BmpLayout topDownRle = Indexed8(4, 2);
  topDownRle.height = -2, topDownRle.compression = BI_RLE8, topDownRle.bits = {0, 1};
  ExpectRefused(bmptest::Build(topDownRle), CXIMAGE_FORMAT_BMP, "compressed rows cannot run top-down", "top-down RLE");
  ExpectRefused({'B', 'M', 0, 0}, CXIMAGE_FORMAT_BMP, "not a BMP file", "four bytes");
}

std::vector<uint8_t> Encoded(DWORD format, int width, int height) {
  CxImage image;
  image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 9), BYTE(y * 5), BYTE(x ^ y), 255});
  BYTE* buffer = nullptr;
  long size = 0;
  EXPECT_TRUE(image.Encode(buffer, size, format));
  std::vector<uint8_t> bytes(buffer, buffer + size);
  CxImage::FreeMemory(buffer);
  return bytes;
}

void PutBigEndian16(std::vector<uint8_t>& d, size_t at, uint32_t v) {
  d[at] = static_cast<uint8_t>(v >> 8), d[at + 1] = static_cast<uint8_t>(v);
}

TEST(RefuseJpeg, OversizeTruncatedAndGarbage) {
  std::vector<uint8_t> good = Encoded(CXIMAGE_FORMAT_JPG, 40, 30);
  size_t sof = 2;
  while (sof + 9 < good.size() && !(good[sof] == 0xFF && good[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, good.size());
  for (auto [width, height] : {std::pair{65000, 65000}, std::pair{8001, 8000}}) {
    std::vector<uint8_t> huge = good;
    PutBigEndian16(huge, sof + 5, static_cast<uint32_t>(height));
    PutBigEndian16(huge, sof + 7, static_cast<uint32_t>(width));
    ExpectRefused(huge, CXIMAGE_FORMAT_JPG, "picture too large or empty",
                  (std::to_string(width) + " x " + std::to_string(height) + " JPEG").c_str());
  }

  // A header for 8000 x 8000 pixels over the data of 40 x 30: too few bytes
  // for the blocks, refused before the picture is allocated.
  std::vector<uint8_t> claims = good;
  PutBigEndian16(claims, sof + 5, 8000);
  PutBigEndian16(claims, sof + 7, 8000);
  ExpectRefused(claims, CXIMAGE_FORMAT_JPG, "truncated data", "8000 x 8000 JPEG of 40 x 30 data");

  std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
  Outcome o = Decode(cut, CXIMAGE_FORMAT_JPG);
  EXPECT_FALSE(o.valid);
  EXPECT_EQ(o.why, "truncated data");
  EXPECT_EQ(o.printed, "");

  ExpectRefused({0xFF, 0xD8, 0xFF, 0xC0, 0, 3, 1, 2, 3}, CXIMAGE_FORMAT_JPG, "truncated data", "a cut frame header");
  ExpectRefused({0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0}, CXIMAGE_FORMAT_JPG,
                "not a valid JPEG picture", "a frame of 0 x 0 pixels");
  ExpectRefused({1, 2, 3}, CXIMAGE_FORMAT_JPG, "not a valid JPEG picture", "not a JPEG");
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

TEST(RefusePng, OversizeTruncatedAndBadChecksum) {
  std::vector<uint8_t> good = Encoded(CXIMAGE_FORMAT_PNG, 40, 30);
  // IHDR: length at 8, type at 12, width at 16, height at 20, CRC at 29.
  for (auto [width, height] : {std::pair{32769u, 32769u}, std::pair{8001u, 8000u}}) {
    std::vector<uint8_t> huge = good;
    for (auto [at, v] : {std::pair{16, width}, std::pair{20, height}})
      for (int i = 0; i < 4; ++i) huge[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    uint32_t crc = Crc32(huge.data() + 12, 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    ExpectRefused(huge, CXIMAGE_FORMAT_PNG, "picture too large or empty",
                  (std::to_string(width) + " x " + std::to_string(height) + " PNG").c_str());
  }

  std::vector<uint8_t> claims = good;
  for (size_t at : {16, 20}) claims[at] = 0, claims[at + 1] = 0, claims[at + 2] = 0x1F, claims[at + 3] = 0x40;  // 8000
  uint32_t claimsCrc = Crc32(claims.data() + 12, 17);
  for (int i = 0; i < 4; ++i) claims[29 + i] = static_cast<uint8_t>(claimsCrc >> (24 - 8 * i));
  ExpectRefused(claims, CXIMAGE_FORMAT_PNG, "truncated data", "8000 x 8000 PNG of 40 x 30 data");

  std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() - 30);
  Outcome o = Decode(cut, CXIMAGE_FORMAT_PNG);
  EXPECT_FALSE(o.valid);
  EXPECT_EQ(o.printed, "");

  std::vector<uint8_t> badCrc = good;
  badCrc[17] ^= 1;
  ExpectRefused(badCrc, CXIMAGE_FORMAT_PNG, "not a valid PNG picture", "IHDR checksum");
}

// The least bytes a picture can take are well below what real encoders
// write: large pictures of one color, as compact as they come, still decode.
TEST(RefuseAny, LargePicturesOfOneColorAreNotTakenForTruncated) {
  for (auto [format, bpp] : {std::pair{CXIMAGE_FORMAT_PNG, 1}, std::pair{CXIMAGE_FORMAT_PNG, 24},
                             std::pair{CXIMAGE_FORMAT_JPG, 8}, std::pair{CXIMAGE_FORMAT_JPG, 24}}) {
    CxImage plain;
    ASSERT_TRUE(plain.Create(2000, 1500, static_cast<WORD>(bpp)));
    BYTE* buffer = nullptr;
    long size = 0;
    ASSERT_TRUE(plain.Encode(buffer, size, format));
    CxImage back(buffer, static_cast<DWORD>(size), format);
    CxImage::FreeMemory(buffer);
    EXPECT_TRUE(back.IsValid()) << format << ", " << bpp << " bits, " << size << " bytes: " << back.GetLastError();
    EXPECT_EQ(back.GetWidth(), 2000u);
  }
}

TEST(RefuseAny, UnknownFormatsAndEmptyBuffers) {
  ExpectRefused({'G', 'I', 'F', '8'}, CXIMAGE_FORMAT_UNKNOWN, "unknown format", "undetectable");
  ExpectRefused({'B', 'M'}, 7, "unknown format", "format code 7");
  CxImage empty(nullptr, 0, CXIMAGE_FORMAT_BMP);
  EXPECT_FALSE(empty.IsValid());
}

}  // namespace
