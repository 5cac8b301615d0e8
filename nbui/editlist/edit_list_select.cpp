// The edit list's selection, which is editing: selecting a row opens the
// editor over its value, deselecting writes the text back and closes it.
// Also the editor's messages, the label menus and Tab navigation.
#include <algorithm>

#include "editlist/edit_list.h"
#include "win/dialogs.h"
#include "win/resources.h"

void CNbEditList::SelectItem(int nIndex, int bSelect, int bRedraw) {
  if (!ValidIndex(nIndex)) return;
  // A flag written through GetItem is counted before this change is.
  SyncHandedOut();
  m_nFocusItem = nIndex;
  bSelect = bSelect ? TRUE : FALSE;
  if ((Row(nIndex).m_bSelected ? TRUE : FALSE) == bSelect) return;
  if (bRedraw) RefreshItem(nIndex);
  OnItemSelected(nIndex, bSelect);
  // The hook may have deleted rows.
  if (!ValidIndex(nIndex)) return;
  if (!bSelect) CloseEditor();
  Row(nIndex).m_bSelected = bSelect;
  m_selection.Set(nIndex, bSelect != 0);
  if (bSelect) {
    RepositionEditor(nIndex);
    m_edit.SetSel(0, -1, TRUE);
  }
}

void CNbEditList::CloseEditor() {
  if (!ValidIndex(m_nEditItem)) {
    m_nEditItem = -1;
    return;
  }
  // Hiding the editor takes the focus from it; that loss is this close, not
  // a new one.
  m_bClosingEditor = true;
  if (m_edit.m_hWnd) {
    m_edit.DropComposition();
    WriteEditorText();
    m_edit.ShowWindow(SW_HIDE);
  }
  m_bClosingEditor = false;
  m_nEditItem = -1;
}

void CNbEditList::WriteEditorText() {
  if (!ValidIndex(m_nEditItem) || !m_edit.m_hWnd) return;
  CString text;
  m_edit.GetWindowText(text);
  Row(m_nEditItem).m_desc.m_strValue = text;
}

void CNbEditList::RepositionEditor(int nIndex) {
  if (!ValidIndex(nIndex) || !m_edit.m_hWnd) return;
  // Another selected row handing the editor over keeps what was typed in it.
  if (ValidIndex(m_nEditItem) && m_nEditItem != nIndex) {
    m_edit.DropComposition();
    WriteEditorText();
  }
  CListItemRects rects;
  GetItemRects(nIndex, rects);
  m_edit.MoveWindow(&rects.m_rcValue, FALSE);
  m_edit.ShowScrollBar(SB_BOTH, FALSE);
  // The text is laid out over the editor's whole area, whether or not the
  // focus moves (an editor that keeps it would not reset the rectangle).
  CRect format;
  m_edit.GetClientRect(&format);
  m_edit.SetRectNP(&format);
  m_edit.SetWindowText(Row(nIndex).m_desc.m_strValue);
  m_edit.SetEditLimit(Row(nIndex).m_nMaxChars);
  m_nEditItem = nIndex;
  m_edit.SetFocus();
  m_edit.ShowWindow(SW_SHOWNORMAL);
}

void CNbEditList::SelectAllItems(int bSelect, int bRedraw) {
  bool changed = false;
  if (bSelect) {
    for (int i = 0; i < GetItemCount(); ++i) {
      if (Row(i).m_bSelected) continue;
      SelectItem(i, TRUE, FALSE);
      changed = true;
    }
  } else {
    // Only the selected rows are visited.
    for (int i = GetNextSelectedItem(-1); i >= 0; i = GetNextSelectedItem(i)) {
      SelectItem(i, FALSE, FALSE);
      changed = true;
    }
  }
  if (changed && bRedraw) Redraw();
}

void CNbEditList::SelectAndScrollItem(int nIndex, int bSelect) {
  SelectItem(nIndex, bSelect, TRUE);
  EnsureVisible(nIndex);
}

LRESULT CNbEditList::OnCharEntered(WPARAM, LPARAM) {
  if (!ValidIndex(m_nEditItem)) return 0;
  int row = m_nEditItem;
  int before = EffectiveHeight(Row(row));
  SetItemRowHeight(&Row(row), m_edit.GetLineCount());
  if (EffectiveHeight(Row(row)) == before) return 0;
  // The row grew or shrank: the text goes back to it, the editor takes the
  // new size in place (keeping the focus, the caret and the composition),
  // and every row below moves, so all of them are repainted. To the owner
  // this is the row closed and opened again, and its hook hears both.
  UpdateViewInfo();
  InvalidateFrom(row);
  OnItemSelected(row, FALSE);
  if (m_nEditItem != row) return 0;  // the hook ended or moved the edit
  WriteEditorText();
  OnItemSelected(row, TRUE);
  if (m_nEditItem != row) return 0;
  m_nFocusItem = row;
  CListItemRects rects;
  GetItemRects(row, rects);
  m_edit.MoveWindow(&rects.m_rcValue, FALSE);
  CRect format;
  m_edit.GetClientRect(&format);
  m_edit.SetRectNP(&format);
  if (int first = m_edit.GetFirstVisibleLine(); first > 0) m_edit.LineScroll(-first);
  m_edit.Invalidate();
  return 0;
}

LRESULT CNbEditList::OnItemKillFocus(WPARAM, LPARAM) {
  if (m_bClosingEditor) return 0;
  int first = GetFirstSelectedItemIndex();
  if (first < 0) return 0;
  CRect cell;
  GetItemCell(first, &cell);
  SelectItem(first, FALSE, FALSE);
  cell.InflateRect(1, 1);
  InvalidateRect(&cell, TRUE);
  Redraw();
  return 0;
}

void CNbEditList::HandleLabelPopup(int nIndex, CPoint pt) {
  if (!ValidIndex(nIndex)) return;
  CListItemRects rects;
  GetItemRects(nIndex, rects);
  CMenu loaded;
  CMenu* menu = Row(nIndex).m_pMenu;
  if (!menu && Row(nIndex).m_nMenuID != -1) {
    int id = Row(nIndex).m_nMenuID;
    HMENU h = ::LoadMenu(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_MENU), MAKEINTRESOURCE(id));
    if (h) {
      loaded.Attach(h);
      menu = loaded.GetSubMenu(0);
    }
  }
  if (menu && menu->m_hMenu) {
    ClientToScreen(&pt);
    int count = static_cast<int>(menu->GetMenuItemCount());
    for (int k = 0; k < count; ++k) menu->CheckMenuItem(static_cast<UINT>(k), MF_BYPOSITION | MF_UNCHECKED);
    int old = Row(nIndex).m_nMenuIndex;
    menu->CheckMenuItem(static_cast<UINT>(old), MF_BYPOSITION | MF_CHECKED);
    UINT command = static_cast<UINT>(menu->TrackPopupMenu(TPM_CENTERALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, this));
    int position = -1;
    for (int k = 0; command != 0 && k < count; ++k) {
      if (menu->GetMenuItemID(k) == command) {
        position = k;
        break;
      }
    }
    // The menu ran a loop of its own: the row may be gone.
    if (position >= 0 && ValidIndex(nIndex)) {
      CListItem& row = Row(nIndex);
      row.m_nMenuIndex = position;
      if (!row.m_bFixedLabel) {
        menu->GetMenuString(static_cast<UINT>(position), row.m_desc.m_strLabel, MF_BYPOSITION);
        Redraw(&rects.m_rcLabel);
      }
      if (position != old && GetParent()) {
        GetParent()->PostMessage(WM_EDITLIST_LABELCHANGED, static_cast<WPARAM>(GetDlgCtrlID()),
                                 NbEditListLabelParam(nIndex, position));
      }
    }
  }
  if (loaded.m_hMenu) loaded.DestroyMenu();
}

CWnd* CNbEditList::GetNextVisibleWindow(int bNext) {
  CWnd* parent = GetParent();
  if (!parent) return nullptr;
  // The dialog manager's rule: the next tab stop that is visible and
  // enabled, in the parent's order, around the end.
  HWND next = ::GetNextDlgTabItem(parent->m_hWnd, m_hWnd, bNext ? FALSE : TRUE);
  return next && next != m_hWnd && !::IsChild(m_hWnd, next) ? CWnd::FromHandle(next) : nullptr;
}

void CNbEditList::OnTabKey(int bBackward) {
  auto leave = [this](int bNext) {
    SelectAllItems(FALSE, TRUE);
    // Closing the edit took the focus away; with nowhere else to go it
    // stays with the list.
    if (CWnd* next = GetNextVisibleWindow(bNext)) next->SetFocus();
    else SetFocus();
  };
  int count = GetItemCount();
  if (count == 0) {
    if (CWnd* next = GetNextVisibleWindow(!bBackward)) next->SetFocus();
    return;
  }
  int first = GetFirstSelectedItemIndex();
  if (first < 0) {
    SelectAndScrollItem(0, TRUE);
  } else if (first == 0 && bBackward) {
    leave(FALSE);
  } else if (first == count - 1 && !bBackward) {
    leave(TRUE);
  } else {
    SelectAllItems(FALSE, TRUE);
    SelectAndScrollItem(bBackward ? first - 1 : first + 1, TRUE);
  }
}

LRESULT CNbEditList::OnTabNext(WPARAM, LPARAM) {
  OnTabKey(FALSE);
  return 0;
}

LRESULT CNbEditList::OnTabPrev(WPARAM, LPARAM) {
  OnTabKey(TRUE);
  return 0;
}
