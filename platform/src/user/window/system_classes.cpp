// The window system's built-in window classes, registered before any lookup
// so that every module can create them by name.
#include "user/window/system_classes.h"

#include "win/commctrl.h"
#include "win/commctrl_updown.h"
#include "win/controls.h"
#include "win/dialogs.h"
#include "win/richedit.h"
#include "win/user.h"

namespace nbp::user {

void RegisterSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  struct Builtin {
    const char* name;
    WNDPROC proc;
    UINT style;
    LPCTSTR cursor;
    int wndExtra = sizeof(void*);
  };
  const Builtin builtins[] = {
      {WC_BUTTON, &ButtonProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
      {WC_STATIC, &StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {WC_EDIT, &EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {RICHEDIT_CLASSA, &RichEditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {RICHEDIT_CLASS10A, &RichEditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {UPDOWN_CLASS, &UpDownProc, CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
      {"#32770", &DefDlgProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW, DLGWINDOWEXTRA},
      {TOOLTIPS_CLASS, &TooltipProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
      {WC_LISTBOX, &ListBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {"ComboLBox", &ComboListProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
      {WC_COMBOBOX, &ComboBoxProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW},
  };
  for (const Builtin& b : builtins) {
    WNDCLASS wc{};
    wc.style = b.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = b.proc;
    wc.cbWndExtra = b.wndExtra;
    wc.hCursor = LoadCursor(nullptr, b.cursor);
    wc.lpszClassName = b.name;
    RegisterClass(&wc);
  }
}

}  // namespace nbp::user
