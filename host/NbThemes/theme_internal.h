// What the theme's files share.
#pragma once

#include "NbThemes/nbthemes.h"

namespace nbthemes {

struct ThemeItem {
  int number;
  int kind;
  COLORREF color1;  // background, or the gradient's start
  COLORREF color2;  // the gradient's end (color1 for a plain background)
  int gradientMode;
  COLORREF text;
  COLORREF colors[4];  // background, light edge, shadow edge, foreground
};

// The default theme's item, or null.
const ThemeItem* FindItem(int number);

}  // namespace nbthemes
