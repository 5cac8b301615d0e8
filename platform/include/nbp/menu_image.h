// The pixels of the last popup menu shown by TrackPopupMenu/TrackPopupMenuEx,
// as its menu window painted them (frame, items, owner-drawn items), for
// snapshots, pixel tests and interactive desktops that show the menu.
//
// The image is rendered before the desktop is asked to show the menu, so a
// desktop's AskPopupMenu can read it. It stays until the next popup menu is
// shown. Coordinates are those of the menu window, as in
// MenuItemShown::rect.
#pragma once

#include <cairo.h>

#include "win/types.h"

namespace nbp {

// The image (an RGB24 cairo image surface owned by the window system), or
// null when no popup menu has been shown yet.
cairo_surface_t* LastPopupMenuImage();

// One pixel of the image; CLR_INVALID outside it or when there is none.
COLORREF LastPopupMenuPixel(int x, int y);

// Writes the image as a PNG file; false when there is none or writing fails.
bool SaveLastPopupMenuPng(const char* path);

}  // namespace nbp
