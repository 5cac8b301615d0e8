// The theme's fonts and pattern bitmap. They are made on first use and kept
// for the life of the process: callers hold the pointers for as long as they
// like and never delete them, so the objects are never destroyed either
// (not even at exit, when the GDI they belong to may already be gone).
#include <cstring>

#include "NbThemes/theme_internal.h"

namespace {

constexpr const char* kFace = "DejaVu Sans";
constexpr int kNormalHeight = -12;  // pixels, by character height
constexpr int kSmallHeight = -10;

CFont* MakeFont(int height, int weight) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::strncpy(lf.lfFaceName, kFace, LF_FACESIZE - 1);
  auto* font = new CFont;
  font->CreateFontIndirect(&lf);
  return font;
}

}  // namespace

CFont* NbThemeGetFont(int) {
  static CFont* font = MakeFont(kNormalHeight, FW_NORMAL);
  return font;
}

CFont* NbThemeGetBoldFont() {
  static CFont* font = MakeFont(kNormalHeight, FW_BOLD);
  return font;
}

CFont* NbThemeGetSmallFont() {
  static CFont* font = MakeFont(kSmallHeight, FW_NORMAL);
  return font;
}

CFont* NbThemeGetSmallBoldFont() {
  static CFont* font = MakeFont(kSmallHeight, FW_BOLD);
  return font;
}

CBitmap* NbThemeGetPatternBitmap() {
  static CBitmap* pattern = [] {
    // Rows of a monochrome bitmap are padded to 16 bits.
    static const WORD kCheckerboard[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    auto* bitmap = new CBitmap;
    bitmap->CreateBitmap(8, 8, 1, 1, kCheckerboard);
    return bitmap;
  }();
  return pattern;
}
