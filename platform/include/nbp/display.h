// Properties of the display that GDI and the window system report.
#pragma once

namespace nbp::display {

// Logical pixels per inch (GetDeviceCaps LOGPIXELSX/LOGPIXELSY). 96 unless a
// desktop sets a scale factor.
int LogPixels();
void SetLogPixels(int dpi);

// The screen's size in pixels (GetSystemMetrics SM_CXSCREEN/SM_CYSCREEN).
int ScreenWidth();
int ScreenHeight();
void SetScreenSize(int width, int height);

}  // namespace nbp::display
