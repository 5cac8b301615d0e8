// Message maps: tables from a window message (or a command, notification or
// reflected notification) to a member function, chained to the base class's
// table. Each entry carries a small adapter that unpacks wParam/lParam into
// the handler's MFC signature, so a handler with the wrong signature does not
// compile.
#pragma once

#include "mfc/geometry.h"
#include "win/user.h"

class CCmdTarget;

// Returns TRUE when the entry handled the message (the _EX entries may
// decline), with the message result in *pResult.
typedef BOOL (*AFX_MSGTHUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, or WM_COMMAND/WM_NOTIFY (+WM_REFLECT_BASE when reflected)
  UINT nCode;     // control notification code, or 0
  UINT nID;       // control or command id (first of a range), or 0
  UINT nLastID;   // last id of a range
  AFX_MSGTHUNK pfn;
};

// The position a WM_VSCROLL/WM_HSCROLL carries, for OnVScroll/OnHScroll.
// The message has room for 16 bits only; while the user drags the thumb of
// the window's own bar, the bar's whole 32-bit track position is given.
UINT NbScrollMessagePos(HWND hwnd, int bar, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                      \
 protected:                                        \
  static const AFX_MSGMAP* GetThisMessageMap();    \
  const AFX_MSGMAP* GetMessageMap() const override;\
                                                   \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                   \
    typedef theClass ThisClass;                                                       \
    typedef baseClass TheBaseClass;                                                   \
    (void)sizeof(ThisClass);                                                          \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                             \
      {0, 0, 0, 0, nullptr}};                                                         \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                               \
  }

// An entry whose handler body is `body`, run with `self` the object.
#define NB_MSG_ENTRY(msg, code, id, lastId, body)                                                      \
  {(msg), (code), (id), (lastId),                                                                      \
   [](CCmdTarget* target_, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL {                   \
     ThisClass* self = static_cast<ThisClass*>(target_);                                               \
     (void)self; (void)wParam; (void)lParam; (void)pResult;                                            \
     body                                                                                              \
   }},

#define NB_POINT_LPARAM CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))

// Window messages
#define ON_WM_CREATE() NB_MSG_ENTRY(WM_CREATE, 0, 0, 0, *pResult = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); return TRUE;)
#define ON_WM_DESTROY() NB_MSG_ENTRY(WM_DESTROY, 0, 0, 0, self->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() NB_MSG_ENTRY(WM_NCDESTROY, 0, 0, 0, self->OnNcDestroy(); return TRUE;)
#define ON_WM_SIZE() NB_MSG_ENTRY(WM_SIZE, 0, 0, 0, self->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return TRUE;)
#define ON_WM_MOVE() NB_MSG_ENTRY(WM_MOVE, 0, 0, 0, self->OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return TRUE;)
#define ON_WM_PAINT() NB_MSG_ENTRY(WM_PAINT, 0, 0, 0, self->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() NB_MSG_ENTRY(WM_NCPAINT, 0, 0, 0, self->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() NB_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0, *pResult = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); return TRUE;)
#define ON_WM_SETFOCUS() NB_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return TRUE;)
#define ON_WM_KILLFOCUS() NB_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return TRUE;)
#define NB_MOUSE_ENTRY(msg, fn) NB_MSG_ENTRY(msg, 0, 0, 0, self->fn(static_cast<UINT>(wParam), NB_POINT_LPARAM); return TRUE;)
#define ON_WM_MOUSEMOVE() NB_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() NB_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() NB_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() NB_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() NB_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() NB_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() NB_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() NB_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() NB_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL() NB_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, *pResult = self->OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), NB_POINT_LPARAM); return TRUE;)
#define ON_WM_MOUSEACTIVATE() NB_MSG_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0, *pResult = self->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)); return TRUE;)
#define NB_KEY_ENTRY(msg, fn) NB_MSG_ENTRY(msg, 0, 0, 0, self->fn(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return TRUE;)
#define ON_WM_KEYDOWN() NB_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() NB_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() NB_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() NB_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() NB_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() NB_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_TIMER() NB_MSG_ENTRY(WM_TIMER, 0, 0, 0, self->OnTimer(static_cast<UINT_PTR>(wParam)); return TRUE;)
#define ON_WM_VSCROLL() NB_MSG_ENTRY(WM_VSCROLL, 0, 0, 0, self->OnVScroll(LOWORD(wParam), NbScrollMessagePos(self->m_hWnd, SB_VERT, wParam, lParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); return TRUE;)
#define ON_WM_HSCROLL() NB_MSG_ENTRY(WM_HSCROLL, 0, 0, 0, self->OnHScroll(LOWORD(wParam), NbScrollMessagePos(self->m_hWnd, SB_HORZ, wParam, lParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); return TRUE;)
#define ON_WM_SETCURSOR() NB_MSG_ENTRY(WM_SETCURSOR, 0, 0, 0, *pResult = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)); return TRUE;)
#define ON_WM_NCHITTEST() NB_MSG_ENTRY(WM_NCHITTEST, 0, 0, 0, *pResult = self->OnNcHitTest(NB_POINT_LPARAM); return TRUE;)
#define ON_WM_GETDLGCODE() NB_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, *pResult = self->OnGetDlgCode(); return TRUE;)
#define ON_WM_CANCELMODE() NB_MSG_ENTRY(WM_CANCELMODE, 0, 0, 0, self->OnCancelMode(); return TRUE;)
#define ON_WM_CAPTURECHANGED() NB_MSG_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() NB_MSG_ENTRY(WM_SYSCOLORCHANGE, 0, 0, 0, self->OnSysColorChange(); return TRUE;)
#define ON_WM_TIMECHANGE() NB_MSG_ENTRY(WM_TIMECHANGE, 0, 0, 0, self->OnTimeChange(); return TRUE;)
#define ON_WM_SETTINGCHANGE() NB_MSG_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, self->OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam)); return TRUE;)
#define ON_WM_SHOWWINDOW() NB_MSG_ENTRY(WM_SHOWWINDOW, 0, 0, 0, self->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return TRUE;)
#define ON_WM_ENABLE() NB_MSG_ENTRY(WM_ENABLE, 0, 0, 0, self->OnEnable(static_cast<BOOL>(wParam)); return TRUE;)
#define ON_WM_ACTIVATE() NB_MSG_ENTRY(WM_ACTIVATE, 0, 0, 0, self->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), static_cast<BOOL>(HIWORD(wParam))); return TRUE;)
#define ON_WM_CLOSE() NB_MSG_ENTRY(WM_CLOSE, 0, 0, 0, self->OnClose(); return TRUE;)
#define ON_WM_CONTEXTMENU() NB_MSG_ENTRY(WM_CONTEXTMENU, 0, 0, 0, self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), NB_POINT_LPARAM); return TRUE;)
#define ON_WM_DRAWITEM() NB_MSG_ENTRY(WM_DRAWITEM, 0, 0, 0, self->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() NB_MSG_ENTRY(WM_MEASUREITEM, 0, 0, 0, self->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM() NB_MSG_ENTRY(WM_COMPAREITEM, 0, 0, 0, *pResult = self->OnCompareItem(static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); return TRUE;)
#define ON_WM_DELETEITEM() NB_MSG_ENTRY(WM_DELETEITEM, 0, 0, 0, self->OnDeleteItem(static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() NB_MSG_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() NB_MSG_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); return TRUE;)
#define ON_WM_INITMENUPOPUP() NB_MSG_ENTRY(WM_INITMENUPOPUP, 0, 0, 0, self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), static_cast<BOOL>(HIWORD(lParam))); return TRUE;)
#define ON_WM_MENUSELECT() NB_MSG_ENTRY(WM_MENUSELECT, 0, 0, 0, self->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return TRUE;)
#define ON_WM_PARENTNOTIFY() NB_MSG_ENTRY(WM_PARENTNOTIFY, 0, 0, 0, self->OnParentNotify(static_cast<UINT>(wParam), lParam); return TRUE;)
#define ON_WM_CTLCOLOR() \
  NB_MSG_ENTRY(WM_CTLCOLOREDIT, 0, 0, 0, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_EDIT)); return TRUE;) \
  NB_MSG_ENTRY(WM_CTLCOLORLISTBOX, 0, 0, 0, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_LISTBOX)); return TRUE;) \
  NB_MSG_ENTRY(WM_CTLCOLORBTN, 0, 0, 0, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_BTN)); return TRUE;) \
  NB_MSG_ENTRY(WM_CTLCOLORDLG, 0, 0, 0, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_DLG)); return TRUE;) \
  NB_MSG_ENTRY(WM_CTLCOLORSTATIC, 0, 0, 0, *pResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), CTLCOLOR_STATIC)); return TRUE;)

// Reflected notifications (handled by the control that sent them)
#define ON_WM_DRAWITEM_REFLECT() NB_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() NB_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT() NB_MSG_ENTRY(WM_REFLECT_BASE + WM_COMPAREITEM, 0, 0, 0, *pResult = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); return TRUE;)
#define ON_WM_DELETEITEM_REFLECT() NB_MSG_ENTRY(WM_REFLECT_BASE + WM_DELETEITEM, 0, 0, 0, self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); *pResult = TRUE; return TRUE;)
#define ON_WM_CTLCOLOR_REFLECT() NB_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOREDIT, 0, 0, 0, HBRUSH b_ = self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), static_cast<UINT>(lParam)); *pResult = reinterpret_cast<LRESULT>(b_); return b_ != nullptr;)
#define ON_CONTROL_REFLECT(code, fn) NB_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0, self->fn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, fn) NB_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0, return self->fn();)
#define ON_NOTIFY_REFLECT(code, fn) NB_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(code), 0, 0, self->fn(reinterpret_cast<NMHDR*>(lParam), pResult); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(code, fn) NB_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(code), 0, 0, return self->fn(reinterpret_cast<NMHDR*>(lParam), pResult);)

// Commands and notifications from children
#define ON_COMMAND(id, fn) NB_MSG_ENTRY(WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), self->fn(); return TRUE;)
#define ON_COMMAND_RANGE(id, idLast, fn) NB_MSG_ENTRY(WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(idLast), self->fn(static_cast<UINT>(LOWORD(wParam))); return TRUE;)
#define ON_CONTROL(code, id, fn) NB_MSG_ENTRY(WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), self->fn(); return TRUE;)
#define ON_CONTROL_RANGE(code, id, idLast, fn) NB_MSG_ENTRY(WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), self->fn(static_cast<UINT>(LOWORD(wParam))); return TRUE;)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_NOTIFY(code, id, fn) NB_MSG_ENTRY(WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), self->fn(reinterpret_cast<NMHDR*>(lParam), pResult); return TRUE;)

// Any message, by number: LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(message, fn) NB_MSG_ENTRY(static_cast<UINT>(message), 0, 0, 0, *pResult = self->fn(wParam, lParam); return TRUE;)
#define ON_MESSAGE_VOID(message, fn) NB_MSG_ENTRY(static_cast<UINT>(message), 0, 0, 0, self->fn(); return TRUE;)

// OnCtlColor's nCtlColor values
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
