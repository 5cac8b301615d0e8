// The system colors and their brushes.
#include <array>

#include "gdi/objects.h"
#include "win/syscolors.h"

namespace nbp::gdi {
namespace {

constexpr int kCount = 31;

// The Windows 2000 classic scheme.
constexpr std::array<COLORREF, kCount> kClassic = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25 (unnamed)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

std::array<COLORREF, kCount>& colors() {
  static std::array<COLORREF, kCount> c = kClassic;
  return c;
}

std::array<Brush*, kCount>& brushes() {
  static std::array<Brush*, kCount> b{};
  return b;
}

}  // namespace

Brush* SysColorBrush(int index) {
  if (index < 0 || index >= kCount) return nullptr;
  Brush*& b = brushes()[index];
  if (!b) {
    auto brush = std::make_unique<Brush>();
    brush->style = BS_SOLID;
    brush->color = colors()[index];
    brush->sysColor = index;
    brush->stock = true;
    b = MakeObject(std::move(brush));
  }
  return b;
}

void SetSysColorForTest(int index, COLORREF color) {
  if (index < 0 || index >= kCount) return;
  colors()[index] = color & 0xFFFFFF;
  if (Brush* b = brushes()[index]) b->color = colors()[index];
}

void ResetSysColorsForTest() {
  for (int i = 0; i < kCount; ++i) SetSysColorForTest(i, kClassic[i]);
}

}  // namespace nbp::gdi

DWORD GetSysColor(int index) {
  if (index < 0 || index >= nbp::gdi::kCount) return 0;
  return nbp::gdi::colors()[index];
}

HBRUSH GetSysColorBrush(int index) {
  nbp::gdi::Brush* b = nbp::gdi::SysColorBrush(index);
  return b ? static_cast<HBRUSH>(b->handle) : nullptr;
}
