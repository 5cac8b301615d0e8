// CMenu over the window system's menus.
#include "mfc/menu.h"

#include <unordered_map>
#include <vector>

#include "mfc/wnd.h"
#include "win/resources.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
std::unordered_map<HMENU, CMenu*>& Permanent() {
  static std::unordered_map<HMENU, CMenu*> map;
  return map;
}
std::unordered_map<HMENU, CMenu*>& Temporary() {
  static std::unordered_map<HMENU, CMenu*> map;
  return map;
}
}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
  auto it = Permanent().find(hMenu);
  return it == Permanent().end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (!hMenu || !IsMenu(hMenu)) return nullptr;
  if (CMenu* p = FromHandlePermanent(hMenu)) return p;
  auto& temp = Temporary();
  auto it = temp.find(hMenu);
  if (it != temp.end()) return it->second;
  CMenu* menu = new CMenu;
  menu->m_hMenu = hMenu;
  temp[hMenu] = menu;
  return menu;
}

void CMenu::DeleteTempMap() {
  auto& temp = Temporary();
  std::vector<CMenu*> menus;
  for (auto& [h, m] : temp) menus.push_back(m);
  temp.clear();
  for (CMenu* m : menus) {
    m->m_hMenu = nullptr;  // temporary objects never own their menus
    delete m;
  }
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (!hMenu || m_hMenu || FromHandlePermanent(hMenu)) return FALSE;
  m_hMenu = hMenu;
  Permanent()[hMenu] = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (h) {
    auto it = Permanent().find(h);
    if (it != Permanent().end() && it->second == this) Permanent().erase(it);
  }
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  return Attach(::LoadMenu(module, lpszResourceName));
}
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (n <= 0) {
    rString.Empty();
    return 0;
  }
  ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(n), n + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}
CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CMenu* CMenu::FindOwnerDrawMenu(UINT nItemID) {
  for (auto& [h, menu] : Permanent()) {
    UINT state = ::GetMenuState(h, nItemID, MF_BYCOMMAND);
    if (state != 0xFFFFFFFF && (state & MF_OWNERDRAW)) return menu;
  }
  return nullptr;
}
