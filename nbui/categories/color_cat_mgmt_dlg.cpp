#include "categories/color_cat_mgmt_dlg.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "NbThemes/nbthemes.h"
#include "categories/cat_mgmt_core_internal.h"
#include "categories/category_data.h"
#include "resources/resource_ids.h"

using nbui::categories::CatDialogState;

namespace {

constexpr int kSwatchSize = 20;
constexpr int kSwatchPitch = 25;
constexpr int kSwatchLeft = 15;
constexpr int kSwatchTop = 185;
constexpr int kSwatchesPerRow = 8;
constexpr int kHighestNewSlot = 15;  // slot 16 is never given by New
constexpr int kLabelGap = 1;

// The swatch rows start 185 pixels down. Where the dialog's font makes the
// "Select color:" label above them reach further down, the label moves up
// (never over the list) so that the swatches do not cover it.
void KeepLabelClearOfSwatches(CWnd& dialog) {
  CWnd* label = dialog.GetDlgItem(IDC_NB_SELECT_COLOR);
  if (!label) return;
  CRect r;
  label->GetWindowRect(&r);
  dialog.ScreenToClient(&r);
  int overlap = r.bottom + kLabelGap - kSwatchTop;
  if (overlap <= 0) return;
  int floor = 0;
  if (CWnd* list = dialog.GetDlgItem(IDC_NB_COLOR_LIST)) {
    CRect l;
    list->GetWindowRect(&l);
    dialog.ScreenToClient(&l);
    floor = l.bottom;
  }
  int top = std::max(floor, static_cast<int>(r.top) - overlap);
  label->SetWindowPos(nullptr, r.left, top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The colored dialog's list: names with their slots, and the swatches that
// follow its selection.
class CNbColorCatListSide : public nbui::categories::DialogListSide<CNbUIColorCatMgmtDlg> {
 public:
  using DialogListSide::DialogListSide;
  CString NameAt(int nIndex) override { return m_dlg.m_catList.GetItemName(nIndex); }
  void Remove(int nIndex) override { m_dlg.m_catList.DeleteItem(nIndex); }
  // A new category gets the lowest slot from 1 to 15 no listed category
  // has (15 when all have one).
  int AddNew(const CString& strName) override {
    std::set<int> used;
    for (int i = 0; i < m_dlg.m_catList.GetCount(); ++i)
      used.insert(m_dlg.m_catList.GetItemSwatchIndex(m_dlg.m_catList.GetItemName(i)));
    int slot = 1;
    while (slot < kHighestNewSlot && used.count(slot)) ++slot;
    return m_dlg.m_catList.AddItem(strName, slot);
  }
  // The renamed category keeps the color chosen for it in this dialog,
  // stored or not.
  int Renamed(int nIndex, const CString& strOld, const CString& strNew, int) override {
    int slot = m_dlg.m_catList.GetItemSwatchIndex(strOld);
    m_dlg.m_catList.DeleteItem(nIndex);
    return m_dlg.m_catList.AddItem(strNew, slot);
  }
  // A change the store refused shows the store's categories again, each
  // with the color chosen for it in this dialog when it has one: a failure
  // elsewhere must not undo the user's unsaved choices.
  void Refill() override {
    CNbSwatchListBox& list = m_dlg.m_catList;
    std::map<std::string, int> chosen;
    for (int i = 0; i < list.GetCount(); ++i) {
      LPCTSTR name = list.GetItemName(i);
      chosen[name] = list.GetItemSwatchIndex(name);
    }
    DialogListSide::Refill();
    for (int i = 0; i < list.GetCount(); ++i) {
      auto kept = chosen.find(list.GetItemName(i));
      if (kept != chosen.end()) list.ChangeItemSwatchIndex(i, kept->second);
    }
  }
  // Selecting by name raises no notification, so the swatches are told
  // here: after New and after a merge the pressed swatch is the selected
  // category's, never the color of one that is gone.
  void SelectName(const CString& strName, bool bExact) override {
    if (bExact) SelectExactly(strName);
    else m_dlg.m_catList.SelectString(-1, strName);
    m_dlg.OnListSelectionChange();
  }
};

BEGIN_MESSAGE_MAP(CNbUIColorCatMgmtDlg, CBaseDialog)
  ON_BN_CLICKED(IDC_NB_COLOR_DELETE, OnBtnDelete)
  ON_BN_CLICKED(IDC_NB_COLOR_NEW, OnBtnNew)
  ON_BN_CLICKED(IDC_NB_COLOR_RENAME, OnBtnRename)
  ON_LBN_DBLCLK(IDC_NB_COLOR_LIST, OnListDblClk)
  ON_LBN_SELCHANGE(IDC_NB_COLOR_LIST, OnListSelectionChange)
  ON_CONTROL_RANGE(BN_CLICKED, NB_FIRST_SWATCH_ID, NB_FIRST_SWATCH_ID + 15, OnBtnSwatch)
END_MESSAGE_MAP()

CNbUIColorCatMgmtDlg::CNbUIColorCatMgmtDlg(CCategoryMgr* pCatMgr, CBaseTable* pTable, CString strComponentName,
                                           CLumoUIComponentView* pView)
    : CBaseDialog(IDD, nullptr, 1, 0),
      m_pCatMgr(pCatMgr),
      m_pTable(pTable),
      m_strComponentName(std::move(strComponentName)),
      m_pView(pView) {}

CNbUIColorCatMgmtDlg::~CNbUIColorCatMgmtDlg() = default;

void CNbUIColorCatMgmtDlg::DoDataExchange(CDataExchange* pDX) {
  CBaseDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NB_COLOR_LIST, m_catList);
}

BOOL CNbUIColorCatMgmtDlg::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  CenterWindow();
  nbui::categories::SetDialogTitle(*this, m_strComponentName);
  KeepLabelClearOfSwatches(*this);
  for (int p = 0; p < NB_CATEGORY_SLOT_COUNT; ++p) {
    int x = kSwatchLeft + kSwatchPitch * (p % kSwatchesPerRow);
    int y = kSwatchTop + kSwatchPitch * (p / kSwatchesPerRow);
    CRect rect(x, y, x + kSwatchSize, y + kSwatchSize);
    m_swatches[p].Create(NbThemeGetSlotColor(NbSwatchSlotAt(p)), WS_CHILD | WS_VISIBLE, rect, this,
                         NB_FIRST_SWATCH_ID + p);
  }
  FillList();
  m_catList.SetCurSel(0);
  OnListSelectionChange();
  return TRUE;
}

void CNbUIColorCatMgmtDlg::FillList() {
  m_catList.ResetContent();
  if (!m_pCatMgr) return;
  CCategory* cat = nullptr;
  for (m_pCatMgr->FindFirst(cat); cat; m_pCatMgr->FindNext(cat))
    if (cat->GetIndex() > 0) m_catList.AddItem(cat->GetName(), NbThemeGetCategorySlot(cat->GetIndex()));
}

void CNbUIColorCatMgmtDlg::GetCurrentUserName(CString& strFolder) const {
  nbui::categories::FindUserFolder(m_strCurrentUserName, strFolder);
}

void CNbUIColorCatMgmtDlg::OnListSelectionChange() {
  int sel = m_catList.GetCurSel();
  if (sel < 0) return;
  int position = NbSwatchPositionOf(m_catList.GetItemSwatchIndex(m_catList.GetItemName(sel)));
  if (position >= 0) SelectCurrentSwatch(NB_FIRST_SWATCH_ID + static_cast<UINT>(position));
}

void CNbUIColorCatMgmtDlg::SelectCurrentSwatch(UINT nID) {
  for (UINT id = NB_FIRST_SWATCH_ID; id < NB_FIRST_SWATCH_ID + NB_CATEGORY_SLOT_COUNT; ++id) {
    auto* swatch = dynamic_cast<CNbColorSwatch*>(GetDlgItem(static_cast<int>(id)));
    if (swatch) swatch->Select(id == nID ? 1 : 0);
  }
}

void CNbUIColorCatMgmtDlg::OnBtnSwatch(UINT nID) {
  int sel = m_catList.GetCurSel();
  if (sel < 0) return;
  m_catList.ChangeItemSwatchIndex(sel, NbSwatchSlotAt(static_cast<int>(nID) - NB_FIRST_SWATCH_ID));
  SelectCurrentSwatch(nID);
  m_bColorChanged = 1;
}

void CNbUIColorCatMgmtDlg::OnBtnNew() { CNbColorCatListSide(*this).Run(nbui::categories::NewCategory); }

void CNbUIColorCatMgmtDlg::OnBtnDelete() { CNbColorCatListSide(*this).Run(nbui::categories::DeleteCategory); }

void CNbUIColorCatMgmtDlg::OnBtnRename() { CNbColorCatListSide(*this).Run(nbui::categories::RenameCategory); }

void CNbUIColorCatMgmtDlg::OnListDblClk() { OnOK(); }

void CNbUIColorCatMgmtDlg::OnOK() {
  m_wSelectedCatID = 0xFFFF;
  if (m_pCatMgr) {
    for (int i = 0; i < m_catList.GetCount(); ++i) {
      LPCTSTR name = m_catList.GetItemName(i);
      CCategory* cat = nullptr;
      if (m_pCatMgr->FindName(name, cat) == CAT_OK && cat)
        NbThemeSetCategorySlot(cat->GetIndex(), m_catList.GetItemSwatchIndex(name));
    }
  }
  m_wSelectedCatID = CNbColorCatListSide(*this).SelectedId();
  CDialog::OnOK();
}

void CNbUIColorCatMgmtDlg::OnCancel() {
  m_catList.SetCurSel(-1);
  OnOK();
}

void CNbUIColorCatMgmtDlg::ReplaceCategoryID(int nOld, int nNew, int nFlag) {
  CatDialogState state = nbui::categories::StateOf(*this);
  nbui::categories::MoveCategoryRecords(state, nOld, nNew, nFlag);
}

void CNbUIColorCatMgmtDlg::DeleteAllInCategory(int nIndex) {
  CatDialogState state = nbui::categories::StateOf(*this);
  nbui::categories::DeleteCategoryRecords(state, nIndex);
}
