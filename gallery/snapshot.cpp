#include "snapshot.h"

#include <cairo.h>

#include <cctype>
#include <filesystem>
#include <vector>

#include "gallery_window.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/menu_image.h"
#include "nbp/test_driver.h"

namespace {

// Draws a picture file over the shot with its top-left at (x, y).
void Overlay(cairo_t* cr, cairo_surface_t* image, double x, double y) {
  cairo_set_source_surface(cr, image, x, y);
  cairo_paint(cr);
}

// The window's pixels with what a user would see over them: the windows it
// owns that are showing (tooltips) and the popup menu the state opened, with
// its submenus (`menus`, one per depth, the top menu first).
bool SaveAsSeen(HWND hwnd, const std::string& path, const std::vector<const nbp::PopupMenuRequest*>& menus) {
  if (!nbp::SaveWindowPng(hwnd, path.c_str())) return false;
  cairo_surface_t* shot = cairo_image_surface_create_from_png(path.c_str());
  RECT window;
  GetWindowRect(hwnd, &window);
  cairo_t* cr = cairo_create(shot);
  std::vector<HWND> owned;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    if (top != hwnd && IsWindowVisible(top) && GetAncestor(GetWindow(top, GW_OWNER), GA_ROOT) == hwnd) owned.push_back(top);
  }
  // Back to front, as they stack.
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    std::string part = path + ".part.png";
    if (!nbp::SaveWindowPng(*it, part.c_str())) continue;
    cairo_surface_t* image = cairo_image_surface_create_from_png(part.c_str());
    RECT r;
    GetWindowRect(*it, &r);
    Overlay(cr, image, r.left - window.left, r.top - window.top);
    cairo_surface_destroy(image);
    std::filesystem::remove(part);
  }
  for (const nbp::PopupMenuRequest* menu : menus) {
    if (cairo_surface_t* image = nbp::LastPopupMenuImageAt(menu->depth))
      Overlay(cr, image, menu->placed.left - window.left, menu->placed.top - window.top);
  }
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(shot, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(shot);
  return ok;
}

// The windows of the last popup menu among `shown` from `first` on: its top
// menu, then the submenu last opened at each depth below it.
std::vector<const nbp::PopupMenuRequest*> LastMenuOpened(const std::vector<nbp::PopupMenuRequest>& shown,
                                                          size_t first) {
  std::vector<const nbp::PopupMenuRequest*> menus;
  size_t top = shown.size();
  while (top > first && shown[top - 1].depth != 0) --top;
  if (top == first) return menus;
  for (size_t i = top - 1; i < shown.size(); ++i) {
    size_t depth = static_cast<size_t>(shown[i].depth);
    if (depth > menus.size()) continue;
    menus.resize(depth);
    menus.push_back(&shown[i]);
  }
  return menus;
}

}  // namespace

std::string Slug(const std::string& title) {
  std::string slug;
  for (char c : title) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

std::vector<std::string> WriteSnapshots(const std::string& folder,
                                        const std::function<void(const std::string&)>& onWritten) {
  std::vector<std::string> written;
  std::filesystem::create_directories(folder);
  nbp::clock::Pin(kPictureTime);
  nbp::HeadlessDesktop* desktop = nbp::Headless();
  int pages = 0;
  {
    CGalleryWindow probe;
    if (!probe.CreateGallery()) return written;
    pages = probe.PageCount();
    probe.DestroyWindow();
  }
  for (int i = 0; i < pages; ++i) {
    // One fresh window per picture, so that states don't leak into each other.
    auto picture = [&](const std::string& name, const CGalleryPage::State* state) {
      CGalleryWindow window;
      if (!window.CreateGallery()) return;
      // The window is the application's main window, as in a real run.
      CWinApp* app = AfxGetApp();
      if (app) app->m_pMainWnd = &window;
      window.ShowWindow(SW_SHOW);
      window.ShowPage(i);
      nbp::test::Pump();
      size_t menusBefore = desktop ? desktop->Menus().size() : 0;
      if (state) {
        CGalleryPage::s_savePicture = [&](HWND hwnd, const std::string& extra) {
          std::string path = folder + "/" + name + "-" + extra + ".png";
          // As seen: with the windows it owns (a message box) over it.
          if (SaveAsSeen(hwnd, path, {})) written.push_back(path);
        };
        state->enter(*window.Page(i));
        nbp::test::Pump();
        CGalleryPage::s_savePicture = nullptr;
      }
      std::vector<const nbp::PopupMenuRequest*> menus;
      if (desktop) menus = LastMenuOpened(desktop->Menus(), menusBefore);
      std::string path = folder + "/" + name + ".png";
      if (SaveAsSeen(window.m_hWnd, path, menus)) {
        written.push_back(path);
        if (onWritten) onWritten(path);
      }
      if (app) app->m_pMainWnd = nullptr;
      window.DestroyWindow();
      nbp::test::Pump();
    };
    std::string base;
    std::vector<CGalleryPage::State> states;
    {
      CGalleryWindow window;
      if (!window.CreateGallery()) continue;
      base = Slug(window.Page(i)->Title());
      states = window.Page(i)->States();
      window.DestroyWindow();
    }
    picture(base, nullptr);
    for (const CGalleryPage::State& state : states) picture(base + "-" + state.name, &state);
  }
  nbp::clock::Unpin();
  return written;
}
