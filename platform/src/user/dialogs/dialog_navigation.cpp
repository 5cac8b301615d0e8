// Keyboard navigation in dialogs: the tab and group orders, IsDialogMessage
// (Tab, arrows, Enter, Escape and access keys, each left to a control that
// asks for it with WM_GETDLGCODE) and the button helpers.
#include <algorithm>
#include <cctype>
#include <string>

#include "user/dialogs/dialog_internal.h"
#include "win/controls.h"

namespace nbp::user {
namespace {

void AppendControls(HWND parent, std::vector<HWND>* out) {
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) AppendControls(h, out);
    else out->push_back(h);
  }
}

// The entry of `control` in the list: itself, or the ancestor that stands
// for it (a control inside a control, such as a combo box's edit).
int IndexOf(const std::vector<HWND>& list, HWND dialog, HWND control) {
  for (HWND h = control; h && h != dialog; h = GetParent(h)) {
    auto it = std::find(list.begin(), list.end(), h);
    if (it != list.end()) return static_cast<int>(it - list.begin());
    if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return -1;
}

bool HasStyle(HWND h, DWORD bits) { return (static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & bits) != 0; }

// The window that navigates: a child dialog (DS_CONTROL) hands its keys to
// the dialog it is embedded in.
HWND NavigatingDialog(HWND dialog) {
  while ((GetWindowLong(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && HasStyle(dialog, WS_CHILD)) {
    HWND parent = GetParent(dialog);
    if (!parent || !DialogOf(parent)) break;
    dialog = parent;
  }
  return dialog;
}

// The position of the access-key character in a label ("&Today" -> 'T'),
// or 0 when it has none; "&&" is a literal ampersand.
char AccessKeyOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1];
  }
  return 0;
}

std::string TextOf(HWND h) {
  int n = GetWindowTextLength(h);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  GetWindowText(h, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

// Alt+letter, or a letter when the focus takes no characters: the control
// whose label has that access key acts. A button is clicked (a check box or
// radio button takes the focus first); a static text or group box passes
// the focus to the next control that takes it.
bool HandleAccessKey(HWND dialog, WPARAM ch) {
  if (ch >= 0x80 || !std::isalnum(static_cast<int>(ch))) return false;
  char wanted = static_cast<char>(std::tolower(static_cast<int>(ch)));
  std::vector<HWND> list = DialogControls(dialog);
  int n = static_cast<int>(list.size());
  int start = IndexOf(list, dialog, GetFocus());
  for (int step = 1; step <= n; ++step) {
    HWND h = list[static_cast<size_t>(((start < 0 ? -1 : start) + step + n) % n)];
    if (!CanTakeFocus(dialog, h)) continue;
    DWORD code = static_cast<DWORD>(SendMessage(h, WM_GETDLGCODE, 0, 0));
    DWORD type = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & BS_TYPEMASK;
    bool label = (code & DLGC_STATIC) != 0;
    if (label && !(code & DLGC_BUTTON) && HasStyle(h, SS_NOPREFIX)) continue;
    char key = AccessKeyOf(TextOf(h));
    if (!key || std::tolower(static_cast<unsigned char>(key)) != wanted) continue;
    if (label) {
      int at = static_cast<int>(std::find(list.begin(), list.end(), h) - list.begin());
      for (int k = 1; k < n; ++k) {
        HWND next = list[static_cast<size_t>((at + k) % n)];
        if (!CanTakeFocus(dialog, next)) continue;
        if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) continue;
        SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        break;
      }
    } else if (code & DLGC_BUTTON) {
      bool push = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) || type == BS_OWNERDRAW;
      if (!push) SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
      SendMessage(h, BM_CLICK, 0, 0);
    } else {
      SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
    }
    return true;
  }
  return false;
}

void PressDefault(HWND dialog) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus) && (SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
    // The push button with the focus is the default for now: it is the one pressed.
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return;
  }
  DWORD def = static_cast<DWORD>(SendMessage(dialog, DM_GETDEFID, 0, 0));
  if (HIWORD(def) == DC_HASDEFID) {
    WORD id = LOWORD(def);
    HWND button = nullptr;
    for (HWND h : DialogControls(dialog)) {
      if (GetDlgCtrlID(h) == id) button = h;
    }
    if (button && !IsWindowEnabled(button)) {
      MessageBeep(0);
      return;
    }
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return;
  }
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void PressCancel(HWND dialog) {
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (cancel && !IsWindowEnabled(cancel)) {
    MessageBeep(0);
    return;
  }
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

void MoveInGroup(HWND dialog, const MSG* msg) {
  bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
  HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, previous);
  if (next && SendMessage(next, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) ==
                  (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
    // The check follows the focus through a group of automatic radio buttons.
    SetFocus(next);
    if ((GetWindowLong(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
        SendMessage(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
      SendMessage(next, BM_CLICK, 0, 0);
  } else if (next) {
    SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  }
}

// Handles a key for the dialog; false to let the control have it.
bool HandleKeyDown(HWND dialog, MSG* msg) {
  DWORD code = static_cast<DWORD>(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
  if (code & DLGC_WANTMESSAGE) return false;
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      SendMessage(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      MoveInGroup(dialog, msg);
      return true;
    case VK_ESCAPE:
    case VK_CANCEL:
      PressCancel(dialog);
      return true;
    case VK_RETURN:
    case VK_EXECUTE:
      PressDefault(dialog);
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<HWND> DialogControls(HWND dialog) {
  std::vector<HWND> out;
  if (IsWindow(dialog)) AppendControls(dialog, &out);
  return out;
}

bool CanTakeFocus(HWND dialog, HWND control) {
  if (!IsChild(dialog, control)) return false;
  // Measured up to the dialog, which may itself be hidden while it is built.
  for (HWND h = control; h && h != dialog; h = GetParent(h)) {
    DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) return false;
  }
  return true;
}

}  // namespace nbp::user

using namespace nbp::user;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = DialogControls(dialog);
  int n = static_cast<int>(list.size());
  int start = control ? IndexOf(list, dialog, control) : -1;
  auto qualifies = [&](int i) {
    HWND h = list[static_cast<size_t>(i)];
    return HasStyle(h, WS_TABSTOP) && CanTakeFocus(dialog, h);
  };
  if (start < 0) {
    for (int k = 0; k < n; ++k) {
      int i = previous ? n - 1 - k : k;
      if (qualifies(i)) return list[static_cast<size_t>(i)];
    }
    return control;
  }
  for (int step = 1; step < n; ++step) {
    int i = ((previous ? start - step : start + step) % n + n) % n;
    if (qualifies(i)) return list[static_cast<size_t>(i)];
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> list = DialogControls(dialog);
  int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  int at = control ? IndexOf(list, dialog, control) : -1;
  if (at < 0) {
    for (int k = 0; k < n; ++k) {
      HWND h = list[static_cast<size_t>(previous ? n - 1 - k : k)];
      if (CanTakeFocus(dialog, h)) return h;
    }
    return nullptr;
  }
  // The group runs from a WS_GROUP control (or the first control) up to the
  // next WS_GROUP control; moving past either end wraps around.
  int first = at;
  while (first > 0 && !HasStyle(list[static_cast<size_t>(first)], WS_GROUP)) --first;
  int end = at + 1;
  while (end < n && !HasStyle(list[static_cast<size_t>(end)], WS_GROUP)) ++end;
  int size = end - first;
  for (int step = 1; step < size; ++step) {
    int offset = ((at - first + (previous ? -step : step)) % size + size) % size;
    HWND h = list[static_cast<size_t>(first + offset)];
    if (CanTakeFocus(dialog, h)) return h;
  }
  return control;
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  dialog = NavigatingDialog(dialog);
  switch (msg->message) {
    case WM_KEYDOWN:
      if (HandleKeyDown(dialog, msg)) return TRUE;
      break;
    case WM_CHAR: {
      DWORD code = static_cast<DWORD>(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
      if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) break;
      if (msg->wParam == '\t' && (code & DLGC_WANTTAB)) break;
      if (HandleAccessKey(dialog, msg->wParam)) return TRUE;
      break;
    }
    case WM_SYSCHAR:
      if (HandleAccessKey(dialog, msg->wParam)) return TRUE;
      break;
    default:
      break;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return FALSE;
  SendMessage(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (!IsWindow(dialog)) return FALSE;
  for (HWND h = GetWindow(dialog, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(h);
    if (id < first || id > last) continue;
    SendMessage(h, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
