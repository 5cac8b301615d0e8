// The common controls, with their usual names, values and layouts.
#pragma once

#include "win/commctrl_updown.h"
#include "win/user.h"

// --- Tooltips -------------------------------------------------------------
//
// A tooltip is a top-level popup window owned by the window it serves. Tools
// are whole windows (TTF_IDISHWND, uId the window) or rectangles of a window
// (uId an id, rect in its client coordinates). The owner relays its mouse
// messages with TTM_RELAYEVENT; the tip appears after the initial delay on
// the platform clock, below the cursor, and goes when the mouse leaves the
// tool, a button is pressed, or on TTM_POP / TTM_ACTIVATE FALSE.

#define TOOLTIPS_CLASS "tooltips_class32"
#define TOOLTIPS_CLASSA TOOLTIPS_CLASS

// Styles
#define TTS_ALWAYSTIP 0x01    // tips also while the tool's window is inactive
#define TTS_NOPREFIX 0x02     // '&' shown as it stands
#define TTS_NOANIMATE 0x10
#define TTS_NOFADE 0x20
#define TTS_BALLOON 0x40
#define TTS_CLOSE 0x80

// Tool flags
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000

// TTM_SETDELAYTIME / TTM_GETDELAYTIME
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

// The text of a tool asked for with TTN_GETDISPINFO each time it shows.
#define LPSTR_TEXTCALLBACK ((LPSTR)-1L)
#define LPSTR_TEXTCALLBACKA LPSTR_TEXTCALLBACK

struct TOOLINFO {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;      // the window holding the tool (notifications go there)
  UINT_PTR uId;   // the tool's id, or its window with TTF_IDISHWND
  RECT rect;      // the tool's area in hwnd's client coordinates (not for TTF_IDISHWND)
  HINSTANCE hinst;
  LPSTR lpszText;  // text, MAKEINTRESOURCE(string id) with hinst, or LPSTR_TEXTCALLBACK
  LPARAM lParam;
};
typedef TOOLINFO TOOLINFOA;
typedef TOOLINFO* LPTOOLINFO;
typedef TOOLINFO* PTOOLINFOA;
typedef TOOLINFO* LPTTTOOLINFO;
typedef TOOLINFO TTTOOLINFO;
typedef TOOLINFO TTTOOLINFOA;
// The layout before lParam was added; accepted as a cbSize.
#define TTTOOLINFOA_V1_SIZE (offsetof(TOOLINFO, lParam))
#define TTTOOLINFO_V1_SIZE TTTOOLINFOA_V1_SIZE

struct TTHITTESTINFO {
  HWND hwnd;
  POINT pt;
  TOOLINFO ti;
};
typedef TTHITTESTINFO* LPTTHITTESTINFO;
typedef TTHITTESTINFO* LPHITTESTINFO;

struct NMTTDISPINFO {
  NMHDR hdr;       // hwndFrom the tooltip, idFrom the tool's uId
  LPSTR lpszText;  // set by the receiver: text, szText, or MAKEINTRESOURCE(id) with hinst
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;     // the tool's flags; the receiver may add TTF_DI_SETITEM to keep the text
  LPARAM lParam;   // the tool's lParam
};
typedef NMTTDISPINFO NMTTDISPINFOA;
typedef NMTTDISPINFO* LPNMTTDISPINFO;
typedef NMTTDISPINFO TOOLTIPTEXT;
typedef NMTTDISPINFO TOOLTIPTEXTA;
typedef NMTTDISPINFO* LPTOOLTIPTEXT;
#define TTN_NEEDTEXTA TTN_NEEDTEXT
#define TTN_GETDISPINFOA TTN_GETDISPINFO

// Messages
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOL (WM_USER + 4)
#define TTM_DELTOOL (WM_USER + 5)
#define TTM_NEWTOOLRECT (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLINFO (WM_USER + 8)
#define TTM_SETTOOLINFO (WM_USER + 9)
#define TTM_HITTEST (WM_USER + 10)
#define TTM_GETTEXT (WM_USER + 11)
#define TTM_UPDATETIPTEXT (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_ENUMTOOLS (WM_USER + 14)
#define TTM_GETCURRENTTOOL (WM_USER + 15)
#define TTM_WINDOWFROMPOINT (WM_USER + 16)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_SETMARGIN (WM_USER + 26)
#define TTM_GETMARGIN (WM_USER + 27)
#define TTM_POP (WM_USER + 28)
#define TTM_UPDATE (WM_USER + 29)
#define TTM_ADDTOOLA TTM_ADDTOOL
#define TTM_DELTOOLA TTM_DELTOOL
#define TTM_NEWTOOLRECTA TTM_NEWTOOLRECT
#define TTM_GETTOOLINFOA TTM_GETTOOLINFO
#define TTM_SETTOOLINFOA TTM_SETTOOLINFO
#define TTM_HITTESTA TTM_HITTEST
#define TTM_GETTEXTA TTM_GETTEXT
#define TTM_UPDATETIPTEXTA TTM_UPDATETIPTEXT
#define TTM_ENUMTOOLSA TTM_ENUMTOOLS
#define TTM_GETCURRENTTOOLA TTM_GETCURRENTTOOL
