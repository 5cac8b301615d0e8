// The private messages the text fields send or post to their parent window.
#pragma once

// Date field (CNbEditDate), all sent:
#define WM_NB_DATERESTORED 0x04A6  // wParam 0, lParam the restored date's time value
#define WM_NB_DATEKEYDOWN 0x0A0E   // wParam the virtual key; answer 0x0A0E to take the key
#define WM_NB_DATEKEYUP 0x0A0F     // wParam the virtual key; answer 0x0A0F to take the key

// Time fields and the time spin button, posted: wParam the sender's control
// id, lParam the signed step (-1 up, +1 down, 0 any other key; the spin
// button's iDelta).
#define WM_NB_TIMESTEP 0x1D80

// Rich edit field (CNbLumoUIRichEdit):
#define WM_RICHEDIT_DBLCLK 0x2400         // posted: double click while not editable
#define WM_RICHEDIT_CONTEXT 0x2401        // posted: wParam MAKELONG(x, y) on the screen
#define WM_RICHEDIT_KEYPADENTER 0x2402    // sent: the keypad's Enter released
#define WM_RICHEDIT_KILLFOCUS 0x2403      // sent: the field lost the focus
#define WM_RICHEDIT_CLICK 0x2404          // posted: left button pressed
#define WM_RICHEDIT_TAB 0x2405            // posted: wParam 1 for Tab, 0 for Shift+Tab
