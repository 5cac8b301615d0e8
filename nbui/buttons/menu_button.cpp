// The menu button's behaviour: the menu it drops down, the keys that open
// it, and its caption.
#include "buttons/menu_button.h"

namespace {
// Bit 14 of a key message's flags: the key was already down (auto-repeat).
constexpr UINT kKeyWasDown = 0x4000;
}  // namespace

BEGIN_MESSAGE_MAP(CNbMenuButton, CButton)
  ON_WM_CREATE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
  ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CNbMenuButton::CNbMenuButton() = default;

CNbMenuButton::~CNbMenuButton() {
  if (m_hWnd) DestroyWindow();
}

BOOL CNbMenuButton::Create(UINT nMenuID, int nIndex, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_nMenuID = nMenuID;
  m_pMenu = nullptr;
  m_nMenuIndex = nIndex;
  return CButton::Create("", dwStyle, rect, pParentWnd, nID);
}

BOOL CNbMenuButton::Create(CMenu* pMenu, int nIndex, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_pMenu = pMenu;
  m_nMenuIndex = nIndex;
  return CButton::Create("", dwStyle, rect, pParentWnd, nID);
}

BOOL CNbMenuButton::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_OWNERDRAW;
  return CButton::PreCreateWindow(cs);
}

int CNbMenuButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  UpdateButtonText();
  return 0;
}

CMenu* CNbMenuButton::MenuInUse(CMenu& loaded) const {
  if (m_pMenu) return m_pMenu;
  if (!m_nMenuID || !loaded.LoadMenu(m_nMenuID)) return nullptr;
  return loaded.GetSubMenu(0);
}

void CNbMenuButton::SetButtonMenu(CMenu* pMenu, int nIndex) {
  m_pMenu = pMenu;
  m_nMenuIndex = nIndex;
  UpdateButtonText();
}

void CNbMenuButton::SetMenuIndex(int nIndex) {
  m_nMenuIndex = nIndex;
  UpdateButtonText();
}

void CNbMenuButton::UpdateButtonText() {
  if (!m_hWnd) return;
  CMenu loaded;
  CString text;
  if (CMenu* menu = MenuInUse(loaded); menu && m_nMenuIndex >= 0)
    menu->GetMenuString(static_cast<UINT>(m_nMenuIndex), text, MF_BYPOSITION);
  SetWindowText(text);
}

BOOL CNbMenuButton::OnClicked() {
  CMenu loaded;
  CMenu* menu = MenuInUse(loaded);
  if (!menu) return TRUE;
  CRect button;
  GetWindowRect(&button);
  UINT count = menu->GetMenuItemCount();
  for (UINT i = 0; i < count; ++i) menu->CheckMenuItem(i, MF_BYPOSITION | MF_UNCHECKED);
  if (m_nMenuIndex >= 0) menu->CheckMenuItem(static_cast<UINT>(m_nMenuIndex), MF_BYPOSITION | MF_CHECKED);
  UINT chosen = static_cast<UINT>(
      menu->TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, button.left + 10, button.top + 10, this));
  if (!chosen || !m_hWnd) return TRUE;
  for (UINT i = 0; i < count; ++i) {
    if (menu->GetMenuItemID(static_cast<int>(i)) == chosen) {
      m_nMenuIndex = static_cast<int>(i);
      UpdateButtonText();
      return TRUE;
    }
  }
  // A command from a submenu: the host acts on it as on any menu command.
  ::PostMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  return TRUE;
}

void CNbMenuButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CNbMenuButton::PostClick() {
  ::PostMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                reinterpret_cast<LPARAM>(m_hWnd));
}

void CNbMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_RETURN) {
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  // Held down, Enter opens the menu once.
  if (!(nFlags & kKeyWasDown)) PostClick();
}

void CNbMenuButton::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // Alt+Down drops the menu down, as it drops a combo box's list.
  if (nChar == VK_DOWN) {
    if (!(nFlags & kKeyWasDown)) PostClick();
    return;
  }
  CButton::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CNbMenuButton::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = DefWindowProc(WM_GETDLGCODE, wParam, lParam);
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
    code |= DLGC_WANTALLKEYS;
  return code;
}

void CNbMenuButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
