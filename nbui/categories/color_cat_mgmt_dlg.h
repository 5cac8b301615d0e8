// CNbUIColorCatMgmtDlg: the category dialog for calendar events ("Edit
// Event Categories"). It does everything CNbUICatMgmtDlg does, with the same
// rules and messages, and lets the user give each category one of the 16
// category colors with the swatch buttons under the list. A color chosen
// lives in the list until the dialog closes (by OK or Cancel alike), when
// every listed category's slot is written to the theme service.
#pragma once

#include "HostCommon/base_dialog.h"
#include "HostCommon/component_doc.h"
#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"
#include "categories/color_swatch.h"
#include "categories/swatch_list_box.h"
#include "frame/nbui_export.h"

#define NB_FIRST_SWATCH_ID 1000

namespace nbui::categories {
template <class Dlg>
class DialogListSide;
}

class NBUI_API CNbUIColorCatMgmtDlg : public CBaseDialog {
 public:
  enum { IDD = 600 };

  CNbUIColorCatMgmtDlg(CCategoryMgr* pCatMgr, CBaseTable* pTable, CString strComponentName,
                       CLumoUIComponentView* pView);
  ~CNbUIColorCatMgmtDlg() override;

  unsigned short GetSelectedCatID() const { return m_wSelectedCatID; }
  void SetCurrentUserName(const CString& strName) { m_strCurrentUserName = strName; }
  void SetCurrentViewID(int nID) { m_nCurrentViewID = nID; }
  int GetCurrentViewID() const { return m_nCurrentViewID; }
  void GetCurrentUserName(CString& strFolder) const;

  void ReplaceCategoryID(int nOld, int nNew, int nFlag);
  void DeleteAllInCategory(int nIndex);

  // Presses the swatch of the selected category's color (none selected, or
  // a slot no swatch shows: the swatches stay as they are).
  virtual void OnListSelectionChange();
  // Gives the selected category the color of swatch nID (1000 to 1015).
  void OnBtnSwatch(UINT nID);
  // Shows exactly swatch nID as pressed.
  void SelectCurrentSwatch(UINT nID);

  unsigned short m_wSelectedCatID = 0xFFFF;
  int m_bDeleted = 0;
  int m_bNameChanged = 0;
  int m_bColorChanged = 0;
  CNbSwatchListBox m_catList;
  CCategoryMgr* m_pCatMgr;
  CBaseTable* m_pTable;
  CString m_strComponentName;
  CLumoUIComponentView* m_pView;
  CString m_strCurrentUserName;
  int m_nCurrentViewID = 0;
  CNbColorSwatch m_swatches[16];

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
