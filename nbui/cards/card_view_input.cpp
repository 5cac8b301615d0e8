// The card views' mouse, keyboard, wheel and focus handling: the selection and
// check rules, and what the host hears through the virtual callbacks.
#include <cstdlib>

#include "cards/card_view_core.h"

using namespace nbui::cards;

namespace {

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

}  // namespace

void CCardViewCore::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!HasFocus()) {
    // The repaint made while the focus arrives shows the focus frame on the
    // clicked card; the click's own rules then decide the focus card.
    int saved = m_nFocusCard;
    m_nFocusCard = PtToCardIndex(point);
    SetFocus();
    Repaint();
    m_nFocusCard = saved;
  }
  if (PtInDragRects(point, &m_aDragRects, &m_nDragMode)) {
    SetCapture();
    DrawDragRects(&m_aDragRects, nullptr);
    m_ptDragStart = point;
    m_nDragSize = m_nDragMode == DRAG_WIDTH ? m_nCardWidth : m_nCardHeight;
    SetResizeCursor(m_nDragMode);
    return;
  }
  bool ctrl = (nFlags & MK_CONTROL) != 0, shift = (nFlags & MK_SHIFT) != 0;
  int i = PtToCardIndex(point);
  if (i != -1) {
    SetCapture();
    m_nDragMode = DRAG_CARD;
    m_nFocusCard = i;
    if ((m_nFlags & CVF_CHECKBOXES) != 0) {
      CCardRects rects;
      GetCardRects(i, rects);
      if (rects.m_rcCheck.PtInRect(point)) CheckCard(i, !IsCardChecked(i), TRUE);
    }
    if (ctrl) {
      SelectCard(i, !IsCardSelected(i), FALSE);
      Repaint();
    } else if (shift) {
      SelectCard(i, TRUE, FALSE);
      CRect box;
      CreateBoundingBox(box);
      SelectBoundingCards(nFlags, box, TRUE);
    } else if (!IsCardSelected(i)) {
      DeselectAllBut(-1);
      SelectCard(i, TRUE, FALSE);
      Repaint();
    }
  } else if (!ctrl && !shift) {
    SelectAllCards(FALSE, TRUE);
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CCardViewCore::OnLButtonUp(UINT nFlags, CPoint point) {
  if (GetCapture() == this) {
    if (m_nDragMode == DRAG_WIDTH || m_nDragMode == DRAG_HEIGHT) {
      OnDragRectComplete(FALSE);
    } else if (m_nDragMode == DRAG_CARD && (nFlags & (MK_CONTROL | MK_SHIFT)) == 0) {
      // A plain click on one card of several selected becomes a single
      // selection only when released over that card.
      int i = PtToCardIndex(point);
      if (i != -1 && i == m_nFocusCard && GetSelectedCount() > 1) {
        DeselectAllBut(i);
        Repaint();
      }
    }
    ReleaseCapture();
    m_nDragMode = DRAG_NONE;
  }
  CWnd::OnLButtonUp(nFlags, point);
}

void CCardViewCore::OnLButtonDblClk(UINT nFlags, CPoint point) {
  int i = PtToCardIndex(point);
  if ((m_nFlags & CVF_CHECKBOXES) != 0 && i != -1) {
    // The second click of a double click on the check box toggles it again.
    CCardRects rects;
    GetCardRects(i, rects);
    if (rects.m_rcCheck.PtInRect(point)) OnLButtonDown(nFlags, point);
    return;
  }
  OnCardLButtonDblClk(i, point);
  CWnd::OnLButtonDblClk(nFlags, point);
}

void CCardViewCore::OnRButtonDown(UINT nFlags, CPoint point) {
  if (!HasFocus()) {
    SetFocus();
    Repaint();
  }
  int i = PtToCardIndex(point);
  if (i != -1) {
    int old = m_nFocusCard;
    m_nFocusCard = i;
    if ((nFlags & (MK_CONTROL | MK_SHIFT)) == 0) {
      if (!IsCardSelected(i)) {
        DeselectAllBut(-1);
        SelectCard(i, TRUE, FALSE);
        Repaint();
      } else if (old != i) {
        Repaint();
      }
    }
  }
  OnCardOnRButtonDown(i, point);
  CWnd::OnRButtonDown(nFlags, point);
}

BOOL CCardViewCore::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  // Whole notches only; what is left below one notch is dropped.
  int notches = std::abs(static_cast<int>(zDelta)) / WHEEL_DELTA;
  for (int k = 0; k < notches; ++k) OnVScroll(zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
  return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

void CCardViewCore::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  if (pOldWnd != this) Repaint();
}

void CCardViewCore::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  if (pNewWnd != this) Repaint();
}

UINT CCardViewCore::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CCardViewCore::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  bool ctrl = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
  switch (nChar) {
    case VK_SPACE:
      if (ctrl) {
        SelectCard(m_nFocusCard, !IsCardSelected(m_nFocusCard), TRUE);
      } else if (!shift && ValidIndex(m_nFocusCard) && !IsCardSelected(m_nFocusCard)) {
        SelectCard(m_nFocusCard, TRUE, TRUE);
      }
      break;
    case VK_PRIOR: OnVScroll(SB_PAGEUP, 0, nullptr); break;
    case VK_NEXT: OnVScroll(SB_PAGEDOWN, 0, nullptr); break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: OnArrowKeyDown(nChar); break;
    default: break;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CCardViewCore::OnArrowKeyDown(UINT nChar) {
  int old = m_nFocusCard;
  int f = GridArrowTarget(nChar, old, m_nColumns, GetCardCount());
  if (f == old) return;
  bool ctrl = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
  if (ctrl) {
    m_nFocusCard = f;
    EnsureVisible(f);
    Repaint();
  } else if (!shift) {
    m_nFocusCard = f;
    SelectAllCards(FALSE, TRUE);
    SelectAndScrollCard(f, TRUE);
    Update(old);
  }
}

BOOL CCardViewCore::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    if (pMsg->wParam == VK_ESCAPE && (m_nDragMode == DRAG_WIDTH || m_nDragMode == DRAG_HEIGHT) &&
        GetCapture() == this) {
      OnDragRectComplete(TRUE);
      ReleaseCapture();
      return TRUE;
    }
    if (pMsg->wParam == VK_RETURN) {
      OnCardReturnKey();
      return TRUE;
    }
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CCardViewCore::OnSysColorChange() {
  CWnd::OnSysColorChange();
  Repaint();
}
