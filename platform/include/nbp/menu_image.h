// The pixels of the last popup menu shown by TrackPopupMenu/TrackPopupMenuEx
// and of the submenus opened from it, as their menu windows painted them
// (frame, items, owner-drawn items), for snapshots, pixel tests and
// interactive desktops that show the menu.
//
// The image is rendered before the desktop is asked to show the menu, so a
// desktop's AskPopupMenu can read it. It stays until the next popup menu is
// shown; a submenu's stays until another submenu opens at its depth.
// Coordinates are those of the menu window, as in
// MenuItemShown::rect.
#pragma once

#include <cairo.h>

#include "win/types.h"

namespace nbp {

// The image (an RGB24 cairo image surface owned by the window system) of
// the menu window painted last, or null when no popup menu has been shown yet.
cairo_surface_t* LastPopupMenuImage();
// The image of the menu window at `depth` (PopupMenuRequest::depth) of the
// last popup menu; null when none was open there.
cairo_surface_t* LastPopupMenuImageAt(int depth);

// One pixel of the image painted last, or of the one at `depth`;
// CLR_INVALID outside it or when there is none.
COLORREF LastPopupMenuPixel(int x, int y);
COLORREF LastPopupMenuPixelAt(int depth, int x, int y);

// Writes the image as a PNG file; false when there is none or writing fails.
bool SaveLastPopupMenuPng(const char* path);

}  // namespace nbp
