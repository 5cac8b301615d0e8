// Painting the combo box: a sunken border, the selection field (drawn by
// the owner, with ODS_COMBOBOXEDIT, for owner-drawn combo boxes) and the
// arrow button.
#include <algorithm>
#include <string>

#include "user/controls/combobox/combo.h"
#include "user/window/system_classes.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"

namespace nbp::user::combo {
namespace {

constexpr int kTextMargin = 2;

ULONG_PTR ItemData(const Combo* c, int index) {
  if (index < 0) return 0;
  return static_cast<ULONG_PTR>(SendMessage(c->list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

// The field shows the selection highlighted while the combo box has the
// focus and its list is closed.
bool Highlighted(const Combo* c) { return c->focused && !c->dropped; }

void OwnerDrawField(const Combo* c, HDC dc, const RECT& field, int sel) {
  HWND parent = GetParent(c->hwnd);
  if (!parent) return;
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_COMBOBOX;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(c->hwnd));
  dis.itemID = static_cast<UINT>(sel);
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = ODS_COMBOBOXEDIT | (Highlighted(c) ? ODS_SELECTED | ODS_FOCUS : 0) |
                  (IsWindowEnabled(c->hwnd) ? 0 : ODS_DISABLED);
  dis.hwndItem = c->hwnd;
  dis.hDC = dc;
  dis.rcItem = field;
  dis.itemData = ItemData(c, sel);
  SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void TextField(const Combo* c, HDC dc, const RECT& field, int sel, HBRUSH background) {
  bool highlighted = Highlighted(c);
  FillRect(dc, &field, highlighted ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  if (sel >= 0) {
    auto length = SendMessage(c->list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    std::string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    SendMessage(c->list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    SetBkMode(dc, TRANSPARENT);
    COLORREF color = !IsWindowEnabled(c->hwnd) ? GetSysColor(COLOR_GRAYTEXT)
                     : highlighted             ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                               : GetTextColor(dc);
    SetTextColor(dc, color);
    RECT t{field.left + kTextMargin, field.top, field.right, field.bottom};
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
  }
  if (highlighted) DrawFocusRect(dc, &field);
}

}  // namespace

Parts PartsOf(const Combo* c) {
  Parts p;
  GetClientRect(c->hwnd, &p.client);
  RECT inner = p.client;
  InflateRect(&inner, -2, -2);
  int buttonWidth = std::min(GetSystemMetrics(SM_CXVSCROLL), static_cast<int>(inner.right - inner.left));
  p.button = RECT{inner.right - buttonWidth, inner.top, inner.right, inner.bottom};
  p.field = RECT{inner.left + 1, inner.top + 1, p.button.left - 1, inner.bottom - 1};
  return p;
}

void Paint(Combo* c, HDC dc) {
  Parts p = PartsOf(c);
  HGDIOBJ oldFont = c->font ? SelectObject(dc, c->font) : nullptr;
  HBRUSH background = ParentControlColor(c->hwnd, dc, WM_CTLCOLORLISTBOX);
  RECT edge = p.client;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &edge, background);
  bool enabled = IsWindowEnabled(c->hwnd) != 0;
  DrawFrameControl(dc, &p.button, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | (c->pressed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
  int sel = CurSel(c);
  if (c->OwnerDraw()) OwnerDrawField(c, dc, p.field, sel);
  else TextField(c, dc, p.field, sel, background);
  if (oldFont) SelectObject(dc, oldFont);
}

void RedrawField(Combo* c) { RedrawWindow(c->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

}  // namespace nbp::user::combo
