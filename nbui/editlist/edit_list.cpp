// The edit list's model: creation, the rows and their settings, and the
// selection queries.
#include "editlist/edit_list.h"

#include <algorithm>
#include <functional>

#include "NbThemes/nbthemes.h"
#include "editlist/value_measurer.h"
#include "win/resources.h"

BEGIN_MESSAGE_MAP(CNbEditList, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_PAINT()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_SETFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(WM_EDITLIST_TABNEXT, OnTabNext)
  ON_MESSAGE(WM_EDITLIST_TABPREV, OnTabPrev)
  ON_MESSAGE(WM_EDITLIST_ITEMKILLFOCUS, OnItemKillFocus)
  ON_MESSAGE(WM_EDITLIST_CHARENTERED, OnCharEntered)
END_MESSAGE_MAP()

namespace {

// The editor's style: a hidden multi-line child that keeps Enter.
constexpr DWORD kEditorStyle = WS_CHILD | WS_TABSTOP | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;

}  // namespace

CNbEditList::CNbEditList() = default;

CNbEditList::~CNbEditList() {
  if (m_hWnd) DestroyWindow();
}

int CNbEditList::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          void* pContext) {
  return CWnd::CreateEx(dwExStyle, nullptr, "CEditList", dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CNbEditList::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP;
  return CWnd::PreCreateWindow(cs);
}

int CNbEditList::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_nTabStop = 12;
  m_nFocusItem = 0;
  m_nEditItem = -1;
  HDC dc = ::GetDC(m_hWnd);
  // Made again after a DestroyWindow, the list adds the 3 pixels once.
  bool highDpi = dc && ::GetDeviceCaps(dc, LOGPIXELSX) >= 120 && ::GetDeviceCaps(dc, LOGPIXELSY) >= 120;
  if (highDpi != m_bHighDpiRows) m_nRowHeight += highDpi ? 3 : -3;
  m_bHighDpiRows = highDpi;
  if (!m_edit.Create(kEditorStyle, CRect(0, 0, 220, m_nRowHeight), this, static_cast<UINT>(-1))) {
    if (dc) ::ReleaseDC(m_hWnd, dc);
    return -1;
  }
  CRect format;
  m_edit.GetRect(&format);
  m_nLineHeight = format.Height() - 2;
  if (CFont* font = NbThemeGetFont()) m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->m_hObject), 0);
  if (dc) ::ReleaseDC(m_hWnd, dc);
  // Rows given before the window existed are measured now that the value
  // column has a width; the default row height may have changed too.
  m_bHeightsStale = true;
  CRect client;
  GetClientRect(&client);
  m_nLayoutWidth = client.Width();
  for (int i = 0; i < GetItemCount(); ++i) {
    CListItem& row = Row(i);
    CString value = row.m_desc.m_strValue;
    if (!value.IsEmpty()) SetItemValue(&row, value);
  }
  return 0;
}

void CNbEditList::SetLabelWidth(int nWidth, int bRedraw) {
  m_nLabelWidth = nWidth;
  if (!bRedraw) return;
  UpdateViewInfo();
  Redraw();
}

// --- Rows

int CNbEditList::AddItem(CListItem* pItem, int bRedraw) {
  if (!pItem) return -1;
  pItem->m_nID = m_nNextID++;
  int n = GetItemCount();
  // The array grows by half its size at a time, so that adding n rows copies
  // O(n) rows in all.
  m_items.SetSize(n, std::max(16, n / 2));
  // A copy first: pItem may be one of the rows, which growing moves.
  CListItem copy = *pItem;
  m_items.Add(copy);
  EnsureHeights();
  m_heights.Append(EffectiveHeight(Row(n)));
  if (Row(n).m_bSelected) m_selection.Invalidate();
  UpdateLayout(bRedraw);
  if (bRedraw) Redraw();
  return n;
}

int CNbEditList::AddItem(const char* pszLabel, const char* pszValue, int nType, int bRedraw) {
  CListItem item;
  item.m_nType = nType;
  int i = AddItem(&item, bRedraw);
  SetItemLabel(&Row(i), pszLabel);
  SetItemValue(&Row(i), pszValue);
  return i;
}

int CNbEditList::AddItem(int nMenuID, int nMenuIndex, const char* pszLabel, const char* pszValue, int nType,
                         int bRedraw) {
  CListItem item;
  item.m_nType = nType;
  int i = AddItem(&item, bRedraw);
  SetItemMenuInfo(&Row(i), nMenuID, nMenuIndex, pszLabel);
  SetItemValue(&Row(i), pszValue);
  return i;
}

int CNbEditList::AddItem(CMenu* pMenu, int nMenuIndex, const char* pszLabel, const char* pszValue, int nType,
                         int bRedraw) {
  CListItem item;
  item.m_nType = nType;
  item.m_pMenu = pMenu;
  int i = AddItem(&item, bRedraw);
  SetItemMenuInfo(&Row(i), pMenu, nMenuIndex, pszLabel);
  SetItemValue(&Row(i), pszValue);
  return i;
}

void CNbEditList::DeleteItem(int nIndex, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  // The edited row's index would change under the editor: its edit ends,
  // its text going back to its row, while that index is still right.
  if (m_nEditItem >= nIndex) SelectItem(m_nEditItem, FALSE, FALSE);
  if (m_nEditItem >= nIndex) CloseEditor();  // a row edited without being selected
  if (!ValidIndex(nIndex)) return;  // the hook removed rows
  m_items.RemoveAt(nIndex);
  // The last row leaves the sums at once; any other moves the rows after it.
  SyncHandedOut();
  if (nIndex == GetItemCount() && !m_bHeightsStale) m_heights.RemoveLast();
  else m_bHeightsStale = true;
  m_selection.Invalidate();
  if (m_nFocusItem > nIndex) --m_nFocusItem;
  m_nFocusItem = std::clamp(m_nFocusItem, 0, std::max(GetItemCount() - 1, 0));
  UpdateViewInfo();
  if (bRedraw) Redraw();
}

void CNbEditList::DeleteAllItems(int bRedraw) {
  CloseEditor();
  m_handedOut.clear();
  m_items.RemoveAll();
  m_heights.Clear();
  m_bHeightsStale = false;
  m_selection.Invalidate();
  m_nFocusItem = 0;
  UpdateViewInfo();
  if (bRedraw) Redraw();
}

CListItem* CNbEditList::GetItem(int nIndex) {
  if (!ValidIndex(nIndex)) return nullptr;
  // The caller may write the height or the selected flag through the pointer.
  CListItem& row = Row(nIndex);
  // Each row once, with its flag as the selection counts still have it.
  bool known = std::any_of(m_handedOut.begin(), m_handedOut.end(), [nIndex](const HandedOut& h) { return h.index == nIndex; });
  if (!known && m_handedOut.size() < kMaxHandedOut) {
    m_handedOut.push_back({nIndex, row.m_bSelected});
  } else if (!known) {
    m_bHeightsStale = true;
    m_selection.Invalidate();
  }
  if (m_hWnd) row.m_nWidth = m_nLayoutWidth;
  return &row;
}

int CNbEditList::FindItemIndex(CListItem* pItem) const {
  const CListItem* base = m_items.GetData();
  if (!pItem || !base) return -1;
  auto p = reinterpret_cast<uintptr_t>(pItem), b = reinterpret_cast<uintptr_t>(base);
  if (p < b || (p - b) % sizeof(CListItem) != 0) return -1;
  uintptr_t i = (p - b) / sizeof(CListItem);
  return i < static_cast<uintptr_t>(GetItemCount()) ? static_cast<int>(i) : -1;
}

void CNbEditList::SetItemValue(CListItem* pItem, const char* pszValue) {
  if (!pItem) return;
  int before = EffectiveHeight(*pItem);
  pItem->m_desc.m_strValue = pszValue ? pszValue : "";
  const CString& value = pItem->m_desc.m_strValue;
  int lines = 1 + static_cast<int>(std::count(static_cast<LPCTSTR>(value), static_cast<LPCTSTR>(value) + value.GetLength(), '\r'));
  int index = FindItemIndex(pItem);
  if (!value.IsEmpty() && pItem->m_nID != -1 && index >= 0 && m_hWnd) {
    CListItemRects rects;
    GetItemRects(index, rects);
    CRect box = rects.m_rcValue;
    box.OffsetRect(-box.left, -box.top);
    box.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    lines = std::max(lines, nbui::editlist::MeasureValueLines(this, value, box, m_nRowHeight));
  }
  SetItemRowHeight(pItem, lines);
  if (EffectiveHeight(*pItem) != before) UpdateViewInfo();
}

void CNbEditList::SetItemValue(int nIndex, const char* pszValue, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  int before = EffectiveHeight(Row(nIndex));
  SetItemValue(&Row(nIndex), pszValue);
  if (!bRedraw) return;
  if (EffectiveHeight(Row(nIndex)) != before) InvalidateFrom(nIndex);
  else RefreshItem(nIndex);
}

void CNbEditList::GetItemValue(int nIndex, CString& rValue) const {
  if (ValidIndex(nIndex)) rValue = Row(nIndex).m_desc.m_strValue;
}

void CNbEditList::SetItemLabel(CListItem* pItem, const char* pszLabel) {
  if (pItem) pItem->m_desc.m_strLabel = pszLabel ? pszLabel : "";
}

void CNbEditList::SetItemLabel(int nIndex, const char* pszLabel, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  SetItemLabel(&Row(nIndex), pszLabel);
  if (bRedraw) RefreshItem(nIndex);
}

void CNbEditList::GetItemLabel(int nIndex, CString& rLabel) const {
  if (ValidIndex(nIndex)) rLabel = Row(nIndex).m_desc.m_strLabel;
}

void CNbEditList::SetItemMenuInfo(CListItem* pItem, CMenu* pMenu, int nMenuIndex, const char* pszLabel) {
  if (!pItem) return;
  if (pszLabel) {
    pItem->m_desc.m_strLabel = pszLabel;
    pItem->m_bFixedLabel = TRUE;
  } else if (pMenu && pMenu->m_hMenu) {
    CString text;
    if (pMenu->GetMenuString(static_cast<UINT>(nMenuIndex), text, MF_BYPOSITION) > 0 ||
        nMenuIndex < static_cast<int>(pMenu->GetMenuItemCount())) {
      pItem->m_desc.m_strLabel = text;
    }
  }
  pItem->m_nMenuIndex = nMenuIndex;
}

void CNbEditList::SetItemMenuInfo(CListItem* pItem, int nMenuID, int nMenuIndex, const char* pszLabel) {
  if (!pItem) return;
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(nMenuID), RT_MENU);
  HMENU loaded = ::LoadMenu(module, MAKEINTRESOURCE(nMenuID));
  CMenu menu;
  CMenu* choices = nullptr;
  if (loaded) {
    menu.Attach(loaded);
    choices = menu.GetSubMenu(0);
  }
  if (choices || pszLabel) SetItemMenuInfo(pItem, choices, nMenuIndex, pszLabel);
  else pItem->m_nMenuIndex = nMenuIndex;
  pItem->m_nMenuID = nMenuID;
  if (loaded) menu.DestroyMenu();
}

void CNbEditList::SetItemMenuInfo(int nIndex, int nMenuID, int nMenuIndex, const char* pszLabel, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  SetItemMenuInfo(&Row(nIndex), nMenuID, nMenuIndex, pszLabel);
  if (bRedraw) RefreshItem(nIndex);
}

int CNbEditList::GetItemMenuIndex(int nIndex) const { return ValidIndex(nIndex) ? Row(nIndex).m_nMenuIndex : -1; }

void CNbEditList::SetItemMenuIndex(int nIndex, int nMenuIndex) {
  if (!ValidIndex(nIndex)) return;
  CListItem& row = Row(nIndex);
  if (row.m_bFixedLabel) row.m_nMenuIndex = nMenuIndex;
  else if (row.m_nMenuID != -1) SetItemMenuInfo(&row, row.m_nMenuID, nMenuIndex, nullptr);
  else if (row.m_pMenu) SetItemMenuInfo(&row, row.m_pMenu, nMenuIndex, nullptr);
}

void CNbEditList::SetItemMaxChar(int nIndex, int nMax) {
  if (!ValidIndex(nIndex)) return;
  Row(nIndex).m_nMaxChars = nMax;
  if (nIndex == m_nEditItem && m_edit.m_hWnd && m_edit.IsWindowVisible()) m_edit.SetEditLimit(nMax);
}

void CNbEditList::SetItemAcceptEnter(int nIndex, int bAccept) {
  if (ValidIndex(nIndex)) Row(nIndex).m_bAcceptEnter = bAccept;
}

int CNbEditList::GetItemAcceptEnter(int nIndex) const { return ValidIndex(nIndex) ? Row(nIndex).m_bAcceptEnter : 0; }

void CNbEditList::CollapseItem(int nIndex, int bCollapse) {
  if (ValidIndex(nIndex)) Row(nIndex).m_bCollapsed = bCollapse;
}

int CNbEditList::IsItemCollapsed(int nIndex) const { return ValidIndex(nIndex) ? Row(nIndex).m_bCollapsed : 0; }

void CNbEditList::SetItemSize(int nIndex, int nWidth, int nHeight, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  CListItem& row = Row(nIndex);
  if (nWidth) row.m_nWidth = nWidth;
  if (nHeight) {
    row.m_nHeight = nHeight;
    SyncHeight(nIndex);
  }
  UpdateViewInfo();
  if (bRedraw) Redraw();
}

void CNbEditList::GetItemSize(int nIndex, int* pWidth, int* pHeight) const {
  if (!ValidIndex(nIndex)) return;
  if (pWidth) *pWidth = m_hWnd ? m_nLayoutWidth : Row(nIndex).m_nWidth;
  if (pHeight) *pHeight = EffectiveHeight(Row(nIndex));
}

void CNbEditList::SetItemMinRows(int nIndex, int nRows) {
  if (!ValidIndex(nIndex)) return;
  Row(nIndex).m_nMinRows = nRows;
  SetItemRowHeight(&Row(nIndex), nRows);
}

void CNbEditList::SetItemRowHeight(CListItem* pItem, int nRows) {
  if (!pItem) return;
  int n = std::max(nRows, pItem->m_nMinRows);
  pItem->m_nHeight = m_nRowHeight + (n > 1 ? (n - 1) * m_nLineHeight : 0);
  SyncHeight(FindItemIndex(pItem));
}

// --- Selection queries

nbui::cards::SelectionIndex::FlagReader CNbEditList::SelectedFlags() const {
  return [this](int i) { return Row(i).m_bSelected != 0; };
}

int CNbEditList::IsItemSelected(int nIndex) const { return ValidIndex(nIndex) ? Row(nIndex).m_bSelected : 0; }

int CNbEditList::GetSelectedCount() {
  SyncHandedOut();
  return m_selection.Count(GetItemCount(), SelectedFlags());
}

int CNbEditList::GetNextSelectedItem(int nIndex) {
  if (nIndex >= GetItemCount()) return -1;
  SyncHandedOut();
  return m_selection.Next(nIndex < 0 ? -1 : nIndex, GetItemCount(), SelectedFlags());
}

POSITION CNbEditList::GetFirstSelectedItemPosition() {
  int first = GetNextSelectedItem(-1);
  return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<intptr_t>(first) + 1);
}

int CNbEditList::GetNextSelectedItemIndex(POSITION& pos) {
  int index = static_cast<int>(reinterpret_cast<intptr_t>(pos)) - 1;
  int next = GetNextSelectedItem(index);
  pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<intptr_t>(next) + 1);
  return index;
}
