// The card views' selected and checked state, and the block selection of
// Shift+click. Walks go over the selected cards only (through the selection
// index), so a click in a long list costs what it changes.
#include <algorithm>

#include "cards/card_view_core.h"

using namespace nbui::cards;

SelectionIndex::FlagReader CCardViewCore::SelectedFlags() const {
  return [this](int i) { return m_aCards[static_cast<size_t>(i)].m_bSelected != 0; };
}

void CCardViewCore::SelectCard(int nIndex, BOOL bSelect, BOOL bRedraw) {
  if (nIndex == -1) {
    SelectAllCards(bSelect, bRedraw);
    return;
  }
  if (!ValidIndex(nIndex)) return;
  m_nFocusCard = nIndex;
  CCard& card = m_aCards[static_cast<size_t>(nIndex)];
  if (card.m_bSelected == bSelect) return;
  bool was = card.m_bSelected != 0;
  card.m_bSelected = bSelect;
  if (was != (bSelect != 0)) m_selection.Set(nIndex, bSelect != 0);
  if (bRedraw && m_hWnd) {
    CRect cell, visible;
    GetCardCell(nIndex, &cell);
    CRect client = ClientRect();
    if (visible.IntersectRect(&cell, &client)) InvalidateRect(&cell, TRUE);
  }
  OnCardSelected(nIndex, bSelect);
}

void CCardViewCore::SelectAllCards(BOOL bSelect, BOOL bRedraw) {
  bool changed = false;
  if (bSelect) {
    for (int i = 0; i < GetCardCount(); ++i) {
      if (m_aCards[static_cast<size_t>(i)].m_bSelected != bSelect) {
        SelectCard(i, bSelect, FALSE);
        changed = true;
      }
    }
  } else {
    // Only selected cards can change; visit them in index order.
    for (int i = GetNextSelectedItem(-1); i != -1; i = GetNextSelectedItem(i)) {
      SelectCard(i, FALSE, FALSE);
      changed = true;
    }
  }
  if (changed && bRedraw) Repaint();
}

void CCardViewCore::DeselectAllBut(int nKeep) {
  for (int i = GetNextSelectedItem(-1); i != -1; i = GetNextSelectedItem(i)) {
    if (i != nKeep) SelectCard(i, FALSE, FALSE);
  }
}

int CCardViewCore::IsCardSelected(int nIndex) const {
  return ValidIndex(nIndex) ? m_aCards[static_cast<size_t>(nIndex)].m_bSelected : 0;
}

void CCardViewCore::SelectAndScrollCard(int nIndex, BOOL bSelect) {
  SelectCard(nIndex, bSelect, TRUE);
  EnsureVisible(nIndex);
}

void CCardViewCore::CheckCard(int nIndex, BOOL bCheck, BOOL bRedraw) {
  if (nIndex == -1) {
    CheckAllCards(bCheck, bRedraw);
    return;
  }
  if (!ValidIndex(nIndex)) return;
  m_aCards[static_cast<size_t>(nIndex)].m_bChecked = bCheck;
  if (bRedraw && m_hWnd) {
    CCardRects rects;
    GetCardRects(nIndex, rects);
    CRect client = ClientRect(), visible;
    if (visible.IntersectRect(&rects.m_rcCheck, &client)) InvalidateRect(&rects.m_rcCheck, TRUE);
  }
  OnCardChecked(nIndex, bCheck);
}

void CCardViewCore::CheckAllCards(BOOL bCheck, BOOL bRedraw) {
  bool changed = false;
  for (int i = 0; i < GetCardCount(); ++i) {
    if (m_aCards[static_cast<size_t>(i)].m_bChecked != bCheck) {
      CheckCard(i, bCheck, FALSE);
      changed = true;
    }
  }
  if (changed && bRedraw) Repaint();
}

int CCardViewCore::IsCardChecked(int nIndex) const {
  return ValidIndex(nIndex) ? m_aCards[static_cast<size_t>(nIndex)].m_bChecked : 0;
}

int CCardViewCore::GetSelectedCount() { return m_selection.Count(GetCardCount(), SelectedFlags()); }

int CCardViewCore::GetNextSelectedItem(int nAfter) {
  if (nAfter >= GetCardCount()) return -1;
  return m_selection.Next(nAfter, GetCardCount(), SelectedFlags());
}

POSITION CCardViewCore::GetFirstSelectedCardPosition() {
  return reinterpret_cast<POSITION>(static_cast<intptr_t>(GetNextSelectedItem(-1) + 1));
}

int CCardViewCore::GetNextSelectedCardIndex(POSITION& pos) {
  int index = static_cast<int>(reinterpret_cast<intptr_t>(pos)) - 1;
  pos = reinterpret_cast<POSITION>(static_cast<intptr_t>(GetNextSelectedItem(index) + 1));
  return index;
}

void CCardViewCore::CreateBoundingBox(CRect& box) {
  box.SetRectEmpty();
  for (int i = GetNextSelectedItem(-1); i != -1; i = GetNextSelectedItem(i)) {
    CRect cell;
    GetCardCell(i, &cell);
    box.UnionRect(&box, &cell);
  }
}

void CCardViewCore::SelectBoundingCards(UINT nFlags, const CRect& box, BOOL bRedraw) {
  // Every card goes through SelectCard in index order, but only cards in the
  // box and cards selected now can change: walk those two sequences merged,
  // and leave the focus where the full walk would (on the last card).
  int n = GetCardCount();
  if (n == 0) return;
  bool ctrl = (nFlags & MK_CONTROL) != 0;
  int c = std::max(m_nColumns, 1), first = FirstRow();
  // The block in columns and rows (inclusive); cells lie on the grid, so
  // their edges divide exactly.
  auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  int w = std::max(m_nCardWidth, 1), h = std::max(m_nCardHeight, 1);
  int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
  if (!box.IsRectEmpty()) {
    c0 = std::max(floorDiv(box.left, w), 0);
    c1 = std::min(floorDiv(box.right - 1, w), c - 1);
    r0 = std::max(first + floorDiv(box.top, h), 0);
    r1 = first + floorDiv(box.bottom - 1, h);
  }
  auto inBox = [&](int i) { return i / c >= r0 && i / c <= r1 && i % c >= c0 && i % c <= c1; };
  auto nextInBox = [&](int after) {  // the next index of the block after `after`, or n
    int64_t i = std::max<int64_t>(after + 1, static_cast<int64_t>(r0) * c + c0);
    while (i < n && i / c <= r1) {
      int64_t col = i % c;
      if (col < c0) {
        i += c0 - col;
      } else if (col > c1) {
        i += c - col + c0;
      } else {
        return static_cast<int>(i);
      }
    }
    return n;
  };
  int sel = GetNextSelectedItem(-1), blk = c1 >= c0 && r1 >= r0 ? nextInBox(-1) : n;
  while (sel != -1 || blk < n) {
    int i = sel == -1 ? blk : std::min(sel, blk);
    if (inBox(i)) {
      SelectCard(i, ctrl ? !IsCardSelected(i) : TRUE, FALSE);
    } else if (!ctrl) {
      SelectCard(i, FALSE, FALSE);
    }
    if (i == sel) sel = GetNextSelectedItem(i);
    if (i == blk) blk = nextInBox(i);
    // A card that was just selected is passed by the selected walk too.
    while (sel != -1 && sel <= i) sel = GetNextSelectedItem(sel);
  }
  if (!ctrl) m_nFocusCard = n - 1;
  if (bRedraw) Repaint();
}
