#include "categories/cat_mgmt_dlg.h"

#include "categories/cat_mgmt_core_internal.h"
#include "resources/resource_ids.h"

using nbui::categories::CatDialogState;

// The plain dialog's list: a sorted list of names.
class CNbCatMgmtListSide : public nbui::categories::CatListSide {
 public:
  explicit CNbCatMgmtListSide(CNbUICatMgmtDlg& dlg) : m_dlg(dlg) {}
  CatDialogState State() {
    return {m_dlg.m_pCatMgr,          m_dlg.m_pTable, m_dlg.m_pView, m_dlg.m_strCurrentUserName,
            m_dlg.m_nCurrentViewID, m_dlg.m_bDeleted, m_dlg.m_bNameChanged};
  }

  CWnd& Dialog() override { return m_dlg; }
  int Selection() override { return m_dlg.m_catList.GetCurSel(); }
  void SetSelection(int nIndex) override { m_dlg.m_catList.SetCurSel(nIndex); }
  CString NameAt(int nIndex) override { return m_dlg.m_catList.GetName(nIndex); }
  void Remove(int nIndex) override { m_dlg.m_catList.DeleteString(static_cast<UINT>(nIndex)); }
  int AddNew(const CString& strName) override { return m_dlg.m_catList.AddName(strName); }
  int Renamed(int nIndex, const CString&, const CString& strNew, int) override {
    Remove(nIndex);
    return m_dlg.m_catList.AddName(strNew);
  }
  void SelectName(const CString& strName, bool bExact) override {
    if (!bExact) {
      m_dlg.m_catList.SelectString(-1, strName);
      return;
    }
    int at = m_dlg.m_catList.FindStringExact(-1, strName);
    if (at >= 0) m_dlg.m_catList.SetCurSel(at);
  }
  void Refill() override { m_dlg.FillList(); }
  void MoveRecords(int nOld, int nNew, int nFlag) override { m_dlg.ReplaceCategoryID(nOld, nNew, nFlag); }
  void DeleteRecords(int nIndex) override { m_dlg.DeleteAllInCategory(nIndex); }

 private:
  CNbUICatMgmtDlg& m_dlg;
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

void CNbUICatMgmtDlg::OnBtnNew() {
  if (!m_pCatMgr) return;
  CNbCatMgmtListSide side(*this);
  CatDialogState state = side.State();
  nbui::categories::NewCategory(state, side);
}

void CNbUICatMgmtDlg::OnBtnDelete() {
  if (!m_pCatMgr) return;
  CNbCatMgmtListSide side(*this);
  CatDialogState state = side.State();
  nbui::categories::DeleteCategory(state, side);
}

void CNbUICatMgmtDlg::OnBtnRename() {
  if (!m_pCatMgr) return;
  CNbCatMgmtListSide side(*this);
  CatDialogState state = side.State();
  nbui::categories::RenameCategory(state, side);
}

void CNbUICatMgmtDlg::OnListDblClk() { OnOK(); }

void CNbUICatMgmtDlg::OnOK() {
  m_wSelectedCatID = 0xFFFF;
  if (m_pCatMgr) {
    CNbCatMgmtListSide side(*this);
    CatDialogState state = side.State();
    m_wSelectedCatID = nbui::categories::SelectedCategoryId(state, side);
  }
  CDialog::OnOK();
}

void CNbUICatMgmtDlg::OnCancel() {
  m_catList.SetCurSel(-1);
  OnOK();
}

void CNbUICatMgmtDlg::ReplaceCategoryID(int nOld, int nNew, int nFlag) {
  CNbCatMgmtListSide side(*this);
  CatDialogState state = side.State();
  nbui::categories::MoveCategoryRecords(state, nOld, nNew, nFlag);
}

void CNbUICatMgmtDlg::DeleteAllInCategory(int nIndex) {
  CNbCatMgmtListSide side(*this);
  CatDialogState state = side.State();
  nbui::categories::DeleteCategoryRecords(state, nIndex);
}
