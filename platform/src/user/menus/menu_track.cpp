// Popup menus: TrackPopupMenu(Ex) and EndMenu.
//
// The menu window is laid out and painted here, into an image of its own;
// the desktop shows it and answers with the item the user chose. What the
// owner sees follows Windows:
//
//   WM_CANCELMODE        to the window holding the capture
//   WM_ENTERMENULOOP     (TRUE)                 } not with TPM_NONOTIFY
//   WM_INITMENU          (menu)                 }
//   WM_INITMENUPOPUP     (menu, MAKELONG(0, FALSE)), and (submenu, MAKELONG(item
//                        position, FALSE)) as each submenu opens
//   WM_MEASUREITEM       owner-drawn items, the first time their menu is shown
//   WM_DRAWITEM          owner-drawn items
//   WM_UNINITMENUPOPUP   (submenu) as a submenu closes for another         } not with
//   WM_MENUSELECT        the chosen item with the menu holding it, then   } TPM_NONOTIFY
//                        (0xFFFF, 0) as the menu closes                    }
//   WM_UNINITMENUPOPUP   (menu) for each menu still open, deepest first    }
//   WM_EXITMENULOOP      (TRUE)                                            }
//   WM_COMMAND           posted with the chosen id, unless TPM_RETURNCMD
#include <cairo.h>

#include <memory>

#include "internal/gdi_internal.h"
#include "nbp/desktop.h"
#include "nbp/display.h"
#include "nbp/menu_image.h"
#include "user/menus/menu.h"
#include "user/menus/menu_paint.h"
#include "win/gdi.h"
#include "win/rect.h"

namespace nbp::user {
namespace {

// One open menu window: the top menu or one of its submenus.
struct Level {
  HMENU menu = nullptr;
  size_t parentItem = 0;         // the item of the menu above that opened it
  std::vector<MenuItem> items;   // as shown
  PopupMenuRequest request;
};

// One popup menu at a time, as on Windows.
struct Tracking {
  bool active = false;
  bool endRequested = false;  // EndMenu while the menu was being prepared
  HWND owner = nullptr;
  UINT flags = 0;
  std::vector<std::unique_ptr<Level>> levels;  // the top menu first
};
Tracking g_tracking;
// Tells a request's openSubmenu which menu it belongs to.
unsigned g_session = 0;

// The images of the last menu shown, by depth; the last one painted.
std::vector<cairo_surface_t*> g_images;
cairo_surface_t* g_lastImage = nullptr;

void KeepImage(size_t depth, cairo_surface_t* image) {
  while (g_images.size() > depth) {
    cairo_surface_destroy(g_images.back());
    g_images.pop_back();
  }
  g_images.resize(depth);
  g_images.push_back(image);
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

const PopupMenuRequest* OpenSubmenu(size_t depth, size_t item, unsigned session);

// Lays the menu out, paints it and places it at (x, y) clear of `exclude`
// (may be null) as a menu window of `depth`; the level's items and request
// are what was shown.
void Show(Level* level, int x, int y, const RECT* exclude, size_t depth) {
  HWND owner = g_tracking.owner;
  level->items = MenuFromHandle(level->menu)->items;
  MenuFonts fonts = CreateMenuFonts();
  HDC scratch = CreateCompatibleDC(nullptr);
  MenuMetrics metrics = MeasureMenuText(scratch, fonts);
  MeasureOwnerDrawn(level->menu, owner, metrics.itemHeight, &level->items);
  MenuLayout layout = LayOutMenu(level->items, metrics);

  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.size.cx, layout.size.cy);
  HDC dc = nbp::gdi::CreateSurfaceDC(image, POINT{0, 0}, nullptr, nullptr);
  if (dc) {
    PaintMenu(dc, fonts, level->items, layout, metrics, level->menu, owner);
    nbp::gdi::DeleteSurfaceDC(dc);
  }
  cairo_surface_flush(image);
  KeepImage(depth, image);
  DeleteDC(scratch);
  DeleteMenuFonts(&fonts);

  SIZE screen{nbp::display::ScreenWidth(), nbp::display::ScreenHeight()};
  // Submenus open to the right, top-aligned; the top menu as asked.
  UINT placing = depth == 0 ? g_tracking.flags : 0;
  PopupMenuRequest& request = level->request;
  request.menu = level->menu;
  request.owner = owner;
  request.flags = g_tracking.flags;
  request.x = x;
  request.y = y;
  request.placed = PlacePopupMenu(layout.size, x, y, placing, exclude, screen);
  request.depth = static_cast<int>(depth);
  request.items.clear();
  for (size_t i = 0; i < level->items.size(); ++i) request.items.push_back(Shown(level->items[i], layout.items[i]));
  unsigned session = g_session;
  request.openSubmenu = [depth, session](size_t item) { return OpenSubmenu(depth, item, session); };
}

bool Notifying() { return !(g_tracking.flags & TPM_NONOTIFY) && IsWindow(g_tracking.owner); }

// Closes the submenus below `depth`, deepest first.
void CloseBelow(size_t depth) {
  while (g_tracking.levels.size() > depth + 1) {
    HMENU menu = g_tracking.levels.back()->menu;
    g_tracking.levels.pop_back();
    if (Notifying()) SendMessage(g_tracking.owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  }
}

bool Live(unsigned session) { return g_tracking.active && session == g_session && !g_tracking.endRequested; }

const PopupMenuRequest* OpenSubmenu(size_t depth, size_t item, unsigned session) {
  if (!Live(session) || depth >= g_tracking.levels.size()) return nullptr;
  const Level& parent = *g_tracking.levels[depth];
  if (item >= parent.items.size()) return nullptr;
  const MenuItem& opener = parent.items[item];
  if (!opener.IsPopup() || (opener.state & (MF_GRAYED | MF_DISABLED))) return nullptr;
  if (g_tracking.levels.size() > depth + 1 && g_tracking.levels[depth + 1]->parentItem == item)
    return &g_tracking.levels[depth + 1]->request;

  HMENU submenu = opener.submenu;
  // Beside the item, its first item level with the opener; on the left
  // when the right has no room.
  RECT at = parent.request.items[item].rect;
  OffsetRect(&at, parent.request.placed.left, parent.request.placed.top);
  RECT exclude{at.left - kMenuFrame, at.top, at.right + kMenuFrame, at.bottom};
  CloseBelow(depth);
  if (Notifying())
    SendMessage(g_tracking.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                MAKELONG(static_cast<WORD>(item), FALSE));
  Menu* record = MenuFromHandle(submenu);
  if (!Live(session) || !record || record->items.empty() || !IsWindow(g_tracking.owner) ||
      g_tracking.levels.size() != depth + 1)
    return nullptr;
  auto level = std::make_unique<Level>();
  level->menu = submenu;
  level->parentItem = item;
  Show(level.get(), exclude.right, at.top - kMenuFrame, &exclude, depth + 1);
  g_tracking.levels.push_back(std::move(level));
  return &g_tracking.levels.back()->request;
}

// The item `path` names, opening the submenus on its way that the desktop
// has not opened; false when it names nothing that runs a command.
bool Resolve(const MenuPath& path, MenuItem* choice, HMENU* holder) {
  unsigned session = g_session;
  for (size_t depth = 0; depth < path.size(); ++depth) {
    if (depth >= g_tracking.levels.size() || path[depth] < 0) return false;
    size_t index = static_cast<size_t>(path[depth]);
    const Level& level = *g_tracking.levels[depth];
    if (index >= level.items.size()) return false;
    if (depth + 1 < path.size()) {
      if (!OpenSubmenu(depth, index, session)) return false;
      continue;
    }
    if (!level.items[index].IsChoosable()) return false;
    *choice = level.items[index];
    *holder = level.menu;
    return true;
  }
  return false;
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
  ++nbp::user::g_session;
  g_tracking = nbp::user::Tracking{true, false, owner, flags, {}};
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
  HMENU holder = menu;
  nbp::user::Menu* record = nbp::user::MenuFromHandle(menu);
  if (record && !record->items.empty() && IsWindow(owner) && !g_tracking.endRequested) {
    auto top = std::make_unique<nbp::user::Level>();
    top->menu = menu;
    const RECT* exclude = params && params->cbSize >= sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
    nbp::user::Show(top.get(), x, y, exclude, 0);
    g_tracking.levels.push_back(std::move(top));
    if (IsWindow(owner) && !g_tracking.endRequested) {
      nbp::MenuPath answer = nbp::CurrentDesktop().AskPopupMenu(g_tracking.levels[0]->request);
      // Separators, submenu items and grayed or disabled items close the
      // menu without a command.
      chosen = !g_tracking.endRequested && IsWindow(owner) && nbp::user::Resolve(answer, &choice, &holder);
    }
  }

  if (notify && IsWindow(owner)) {
    if (chosen) {
      UINT itemFlags = (choice.type | choice.state | MF_HILITE) & 0xFFFF;
      SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(choice.id, itemFlags), reinterpret_cast<LPARAM>(holder));
    }
    SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  }
  nbp::user::CloseBelow(0);
  if (notify && IsWindow(owner)) {
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

cairo_surface_t* LastPopupMenuImageAt(int depth) {
  const auto& images = nbp::user::g_images;
  return depth >= 0 && static_cast<size_t>(depth) < images.size() ? images[static_cast<size_t>(depth)] : nullptr;
}

COLORREF LastPopupMenuPixel(int x, int y) { return LastPopupMenuPixelAt(-1, x, y); }

COLORREF LastPopupMenuPixelAt(int depth, int x, int y) {
  cairo_surface_t* image = depth < 0 ? nbp::user::g_lastImage : LastPopupMenuImageAt(depth);
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
