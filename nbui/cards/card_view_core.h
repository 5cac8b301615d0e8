// CCardViewCore: what the card view and the photo view share. Records shown
// as a grid of equal-sized cards, scrolled by whole rows. The host adds one card per record with an opaque item pointer
// and describes each card on demand (GetCardDescription); the view keeps
// only the selected and checked flags, a serial number and the pointer.
//
// Sizes hold for large address books: hit-testing, painting and the
// selection queries cost O(visible cards + log n), a card costs 24 bytes,
// and sorting is O(n log n) with the callback carried by the sort itself.
#pragma once

#include <deque>

#include "cards/card_grid.h"
#include "cards/selection_index.h"
#include "mfc/collections.h"
#include "mfc/cstring.h"
#include "mfc/dc.h"
#include "mfc/gdiobj.h"
#include "mfc/wnd.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

// Option flags (SetFlags).
#define CVF_CHECKBOXES 0x0001  // cards show a check box in their header
#define CVF_NORESIZE 0x0002    // the gaps cannot be dragged to resize the cards

// The list-view style compare callback of SortItems: the two cards' item
// data and the caller's parameter; negative, zero or positive.
typedef int(CALLBACK* PFNCVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// One card: its state and the host's item data (never dereferenced).
class NBUI_API CCard {
 public:
  CCard() = default;
  int m_bSelected = 0;
  int m_bChecked = 0;
  int m_nId = -1;  // serial number given when added; finds the focus card again after sorting
  void* m_pData = nullptr;
};

// What a card shows, filled by GetCardDescription.
class NBUI_API CCardDesc {
 public:
  CCardDesc() = default;
  CString m_strTitle;
  CString m_strText;  // body text in the markup of DrawFormattedText
  CString m_strCategory;
  int m_bPrivate = 0;        // padlock icon in the header
  int m_bContentHidden = 0;  // muted backgrounds, no content at all
  int m_bNote = 0;           // note icon in the header
  int m_bPhoto = 0;          // 32-pixel header with a photo area at its left
};

class NBUI_API CCardViewCore : public CWnd {
 public:
  // Mouse modes (m_nDragMode).
  enum { DRAG_NONE = 0, DRAG_CARD = 1, DRAG_WIDTH = 2, DRAG_HEIGHT = 3 };
  // Cards beyond this count are refused (InsertCard, AddCard return -1):
  // 24 bytes each, a view this full would already hold 1.5 GB.
  static constexpr int kMaxCards = 1 << 26;

  // What the two views set apart on creation: the card size, the smallest
  // size a drag may give, and the share of a column that must show for it to
  // count (a column counts when 1 / nColumnShare of it is visible).
  struct Defaults {
    int nCardWidth;
    int nCardHeight;
    int nMinCardWidth;
    int nMinCardHeight;
    int nColumnShare;
  };
  explicit CCardViewCore(const Defaults& defaults);
  ~CCardViewCore() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Card list. Indexes outside 0 ... count - 1 name no card: lookups give
  // null or -1, changes are ignored.
  // The new card's index, or -1 when the list cannot grow.
  int AddCard(void* pData, BOOL bRedraw = TRUE);
  // Inserts at nIndex; an index beyond the count grows the list with default
  // cards up to it. A negative index, or a size the memory cannot hold, is
  // refused and gives -1; else the index.
  int InsertCard(int nIndex, void* pData, BOOL bRedraw = TRUE);
  void DeleteCard(int nIndex, BOOL bRedraw = TRUE);
  void DeleteAllCards(BOOL bRedraw = TRUE);
  // A card for reading or writing its fields (the view notices writes to the
  // selected flag on its next selection query).
  CCard* GetCard(int nIndex);
  int GetCardCount() const { return static_cast<int>(m_aCards.size()); }
  void SetCardData(int nIndex, void* pData);
  void* GetCardData(int nIndex) const;
  int FindCardIndexByData(void* pData) const;
  int FindCardIndex(CCard* pCard) const;
  // Sorts by the callback (stable: equal cards keep their order); the focus
  // card stays on the same record. Two views may sort at once, and a
  // callback may sort another view. Always 1.
  int SortItems(PFNCVCOMPARE pfnCompare, DWORD_PTR lParamSort);

  // Settings. SetCardSize ignores a width or height below 1.
  void SetCardSize(int cx, int cy, BOOL bRedraw = TRUE);
  void GetCardSize(int* pcx, int* pcy) const;
  // The limits of a mouse resize; values below 1 act as 1.
  void SetMinCardSize(int cx, int cy);
  void GetMinCardSize(int* pcx, int* pcy) const;
  void SetFlags(int nFlags) { m_nFlags = nFlags; }
  int GetFlags() const { return m_nFlags; }
  void SetTabStop(int nTabStop) { m_nTabStop = nTabStop; }
  int GetTabStop() const { return m_nTabStop; }
  void SetHeaderHeight(int nHeight) { m_nHeaderHeight = nHeight; }
  int GetHeaderHeight() const { return m_nHeaderHeight; }
  int GetFocusCardIndex() const { return m_nFocusCard; }
  int GetColumnCount() const { return m_nColumns; }
  int GetVisibleRowCount() const { return m_nVisibleRows; }

  // Selection and check state (index -1: every card).
  void SelectCard(int nIndex, BOOL bSelect, BOOL bRedraw = TRUE);
  void SelectAllCards(BOOL bSelect, BOOL bRedraw = TRUE);
  int IsCardSelected(int nIndex) const;
  void SelectAndScrollCard(int nIndex, BOOL bSelect);
  void CheckCard(int nIndex, BOOL bCheck, BOOL bRedraw = TRUE);
  void CheckAllCards(BOOL bCheck, BOOL bRedraw = TRUE);
  int IsCardChecked(int nIndex) const;
  int GetSelectedCount();
  int GetNextSelectedItem(int nAfter);
  int GetFirstSelectedCardIndex() { return GetNextSelectedItem(-1); }
  POSITION GetFirstSelectedCardPosition();
  int GetNextSelectedCardIndex(POSITION& pos);

  // The theme's label font, the font of the body text.
  CFont* GetLabelFont() const;

  // Geometry, shared by painting, hit-testing and hosts that place things
  // over cards.
  void UpdateViewInfo();
  // UpdateViewInfo that redraws the scroll bar only when asked.
  void UpdateLayout(BOOL bRedrawBar);
  void GetCardCell(int nIndex, RECT* pRect) const;
  void GetCardRects(int nIndex, CCardRects& rects);
  virtual void GetCardRects(CRect rcCell, CCardRects& rects, BOOL bPhoto) = 0;
  // Asks for no description: the outline does not depend on it.
  int PtToCardIndex(CPoint pt);
  int EnsureVisible(int nIndex);
  void Update(int nIndex);

  // What the host overrides.
  virtual void GetCardDescription(int nIndex, CCardDesc& desc);
  virtual void OnCardLButtonDblClk(int nIndex, CPoint pt) {}
  virtual void OnCardOnRButtonDown(int nIndex, CPoint pt) {}
  virtual void OnCardSelected(int nIndex, BOOL bSelected) {}
  virtual void OnCardChecked(int nIndex, BOOL bChecked) {}
  virtual void OnCardReturnKey() {}
  virtual void DrawCardBody(CDC* pDC, int nIndex, RECT* pRect) = 0;
  virtual void DrawPhoto(CDC* pDC, int nIndex, RECT* pRect) {}

  // Fields, with the names the view's contract uses.
  int m_nCardWidth = 220;
  int m_nCardHeight = 170;
  int m_nMinCardWidth = 50;
  int m_nMinCardHeight = 50;
  int m_nColumns = 1;
  int m_nVisibleRows = 1;
  int m_nFocusCard = 0;
  int m_nTabStop = 12;
  int m_nHeaderHeight = 20;
  int m_nDragMode = DRAG_NONE;
  CPoint m_ptDragStart;
  int m_nDragSize = 0;
  CBitmap m_bmpPrivate;
  CBitmap m_bmpCheck;
  CBitmap m_bmpNote;
  int m_nNextId = 0;
  int m_nFlags = 0;
  CArray<CRect, CRect&> m_aDragRects;
  std::deque<CCard> m_aCards;

 protected:
  // The first shown row (the vertical scroll position).
  int FirstRow() const;
  int ScrollMax() const;
  void Repaint();
  bool HasFocus() const;
  bool ValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCardCount(); }
  nbui::cards::SelectionIndex::FlagReader SelectedFlags() const;
  // Sets the scroll position (clamped) and scrolls the contents: the common
  // end of OnVScroll, EnsureVisible, the keys and the wheel.
  void ScrollToRow(int nRow);
  CRect ClientRect() const;

  // Selection helpers.
  void DeselectAllBut(int nKeep);
  void CreateBoundingBox(CRect& box);
  void SelectBoundingCards(UINT nFlags, const CRect& box, BOOL bRedraw);
  void OnArrowKeyDown(UINT nChar);

  // Resizing by the gaps.
  void GetDragRects(CArray<CRect, CRect&>* pOut, int nSize, int nMode);
  int PtInDragRects(CPoint pt, CArray<CRect, CRect&>* pOut, int* pMode);
  void DrawDragRects(CArray<CRect, CRect&>* pNew, CArray<CRect, CRect&>* pOld);
  void OnDragRectComplete(BOOL bCancel);
  void SetResizeCursor(int nMode);

  // Painting.
  void DrawBackground(CDC* pDC);
  void DrawCards(CDC* pDC);
  void DrawCard(CDC* pDC, int nIndex);
  void DrawCardHeaderBackground(CDC* pDC, int nIndex, const CCardDesc& desc, const CCardRects& rects);
  // The title, icons, check box and body of one card over its backgrounds.
  virtual void DrawCardDescription(CDC* pDC, int nIndex, const CCardDesc& desc, const CCardRects& rects) = 0;
  // DrawCardBody clipped to the body less its 2-pixel margin.
  void DrawClippedBody(CDC* pDC, int nIndex, const CCardRects& rects);
  void DrawCheckBox(CDC* pDC, int nIndex, const CCardRects& rects, COLORREF c2, COLORREF c3);
  // The card size a resize drag gives with the pointer at point
  // (m_nDragMode tells which side).
  virtual int DragSizeAt(CPoint point) = 0;
  void PaintAll(CDC* pDC, const CRect& client);

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnPaint();
  void OnSize(UINT nType, int cx, int cy);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnCancelMode();
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode();
  void OnSysColorChange();
  DECLARE_MESSAGE_MAP()

 private:
  nbui::cards::SelectionIndex m_selection;
  Defaults m_defaults;
};

