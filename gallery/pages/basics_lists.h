// The Basics page's list controls, drawn by the page as a host's own would
// be: attendees in a sorted owner-drawn list box (the items are records the
// page keeps, ordered by name through CompareItem), and categories in a
// drop-down list whose items show their colors.
#pragma once

#include "mfc/listbox.h"

struct Attendee {
  const char* name;
  COLORREF presence;  // the dot before the name
};

class CAttendeeList : public CListBox {
 public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
  const Attendee* AttendeeAt(int nIndex) const { return static_cast<const Attendee*>(GetItemDataPtr(nIndex)); }
};

class CColorCombo : public CComboBox {
 public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // A named color; the name is the item's text, the color its data.
  int AddColor(LPCTSTR lpszName, COLORREF color);
};
