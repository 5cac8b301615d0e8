// Creating, subclassing and destroying framework windows; the class helpers.
#include <cstdio>
#include <set>
#include <string>

#include "mfc/wnd.h"

void NbBeginCreating(CWnd* wnd);
void NbEndCreating();

namespace {

bool RegisterDefaultClass() {
  static bool done = false;
  if (done) return true;
  WNDCLASS wc{};
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = AFX_WND_CLASS;
  done = RegisterClass(&wc) != 0 || GetClassInfo(nullptr, AFX_WND_CLASS, &wc);
  return done;
}

}  // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // One class per combination, named after it as the framework does.
  static std::set<std::string> names;
  char name[96];
  snprintf(name, sizeof name, "Afx:%x:%lx:%lx:%lx", nClassStyle, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hCursor)),
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hbrBackground)),
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hIcon)));
  auto it = names.find(name);
  if (it != names.end()) return it->c_str();
  WNDCLASS wc{};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.hIcon = hIcon;
  it = names.insert(name).first;
  wc.lpszClassName = it->c_str();
  RegisterClass(&wc);
  return it->c_str();
}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    // A window must not outlive its object: its messages would reach freed memory.
    DestroyWindow();
  }
  if (m_hAccelTable) DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) {
    RegisterDefaultClass();
    cs.lpszClass = AFX_WND_CLASS;
  }
  return TRUE;
}

void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  NbBeginCreating(this);
  HWND hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                               cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  NbEndCreating();
  if (!hwnd) {
    // The window was refused (WM_CREATE returned -1, or no such class); the
    // object may already have been let go of in WM_NCDESTROY.
    return FALSE;
  }
  return m_hWnd == hwnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*) {
  // Windows made with Create are always children.
  if (!pParentWnd) return FALSE;
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, nullptr);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtr(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent) return FALSE;
  HWND control = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  if (m_pfnSuper) SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}
