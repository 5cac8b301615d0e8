// CNbSwatchListBox: a sorted owner-drawn list of names, each drawn after a
// small swatch of its color slot. Names sort by the system default locale's
// alphabetical order. Two items of the same name share one slot.
//
// The list keeps its own copy of every name (an item's data points at it),
// so it never reads text that the caller changes or frees afterwards, such
// as the name of a category the store has since renamed or deleted.
#pragma once

#include <string>
#include <unordered_map>

#include "HostCommon/item_names.h"
#include "frame/nbui_export.h"
#include "mfc/listbox.h"

class NBUI_API CNbSwatchListBox : public CListBox {
 public:
  CNbSwatchListBox();
  ~CNbSwatchListBox() override;

  // Adds a copy of lpszName where it sorts and gives the name nSlot. The
  // position, or the list's error value.
  int AddItem(LPCTSTR lpszName, int nSlot);
  // Forgets the slot of the item's name and removes the item; the count
  // left, or the list's error value.
  int DeleteItem(int nPosition);
  // Gives a name (by an item's position, or by text) a slot and repaints
  // the whole list at once. A position of no item does nothing.
  void ChangeItemSwatchIndex(int nPosition, int nSlot);
  void ChangeItemSwatchIndex(LPCTSTR lpszName, int nSlot);
  // The slot of a name; 0 (which no swatch shows) for a name without one.
  int GetItemSwatchIndex(LPCTSTR lpszName) const;
  // The name of the item at nPosition; null for no such item.
  LPCTSTR GetItemName(int nPosition) const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
  // The list box lets go of an item: its copy of the name is freed.
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void DrawEntireItem(LPDRAWITEMSTRUCT lpDrawItemStruct, int nMode);
  void HandleSelectionState(LPDRAWITEMSTRUCT lpDrawItemStruct, int nMode);
  void HandleFocusState(LPDRAWITEMSTRUCT lpDrawItemStruct, int nMode);
  void DrawString(LPDRAWITEMSTRUCT lpDrawItemStruct, int nMode);

  std::unordered_map<std::string, int> m_slots;
  CItemNameCopies m_names;

  DECLARE_MESSAGE_MAP()
};
