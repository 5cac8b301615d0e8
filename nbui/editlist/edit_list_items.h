// The rows of the edit list: a row's texts (CListItemDesc), the row with its
// settings (CListItem) and the three rectangles of a row (CListItemRects).
#pragma once

#include "mfc/cstring.h"
#include "mfc/geometry.h"
#include "mfc/menu.h"

#ifndef NBUI_API
#define NBUI_API __attribute__((visibility("default")))
#endif

// The kind of row whose label is drawn left-aligned; every other kind is
// right-aligned against the value column.
#define NB_EDITLIST_TYPE_LEFTLABEL 6

class NBUI_API CListItemDesc {
 public:
  CListItemDesc() = default;
  CListItemDesc(const CListItemDesc&) = default;
  CListItemDesc& operator=(const CListItemDesc&) = default;
  ~CListItemDesc() = default;

  CString m_strLabel;
  CString m_strValue;
};

// One row. Copies share the caller's menu pointer, never the menu.
class NBUI_API CListItem {
 public:
  CListItem() = default;

  BOOL m_bSelected = 0;
  BOOL m_bCollapsed = 0;     // keeps its place, shows only the background
  BOOL m_bFixedLabel = 0;    // a menu choice does not replace the label
  BOOL m_bAcceptEnter = 0;   // Enter in the editor makes a line break
  int m_nID = -1;            // how many rows the list had been given before; -1 outside a list
  int m_nMenuID = -1;        // menu resource whose first submenu offers the labels
  int m_nMenuIndex = -1;     // position of the chosen label in that submenu
  CMenu* m_pMenu = nullptr;  // the caller's label menu, used instead of m_nMenuID
  CListItemDesc m_desc;
  int m_nWidth = 0;          // the cell's width (the client width once laid out)
  int m_nHeight = -1;        // -1: the list's default row height
  int m_nMinRows = 1;
  int m_nType = 0;
  int m_nMaxChars = 255;

  bool HasMenu() const { return m_nMenuID != -1 || m_pMenu != nullptr; }
};

// A row's rectangles in the list's client coordinates, after scrolling.
class NBUI_API CListItemRects {
 public:
  CRect m_rcCell;
  CRect m_rcLabel;
  CRect m_rcValue;
};
