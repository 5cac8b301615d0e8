// Popup menus: TrackPopupMenu(Ex) and EndMenu.
//
// The menu window is laid out and painted here, into an image of its own;
// the desktop shows it and answers with the item the user chose. What the
// owner sees follows Windows:
//
//   WM_CANCELMODE        to the window holding the capture
//   WM_ENTERMENULOOP     (TRUE)                 } not with TPM_NONOTIFY
//   WM_INITMENU          (menu)                 }
//   WM_INITMENUPOPUP     (menu, MAKELONG(0, FALSE))
//   WM_MEASUREITEM       owner-drawn items, the first time the menu is shown
//   WM_DRAWITEM          owner-drawn items
//   WM_MENUSELECT        the chosen item, then (0xFFFF, 0) as the menu closes  }
//   WM_UNINITMENUPOPUP   (menu)                                                 } not with
//   WM_EXITMENULOOP      (TRUE)                                                 } TPM_NONOTIFY
//   WM_COMMAND           posted with the chosen id, unless TPM_RETURNCMD
#include <cairo.h>

#include "internal/gdi_internal.h"
#include "nbp/desktop.h"
#include "nbp/display.h"
#include "nbp/menu_image.h"
#include "user/menus/menu.h"
#include "user/menus/menu_paint.h"
#include "win/gdi.h"

namespace nbp::user {
namespace {

// One popup menu at a time, as on Windows.
struct Tracking {
  bool active = false;
  bool endRequested = false;  // EndMenu while the menu was being prepared
};
Tracking g_tracking;

cairo_surface_t* g_lastImage = nullptr;

void KeepImage(cairo_surface_t* image) {
  if (g_lastImage) cairo_surface_destroy(g_lastImage);
  g_lastImage = image;
}

// Asks the owner for the size of each owner-drawn item of `items` (a copy of
// the menu's), once per menu until its items change.
void MeasureOwnerDrawn(HMENU handle, HWND owner, int defaultHeight, std::vector<MenuItem>* items) {
  Menu* menu = MenuFromHandle(handle);
  if (!menu || menu->measured) return;
  menu->measured = true;  // a change made by the owner meanwhile clears it again
  for (MenuItem& item : *items) {
    if (!item.IsOwnerDraw()) continue;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = item.id;
    mis.itemHeight = static_cast<UINT>(defaultHeight);
    mis.itemData = item.data;
    SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    item.ownerSize = SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
  }
  menu = MenuFromHandle(handle);
  if (!menu || !menu->measured || menu->items.size() != items->size()) return;
  for (size_t i = 0; i < items->size(); ++i) menu->items[i].ownerSize = (*items)[i].ownerSize;
}

MenuItemShown Shown(const MenuItem& item, const RECT& rect) {
  MenuItemShown s;
  s.separator = item.IsSeparator();
  s.popup = item.IsPopup();
  s.ownerDraw = item.IsOwnerDraw();
  s.id = (s.separator || s.popup) ? 0 : item.id;
  s.flags = item.type | item.state;
  if (!s.separator && !s.ownerDraw && !item.IsBitmap()) s.text = item.text;
  if (s.ownerDraw) s.data = item.data;
  s.checked = (item.state & MF_CHECKED) != 0;
  s.grayed = item.IsGrayed();
  s.rect = rect;
  return s;
}

// Lays the menu out, paints it and places it; fills `request` and `items`
// (what was shown, in the request's order).
void Show(HMENU handle, HWND owner, UINT flags, int x, int y, const TPMPARAMS* params,
          PopupMenuRequest* request, std::vector<MenuItem>* items) {
  *items = MenuFromHandle(handle)->items;
  MenuFonts fonts = CreateMenuFonts();
  HDC scratch = CreateCompatibleDC(nullptr);
  MenuMetrics metrics = MeasureMenuText(scratch, fonts);
  MeasureOwnerDrawn(handle, owner, metrics.itemHeight, items);
  MenuLayout layout = LayOutMenu(*items, metrics);

  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.size.cx, layout.size.cy);
  HDC dc = nbp::gdi::CreateSurfaceDC(image, POINT{0, 0}, nullptr, nullptr);
  if (dc) {
    PaintMenu(dc, fonts, *items, layout, metrics, handle, owner);
    nbp::gdi::DeleteSurfaceDC(dc);
  }
  cairo_surface_flush(image);
  KeepImage(image);
  DeleteDC(scratch);
  DeleteMenuFonts(&fonts);

  const RECT* exclude = params && params->cbSize >= sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
  SIZE screen{nbp::display::ScreenWidth(), nbp::display::ScreenHeight()};
  request->menu = handle;
  request->owner = owner;
  request->flags = flags;
  request->x = x;
  request->y = y;
  request->placed = PlacePopupMenu(layout.size, x, y, flags, exclude, screen);
  request->items.clear();
  for (size_t i = 0; i < items->size(); ++i) request->items.push_back(Shown((*items)[i], layout.items[i]));
}

}  // namespace
}  // namespace nbp::user

using nbp::user::g_tracking;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
  if (!nbp::user::MenuFromHandle(menu) || !IsWindow(owner) || g_tracking.active) return FALSE;

  // The menu takes the mouse: whoever was tracking it stops first (before
  // the menu counts as open, since stopping may call EndMenu).
  if (GetCapture()) {
    SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
    if (GetCapture()) ReleaseCapture();
  }
  g_tracking = nbp::user::Tracking{true, false};
  bool notify = !(flags & TPM_NONOTIFY);
  if (notify) {
    SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELONG(0, FALSE));
  }

  // The owner may have emptied or destroyed the menu, closed it with
  // EndMenu or gone away while being told: then nothing is shown.
  bool chosen = false;
  nbp::user::MenuItem choice;
  nbp::user::Menu* record = nbp::user::MenuFromHandle(menu);
  if (record && !record->items.empty() && IsWindow(owner) && !g_tracking.endRequested) {
    nbp::PopupMenuRequest request;
    std::vector<nbp::user::MenuItem> shown;
    nbp::user::Show(menu, owner, flags, x, y, params, &request, &shown);
    if (IsWindow(owner) && !g_tracking.endRequested) {
      int answer = nbp::CurrentDesktop().AskPopupMenu(request);
      // Separators, submenu items and grayed or disabled items close the
      // menu without a command.
      if (answer >= 0 && static_cast<size_t>(answer) < shown.size() && shown[answer].IsChoosable()) {
        chosen = true;
        choice = shown[answer];
      }
    }
  }

  if (notify && IsWindow(owner)) {
    if (chosen) {
      UINT itemFlags = (choice.type | choice.state | MF_HILITE) & 0xFFFF;
      SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(choice.id, itemFlags), reinterpret_cast<LPARAM>(menu));
    }
    SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
  }
  g_tracking = nbp::user::Tracking{};

  if (!chosen) return FALSE;
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(choice.id);
  return PostMessage(owner, WM_COMMAND, choice.id, 0) ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
  // The rectangle has been ignored since Windows 95.
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
  if (g_tracking.active) g_tracking.endRequested = true;
  return TRUE;
}

namespace nbp {

cairo_surface_t* LastPopupMenuImage() { return nbp::user::g_lastImage; }

COLORREF LastPopupMenuPixel(int x, int y) {
  cairo_surface_t* image = nbp::user::g_lastImage;
  if (!image || x < 0 || y < 0 || x >= cairo_image_surface_get_width(image) ||
      y >= cairo_image_surface_get_height(image))
    return CLR_INVALID;
  cairo_surface_flush(image);
  const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
  uint32_t px = reinterpret_cast<const uint32_t*>(row)[x];
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

bool SaveLastPopupMenuPng(const char* path) {
  if (!nbp::user::g_lastImage || !path) return false;
  return cairo_surface_write_to_png(nbp::user::g_lastImage, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace nbp
