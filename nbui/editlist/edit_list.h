// CNbEditList: a record shown as label/value rows, the selected row's value
// edited in place (CEditListEditor), labels chosen from popup menus, rows
// that grow as their values wrap.
//
// Sizes hold for long lists: row positions are prefix sums of the heights
// (row_heights.h), so finding a row's cell or the row under a point takes
// O(log n), a paint touches only the rows it shows, a height change costs
// O(log n) and adding n rows O(n) in all. Row indexes are full ints
// everywhere; WM_EDITLIST_LABELCHANGED carries large ones as told below.
#pragma once

#include <cstdint>
#include <vector>

#include "cards/selection_index.h"
#include "editlist/edit_list_editor.h"
#include "editlist/edit_list_items.h"
#include "editlist/row_heights.h"
#include "mfc/collections.h"
#include "mfc/dc.h"
#include "mfc/wnd.h"

// Posted to the parent when the user picks another label from a row's menu:
// wParam the list's control id, lParam as NbEditListLabelParam makes it.
#define WM_EDITLIST_LABELCHANGED 0x4AC

static_assert(sizeof(LPARAM) >= 8, "the wide form of the label notification needs 64-bit parameters");

// MAKELONG(row, position) while both fit in 16 bits, as hosts have always
// read it; otherwise the row in the low 32 bits and position + 1 in the high
// 32 bits, which are never zero in that form.
inline LPARAM NbEditListLabelParam(int nRow, int nPosition) {
  if (nRow >= 0 && nRow <= 0xFFFF && nPosition >= 0 && nPosition <= 0xFFFF) {
    return static_cast<LPARAM>(MAKELONG(nRow, nPosition));
  }
  auto low = static_cast<uint64_t>(static_cast<uint32_t>(nRow));
  auto high = static_cast<uint64_t>(static_cast<uint32_t>(nPosition) + 1u);
  return static_cast<LPARAM>(low | (high << 32));
}
inline int NbEditListLabelRow(LPARAM lParam) {
  auto v = static_cast<uint64_t>(lParam);
  return (v >> 32) ? static_cast<int>(static_cast<uint32_t>(v)) : static_cast<int>(LOWORD(v));
}
inline int NbEditListLabelPosition(LPARAM lParam) {
  auto v = static_cast<uint64_t>(lParam);
  return (v >> 32) ? static_cast<int>(static_cast<uint32_t>(v >> 32) - 1u) : static_cast<int>(HIWORD(v));
}

class NBUI_API CNbEditList : public CWnd {
 public:
  CNbEditList();
  ~CNbEditList() override;

  // Creates the list with the window text "CEditList"; nonzero on success.
  virtual int CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       void* pContext = nullptr);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Settings.
  void SetFlags(int nFlags) { m_nFlags = nFlags; }
  int GetFlags() const { return m_nFlags; }
  void SetTabStop(int nTabStop) { m_nTabStop = nTabStop; }
  int GetTabStop() const { return m_nTabStop; }
  int GetFocusItemIndex() const { return m_nFocusItem; }
  // 0 or less: the label column is a third of the row width.
  void SetLabelWidth(int nWidth, int bRedraw);

  // Rows. Each AddItem returns the new row's index. Indexes outside
  // 0 ... count - 1 name no row: lookups give null, -1 or 0 and changes are
  // ignored.
  int AddItem(const char* pszLabel, const char* pszValue, int nType, int bRedraw);
  int AddItem(int nMenuID, int nMenuIndex, const char* pszLabel, const char* pszValue, int nType, int bRedraw);
  int AddItem(CMenu* pMenu, int nMenuIndex, const char* pszLabel, const char* pszValue, int nType, int bRedraw);
  // Closes an edit of this row or of one after it first, writing its text
  // back to its own row, and keeps the focus row inside the list.
  void DeleteItem(int nIndex, int bRedraw);
  void DeleteAllItems(int bRedraw);
  // A row for reading or writing; valid until rows are added or removed.
  CListItem* GetItem(int nIndex);
  int GetItemCount() const { return m_items.GetSize(); }
  int FindItemIndex(CListItem* pItem) const;

  void SetItemValue(int nIndex, const char* pszValue, int bRedraw);
  void GetItemValue(int nIndex, CString& rValue) const;
  void SetItemLabel(int nIndex, const char* pszLabel, int bRedraw);
  void GetItemLabel(int nIndex, CString& rLabel) const;
  void SetItemMenuInfo(int nIndex, int nMenuID, int nMenuIndex, const char* pszLabel, int bRedraw);
  int GetItemMenuIndex(int nIndex) const;
  void SetItemMenuIndex(int nIndex, int nMenuIndex);
  void SetItemMaxChar(int nIndex, int nMax);
  void SetItemAcceptEnter(int nIndex, int bAccept);
  int GetItemAcceptEnter(int nIndex) const;
  void CollapseItem(int nIndex, int bCollapse);
  int IsItemCollapsed(int nIndex) const;
  // A zero width or height leaves that one alone.
  void SetItemSize(int nIndex, int nWidth, int nHeight, int bRedraw);
  void GetItemSize(int nIndex, int* pWidth, int* pHeight) const;
  void SetItemMinRows(int nIndex, int nRows);

  // Selection; selecting a row opens the editor on it, deselecting writes
  // the editor's text back and closes it.
  int IsItemSelected(int nIndex) const;
  int GetSelectedCount();
  int GetFirstSelectedItemIndex() { return GetNextSelectedItem(-1); }
  POSITION GetFirstSelectedItemPosition();
  int GetNextSelectedItemIndex(POSITION& pos);
  void SelectItem(int nIndex, int bSelect, int bRedraw);
  void SelectAllItems(int bSelect, int bRedraw);
  void SelectAndScrollItem(int nIndex, int bSelect);
  void RepositionEditor(int nIndex);

  // Geometry, shared by painting and hit-testing.
  void GetItemRects(int nIndex, CListItemRects& rects) const;
  int EnsureVisible(int nIndex);  // always 0
  void RefreshItem(int nIndex);
  void Update(int nIndex);

  // Hooks for a derived class; the list never calls OnItemChecked,
  // OnItemReturnKey or DrawItemBody.
  virtual void OnItemLButtonDblClk(int nIndex, CPoint pt) {}
  virtual void OnItemOnRButtonDown(int nIndex, CPoint pt) {}
  virtual void OnItemSelected(int nIndex, int bSelect) {}
  virtual void OnItemChecked(int nIndex, int bCheck) {}
  virtual void OnItemReturnKey() {}
  virtual void DrawItemBody(CDC* pDC, int nIndex, RECT* pRect) {}

  // Fields, with the names the list's contract uses.
  int m_nFocusItem = 0;
  int m_nTabStop = 12;
  int m_nNextID = 0;
  int m_nFlags = 0;
  CEditListEditor m_edit;
  int m_nEditItem = -1;
  int m_nLabelWidth = 0;
  int m_nLineHeight = 14;
  int m_nRowHeight = 18;

 protected:
  int AddItem(CListItem* pItem, int bRedraw);
  void SetItemValue(CListItem* pItem, const char* pszValue);
  void SetItemLabel(CListItem* pItem, const char* pszLabel);
  void SetItemMenuInfo(CListItem* pItem, int nMenuID, int nMenuIndex, const char* pszLabel);
  void SetItemMenuInfo(CListItem* pItem, CMenu* pMenu, int nMenuIndex, const char* pszLabel);
  void SetItemRowHeight(CListItem* pItem, int nRows);
  int GetNextSelectedItem(int nIndex);

  void UpdateViewInfo();
  void GetItemCell(int nIndex, RECT* pRect) const;
  void GetItemRects(CRect rcCell, CListItemRects& rects) const;
  int PtToItemIndex(CPoint pt) const;

  void HandleLabelPopup(int nIndex, CPoint pt);
  CWnd* GetNextVisibleWindow(int bNext);
  void OnTabKey(int bBackward);
  void OnArrowKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {}

  void DrawBackground(CDC* pDC);
  void DrawItems(CDC* pDC);
  void DrawItem(CDC* pDC, int nIndex);
  void DrawItemDescription(CDC* pDC, int nIndex);
  // Draws lines of marked-up text (see NbDrawFormattedText) with the list's
  // tab stop; returns the height used.
  int DrawFormattedText(CDC* pDC, const char* pszText, RECT* pRect);

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnPaint();
  void OnSysColorChange();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnKillFocus(CWnd* pNewWnd);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnTabNext(WPARAM wParam, LPARAM lParam);
  LRESULT OnTabPrev(WPARAM wParam, LPARAM lParam);
  LRESULT OnItemKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnCharEntered(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 protected:
  CArray<CListItem, CListItem&> m_items;

 private:
  bool ValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetItemCount(); }
  CListItem& Row(int nIndex) { return m_items.ElementAt(nIndex); }
  const CListItem& Row(int nIndex) const { return m_items.GetAt(nIndex); }
  int EffectiveHeight(const CListItem& item) const { return item.m_nHeight == -1 ? m_nRowHeight : item.m_nHeight; }
  // Brings the prefix sums up to the rows: the rows handed out for writing
  // in O(log n) each, all of them after rows moved (O(n), once).
  void EnsureHeights() const;
  // Takes in what callers may have written through GetItem: heights and
  // selected flags of the rows handed out since the last look.
  void SyncHandedOut() const;
  // UpdateViewInfo that repaints the scroll bar only when asked.
  void UpdateLayout(BOOL bRedrawBar);
  // Brings one row's height into the prefix sums.
  void SyncHeight(int nIndex);
  int ScrollPos() const;
  CRect ClientRect() const;
  void Redraw(LPCRECT lpRect = nullptr);
  // Sets the scroll position (clamped) and follows it with the editor.
  void ScrollTo(int nPos);
  // Closes the edit, writing the editor's text to the edited row.
  void CloseEditor();
  // The editor's text, as it stands, into the edited row.
  void WriteEditorText();
  // Invalidates row nIndex and everything below it (a height change moves them).
  void InvalidateFrom(int nIndex);
  nbui::cards::SelectionIndex::FlagReader SelectedFlags() const;
  // DrawItem and DrawItemDescription for a row whose rectangles are known
  // (a paint walks the visible rows with a running top).
  void DrawRow(CDC* pDC, int nIndex, const CListItemRects& rects);
  void DrawRowTexts(CDC* pDC, int nIndex, const CListItemRects& rects);

  mutable nbui::editlist::RowHeights m_heights;
  mutable nbui::cards::SelectionIndex m_selection;
  // Rows given out by GetItem, with their selected flag then; beyond a few,
  // the indexes are rebuilt instead.
  struct HandedOut {
    int index;
    BOOL selected;
  };
  static constexpr size_t kMaxHandedOut = 16;
  mutable std::vector<HandedOut> m_handedOut;
  mutable bool m_bHeightsStale = false;
  bool m_bFocusByMouse = false;  // the focus is being taken for a click
  int m_nLayoutWidth = 0;  // client width of the last layout
  bool m_bClosingEditor = false;
  bool m_bHighDpiRows = false;  // the 3 pixels of a high-resolution display are in m_nRowHeight
};
