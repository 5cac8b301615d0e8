// Painting a popup menu window: the classic look (raised frame, menu color,
// check marks and bullets, etched separators, embossed grayed labels), and
// owner-drawn items handed to their owner with WM_DRAWITEM.
#include "user/menus/menu_paint.h"

#include <algorithm>

#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"

namespace nbp::user {
namespace {

// The check mark: seven columns, each a three-pixel stroke starting this far
// down, making a tick seven pixels square.
constexpr int kTickTops[7] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kMarkSize = 7;
// The radio bullet: widths of its six rows.
constexpr int kBulletRows[6] = {2, 4, 6, 6, 4, 2};

void Fill(HDC dc, int left, int top, int right, int bottom, int sysColor) {
  RECT r{left, top, right, bottom};
  FillRect(dc, &r, GetSysColorBrush(sysColor));
}

void DrawCheck(HDC dc, const RECT& cell, bool radio, int color) {
  int x = cell.left + (cell.right - cell.left - kMarkSize) / 2;
  int y = cell.top + (cell.bottom - cell.top - kMarkSize) / 2;
  if (radio) {
    for (int row = 0; row < 6; ++row) {
      int inset = (6 - kBulletRows[row]) / 2;
      Fill(dc, x + inset, y + row, x + inset + kBulletRows[row], y + row + 1, color);
    }
    return;
  }
  for (int col = 0; col < kMarkSize; ++col) Fill(dc, x + col, y + kTickTops[col], x + col + 1, y + kTickTops[col] + 3, color);
}

// A triangle pointing right, four pixels wide and seven tall.
void DrawArrow(HDC dc, const RECT& cell, int color) {
  int x = cell.left + (cell.right - cell.left - 4) / 2;
  int y = cell.top + (cell.bottom - cell.top - 7) / 2;
  for (int col = 0; col < 4; ++col) Fill(dc, x + col, y + col, x + col + 1, y + 7 - col, color);
}

void DrawLabel(HDC dc, const std::string& text, RECT r, UINT format, int color) {
  SetTextColor(dc, GetSysColor(color));
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void PaintTextItem(HDC dc, const MenuFonts& fonts, const MenuItem& item, const RECT& r, int accelLeft,
                   const MenuMetrics& m) {
  bool hilite = (item.state & MF_HILITE) != 0;
  if (hilite) Fill(dc, r.left, r.top, r.right, r.bottom, COLOR_HIGHLIGHT);
  int textColor = hilite ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
  if (item.IsGrayed()) textColor = COLOR_GRAYTEXT;

  HGDIOBJ oldFont = SelectObject(dc, (item.state & MF_DEFAULT) ? fonts.bold : fonts.normal);
  std::string label, accel;
  SplitLabel(item.text, &label, &accel);
  constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  RECT labelRect{r.left + m.checkColumn, r.top, r.right - m.arrowColumn, r.bottom};
  RECT accelRect{accelLeft, r.top, r.right - m.arrowColumn, r.bottom};
  if (item.IsGrayed() && !hilite) {
    // Grayed labels are embossed: a highlight one pixel down and right.
    RECT shadow = labelRect, accelShadow = accelRect;
    OffsetRect(&shadow, 1, 1);
    OffsetRect(&accelShadow, 1, 1);
    DrawLabel(dc, label, shadow, kFormat, COLOR_3DHILIGHT);
    if (!accel.empty()) DrawLabel(dc, accel, accelShadow, kFormat, COLOR_3DHILIGHT);
  }
  DrawLabel(dc, label, labelRect, kFormat, textColor);
  if (!accel.empty()) DrawLabel(dc, accel, accelRect, kFormat, textColor);
  SelectObject(dc, oldFont);

  if (item.state & MF_CHECKED)
    DrawCheck(dc, RECT{r.left, r.top, r.left + m.checkColumn, r.bottom}, (item.type & kRadioCheck) != 0, textColor);
  if (item.IsPopup()) DrawArrow(dc, RECT{r.right - m.arrowColumn, r.top, r.right, r.bottom}, textColor);
}

void PaintSeparator(HDC dc, const RECT& r) {
  int y = r.top + (r.bottom - r.top) / 2 - 1;
  Fill(dc, r.left + 1, y, r.right - 1, y + 1, COLOR_BTNSHADOW);
  Fill(dc, r.left + 1, y + 1, r.right - 1, y + 2, COLOR_BTNHIGHLIGHT);
}

UINT OwnerDrawState(const MenuItem& item) {
  UINT state = 0;
  if (item.state & MF_CHECKED) state |= ODS_CHECKED;
  // A grayed item cannot be chosen either.
  if (item.state & MF_GRAYED) state |= ODS_GRAYED | ODS_DISABLED;
  if (item.state & MF_DISABLED) state |= ODS_DISABLED;
  if (item.state & MF_HILITE) state |= ODS_SELECTED;
  if (item.state & MF_DEFAULT) state |= ODS_DEFAULT;
  return state;
}

void PaintOwnerDrawn(HDC dc, const MenuFonts& fonts, const MenuItem& item, const RECT& r, HMENU menu,
                     HWND owner) {
  // The owner starts from the colors and font a menu item would use, and
  // whatever it selects or changes is undone afterwards.
  int saved = SaveDC(dc);
  bool hilite = (item.state & MF_HILITE) != 0;
  SelectObject(dc, fonts.normal);
  SetTextColor(dc, GetSysColor(hilite ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  SetBkColor(dc, GetSysColor(hilite ? COLOR_HIGHLIGHT : COLOR_MENU));
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = item.id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = OwnerDrawState(item);
  dis.hwndItem = reinterpret_cast<HWND>(menu);  // for menus, the menu's handle
  dis.hDC = dc;
  dis.rcItem = r;
  dis.itemData = item.data;
  SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  if (saved) RestoreDC(dc, saved);
}

}  // namespace

MenuFonts CreateMenuFonts() {
  MenuFonts fonts;
  fonts.normal = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONT lf{};
  if (GetObject(fonts.normal, sizeof lf, &lf)) {
    lf.lfWeight = FW_BOLD;
    fonts.bold = CreateFontIndirect(&lf);
    fonts.ownsBold = fonts.bold != nullptr;
  }
  if (!fonts.bold) fonts.bold = fonts.normal;
  return fonts;
}

void DeleteMenuFonts(MenuFonts* fonts) {
  if (fonts->ownsBold) DeleteObject(fonts->bold);
  *fonts = MenuFonts{};
}

MenuMetrics MeasureMenuText(HDC dc, const MenuFonts& fonts) {
  MenuMetrics m;
  HGDIOBJ old = SelectObject(dc, fonts.normal);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  int checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
  int checkHeight = GetSystemMetrics(SM_CYMENUCHECK);
  m.itemHeight = std::max<int>(tm.tmHeight + 4, checkHeight + 4);
  m.checkWidth = checkWidth;
  m.checkColumn = checkWidth + 6;
  m.arrowColumn = checkWidth + 6;
  m.textWidth = [dc, fonts](const std::string& text, bool bold) {
    if (text.empty()) return 0;
    HGDIOBJ previous = SelectObject(dc, bold ? fonts.bold : fonts.normal);
    RECT r{0, 0, 0, 0};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    return static_cast<int>(r.right - r.left);
  };
  return m;
}

void PaintMenu(HDC dc, const MenuFonts& fonts, const std::vector<MenuItem>& items, const MenuLayout& layout,
               const MenuMetrics& metrics, HMENU menu, HWND owner) {
  RECT frame{0, 0, layout.size.cx, layout.size.cy};
  FillRect(dc, &frame, GetSysColorBrush(COLOR_MENU));
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  for (int x : layout.barLines) {
    Fill(dc, x, kMenuFrame, x + 1, layout.size.cy - kMenuFrame, COLOR_BTNSHADOW);
    Fill(dc, x + 1, kMenuFrame, x + 2, layout.size.cy - kMenuFrame, COLOR_BTNHIGHLIGHT);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    const RECT& r = layout.items[i];
    if (item.IsSeparator()) PaintSeparator(dc, r);
    else if (item.IsOwnerDraw()) PaintOwnerDrawn(dc, fonts, item, r, menu, owner);
    else PaintTextItem(dc, fonts, item, r, layout.accelLeft[i], metrics);
  }
}

}  // namespace nbp::user
