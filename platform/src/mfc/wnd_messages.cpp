// How a framework window handles a message: its map first, then the window's
// default processing; commands and notifications also reflect to the control
// that sent them.
#include <vector>

#include "mfc/dc.h"
#include "mfc/menu.h"
#include "mfc/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {

// The message being handled, per nesting level, for Default().
std::vector<MSG>& MessageStack() {
  static std::vector<MSG> stack;
  return stack;
}

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr}};

}  // namespace

// --- CCmdTarget

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP map = {nullptr, &kNoEntries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != message || e->nCode != code) continue;
      if (message == WM_COMMAND || message == WM_NOTIFY) {
        if (id < e->nID || id > e->nLastID) continue;
      }
      return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void*) {
  UINT message = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY) {
    message = WM_NOTIFY;
    code = static_cast<UINT>(static_cast<int>(static_cast<short>(LOWORD(static_cast<UINT>(nCode)))));
  }
  const AFX_MSGMAP* map = GetMessageMap();
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != message || e->nCode != code || nID < e->nID || nID > e->nLastID) continue;
      LRESULT result = 0;
      WPARAM wParam = MAKEWPARAM(nID, code);
      LPARAM lParam = 0;
      LRESULT* pResult = &result;
      if (message == WM_NOTIFY && pExtra) {
        // pExtra: {NMHDR*, LRESULT*}
        auto** pair = static_cast<void**>(pExtra);
        lParam = reinterpret_cast<LPARAM>(pair[0]);
        pResult = static_cast<LRESULT*>(pair[1]);
      }
      if (e->pfn(this, wParam, lParam, pResult)) return TRUE;
    }
  }
  return FALSE;
}

// --- CWnd's own map: the framework's default handling of owner-drawn items
// and control colors, which it reflects to the controls.

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_COMPAREITEM()
  ON_WM_DELETEITEM()
  ON_WM_CTLCOLOR()
  ON_WM_NCDESTROY()
  ON_WM_VSCROLL()
  ON_WM_HSCROLL()
  ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  MessageStack().push_back(MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}});
  LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
  MessageStack().pop_back();
  return result;
}

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (!wnd) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(wnd, hWnd, nMsg, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage() {
  static MSG none{};
  return MessageStack().empty() ? &none : &MessageStack().back();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (!nmhdr || !OnNotify(wParam, lParam, &result)) return FALSE;
    if (pResult) *pResult = result;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), message, 0, 0);
  if (!e) return FALSE;
  BOOL handled = e->pfn(this, wParam, lParam, &result);
  if (handled && pResult) *pResult = result;
  return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* msg = GetCurrentMessage();
  return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (control) {
    // The control that sent it may handle it itself.
    if (ReflectLastMsg(control)) return TRUE;
  }
  if (OnCmdMsg(nID, nCode, nullptr, nullptr)) return TRUE;
  // Menu commands nobody here wants go on to the parent, as a frame routes them.
  if (!control && (GetStyle() & WS_CHILD)) {
    if (HWND parent = ::GetParent(m_hWnd)) {
      ::SendMessage(parent, WM_COMMAND, wParam, lParam);
      return TRUE;
    }
  }
  return FALSE;
}

UINT NbScrollMessagePos(HWND hwnd, int bar, WPARAM wParam, LPARAM lParam) {
  auto message = static_cast<UINT>(static_cast<short>(HIWORD(wParam)));
  WORD code = LOWORD(wParam);
  // Thumb tracking of the window's own bar holds the capture for the window.
  if (lParam || (code != SB_THUMBTRACK && code != SB_THUMBPOSITION) || ::GetCapture() != hwnd) return message;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  // Only a position whose low 16 bits are those of the message is the one
  // the message speaks of (a program may send a position of its own).
  if (!::GetScrollInfo(hwnd, bar, &si) || LOWORD(si.nTrackPos) != HIWORD(wParam)) return message;
  return static_cast<UINT>(si.nTrackPos);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
  if (!nmhdr) return FALSE;
  if (nmhdr->hwndFrom && ReflectLastMsg(nmhdr->hwndFrom, pResult)) return TRUE;
  void* extra[2] = {nmhdr, pResult};
  int code = static_cast<int>(MAKELONG(static_cast<WORD>(nmhdr->code), WM_NOTIFY));
  return OnCmdMsg(static_cast<UINT>(nmhdr->idFrom), code, extra, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (!child) return FALSE;
  return child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* msg = GetCurrentMessage();
  return OnChildNotify(msg->message, msg->wParam, msg->lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  BOOL handled = FALSE;
  switch (message) {
    case WM_COMMAND: {
      const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
      if (e) handled = e->pfn(this, wParam, lParam, &result);
      break;
    }
    case WM_NOTIFY: {
      auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
      const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_NOTIFY, nmhdr->code, 0);
      if (e) handled = e->pfn(this, wParam, lParam, pResult ? pResult : &result);
      if (handled && pResult) return TRUE;
      break;
    }
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_CTLCOLORMSGBOX: {
      const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOREDIT, 0, 0);
      if (e) handled = e->pfn(this, wParam, static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX), &result);
      break;
    }
    case WM_DRAWITEM: case WM_MEASUREITEM: case WM_COMPAREITEM: case WM_DELETEITEM:
    case WM_HSCROLL: case WM_VSCROLL: case WM_PARENTNOTIFY: {
      const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_REFLECT_BASE + message, 0, 0);
      if (e) handled = e->pfn(this, wParam, lParam, &result);
      break;
    }
    default:
      break;
  }
  if (handled && pResult) *pResult = result;
  return handled;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessage(child, message, wParam, lParam);
    if (bDeep) {
      if (CWnd* c = FromHandle(child)) c->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
  }
}

// --- Default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() {
  // The window is gone: the object lets go of it, and may delete itself.
  Default();
  HWND h = m_hWnd;
  if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWL_WNDPROC)) == &AfxWndProc)
    SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  Detach();
  PostNcDestroy();
}
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd)) return;
  Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd)) return;
  Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
    return;
  Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct && lpDrawItemStruct->CtlType == ODT_MENU) {
    if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
      menu->DrawItem(lpDrawItemStruct);
      return;
    }
    if (CMenu* menu = CMenu::FindOwnerDrawMenu(lpDrawItemStruct->itemID)) {
      menu->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (lpDrawItemStruct && ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType == ODT_MENU) {
    if (CMenu* menu = CMenu::FindOwnerDrawMenu(lpMeasureItemStruct->itemID)) {
      menu->MeasureItem(lpMeasureItemStruct);
      return;
    }
  } else if (lpMeasureItemStruct && nIDCtl) {
    if (HWND child = ::GetDlgItem(m_hWnd, nIDCtl); child && ReflectLastMsg(child)) return;
  }
  Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT result = 0;
  if (lpCompareItemStruct && ReflectLastMsg(lpCompareItemStruct->hwndItem, &result)) return static_cast<int>(result);
  return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (lpDeleteItemStruct && ReflectLastMsg(lpDeleteItemStruct->hwndItem)) return;
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT result = 0;
  if (pWnd && pWnd->m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result)) return reinterpret_cast<HBRUSH>(result);
  return reinterpret_cast<HBRUSH>(Default());
}
