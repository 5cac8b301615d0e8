// Popup menu geometry: item rectangles from the items and the text metrics,
// and the menu window's place on the screen. No window or DC is involved, so
// painting and the tracking code share one answer.
#include <algorithm>

#include "user/menus/menu.h"

namespace nbp::user {

void SplitLabel(const std::string& text, std::string* label, std::string* accel) {
  size_t tab = text.find('\t');
  *label = text.substr(0, tab);
  *accel = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

namespace {

int ItemHeight(const MenuItem& item, const MenuMetrics& m) {
  if (item.IsSeparator()) return kSeparatorHeight;
  if (item.IsOwnerDraw()) return std::max<int>(0, item.ownerSize.cy);
  return m.itemHeight;
}

}  // namespace

MenuLayout LayOutMenu(const std::vector<MenuItem>& items, const MenuMetrics& m) {
  MenuLayout out;
  out.items.resize(items.size());
  out.accelLeft.resize(items.size());
  int x = kMenuFrame;
  int tallest = 0;
  size_t begin = 0;
  while (begin < items.size()) {
    size_t end = begin + 1;
    while (end < items.size() && !(items[end].type & (MF_MENUBREAK | MF_MENUBARBREAK))) ++end;
    if (begin > 0 && (items[begin].type & MF_MENUBARBREAK)) {
      out.barLines.push_back(x + kColumnBarWidth / 2 - 1);
      x += kColumnBarWidth;
    }

    // The column is as wide as its widest item: labels line up after the
    // check column, accelerators in a column of their own.
    int labelMax = 0, accelMax = 0, ownerMax = 0;
    for (size_t i = begin; i < end; ++i) {
      const MenuItem& item = items[i];
      if (item.IsSeparator()) continue;
      if (item.IsOwnerDraw()) {
        // Room for a check mark is added to what the owner asked for.
        ownerMax = std::max(ownerMax, item.ownerSize.cx + m.checkWidth - 1);
        continue;
      }
      std::string label, accel;
      SplitLabel(item.text, &label, &accel);
      bool bold = (item.state & MF_DEFAULT) != 0;
      if (m.textWidth) {
        labelMax = std::max(labelMax, m.textWidth(label, bold));
        if (!accel.empty()) accelMax = std::max(accelMax, m.textWidth(accel, bold));
      }
    }
    int width = m.checkColumn + labelMax + (accelMax ? kAccelGap + accelMax : 0) + m.arrowColumn;
    width = std::max(width, ownerMax);

    int y = kMenuFrame;
    for (size_t i = begin; i < end; ++i) {
      int h = ItemHeight(items[i], m);
      out.items[i] = RECT{x, y, x + width, y + h};
      out.accelLeft[i] = x + width - m.arrowColumn - accelMax;
      y += h;
    }
    tallest = std::max(tallest, y - kMenuFrame);
    x += width;
    begin = end;
  }
  out.size.cx = x + kMenuFrame;
  out.size.cy = tallest + 2 * kMenuFrame;
  // Even an empty menu is a frame around one empty row.
  if (items.empty()) out.size = SIZE{2 * kMenuFrame + m.checkColumn + m.arrowColumn, 2 * kMenuFrame + m.itemHeight};
  return out;
}

namespace {

// One axis of the placement: `start` where alignment put the menu, `anchor`
// the point asked for, `flipped` where the menu goes on the other side of it.
LONG PlaceAxis(LONG start, LONG extent, LONG flipped, LONG limit) {
  if (start + extent > limit && flipped >= 0 && flipped + extent <= limit) return flipped;
  if (start < 0 && flipped >= 0 && flipped + extent <= limit) return flipped;
  if (start + extent > limit) start = limit - extent;
  return std::max<LONG>(start, 0);
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

RECT PlacePopupMenu(SIZE size, int x, int y, UINT flags, const RECT* exclude, SIZE screen) {
  LONG left = x, top = y;
  if (flags & TPM_RIGHTALIGN) left = x - size.cx;
  else if (flags & TPM_CENTERALIGN) left = x - size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) top = y - size.cy;
  else if (flags & TPM_VCENTERALIGN) top = y - size.cy / 2;

  // A menu that does not fit opens towards the other side of the point.
  LONG flippedX = (flags & TPM_RIGHTALIGN) ? x : x - size.cx;
  LONG flippedY = (flags & TPM_BOTTOMALIGN) ? y : y - size.cy;
  left = PlaceAxis(left, size.cx, flippedX, screen.cx);
  top = PlaceAxis(top, size.cy, flippedY, screen.cy);
  RECT r{left, top, left + size.cx, top + size.cy};

  // The excluded rectangle (the button that opened the menu, say) stays
  // visible: the menu moves beside it, below/above with TPM_VERTICAL,
  // right/left otherwise, on whichever side has room.
  if (exclude && Overlaps(r, *exclude)) {
    if (flags & TPM_VERTICAL) {
      LONG below = exclude->bottom, above = exclude->top - size.cy;
      top = (below + size.cy <= screen.cy || above < 0) ? below : above;
      top = PlaceAxis(top, size.cy, top, screen.cy);
    } else {
      LONG right = exclude->right, leftSide = exclude->left - size.cx;
      left = (right + size.cx <= screen.cx || leftSide < 0) ? right : leftSide;
      left = PlaceAxis(left, size.cx, left, screen.cx);
    }
    r = RECT{left, top, left + size.cx, top + size.cy};
  }
  return r;
}

}  // namespace nbp::user
