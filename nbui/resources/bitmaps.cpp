// The catalogue's pictures, drawn here rather than shipped as files: small
// icons as character art (one character per pixel, one string per row, top
// row first), the default picture and the cursors by a few shapes.
#include <cmath>
#include <cstring>
#include <map>
#include <string_view>

#include "resources/catalogue.h"
#include "resources/resource_ids.h"
#include "win/resources.h"
#include "win/user_constants.h"

namespace nbui::resources {
namespace {

constexpr COLORREF Rgb(int r, int g, int b) {
  return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}

constexpr COLORREF kTransparentRed = Rgb(255, 0, 0);

void PutWord(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutDword(std::vector<uint8_t>& out, uint32_t v) {
  PutWord(out, v & 0xFFFF);
  PutWord(out, v >> 16);
}

// A palette bitmap of 1, 4 or 8 bits per pixel, written bottom-up as a
// BITMAPINFOHEADER, its full color table and the rows.
class IndexedBitmap {
 public:
  IndexedBitmap(int width, int height, int bitsPerPixel, std::vector<COLORREF> palette)
      : width_(width), height_(height), bpp_(bitsPerPixel), palette_(std::move(palette)),
        pixels_(static_cast<size_t>(width) * height, 0) {
    palette_.resize(size_t{1} << bpp_, 0);
  }

  int width() const { return width_; }
  int height() const { return height_; }

  void Set(int x, int y, int index) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = static_cast<uint8_t>(index);
  }
  int Get(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  void Fill(int x0, int y0, int x1, int y1, int index) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, index);
  }

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    size_t stride = ((static_cast<size_t>(width_) * bpp_ + 31) / 32) * 4;
    PutDword(out, 40);
    PutDword(out, static_cast<uint32_t>(width_));
    PutDword(out, static_cast<uint32_t>(height_));
    PutWord(out, 1);
    PutWord(out, static_cast<uint32_t>(bpp_));
    PutDword(out, BI_RGB_VALUE);
    PutDword(out, static_cast<uint32_t>(stride * height_));
    PutDword(out, 3780);  // 96 dpi
    PutDword(out, 3780);
    PutDword(out, static_cast<uint32_t>(palette_.size()));
    PutDword(out, 0);
    for (COLORREF c : palette_) {
      out.push_back(static_cast<uint8_t>(c >> 16));  // blue
      out.push_back(static_cast<uint8_t>(c >> 8));   // green
      out.push_back(static_cast<uint8_t>(c));        // red
      out.push_back(0);
    }
    for (int y = height_ - 1; y >= 0; --y) {
      std::vector<uint8_t> row(stride, 0);
      for (int x = 0; x < width_; ++x) {
        int v = Get(x, y);
        size_t bit = static_cast<size_t>(x) * bpp_;
        int shift = 8 - bpp_ - static_cast<int>(bit % 8);
        row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (v << shift));
      }
      out.insert(out.end(), row.begin(), row.end());
    }
    return out;
  }

 private:
  static constexpr uint32_t BI_RGB_VALUE = 0;
  int width_, height_, bpp_;
  std::vector<COLORREF> palette_;
  std::vector<uint8_t> pixels_;
};

// Character art: each character names a palette index through `key`. A
// character missing from the key, or a row of the wrong length, leaves
// index 0 (the transparent red of every icon) so that a typo shows as a hole
// in the picture instead of reading out of bounds.
IndexedBitmap FromArt(int bpp, std::vector<COLORREF> palette, const std::map<char, int>& key,
                      std::initializer_list<std::string_view> rows) {
  int height = static_cast<int>(rows.size());
  int width = static_cast<int>(rows.begin()->size());
  IndexedBitmap bmp(width, height, bpp, std::move(palette));
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
      auto it = key.find(row[static_cast<size_t>(x)]);
      bmp.Set(x, y, it == key.end() ? 0 : it->second);
    }
    ++y;
  }
  return bmp;
}

}  // namespace

std::vector<uint8_t> NoteBitmap() {
  // A note pad with a turned-down corner and ruled lines.
  return FromArt(4,
                 {kTransparentRed, Rgb(0, 0, 0), Rgb(255, 250, 205), Rgb(214, 184, 92), Rgb(96, 125, 170)},
                 {{'.', 0}, {'#', 1}, {'y', 2}, {'o', 3}, {'-', 4}},
                 {
                     "................",
                     "..#########.....",
                     "..#yyyyyyy##....",
                     "..#yyyyyyy#o#...",
                     "..#y-----y#oo#..",
                     "..#yyyyyyy####..",
                     "..#y--------y#..",
                     "..#yyyyyyyyyy#..",
                     "..#y--------y#..",
                     "..#yyyyyyyyyy#..",
                     "..#y--------y#..",
                     "..#yyyyyyyyyy#..",
                     "..#y-----yyyy#..",
                     "..#yyyyyyyyyy#..",
                     "..############..",
                     "................",
                 })
      .Bytes();
}

std::vector<uint8_t> PadlockBitmap() {
  // A steel shackle over a brass body with a keyhole.
  return FromArt(4,
                 {kTransparentRed, Rgb(0, 0, 0), Rgb(168, 172, 180), Rgb(236, 196, 76), Rgb(184, 138, 32),
                  Rgb(255, 236, 160)},
                 {{'.', 0}, {'#', 1}, {'s', 2}, {'b', 3}, {'d', 4}, {'h', 5}},
                 {
                     "..............",
                     ".....####.....",
                     "....#ssss#....",
                     "...#s####s#...",
                     "...#s#..#s#...",
                     "...#s#..#s#...",
                     "...#s#..#s#...",
                     ".############.",
                     ".#hhhhhhhhhh#.",
                     ".#bbbb##bbbb#.",
                     ".#bbbb##bbbb#.",
                     ".#bbbbb#bbbb#.",
                     ".#dddddddddd#.",
                     ".############.",
                     "..............",
                 })
      .Bytes();
}

std::vector<uint8_t> CheckMarkBitmap() {
  std::vector<COLORREF> palette = {kTransparentRed, Rgb(0, 0, 0)};
  return FromArt(8, palette, {{'.', 0}, {'#', 1}},
                 {
                     "........",
                     ".......#",
                     "......##",
                     "#....###",
                     "##..###.",
                     "######..",
                     ".####...",
                     "..##....",
                 })
      .Bytes();
}

std::vector<uint8_t> DefaultPictureBitmap() {
  // A framed portrait placeholder: a head and shoulders in a soft blue-gray
  // on a background that lightens towards the top.
  constexpr int kSize = 53;
  constexpr int kShades = 32;  // background ramp: indexes 0 .. kShades - 1
  constexpr int kFrame = kShades, kFigure = kShades + 1, kFigureEdge = kShades + 2;
  std::vector<COLORREF> palette;
  for (int i = 0; i < kShades; ++i) {
    int t = i * 255 / (kShades - 1);
    palette.push_back(Rgb(236 - t * 36 / 255, 241 - t * 33 / 255, 247 - t * 27 / 255));
  }
  palette.push_back(Rgb(112, 124, 140));  // frame
  palette.push_back(Rgb(150, 166, 188));  // figure
  palette.push_back(Rgb(124, 140, 164));  // figure outline
  IndexedBitmap bmp(kSize, kSize, 8, palette);

  auto inHead = [](int x, int y) {
    double dx = x - 26.0, dy = y - 20.0;
    return dx * dx + dy * dy <= 10.5 * 10.5;
  };
  auto inShoulders = [](int x, int y) {
    double dx = (x - 26.0) / 21.0, dy = (y - 53.0) / 19.0;
    return dx * dx + dy * dy <= 1.0;
  };
  auto inNeck = [](int x, int y) { return x >= 22 && x <= 30 && y >= 28 && y <= 36; };
  auto inFigure = [&](int x, int y) { return inHead(x, y) || inNeck(x, y) || inShoulders(x, y); };

  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      int index = y * (kShades - 1) / (kSize - 1);
      if (inFigure(x, y)) {
        bool edge = !inFigure(x - 1, y) || !inFigure(x + 1, y) || !inFigure(x, y - 1) || !inFigure(x, y + 1);
        index = edge ? kFigureEdge : kFigure;
      }
      bmp.Set(x, y, index);
    }
  }
  for (int i = 0; i < kSize; ++i) {
    bmp.Set(i, 0, kFrame);
    bmp.Set(i, kSize - 1, kFrame);
    bmp.Set(0, i, kFrame);
    bmp.Set(kSize - 1, i, kFrame);
  }
  return bmp.Bytes();
}

namespace {

// A 32 x 32 cursor from the set of its black pixels: every pixel next to a
// black one gets a white outline so the cursor shows on any background;
// everything else is transparent (AND 1, XOR 0).
template <typename IsBlack>
std::vector<uint8_t> MonochromeCursor(int hotX, int hotY, IsBlack isBlack) {
  constexpr int kSize = 32;
  auto black = [&](int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize && isBlack(x, y); };
  std::vector<uint8_t> xorMask(kSize * 4, 0), andMask(kSize * 4, 0xFF);
  for (int y = 0; y < kSize; ++y) {
    int row = kSize - 1 - y;  // bottom-up
    for (int x = 0; x < kSize; ++x) {
      bool b = black(x, y);
      bool outline = !b && (black(x - 1, y) || black(x + 1, y) || black(x, y - 1) || black(x, y + 1) ||
                            black(x - 1, y - 1) || black(x + 1, y + 1) || black(x - 1, y + 1) || black(x + 1, y - 1));
      uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      size_t at = static_cast<size_t>(row) * 4 + x / 8;
      if (b || outline) andMask[at] = static_cast<uint8_t>(andMask[at] & ~bit);
      if (outline) xorMask[at] = static_cast<uint8_t>(xorMask[at] | bit);
    }
  }
  std::vector<uint8_t> out;
  PutWord(out, static_cast<uint32_t>(hotX));
  PutWord(out, static_cast<uint32_t>(hotY));
  PutDword(out, 40);
  PutDword(out, kSize);
  PutDword(out, kSize * 2);  // both masks
  PutWord(out, 1);
  PutWord(out, 1);
  PutDword(out, 0);
  PutDword(out, static_cast<uint32_t>(xorMask.size() + andMask.size()));
  PutDword(out, 0);
  PutDword(out, 0);
  PutDword(out, 2);
  PutDword(out, 0);
  PutDword(out, 0x00000000);  // black
  PutDword(out, 0x00FFFFFF);  // white
  out.insert(out.end(), xorMask.begin(), xorMask.end());
  out.insert(out.end(), andMask.begin(), andMask.end());
  return out;
}

// Two bars with an arrow pointing away from each, centred on (16, 16);
// `across` is the coordinate along the arrows, `along` the one along the bars.
bool ResizeShape(int across, int along) {
  int a = across - 16, b = along - 16;
  if ((a == -1 || a == 1) && b >= -7 && b <= 7) return true;           // the two bars
  if (b == 0 && ((a >= -9 && a <= -3) || (a >= 3 && a <= 9))) return true;  // shafts
  int fromTip = a < 0 ? a + 10 : 10 - a;                                // arrow heads
  return fromTip >= 0 && fromTip <= 4 && (b >= -fromTip && b <= fromTip) && (a <= -6 || a >= 6);
}

}  // namespace

std::vector<uint8_t> ColumnResizeCursor() {
  return MonochromeCursor(16, 16, [](int x, int y) { return ResizeShape(x, y); });
}

std::vector<uint8_t> RowResizeCursor() {
  return MonochromeCursor(16, 16, [](int x, int y) { return ResizeShape(y, x); });
}

void AddBitmaps(HINSTANCE module) {
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(IDB_NB_NOTE), NoteBitmap());
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(IDB_NB_PRIVATE), PadlockBitmap());
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(IDB_NB_CHECK), CheckMarkBitmap());
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(IDB_NB_DEFAULT_IMAGE), DefaultPictureBitmap());
}

void AddCursors(HINSTANCE module) {
  nbp::res::AddData(module, RT_CURSOR, MAKEINTRESOURCE(IDC_NB_RESIZE_COLUMN), ColumnResizeCursor());
  nbp::res::AddData(module, RT_CURSOR, MAKEINTRESOURCE(IDC_NB_RESIZE_ROW), RowResizeCursor());
}

}  // namespace nbui::resources
