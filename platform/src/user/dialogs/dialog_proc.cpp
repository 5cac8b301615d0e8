// The dialog class's window procedure: the dialog procedure first, then the
// dialog manager's defaults (default button, focus kept across activation,
// WM_NEXTDLGCTL, closing as Cancel, background colors).
#include "user/dialogs/dialog_internal.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace nbp::user {
namespace {

bool IsPushButton(DWORD code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

HWND FindControlById(HWND dialog, WORD id) {
  for (HWND h : DialogControls(dialog)) {
    if (GetDlgCtrlID(h) == id) return h;
  }
  return nullptr;
}

void SaveFocus(HWND dialog, DialogInfo* info) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus)) info->savedFocus = focus;
}

// Gives the focus back to the control that had it, or to the first tab stop
// when there is none (after activation, only when the focus is not in the
// dialog already).
void RestoreFocus(HWND dialog, bool justActivated) {
  DialogInfo* info = DialogOf(dialog);
  if (!info || info->ended) return;
  HWND target = info->savedFocus;
  if (!target || !IsWindow(target) || !IsChild(dialog, target) || !CanTakeFocus(dialog, target)) {
    HWND focus = GetFocus();
    if (justActivated && focus && IsChild(dialog, focus)) return;
    target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (!target) target = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (!target) return;
    info->savedFocus = target;
  }
  if (justActivated) SetFocus(target);
  else DialogSetFocus(target);
}

HBRUSH DialogBrush(HWND dialog, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(SendMessage(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(dialog)));
  if (!brush) {
    brush = reinterpret_cast<HBRUSH>(DefWindowProc(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(dialog)));
  }
  return brush;
}

LRESULT DefaultDialogProcessing(HWND dialog, DialogInfo* info, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      if (HBRUSH brush = DialogBrush(dialog, dc)) {
        RECT r;
        GetClientRect(dialog, &r);
        FillRect(dc, &r, brush);
      }
      return 1;
    }
    case WM_SHOWWINDOW:
      if (!wParam) SaveFocus(dialog, info);
      return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus(dialog, true);
      else SaveFocus(dialog, info);
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(dialog, false);
      return 0;
    case DM_SETDEFID:
      if (!info->ended) {
        info->defId = static_cast<WORD>(wParam);
        DialogUpdateDefButton(dialog, GetFocus());
      }
      return TRUE;
    case DM_GETDEFID: {
      if (info->ended) return 0;
      if (info->defId) return MAKELONG(info->defId, DC_HASDEFID);
      for (HWND h : DialogControls(dialog)) {
        if (SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return MAKELONG(GetDlgCtrlID(h), DC_HASDEFID);
      }
      return 0;
    }
    case WM_NEXTDLGCTL: {
      HWND target = reinterpret_cast<HWND>(wParam);
      if (!lParam) {
        HWND focus = GetFocus();
        if (focus && !IsChild(dialog, focus)) focus = nullptr;
        target = GetNextDlgTabItem(dialog, focus, wParam != 0);
      }
      if (target && IsWindow(target)) {
        DialogSetFocus(target);
        DialogUpdateDefButton(dialog, target);
      }
      return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(info->font);
    case WM_CLOSE: {
      // Closing is Cancel, unless Cancel is there and disabled.
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      // A click on the dialog itself closes an open combo box list.
      if (HWND focus = GetFocus(); focus && IsChild(dialog, focus)) {
        if (!SendMessage(focus, 0x014F /*CB_SHOWDROPDOWN*/, FALSE, 0)) {
          HWND parent = GetParent(focus);
          if (parent != dialog) SendMessage(parent, 0x014F, FALSE, 0);
        }
      }
      return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_NCDESTROY: {
      if (info->ownsFont && info->font) DeleteObject(info->font);
      ForgetDialogInfo(dialog);
      return DefWindowProc(dialog, msg, wParam, lParam);
    }
    default:
      return DefWindowProc(dialog, msg, wParam, lParam);
  }
}

// What the dialog procedure's answer means: for most messages TRUE says
// "handled" and the result is in DWLP_MSGRESULT; a few messages return the
// answer itself.
bool ReturnsValueDirectly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
         msg == WM_CHARTOITEM || msg == 0x0037 /*WM_QUERYDRAGICON*/ || msg == WM_INITDIALOG;
}

}  // namespace

void DialogSetFocus(HWND control) {
  if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

void DialogUpdateDefButton(HWND dialog, HWND focus) {
  DialogInfo* info = DialogOf(dialog);
  if (!info || info->ended) return;
  HWND target = nullptr;
  if (focus && IsChild(dialog, focus) && IsPushButton(static_cast<DWORD>(SendMessage(focus, WM_GETDLGCODE, 0, 0)))) {
    target = focus;
  } else if (info->defId) {
    target = FindControlById(dialog, info->defId);
  }
  for (HWND h : DialogControls(dialog)) {
    if (h == target) continue;
    if (SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) SendMessage(h, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
  if (target && (SendMessage(target, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
    SendMessage(target, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

}  // namespace nbp::user

using namespace nbp::user;

LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(dialog)) return 0;
  EnsureDialogInfo(dialog);
  SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
  INT_PTR handled = 0;
  if (auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC))) {
    handled = CallWindowProc(reinterpret_cast<WNDPROC>(proc), dialog, msg, wParam, lParam);
  }
  if (!handled && IsWindow(dialog)) {
    switch (msg) {
      case WM_INITDIALOG:
      case WM_VKEYTOITEM:
      case WM_COMPAREITEM:
      case WM_CHARTOITEM:
        break;
      default:
        if (DialogInfo* info = DialogOf(dialog)) return DefaultDialogProcessing(dialog, info, msg, wParam, lParam);
        return DefWindowProc(dialog, msg, wParam, lParam);
    }
  }
  if (ReturnsValueDirectly(msg)) return handled;
  return IsWindow(dialog) ? GetWindowLongPtr(dialog, DWLP_MSGRESULT) : 0;
}
