// The dialog manager: dialogs built from templates, modal and modeless, their
// default window procedure, keyboard navigation and the dialog-unit helpers,
// with the usual names, values and semantics.
//
// IsDialogMessage is declared in win/user.h with the other message functions.
#pragma once

#include "win/controls.h"
#include "win/user.h"

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles are in win/controls.h.
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// The fixed head of a template in memory; the variable-length fields (menu,
// class, title, font, items) follow it as nbp/dialog_template.h describes.
#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
#pragma pack(pop)
typedef DLGTEMPLATE* LPDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

// The dialog window class (atom 0x8002, "#32770").
#define WC_DIALOG MAKEINTRESOURCE(0x8002)

// The window-extra bytes every dialog window has, and the public slots in
// them. Slots are pointer-sized as on 64-bit Windows (DWLP_*); the DWL_
// names are the same offsets.
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT)))
#define DWLP_USER (DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC)))
#ifndef DWL_MSGRESULT
#define DWL_MSGRESULT 0
#endif
#define DWL_DLGPROC DWLP_DLGPROC
#define DWL_USER DWLP_USER
#define DLGWINDOWEXTRA 48

// Creation. A modeless dialog is returned hidden unless its template has
// WS_VISIBLE. A control whose class does not exist fails the whole dialog
// (NULL), unless the template has DS_NOFAILCREATE: then only that control is
// left out. `instance` is where named resources (the template, a menu, the
// bitmaps of static controls) are looked up.
HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam);
HWND CreateDialogParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC dialogProc,
                       LPARAM initParam);
#define CreateDialogIndirect(i, t, p, f) CreateDialogIndirectParam(i, t, p, f, 0)
#define CreateDialog(i, n, p, f) CreateDialogParam(i, n, p, f, 0)

// Modal dialogs: the owner's top-level window is disabled while the dialog
// runs its own message loop (with IsDialogMessage); the result is what
// EndDialog was given, or -1 when the dialog could not be created.
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam);
INT_PTR DialogBoxParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC dialogProc,
                       LPARAM initParam);
#define DialogBoxIndirect(i, t, p, f) DialogBoxIndirectParam(i, t, p, f, 0)
#define DialogBox(i, n, p, f) DialogBoxParam(i, n, p, f, 0)

// Ends a modal dialog's loop with `result` and hides the dialog (a modeless
// one is hidden, not destroyed). FALSE for a window that is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);

// The dialog class's window procedure: calls the DLGPROC, then does the
// default dialog processing for what it left.
LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Navigation over the dialog's controls in z-order (template order), looking
// into children with WS_EX_CONTROLPARENT. Hidden and disabled controls are
// passed over; the search wraps around. A null `control` starts before the
// first control (after the last with `previous`). Returns `control` itself
// when no other control qualifies.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// Dialog units: base units of the system font (low word horizontal, high
// word vertical), and a rectangle in a dialog's units converted to pixels
// with its font's base units.
LONG GetDialogBaseUnits();
BOOL MapDialogRect(HWND dialog, LPRECT rect);

// Buttons by id.
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks the other radio buttons with ids in [first, last].
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
