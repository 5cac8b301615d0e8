// The dialog manager's own record of a dialog, shared by creation, the
// default dialog procedure and keyboard navigation.
#pragma once

#include <vector>

#include "win/dialogs.h"

namespace nbp::user {

struct DialogInfo {
  HFONT font = nullptr;     // the template's font; null for the system font
  bool ownsFont = false;    // created from DS_SETFONT, deleted with the dialog
  SIZE baseUnits{};         // of that font: pixels per 4 horizontal and 8 vertical dialog units
  WORD defId = 0;           // DM_SETDEFID, or the template's BS_DEFPUSHBUTTON; 0 none
  HWND savedFocus = nullptr;  // the control to give the focus back to on activation
  bool ended = false;       // EndDialog was called
  INT_PTR result = 0;
  bool ownerDisabled = false;  // the dialog manager disabled the owner (modal dialogs)
};

// The record of a dialog window, or null when the window is not a dialog.
DialogInfo* DialogOf(HWND hwnd);
// The record, made when missing (a window of the dialog class created
// without the dialog manager gets one on its first message).
DialogInfo* EnsureDialogInfo(HWND hwnd);
void ForgetDialogInfo(HWND hwnd);

// Base units of a font as Windows computes them: the rounded average width of
// the 52 Latin letters, and the font's height.
SIZE FontBaseUnits(HFONT font);
SIZE SystemBaseUnits();
// MulDiv's rounding (half away from zero).
int ScaleUnits(int value, int numerator, int denominator);

// The dialog's controls in navigation order: children in z-order, with the
// children of WS_EX_CONTROLPARENT windows in place of those windows.
std::vector<HWND> DialogControls(HWND dialog);
// Visible and enabled, with its ancestors up to the dialog.
bool CanTakeFocus(HWND dialog, HWND control);

// Gives a control the focus as the dialog manager does: an edit-like control
// (DLGC_HASSETSEL) has all its text selected first.
void DialogSetFocus(HWND control);

// Makes the push button that has the focus look default (BS_DEFPUSHBUTTON),
// or, when the focus is not on a push button, the dialog's default button.
// The button control calls this as the focus moves into or out of it.
void DialogUpdateDefButton(HWND dialog, HWND focus);

// The modal loop of a dialog that is showing or about to show: keyboard input
// goes through IsDialogMessage, and the loop ends with EndDialog, the
// dialog's destruction or WM_QUIT. Gives the owner back its input when the
// dialog manager took it (DialogInfo::ownerDisabled), destroys the dialog and
// returns its result.
INT_PTR RunDialogLoop(HWND dialog, HWND owner);

}  // namespace nbp::user
