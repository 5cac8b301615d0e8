// The handle map of window objects, and the creation hook that attaches a
// framework object to its window before the window's first message.
#include <unordered_map>
#include <vector>

#include "mfc/wnd.h"
#include "nbp/hooks.h"

void NbSetSuperProc(CWnd* wnd, WNDPROC proc) { wnd->m_pfnSuper = proc; }

namespace {

std::unordered_map<HWND, CWnd*>& Permanent() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}
std::unordered_map<HWND, CWnd*>& Temporary() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

CWnd* g_creating = nullptr;  // the object whose window is being created

void CreationHook(HWND hwnd) {
  CWnd* wnd = g_creating;
  if (!wnd) return;
  g_creating = nullptr;
  wnd->Attach(hwnd);
  wnd->PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWL_WNDPROC));
  if (old != &AfxWndProc) {
    NbSetSuperProc(wnd, old);
    SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  }
}

}  // namespace

void NbInstallFrameworkHooks();

void NbBeginCreating(CWnd* wnd) {
  nbp::SetCreateHook(&CreationHook);
  NbInstallFrameworkHooks();
  g_creating = wnd;
}

void NbEndCreating() { g_creating = nullptr; }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  auto it = Permanent().find(hWnd);
  return it == Permanent().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  if (!::IsWindow(hWnd)) return nullptr;
  auto& temp = Temporary();
  auto it = temp.find(hWnd);
  if (it != temp.end()) return it->second;
  CWnd* wnd = new CWnd;
  wnd->m_hWnd = hWnd;
  temp[hWnd] = wnd;
  return wnd;
}

void CWnd::DeleteTempMap() {
  auto& temp = Temporary();
  std::vector<CWnd*> objects;
  for (auto& [h, w] : temp) objects.push_back(w);
  temp.clear();
  for (CWnd* w : objects) {
    w->m_hWnd = nullptr;  // a temporary object never owns its window
    delete w;
  }
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew || m_hWnd) return FALSE;
  NbInstallFrameworkHooks();
  if (FromHandlePermanent(hWndNew)) return FALSE;
  m_hWnd = hWndNew;
  Permanent()[hWndNew] = this;
  // A temporary object for the same window would now be stale.
  auto& temp = Temporary();
  auto it = temp.find(hWndNew);
  if (it != temp.end()) it->second->m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) {
    auto it = Permanent().find(h);
    if (it != Permanent().end() && it->second == this) Permanent().erase(it);
  }
  m_hWnd = nullptr;
  return h;
}

