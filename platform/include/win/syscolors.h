// The system colors: the classic Windows 2000 scheme (COLOR_BTNFACE is
// RGB(212,208,200), COLOR_HIGHLIGHT RGB(10,36,106), COLOR_WINDOW white).
#pragma once

#include "win/types.h"
#include "win/user_constants.h"

#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

// The color of system color `index` (0..30); 0 for other indexes.
DWORD GetSysColor(int index);

// A brush of system color `index`, owned by the system: it is never deleted
// and follows changes of the color. NULL for other indexes.
HBRUSH GetSysColorBrush(int index);

namespace nbp::gdi {

// Changes one system color (and its brush) for the rest of the process, or
// until ResetSysColorsForTest. Out-of-range indexes are ignored. Windows are
// not told (the window system sends WM_SYSCOLORCHANGE where it needs to).
void SetSysColorForTest(int index, COLORREF color);

// Restores the classic scheme.
void ResetSysColorsForTest();

}  // namespace nbp::gdi
