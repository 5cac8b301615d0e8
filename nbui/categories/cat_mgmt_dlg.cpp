#include "categories/cat_mgmt_dlg.h"

#include "categories/cat_mgmt_core_internal.h"
#include "resources/resource_ids.h"

using nbui::categories::CatDialogState;

// The plain dialog's list: a sorted list of names.
class CNbCatMgmtListSide : public nbui::categories::DialogListSide<CNbUICatMgmtDlg> {
 public:
  using DialogListSide::DialogListSide;
  CString NameAt(int nIndex) override { return m_dlg.m_catList.GetName(nIndex); }
  void Remove(int nIndex) override { m_dlg.m_catList.DeleteString(static_cast<UINT>(nIndex)); }
  int AddNew(const CString& strName) override { return m_dlg.m_catList.AddName(strName); }
  int Renamed(int nIndex, const CString&, const CString& strNew, int) override {
    Remove(nIndex);
    return m_dlg.m_catList.AddName(strNew);
  }
  void SelectName(const CString& strName, bool bExact) override {
    if (bExact) SelectExactly(strName);
    else m_dlg.m_catList.SelectString(-1, strName);
  }
};

BEGIN_MESSAGE_MAP(CNbUICatMgmtDlg, CBaseDialog)
  ON_BN_CLICKED(IDC_NB_CATEGORY_NEW, OnBtnNew)
  ON_BN_CLICKED(IDC_NB_CATEGORY_DELETE, OnBtnDelete)
  ON_BN_CLICKED(IDC_NB_CATEGORY_RENAME, OnBtnRename)
  ON_LBN_DBLCLK(IDC_NB_CATEGORY_LIST, OnListDblClk)
END_MESSAGE_MAP()

CNbUICatMgmtDlg::CNbUICatMgmtDlg(CCategoryMgr* pCatMgr, CBaseTable* pTable, CString strComponentName,
                                 CLumoUIComponentView* pView)
    : CBaseDialog(IDD, nullptr, 1, 0),
      m_pCatMgr(pCatMgr),
      m_pTable(pTable),
      m_strComponentName(std::move(strComponentName)),
      m_pView(pView) {}

CNbUICatMgmtDlg::~CNbUICatMgmtDlg() = default;

void CNbUICatMgmtDlg::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NB_CATEGORY_LIST, m_catList);
}

BOOL CNbUICatMgmtDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  CenterWindow();
  nbui::categories::SetDialogTitle(*this, m_strComponentName);
  FillList();
  m_catList.SetCurSel(-1);
  return TRUE;
}

void CNbUICatMgmtDlg::FillList() {
  m_catList.ResetContent();
  if (!m_pCatMgr) return;
  CCategory* cat = nullptr;
  for (m_pCatMgr->FindFirst(cat); cat; m_pCatMgr->FindNext(cat))
    if (cat->GetIndex() != 0) m_catList.AddName(cat->GetName());
}

void CNbUICatMgmtDlg::GetCurrentUserName(CString& strFolder) const {
  nbui::categories::FindUserFolder(m_strCurrentUserName, strFolder);
}

void CNbUICatMgmtDlg::OnBtnNew() { CNbCatMgmtListSide(*this).Run(nbui::categories::NewCategory); }

void CNbUICatMgmtDlg::OnBtnDelete() { CNbCatMgmtListSide(*this).Run(nbui::categories::DeleteCategory); }

void CNbUICatMgmtDlg::OnBtnRename() { CNbCatMgmtListSide(*this).Run(nbui::categories::RenameCategory); }

void CNbUICatMgmtDlg::OnListDblClk() { OnOK(); }

void CNbUICatMgmtDlg::OnOK() {
  m_wSelectedCatID = CNbCatMgmtListSide(*this).SelectedId();
  CDialog::OnOK();
}

void CNbUICatMgmtDlg::OnCancel() {
  m_catList.SetCurSel(-1);
  OnOK();
}

void CNbUICatMgmtDlg::ReplaceCategoryID(int nOld, int nNew, int nFlag) {
  CatDialogState state = nbui::categories::StateOf(*this);
  nbui::categories::MoveCategoryRecords(state, nOld, nNew, nFlag);
}

void CNbUICatMgmtDlg::DeleteAllInCategory(int nIndex) {
  CatDialogState state = nbui::categories::StateOf(*this);
  nbui::categories::DeleteCategoryRecords(state, nIndex);
}
