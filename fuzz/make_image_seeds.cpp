// Writes the image decoders' seed pictures into <dir>/bmp, <dir>/jpeg and
// <dir>/png: every BMP layout the reader knows, and small JPEG and PNG
// pictures of each depth, all made here.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CxImage/cximage.h"
#include "host/bmp_builder.h"

namespace {

void Save(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

CxImage Sample(int bpp) {
  CxImage image;
  image.Create(9, 7, static_cast<WORD>(bpp));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      image.SetPixelColor(x, y, RGBQUAD{BYTE(x * 28), BYTE(y * 36), BYTE((x + y) * 16), BYTE(x * 30 + 10)});
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::filesystem::path dir = argv[1];
  for (const char* sub : {"bmp", "jpeg", "png"}) std::filesystem::create_directories(dir / sub);
  int n = 0;
  auto pattern = [](int x, int y) { return static_cast<uint32_t>(x * 3 + y); };
  for (int bpp : {1, 4, 8, 16, 24, 32})
    for (bool topDown : {false, true}) {
      bmptest::BmpLayout s;
      s.width = 5, s.height = topDown ? -3 : 3, s.bpp = static_cast<uint16_t>(bpp);
      if (bpp <= 8) s.palette = bmptest::Palette(1 << bpp);
      s.bits = bmptest::Rows(5, 3, bpp, topDown, [&](int x, int y) { return pattern(x, y) % (bpp <= 8 ? 1u << bpp : 0xFFFFFFu); });
      Save(dir / "bmp" / ("seed" + std::to_string(n++)), bmptest::Build(s));
    }
  bmptest::BmpLayout fields;  // 5-6-5 bit fields
  fields.width = 4, fields.height = 2, fields.bpp = 16, fields.compression = BI_BITFIELDS;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.bits = bmptest::Rows(4, 2, 16, false, [](int x, int y) { return static_cast<uint32_t>(x * 4000 + y * 999); });
  Save(dir / "bmp" / ("seed" + std::to_string(n++)), bmptest::Build(fields));
  bmptest::BmpLayout rle8;  // a run, a literal run, a move, end of line and of picture
  rle8.width = 8, rle8.height = 3, rle8.bpp = 8, rle8.compression = BI_RLE8, rle8.palette = bmptest::Palette(4);
  rle8.colorsUsed = 4;
  rle8.bits = {3, 1, 0, 3, 2, 3, 1, 0, 0, 2, 1, 1, 1, 0, 0, 0, 0, 1};
  Save(dir / "bmp" / ("seed" + std::to_string(n++)), bmptest::Build(rle8));
  bmptest::BmpLayout rle4 = rle8;
  rle4.bpp = 4, rle4.compression = BI_RLE4;
  rle4.bits = {5, 0x12, 0, 3, 0x31, 0x20, 0, 0, 8, 0x33, 0, 1};
  Save(dir / "bmp" / ("seed" + std::to_string(n++)), bmptest::Build(rle4));
  for (int bpp : {1, 4, 8, 24, 32}) {
    CxImage image = Sample(bpp);
    for (auto [format, sub] : {std::pair{CXIMAGE_FORMAT_PNG, "png"}, std::pair{CXIMAGE_FORMAT_JPG, "jpeg"}}) {
      BYTE* buffer = nullptr;
      long size = 0;
      if (!image.Encode(buffer, size, format)) continue;  // JPEG takes no color palette
      std::vector<uint8_t> bytes(buffer, buffer + size);
      CxImage::FreeMemory(buffer);
      Save(dir / sub / ("seed" + std::to_string(bpp)), bytes);
      if (format == CXIMAGE_FORMAT_JPG && bpp == 24) {
        // The same with an EXIF block that turns the picture (orientation 6).
        static const uint8_t kApp1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
                                        0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 6, 0, 0, 0, 0, 0, 0};
        bytes.insert(bytes.begin() + 2, std::begin(kApp1), std::end(kApp1));
        Save(dir / sub / "seed_exif", bytes);
      }
    }
  }
  return 0;
}
