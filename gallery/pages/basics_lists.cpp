#include "pages/basics_lists.h"

#include "mfc/dc.h"
#include "win/gdi.h"
#include "win/mbstring.h"
#include "win/syscolors.h"

namespace {

constexpr int kItemHeight = 20;
constexpr int kSwatch = 10;

// The selection's colors or the window's, as the item's state asks.
void FillBackground(CDC& dc, const CRect& rect, UINT state) {
  bool selected = (state & ODS_SELECTED) != 0;
  dc.FillSolidRect(rect, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  dc.SetBkMode(TRANSPARENT);
}

void DrawSwatchAndText(CDC& dc, const CRect& rect, COLORREF color, LPCTSTR text, bool round) {
  CRect swatch(rect.left + 4, rect.CenterPoint().y - kSwatch / 2, rect.left + 4 + kSwatch,
               rect.CenterPoint().y + kSwatch / 2);
  CBrush brush(color);
  CBrush* oldBrush = dc.SelectObject(&brush);
  if (round) dc.Ellipse(swatch);
  else dc.Rectangle(swatch);
  dc.SelectObject(oldBrush);
  CRect label(swatch.right + 6, rect.top, rect.right, rect.bottom);
  dc.DrawText(text, -1, label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Owner-drawn items get ODA_DRAWENTIRE, ODA_SELECT and ODA_FOCUS; each
// repaints the item as its state now is, and frames it with the focus.
template <typename Text>
void DrawEntry(LPDRAWITEMSTRUCT dis, COLORREF color, Text text, bool round) {
  CDC* dc = CDC::FromHandle(dis->hDC);
  CRect rect(dis->rcItem);
  int saved = dc->SaveDC();
  FillBackground(*dc, rect, dis->itemState);
  if (static_cast<int>(dis->itemID) >= 0) DrawSwatchAndText(*dc, rect, color, text(), round);
  dc->RestoreDC(saved);
  if (dis->itemState & ODS_FOCUS) dc->DrawFocusRect(rect);
}

}  // namespace

BOOL CAttendeeList::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  cs.style &= ~LBS_HASSTRINGS;
  return CListBox::PreCreateWindow(cs);
}

void CAttendeeList::MeasureItem(LPMEASUREITEMSTRUCT mis) { mis->itemHeight = kItemHeight; }

int CAttendeeList::CompareItem(LPCOMPAREITEMSTRUCT cis) {
  auto* a = reinterpret_cast<const Attendee*>(cis->itemData1);
  auto* b = reinterpret_cast<const Attendee*>(cis->itemData2);
  int order = lstrcmpi(a->name, b->name);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CAttendeeList::DrawItem(LPDRAWITEMSTRUCT dis) {
  auto* who = reinterpret_cast<const Attendee*>(dis->itemData);
  DrawEntry(dis, who ? who->presence : 0, [&] { return who ? who->name : ""; }, true);
}

BOOL CColorCombo::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
  return CComboBox::PreCreateWindow(cs);
}

void CColorCombo::MeasureItem(LPMEASUREITEMSTRUCT mis) { mis->itemHeight = kItemHeight - 2; }

void CColorCombo::DrawItem(LPDRAWITEMSTRUCT dis) {
  CString name;
  if (static_cast<int>(dis->itemID) >= 0) GetLBText(static_cast<int>(dis->itemID), name);
  DrawEntry(dis, static_cast<COLORREF>(dis->itemData), [&] { return static_cast<LPCTSTR>(name); }, false);
}

int CColorCombo::AddColor(LPCTSTR lpszName, COLORREF color) {
  int index = AddString(lpszName);
  if (index >= 0) SetItemData(index, color);
  return index;
}
