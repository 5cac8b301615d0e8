// CNbUICatMgmtDlg: the modal dialog in which the user edits the categories
// of one host database: lists them (category 0 never), makes a new one,
// renames one (to the name of another category: merges the two), deletes
// one (moving its records to category 0 or deleting them with it), and on
// closing reports the selected category. Every change reaches the store at
// once, as one transaction with the records it moves; closing never rolls
// anything back, and the dialog always ends with IDOK.
//
// The store and the record table must share one database. Without a table
// the records are the view's business: it gets NBM_REPLACECATEGORYID and
// NBM_DELETEALLINCATEGORY, sent while the change's transaction is open, so
// a view that keeps its records in the same database moves them in it.
#pragma once

#include "HostCommon/base_dialog.h"
#include "HostCommon/component_doc.h"
#include "HostCommon/sort_list_box.h"
#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"
#include "frame/nbui_export.h"

#define NBM_REPLACECATEGORYID 0x2500    // wParam: old category, lParam: new category
#define NBM_DELETEALLINCATEGORY 0x2501  // wParam: category, lParam: 0

namespace nbui::categories {
template <class Dlg>
class DialogListSide;
}

class NBUI_API CNbUICatMgmtDlg : public CBaseDialog {
 public:
  enum { IDD = 114 };

  CNbUICatMgmtDlg(CCategoryMgr* pCatMgr, CBaseTable* pTable, CString strComponentName,
                  CLumoUIComponentView* pView);
  ~CNbUICatMgmtDlg() override;

  // The category selected when the dialog closed; 0xFFFF for none (and
  // after Cancel).
  unsigned short GetSelectedCatID() const { return m_wSelectedCatID; }
  void SetCurrentUserName(const CString& strName) { m_strCurrentUserName = strName; }
  // 30028 (address view) and 30029 (memo view) choose the conduit whose
  // folder holds the subscription file; any other view has none.
  void SetCurrentViewID(int nID) { m_nCurrentViewID = nID; }
  int GetCurrentViewID() const { return m_nCurrentViewID; }
  // Writes the data folder of the handheld user named as the current user
  // (ignoring case) into strFolder; leaves it alone when there is none.
  void GetCurrentUserName(CString& strFolder) const;

  // Moves every record of nOld to nNew / marks every record of nIndex
  // deleted (see the class comment).
  virtual void ReplaceCategoryID(int nOld, int nNew, int nFlag);
  virtual void DeleteAllInCategory(int nIndex);

  unsigned short m_wSelectedCatID = 0xFFFF;
  int m_bDeleted = 0;
  int m_bNameChanged = 0;
  CSortListBox m_catList;
  CCategoryMgr* m_pCatMgr;
  CBaseTable* m_pTable;
  CString m_strComponentName;
  CLumoUIComponentView* m_pView;
  CString m_strCurrentUserName;
  int m_nCurrentViewID = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnBtnNew();
  void OnBtnDelete();
  void OnBtnRename();
  void OnListDblClk();
  void FillList();

  DECLARE_MESSAGE_MAP()

 private:
  template <class Dlg>
  friend class nbui::categories::DialogListSide;
};
