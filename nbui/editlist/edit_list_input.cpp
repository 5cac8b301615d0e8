// The edit list's mouse, keyboard and focus handling.
#include "editlist/edit_list.h"
#include "win/dialogs.h"

void CNbEditList::OnLButtonDown(UINT nFlags, CPoint point) {
  // The row is found before the focus moves: focus arriving from another
  // control may select and scroll to a row of its own.
  int i = PtToItemIndex(point);
  if (GetFocus() != this) {
    int remembered = m_nFocusItem;
    m_nFocusItem = i;
    m_bFocusByMouse = true;
    SetFocus();
    m_bFocusByMouse = false;
    Redraw();
    m_nFocusItem = remembered;
  }
  if (ValidIndex(i)) {
    SetCapture();
    m_nFocusItem = i;
    CListItemRects rects;
    GetItemRects(i, rects);
    if (rects.m_rcLabel.PtInRect(point)) {
      if (Row(i).HasMenu()) HandleLabelPopup(i, point);
    } else if (!Row(i).m_bSelected) {
      SelectAllItems(FALSE, FALSE);
      SelectAndScrollItem(i, TRUE);
      Redraw();
    }
  }
  Default();
}

void CNbEditList::OnLButtonUp(UINT, CPoint) {
  if (GetCapture() == this) ReleaseCapture();
  Default();
}

void CNbEditList::OnMouseMove(UINT, CPoint) { Default(); }

void CNbEditList::OnLButtonDblClk(UINT nFlags, CPoint point) {
  OnLButtonDown(nFlags, point);
  OnItemLButtonDblClk(PtToItemIndex(point), point);
  Default();
}

void CNbEditList::OnRButtonDown(UINT nFlags, CPoint point) {
  int i = PtToItemIndex(point);
  if (GetFocus() != this) {
    m_bFocusByMouse = true;
    SetFocus();
    m_bFocusByMouse = false;
    Redraw();
  }
  if (ValidIndex(i)) {
    int old = m_nFocusItem;
    m_nFocusItem = i;
    if (!(nFlags & (MK_CONTROL | MK_SHIFT))) {
      if (!Row(i).m_bSelected) {
        SelectAllItems(FALSE, FALSE);
        SelectItem(i, TRUE, FALSE);
        Redraw();
      } else if (i != old) {
        Redraw();
      }
    }
  }
  OnItemOnRButtonDown(ValidIndex(i) ? i : -1, point);
  Default();
}

void CNbEditList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0, shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (nChar) {
    case VK_TAB:
      OnTabKey(shift);
      break;
    case VK_SPACE:
      if (ctrl) SelectItem(m_nFocusItem, !IsItemSelected(m_nFocusItem), TRUE);
      else if (!shift && !IsItemSelected(m_nFocusItem)) SelectItem(m_nFocusItem, TRUE, TRUE);
      break;
    case VK_PRIOR:
      OnVScroll(SB_PAGEUP, 0, nullptr);
      break;
    case VK_NEXT:
      OnVScroll(SB_PAGEDOWN, 0, nullptr);
      break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      OnArrowKeyDown(nChar, nRepCnt, nFlags);
      break;
    default:
      break;
  }
  Default();
}

UINT CNbEditList::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CNbEditList::OnSetFocus(CWnd* pOldWnd) {
  Default();
  HWND old = pOldWnd ? pOldWnd->m_hWnd : nullptr;
  CWnd* parent = GetParent();
  // Only focus moving over from one of the list's neighbours tabs in: focus
  // that comes from the parent itself or from another window opens no row.
  if (old && old != m_hWnd && !::IsChild(m_hWnd, old) && !m_bFocusByMouse && parent &&
      ::IsChild(parent->m_hWnd, old) && GetItemCount() > 0) {
    // Focus tabbed in from the control before the list opens the first
    // row; focus tabbed back from the control after it opens the last.
    if (::GetNextDlgTabItem(parent->m_hWnd, old, FALSE) == m_hWnd) SelectAndScrollItem(0, TRUE);
    else if (::GetNextDlgTabItem(parent->m_hWnd, old, TRUE) == m_hWnd) SelectAndScrollItem(GetItemCount() - 1, TRUE);
  }
  Redraw();
}

void CNbEditList::OnKillFocus(CWnd* pNewWnd) {
  Default();
  if (!pNewWnd || pNewWnd->m_hWnd != m_hWnd) Redraw();
}

void CNbEditList::OnShowWindow(BOOL bShow, UINT) {
  Default();
  if (!bShow) SelectAllItems(FALSE, TRUE);
}

BOOL CNbEditList::PreTranslateMessage(MSG* pMsg) {
  if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
      ValidIndex(m_nEditItem) && m_edit.m_hWnd && pMsg->hwnd == m_edit.m_hWnd) {
    if (Row(m_nEditItem).m_bAcceptEnter) {
      m_edit.SendMessage(WM_CHAR, 13, pMsg->lParam);
    } else {
      // The owner may save on Enter: it must find what was typed in the row.
      WriteEditorText();
      if (CWnd* parent = GetParent()) parent->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
    }
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}
