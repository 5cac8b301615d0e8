#include "categories/swatch_list_box.h"

#include "NbThemes/nbthemes.h"
#include "categories/category_data.h"
#include "mfc/gdiobj.h"
#include "win/syscolors.h"

namespace {

constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr int kSelectedMode = 1;
constexpr int kNormalMode = 2;

LPCTSTR NameOf(ULONG_PTR data) {
  auto name = reinterpret_cast<LPCTSTR>(data);
  return name ? name : "";
}

}  // namespace

BEGIN_MESSAGE_MAP(CNbSwatchListBox, CListBox)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CNbSwatchListBox::CNbSwatchListBox() = default;

CNbSwatchListBox::~CNbSwatchListBox() = default;

BOOL CNbSwatchListBox::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  return CListBox::PreCreateWindow(cs);
}

int CNbSwatchListBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (Default() == -1) return -1;
  CFont* font = NbThemeGetFont(1);
  if (font) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), TRUE);
  return 0;
}

int CNbSwatchListBox::AddItem(LPCTSTR lpszName, int nSlot) {
  if (!m_hWnd) return LB_ERR;
  LPCTSTR copy = m_names.Keep(lpszName);
  int at = static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy)));
  if (at < 0) {
    m_names.Release(copy);
    return at;
  }
  m_slots[copy] = nSlot;
  return at;
}

int CNbSwatchListBox::DeleteItem(int nPosition) {
  if (LPCTSTR name = GetItemName(nPosition)) m_slots.erase(name);
  return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nPosition), 0));
}

LPCTSTR CNbSwatchListBox::GetItemName(int nPosition) const {
  if (!m_hWnd || nPosition < 0 || nPosition >= GetCount()) return nullptr;
  return NameOf(GetItemData(nPosition));
}

void CNbSwatchListBox::ChangeItemSwatchIndex(int nPosition, int nSlot) {
  if (LPCTSTR name = GetItemName(nPosition)) ChangeItemSwatchIndex(name, nSlot);
}

void CNbSwatchListBox::ChangeItemSwatchIndex(LPCTSTR lpszName, int nSlot) {
  m_slots[lpszName ? lpszName : ""] = nSlot;
  if (m_hWnd) RedrawWindow(nullptr, nullptr, kRedrawNow);
}

int CNbSwatchListBox::GetItemSwatchIndex(LPCTSTR lpszName) const {
  auto found = m_slots.find(lpszName ? lpszName : "");
  return found == m_slots.end() ? 0 : found->second;
}

void CNbSwatchListBox::DeleteItem(LPDELETEITEMSTRUCT dis) {
  if (dis) m_names.Release(reinterpret_cast<const void*>(dis->itemData));
}

void CNbSwatchListBox::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis) return;
  if (dis->itemID == static_cast<UINT>(-1)) {
    HandleFocusState(dis, 0);
    return;
  }
  switch (dis->itemAction) {
    case ODA_DRAWENTIRE: DrawEntireItem(dis, 0); break;
    case ODA_SELECT: HandleSelectionState(dis, 0); break;
    case ODA_FOCUS: HandleFocusState(dis, 0); break;
    default: break;
  }
}

void CNbSwatchListBox::DrawEntireItem(LPDRAWITEMSTRUCT dis, int nMode) {
  HandleSelectionState(dis, nMode);
  HandleFocusState(dis, nMode);
}

void CNbSwatchListBox::HandleSelectionState(LPDRAWITEMSTRUCT dis, int) {
  DrawString(dis, (dis->itemState & ODS_SELECTED) ? kSelectedMode : kNormalMode);
}

void CNbSwatchListBox::HandleFocusState(LPDRAWITEMSTRUCT dis, int) {
  CDC* pDC = CDC::FromHandle(dis->hDC);
  if (!pDC) return;
  CRect item(dis->rcItem);
  if (dis->itemState & ODS_FOCUS) {
    pDC->DrawFocusRect(&item);
    return;
  }
  // Framing over a focus rectangle drawn before erases it.
  bool selected = (dis->itemState & ODS_SELECTED) && dis->itemID != static_cast<UINT>(-1);
  CBrush frame(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  pDC->FrameRect(&item, &frame);
}

void CNbSwatchListBox::DrawString(LPDRAWITEMSTRUCT dis, int nMode) {
  CDC* pDC = CDC::FromHandle(dis->hDC);
  if (!pDC) return;
  CRect item(dis->rcItem);
  LPCTSTR name = NameOf(dis->itemData);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF oldText = pDC->GetTextColor();
  if (nMode == kSelectedMode) {
    pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
    pDC->FillRect(&item, &highlight);
  } else {
    CBrush window(GetSysColor(COLOR_WINDOW));
    pDC->FillRect(&item, &window);
  }
  COLORREF color = NbThemeGetSlotColor(GetItemSwatchIndex(name));
  CRect swatch(item.left + 5, 0, item.left + 5 + 12, 9);
  swatch.OffsetRect(0, item.top + ((item.Height() - 9) >> 1));
  CRect text = item;
  text.left = swatch.right + 5;
  NbDrawCategorySwatch(pDC, swatch, color);
  pDC->DrawText(name, -1, &text, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  if (nMode == kSelectedMode) pDC->SetTextColor(oldText);
  pDC->SetBkMode(oldMode);
}

void CNbSwatchListBox::MeasureItem(LPMEASUREITEMSTRUCT mis) {
  if (!mis || !mis->itemData || !m_hWnd) return;
  CDC* pDC = GetDC();
  if (!pDC) return;
  mis->itemHeight = static_cast<UINT>(pDC->GetTextExtent(NameOf(mis->itemData)).cy);
  ReleaseDC(pDC);
}

int CNbSwatchListBox::CompareItem(LPCOMPAREITEMSTRUCT cis) {
  if (!cis) return 0;
  return NbCompareItemNames(NameOf(cis->itemData1), NameOf(cis->itemData2));
}
