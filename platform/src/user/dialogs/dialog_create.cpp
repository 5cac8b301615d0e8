// Dialogs from templates: dialog units, the dialog's font, its controls,
// WM_INITDIALOG and the focus rule, and the modal loop with EndDialog.
#include <strings.h>

#include <cstring>
#include <optional>
#include <unordered_map>

#include "win/controls.h"
#include "nbp/dialog_template.h"
#include "user/dialogs/dialog_internal.h"
#include "win/gdi.h"
#include "win/resources.h"

namespace nbp::user {
namespace {

std::unordered_map<HWND, DialogInfo>& Infos() {
  static std::unordered_map<HWND, DialogInfo> infos;
  return infos;
}

// The extent of a template in memory. A template given by address carries no
// size, so, like Windows, the walk trusts its terminators; the parser then
// checks everything within that extent. 0 for an extended template.
size_t TemplateExtent(const uint8_t* p) {
  auto word = [p](size_t at) {
    WORD w;
    memcpy(&w, p + at, sizeof w);
    return w;
  };
  auto dword = [p](size_t at) {
    DWORD d;
    memcpy(&d, p + at, sizeof d);
    return d;
  };
  auto skipName = [&](size_t at) {
    WORD first = word(at);
    if (first == 0) return at + 2;
    if (first == 0xFFFF) return at + 4;
    while (word(at) != 0) at += 2;
    return at + 2;
  };
  if (dword(0) == 0xFFFF0001) return 0;
  DWORD style = dword(0);
  WORD count = word(8);
  size_t at = 18;
  at = skipName(at);  // menu
  at = skipName(at);  // class
  at = skipName(at);  // title
  if (style & DS_SETFONT) at = skipName(at + 2);
  for (WORD i = 0; i < count; ++i) {
    at = (at + 3) & ~size_t{3};
    at += 18;
    at = skipName(at);  // class
    at = skipName(at);  // title
    WORD extra = word(at);
    at += extra > 2 ? extra : 2;
  }
  return at;
}

const char* BuiltinClassName(WORD atom) {
  switch (static_cast<DialogClass>(atom)) {
    case DialogClass::Button: return "Button";
    case DialogClass::Edit: return "Edit";
    case DialogClass::Static: return "Static";
    case DialogClass::ListBox: return "ListBox";
    case DialogClass::ScrollBar: return "ScrollBar";
    case DialogClass::ComboBox: return "ComboBox";
  }
  return nullptr;
}

// A name field as the window functions take it: text, or an ordinal.
LPCTSTR NameArg(const DialogName& name) {
  if (name.IsOrdinal()) return MAKEINTRESOURCE(name.ordinal);
  return name.text.empty() ? nullptr : name.text.c_str();
}

HFONT TemplateFont(const DialogTemplate& t, bool* owned) {
  *owned = false;
  if (!(t.style & DS_SETFONT)) {
    if (t.style & DS_FIXEDSYS) return static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    return nullptr;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) DeleteDC(dc);
  HFONT font = CreateFont(-ScaleUnits(t.pointSize, dpi, 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE,
                          t.faceName.c_str());
  *owned = font != nullptr;
  return font;
}

// Where the dialog's window goes: the template's client size in dialog units
// grown by the frame; placed relative to the owner's client area (screen
// with DS_ABSALIGN, the work area's middle with DS_CENTER), kept on the
// screen when it is a top-level window.
RECT DialogWindowRect(const DialogTemplate& t, DWORD style, DWORD exStyle, bool menu, SIZE units, HWND owner) {
  RECT r{0, 0, ScaleUnits(t.cx, units.cx, 4), ScaleUnits(t.cy, units.cy, 8)};
  AdjustWindowRectEx(&r, style, menu, exStyle);
  int width = r.right - r.left, height = r.bottom - r.top;
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  POINT pos{r.left, r.top};
  if (style & DS_CENTER) {
    pos.x = (work.left + work.right - width) / 2;
    pos.y = (work.top + work.bottom - height) / 2;
  } else {
    pos.x += ScaleUnits(t.x, units.cx, 4);
    pos.y += ScaleUnits(t.y, units.cy, 8);
    if (!(style & (WS_CHILD | DS_ABSALIGN)) && owner) ClientToScreen(owner, &pos);
  }
  if (!(style & WS_CHILD)) {
    if (pos.x + width > work.right) pos.x = work.right - width;
    if (pos.y + height > work.bottom) pos.y = work.bottom - height;
    if (pos.x < work.left) pos.x = work.left;
    if (pos.y < work.top) pos.y = work.top;
  }
  return RECT{pos.x, pos.y, pos.x + width, pos.y + height};
}

bool CreateControls(HWND dialog, const DialogTemplate& t, HINSTANCE instance, DialogInfo* info) {
  HWND defButton = nullptr;
  for (const DialogItem& item : t.items) {
    LPCTSTR cls = item.windowClass.IsOrdinal() ? BuiltinClassName(item.windowClass.ordinal) : NameArg(item.windowClass);
    LPCTSTR text = item.title.IsOrdinal() ? nullptr : item.title.text.c_str();
    HWND control = cls ? CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, cls, text, item.style | WS_CHILD,
                                        ScaleUnits(item.x, info->baseUnits.cx, 4),
                                        ScaleUnits(item.y, info->baseUnits.cy, 8),
                                        ScaleUnits(item.cx, info->baseUnits.cx, 4),
                                        ScaleUnits(item.cy, info->baseUnits.cy, 8), dialog,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                        item.creationData.empty() ? nullptr
                                                                  : const_cast<uint8_t*>(item.creationData.data()))
                        : nullptr;
    if (!IsWindow(dialog)) return false;
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (info->font) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(info->font), FALSE);
    // A static's title may name a bitmap resource instead of text.
    if (item.title.IsOrdinal() && (item.style & SS_TYPEMASK) == SS_BITMAP && cls &&
        strcasecmp(cls, "Static") == 0) {
      if (HBITMAP bitmap = LoadBitmap(instance, MAKEINTRESOURCE(item.title.ordinal)))
        SendMessage(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      // Only one default button: a later one wins.
      if (defButton && IsWindow(defButton)) SendMessage(defButton, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
      defButton = control;
      info->defId = item.id;
    }
  }
  return true;
}

HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param,
                        bool modal) {
  DWORD style = t.style;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style &= ~(WS_CAPTION | WS_SYSMENU);
    exStyle |= WS_EX_CONTROLPARENT;
  }
  // A modal dialog's owner is a top-level window; it takes no input until
  // the dialog ends.
  HWND owner = parent;
  if (owner && !(style & WS_CHILD)) owner = GetAncestor(owner, GA_ROOT);
  bool disabledOwner = false;
  if (modal && owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabledOwner = true;
  }
  auto fail = [&]() -> HWND {
    if (disabledOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
    return nullptr;
  };

  bool ownsFont = false;
  HFONT font = TemplateFont(t, &ownsFont);
  SIZE units = font ? FontBaseUnits(font) : SystemBaseUnits();
  HMENU menu = t.menu.IsEmpty() ? nullptr : LoadMenu(instance, NameArg(t.menu));
  RECT r = DialogWindowRect(t, style, exStyle, menu != nullptr, units, owner);
  LPCTSTR cls = t.windowClass.IsEmpty() ? WC_DIALOG : NameArg(t.windowClass);
  HWND dialog = CreateWindowEx(exStyle, cls, t.title.c_str(), style & ~WS_VISIBLE, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, (style & WS_CHILD) ? parent : owner, menu, instance, nullptr);
  if (!dialog) {
    if (ownsFont) DeleteObject(font);
    if (menu) DestroyMenu(menu);
    return fail();
  }
  DialogInfo* info = EnsureDialogInfo(dialog);
  info->font = font;
  info->ownsFont = ownsFont;
  info->baseUnits = units;
  info->ownerDisabled = disabledOwner;
  if (proc) SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (proc && font) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);

  if (!IsWindow(dialog) || !CreateControls(dialog, t, instance, info)) {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return fail();
  }

  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param) && IsWindow(dialog) &&
      (!(t.style & DS_CONTROL) || (t.style & WS_VISIBLE))) {
    // The dialog procedure asked for the default focus. WM_INITDIALOG may
    // have changed the controls, so the first tab stop is looked for again.
    focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (!focus) focus = GetNextDlgGroupItem(dialog, nullptr, FALSE);
    if (focus) {
      DialogSetFocus(focus);
      if (DialogInfo* i = DialogOf(dialog)) i->savedFocus = focus;
    } else if (!(style & WS_CHILD)) {
      SetFocus(dialog);
    }
  }
  if (!IsWindow(dialog)) return fail();
  if ((t.style & WS_VISIBLE) && !(GetWindowLong(dialog, GWL_STYLE) & WS_VISIBLE)) {
    DialogInfo* i = DialogOf(dialog);
    if (!i || !i->ended) ShowWindow(dialog, SW_SHOWNORMAL);
  }
  return IsWindow(dialog) ? dialog : fail();
}

std::optional<DialogTemplate> ReadTemplate(LPCDLGTEMPLATE dialogTemplate) {
  if (!dialogTemplate) return std::nullopt;
  const auto* bytes = reinterpret_cast<const uint8_t*>(dialogTemplate);
  size_t extent = TemplateExtent(bytes);
  if (!extent) return std::nullopt;
  return ParseDialogTemplate(bytes, extent);
}

const std::vector<uint8_t>* FindTemplate(HINSTANCE* instance, LPCTSTR name) {
  if (!name) return nullptr;
  if (!*instance) *instance = AfxGetInstanceHandle();
  return res::FindData(*instance, RT_DIALOG, name);
}

}  // namespace

// The modal loop: the dialog shows when the queue first runs dry, keyboard
// input goes through IsDialogMessage, and the loop ends with EndDialog, the
// dialog's destruction or WM_QUIT (which is posted again for the loop
// outside).
INT_PTR RunDialogLoop(HWND dialog, HWND owner) {
  bool shown = IsWindowVisible(dialog) != 0;
  bool idleMessages = !(GetWindowLong(dialog, GWL_STYLE) & DS_NOIDLEMSG);
  INT_PTR result = 0;
  while (true) {
    DialogInfo* info = DialogOf(dialog);
    if (!info || info->ended) break;
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!shown) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        shown = true;
      }
      if (idleMessages && owner) SendMessage(owner, WM_ENTERIDLE, 0 /*MSGF_DIALOGBOX*/, reinterpret_cast<LPARAM>(dialog));
      if (!IsWindow(dialog)) break;
      GetMessage(&msg, nullptr, 0, 0);
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsWindow(dialog)) break;
    if (!IsDialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (!shown && msg.message == WM_TIMER && IsWindow(dialog)) {
      ShowWindow(dialog, SW_SHOWNORMAL);
      shown = true;
    }
  }
  DialogInfo* info = DialogOf(dialog);
  if (!info) return 0;  // destroyed by someone else: nothing to report
  result = info->result;
  if (info->ownerDisabled && owner && IsWindow(owner)) {
    info->ownerDisabled = false;
    EnableWindow(owner, TRUE);
  }
  DestroyWindow(dialog);
  return result;
}

DialogInfo* DialogOf(HWND hwnd) {
  auto it = Infos().find(hwnd);
  if (it == Infos().end()) return nullptr;
  if (!IsWindow(hwnd)) {
    Infos().erase(it);
    return nullptr;
  }
  return &it->second;
}

DialogInfo* EnsureDialogInfo(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return &Infos()[hwnd];
}

void ForgetDialogInfo(HWND hwnd) { Infos().erase(hwnd); }

int ScaleUnits(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(value) * numerator;
  long long half = (denominator < 0 ? -denominator : denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  long long magnitude = (product < 0 ? -product : product) + half;
  long long q = magnitude / (denominator < 0 ? -denominator : denominator);
  return static_cast<int>(negative ? -q : q);
}

SIZE FontBaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return SIZE{8, 16};
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  TEXTMETRIC tm{};
  GetTextExtentPoint32(dc, kLetters, 52, &extent);
  GetTextMetrics(dc, &tm);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  // The width of 52 letters over 26 is twice the average width: halved
  // with rounding.
  return SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
}

SIZE SystemBaseUnits() { return FontBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))); }

}  // namespace nbp::user

using namespace nbp::user;

LONG GetDialogBaseUnits() {
  SIZE units = SystemBaseUnits();
  return MAKELONG(units.cx, units.cy);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  DialogInfo* info = DialogOf(dialog);
  if (!info || !rect) return FALSE;
  SIZE u = info->baseUnits;
  rect->left = ScaleUnits(rect->left, u.cx, 4);
  rect->right = ScaleUnits(rect->right, u.cx, 4);
  rect->top = ScaleUnits(rect->top, u.cy, 8);
  rect->bottom = ScaleUnits(rect->bottom, u.cy, 8);
  return TRUE;
}

HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam) {
  std::optional<nbp::DialogTemplate> t = ReadTemplate(dialogTemplate);
  if (!t) return nullptr;
  return CreateFromTemplate(instance, *t, parent, dialogProc, initParam, false);
}

HWND CreateDialogParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam) {
  const std::vector<uint8_t>* bytes = FindTemplate(&instance, templateName);
  if (!bytes) return nullptr;
  std::optional<nbp::DialogTemplate> t = nbp::ParseDialogTemplate(*bytes);
  if (!t) return nullptr;
  return CreateFromTemplate(instance, *t, parent, dialogProc, initParam, false);
}

static INT_PTR RunModal(HINSTANCE instance, const nbp::DialogTemplate& t, HWND parent, DLGPROC dialogProc,
                        LPARAM initParam) {
  HWND dialog = CreateFromTemplate(instance, t, parent, dialogProc, initParam, true);
  if (!dialog) return -1;
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner && (GetWindowLong(dialog, GWL_STYLE) & WS_CHILD)) owner = GetParent(dialog);
  return RunDialogLoop(dialog, owner);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam) {
  std::optional<nbp::DialogTemplate> t = ReadTemplate(dialogTemplate);
  if (!t) return -1;
  return RunModal(instance, *t, parent, dialogProc, initParam);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC dialogProc, LPARAM initParam) {
  const std::vector<uint8_t>* bytes = FindTemplate(&instance, templateName);
  if (!bytes) return -1;
  std::optional<nbp::DialogTemplate> t = nbp::ParseDialogTemplate(*bytes);
  if (!t) return -1;
  return RunModal(instance, *t, parent, dialogProc, initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogInfo* info = DialogOf(dialog);
  if (!info) return FALSE;
  info->result = result;
  info->ended = true;
  HWND owner = GetWindow(dialog, GW_OWNER);
  bool wasActive = GetActiveWindow() == dialog;
  if (info->ownerDisabled && owner) {
    info->ownerDisabled = false;
    EnableWindow(owner, TRUE);
  }
  // The control with the focus hears of its loss before the dialog goes.
  if (IsChild(dialog, GetFocus())) SetFocus(dialog);
  SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (wasActive && owner && IsWindowEnabled(owner) && IsWindowVisible(owner)) SetActiveWindow(owner);
  PostMessage(dialog, WM_NULL, 0, 0);
  return TRUE;
}
