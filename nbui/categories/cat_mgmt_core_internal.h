// What the two category management dialogs share: New, Delete, Rename and
// merge over the category store, the records, the undo record and the
// subscription file, with every message a user sees. Each dialog supplies
// its list (CatListSide) and its own record operations; everything else is
// here once.
//
// Every change to the store runs as one transaction with the record moves
// it brings (the database refuses to commit records left in a category that
// no longer exists), and the subscription file is changed only after that
// transaction committed. A failure shows a message, restores the undo
// record and fills the list again from the store, so the list always
// mirrors the store.
#pragma once

#include "HostCommon/component_doc.h"
#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"
#include "mfc/wnd.h"

namespace nbui::categories {

// The list of a management dialog, and the record operations it routes
// through its own (possibly overridden) members.
class CatListSide {
 public:
  virtual ~CatListSide() = default;
  virtual CWnd& Dialog() = 0;
  virtual int Selection() = 0;
  virtual void SetSelection(int nIndex) = 0;
  virtual CString NameAt(int nIndex) = 0;
  virtual void Remove(int nIndex) = 0;
  // Adds a category made by New; returns its position.
  virtual int AddNew(const CString& strName) = 0;
  // Replaces the item at nIndex (named strOld) by the renamed category;
  // returns the new item's position.
  virtual int Renamed(int nIndex, const CString& strOld, const CString& strNew, int nCategory) = 0;
  // Selects the item named strName (LB_SELECTSTRING from the top) or, with
  // bExact, the one named exactly so (LB_FINDSTRINGEXACT, then select it).
  virtual void SelectName(const CString& strName, bool bExact = false) = 0;
  // Fills the list from the store (after a failure).
  virtual void Refill() = 0;
  virtual void MoveRecords(int nOld, int nNew, int nFlag) = 0;
  virtual void DeleteRecords(int nIndex) = 0;
};

struct CatDialogState {
  CCategoryMgr* store;
  CBaseTable* table;
  CLumoUIComponentView* view;
  const CString& userName;
  int viewId;
  int& bDeleted;
  int& bNameChanged;
};

// The dialog's title: string 285 with the component name, or without its
// "%1 " when there is none. Left alone when the result is empty.
void SetDialogTitle(CWnd& dialog, const CString& strComponentName);
// The data folder of the handheld user named strUser (ignoring case) into
// strOut; strOut is left alone when there is no such user or folder.
void FindUserFolder(const CString& strUser, CString& strOut);

void NewCategory(CatDialogState& state, CatListSide& list);
void DeleteCategory(CatDialogState& state, CatListSide& list);
void RenameCategory(CatDialogState& state, CatListSide& list);
// The selected item's category index, or 0xFFFF.
unsigned short SelectedCategoryId(CatDialogState& state, CatListSide& list);

// The records of a category: through the table (one statement each), or,
// without a table, by messages 0x2500/0x2501 to the view. The undo record
// of the view's document hears of it when it holds records.
void MoveCategoryRecords(CatDialogState& state, int nOld, int nNew, int nFlag);
void DeleteCategoryRecords(CatDialogState& state, int nIndex);

// The state of either management dialog (their fields share names).
template <class Dlg>
CatDialogState StateOf(Dlg& dlg) {
  return {dlg.m_pCatMgr,        dlg.m_pTable,   dlg.m_pView,       dlg.m_strCurrentUserName,
          dlg.m_nCurrentViewID, dlg.m_bDeleted, dlg.m_bNameChanged};
}

// What both dialogs' lists do alike; each dialog adds how it adds, names
// and removes items.
template <class Dlg>
class DialogListSide : public CatListSide {
 public:
  explicit DialogListSide(Dlg& dlg) : m_dlg(dlg) {}
  CWnd& Dialog() override { return m_dlg; }
  int Selection() override { return m_dlg.m_catList.GetCurSel(); }
  void SetSelection(int nIndex) override { m_dlg.m_catList.SetCurSel(nIndex); }
  void Refill() override { m_dlg.FillList(); }
  void MoveRecords(int nOld, int nNew, int nFlag) override { m_dlg.ReplaceCategoryID(nOld, nNew, nFlag); }
  void DeleteRecords(int nIndex) override { m_dlg.DeleteAllInCategory(nIndex); }
  // Selects the item named exactly strName, when there is one.
  void SelectExactly(const CString& strName) {
    int at = m_dlg.m_catList.FindStringExact(-1, strName);
    if (at >= 0) m_dlg.m_catList.SetCurSel(at);
  }
  // The selected item's category index, or 0xFFFF.
  unsigned short SelectedId() {
    if (!m_dlg.m_pCatMgr) return 0xFFFF;
    CatDialogState state = StateOf(m_dlg);
    return SelectedCategoryId(state, *this);
  }
  // Runs one of New, Delete or Rename on this dialog (none without a store).
  void Run(void (*operation)(CatDialogState&, CatListSide&)) {
    if (!m_dlg.m_pCatMgr) return;
    CatDialogState state = StateOf(m_dlg);
    operation(state, *this);
  }

 protected:
  Dlg& m_dlg;
};

}  // namespace nbui::categories
