// The rich edit control: its class names, messages, event mask and
// structures, with the window system's values.
#pragma once

#include "win/messages.h"
#include "win/types.h"

#define RICHEDIT_CLASSA "RichEdit20A"
#define RICHEDIT_CLASS RICHEDIT_CLASSA
#define RICHEDIT_CLASS10A "RICHEDIT"

#ifndef EM_EXGETSEL
#define EM_EXGETSEL (WM_USER + 52)
#endif
#ifndef EM_EXLIMITTEXT
#define EM_EXLIMITTEXT (WM_USER + 53)
#endif
#define EM_EXLINEFROMCHAR (WM_USER + 54)
#ifndef EM_EXSETSEL
#define EM_EXSETSEL (WM_USER + 55)
#endif
#define EM_GETEVENTMASK (WM_USER + 59)
#define EM_GETSELTEXT (WM_USER + 62)
#define EM_HIDESELECTION (WM_USER + 63)
#define EM_SETBKGNDCOLOR (WM_USER + 67)
#ifndef EM_SETEVENTMASK
#define EM_SETEVENTMASK (WM_USER + 69)
#endif
#define EM_GETTEXTRANGE (WM_USER + 75)

#define EM_SETEDITSTYLE (WM_USER + 204)
#define EM_GETEDITSTYLE (WM_USER + 205)
// Edit styles (EM_SETEDITSTYLE: wParam the styles, lParam the mask)
#define SES_BEEPONMAXTEXT 2

// EM_SETEVENTMASK: which notifications the parent receives.
#define ENM_NONE 0x00000000
#define ENM_CHANGE 0x00000001
#define ENM_UPDATE 0x00000002
#define ENM_SCROLL 0x00000004
#define ENM_KEYEVENTS 0x00010000
#define ENM_MOUSEEVENTS 0x00020000
#define ENM_SELCHANGE 0x00080000

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;
};

struct TEXTRANGEA {
  CHARRANGE chrg;
  LPSTR lpstrText;
};
typedef TEXTRANGEA TEXTRANGE;

struct POINTL {
  LONG x;
  LONG y;
};
