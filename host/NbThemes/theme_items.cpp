// The default theme's items and the color arithmetic every painter shares.
//
// The palette: a calm slate blue for headers and titles (a gradient from
// deep to light steel blue), white and cool grays for backgrounds, near
// black for text and a warm amber for what is selected.
#include <algorithm>
#include <array>

#include "NbThemes/theme_internal.h"
#include "win/syscolors.h"

namespace nbthemes {
namespace {

constexpr COLORREF kInk = RGB(33, 37, 41);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSteel = RGB(58, 110, 170);
constexpr COLORREF kSteelLight = RGB(118, 163, 214);
constexpr COLORREF kSteelEdge = RGB(160, 192, 230);
constexpr COLORREF kSteelShadow = RGB(36, 72, 120);
constexpr COLORREF kAmber = RGB(240, 180, 70);
constexpr COLORREF kAmberLight = RGB(250, 214, 140);
constexpr COLORREF kAmberShadow = RGB(190, 130, 30);
constexpr COLORREF kMist = RGB(226, 231, 238);
constexpr COLORREF kShadowGray = RGB(150, 160, 175);

constexpr ThemeItem Solid(int number, COLORREF back, COLORREF light, COLORREF shadow, COLORREF fore,
                          COLORREF text) {
  return ThemeItem{number, NB_THEME_KIND_SOLID, back, back, NB_THEME_GRADIENT_NONE, text, {back, light, shadow, fore}};
}

constexpr ThemeItem Gradient(int number, COLORREF from, COLORREF to, COLORREF light, COLORREF shadow,
                             COLORREF fore, COLORREF text) {
  return ThemeItem{number, NB_THEME_KIND_GRADIENT, from, to, NB_THEME_GRADIENT_HORIZONTAL, text,
                   {from, light, shadow, fore}};
}

constexpr std::array kItems = {
    Solid(13, kWhite, kWhite, RGB(160, 168, 180), kInk, kInk),
    ThemeItem{19, NB_THEME_KIND_BEVEL, RGB(214, 222, 232), RGB(214, 222, 232), NB_THEME_GRADIENT_NONE, kInk,
              {RGB(214, 222, 232), kWhite, RGB(128, 140, 158), kInk}},
    Solid(21, RGB(214, 222, 232), kWhite, RGB(128, 140, 158), kInk, kInk),
    Solid(23, kWhite, kWhite, RGB(160, 168, 180), kInk, kInk),
    Solid(27, kSteel, kSteelLight, kSteelShadow, kWhite, kWhite),
    Solid(34, kMist, kWhite, RGB(170, 178, 190), RGB(90, 98, 110), RGB(90, 98, 110)),
    Gradient(35, kSteel, kSteelLight, kSteelEdge, kSteelShadow, kWhite, kWhite),
    Solid(36, kWhite, kWhite, RGB(200, 208, 219), kInk, kInk),
    Solid(38, kAmber, kAmberLight, kAmberShadow, kInk, kInk),
    Solid(39, kInk, kWhite, kInk, kInk, kInk),
    Solid(41, RGB(214, 222, 232), kWhite, kShadowGray, kInk, kInk),
    Solid(42, kWhite, kWhite, RGB(200, 208, 219), kInk, kInk),
    Solid(43, RGB(244, 246, 249), kWhite, RGB(200, 208, 219), RGB(150, 156, 165), RGB(150, 156, 165)),
    Gradient(44, kSteel, kSteelLight, kSteelEdge, kSteelShadow, kWhite, kWhite),
    Solid(45, kMist, kWhite, RGB(170, 178, 190), RGB(74, 85, 104), RGB(74, 85, 104)),
    Solid(46, RGB(200, 208, 219), kWhite, kShadowGray, RGB(200, 208, 219), RGB(200, 208, 219)),
    Solid(47, kWhite, kWhite, RGB(200, 208, 219), RGB(200, 60, 40), RGB(200, 60, 40)),
    Solid(49, kAmber, kAmberLight, kAmberShadow, kInk, kInk),
    Solid(68, RGB(236, 239, 243), kWhite, RGB(200, 208, 219), RGB(120, 130, 140), RGB(120, 130, 140)),
};

// Sixteen colors that tell categories apart at a glance, bright ones first.
constexpr std::array<COLORREF, 16> kSlotColors = {
    RGB(220, 68, 55),   RGB(244, 140, 40),  RGB(246, 196, 58),  RGB(130, 190, 70),
    RGB(40, 160, 120),  RGB(45, 170, 200),  RGB(60, 120, 210),  RGB(95, 85, 200),
    RGB(150, 85, 190),  RGB(215, 90, 160),  RGB(150, 110, 75),  RGB(120, 130, 140),
    RGB(240, 160, 150), RGB(170, 215, 140), RGB(150, 200, 235), RGB(200, 180, 230),
};

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

}  // namespace

const ThemeItem* FindItem(int number) {
  for (const ThemeItem& item : kItems)
    if (item.number == number) return &item;
  return nullptr;
}

}  // namespace nbthemes

using nbthemes::Channel;
using nbthemes::FindItem;

int NbThemeGetItemInfo(int nItem, NBTHEMEITEMINFO* pInfo) {
  const nbthemes::ThemeItem* item = FindItem(nItem);
  if (!item || !pInfo) return 1;
  pInfo->nKind = item->kind;
  pInfo->crColor1 = item->color1;
  pInfo->crColor2 = item->color2;
  pInfo->nGradientMode = item->gradientMode;
  pInfo->crText = item->text;
  return 0;
}

int NbThemeGetItemColors(int nItem, COLORREF* pcr1, COLORREF* pcr2, COLORREF* pcr3, COLORREF* pcr4) {
  const nbthemes::ThemeItem* item = FindItem(nItem);
  COLORREF colors[4];
  if (item) {
    std::copy(std::begin(item->colors), std::end(item->colors), colors);
  } else {
    colors[0] = GetSysColor(COLOR_BTNFACE);
    colors[1] = GetSysColor(COLOR_BTNHILIGHT);
    colors[2] = GetSysColor(COLOR_BTNSHADOW);
    colors[3] = GetSysColor(COLOR_WINDOWTEXT);
  }
  COLORREF* out[4] = {pcr1, pcr2, pcr3, pcr4};
  for (int i = 0; i < 4; ++i)
    if (out[i]) *out[i] = colors[i];
  return item ? 0 : 1;
}

COLORREF NbThemeBlendColor(COLORREF crFrom, COLORREF crTo, int nSteps, int nStep) {
  if (nSteps <= 0) return crFrom;
  long long steps = nSteps, step = std::clamp(nStep, 0, nSteps);
  COLORREF out = 0;
  for (int shift : {0, 8, 16}) {
    // A weighted mean rounded half up, so that blending from a to b and from
    // b to a meet the same colors.
    long long v = (Channel(crFrom, shift) * (steps - step) + Channel(crTo, shift) * step + steps / 2) / steps;
    out |= static_cast<COLORREF>(v) << shift;
  }
  return out;
}

COLORREF NbThemeShadeColor(COLORREF cr, int nAmount) {
  COLORREF out = 0;
  for (int shift : {0, 8, 16}) {
    long v = std::clamp<long>(static_cast<long>(Channel(cr, shift)) + nAmount, 0, 255);
    out |= static_cast<COLORREF>(v) << shift;
  }
  return out;
}

COLORREF NbThemeGetSlotColor(int nSlot) {
  if (nSlot < 1 || nSlot > 16) return CLR_INVALID;
  return nbthemes::kSlotColors[static_cast<size_t>(nSlot - 1)];
}
