// System metrics, beeps, message boxes and cursors.
#include <map>

#include "nbp/desktop.h"
#include "nbp/display.h"
#include "user/window/user_state.h"
#include "user/window/window.h"
#include "win/resources.h"

using namespace nbp::user;

int GetSystemMetrics(int index) {
  // The classic metrics at 96 dots per inch.
  switch (index) {
    case SM_CXSCREEN: return nbp::display::ScreenWidth();
    case SM_CYSCREEN: return nbp::display::ScreenHeight();
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    default: return 0;
  }
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID value, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (!value) return FALSE;
      *static_cast<RECT*>(value) = RECT{0, 0, nbp::display::ScreenWidth(), nbp::display::ScreenHeight()};
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      if (!value) return FALSE;
      *static_cast<UINT*>(value) = 3;
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL MessageBeep(UINT type) {
  nbp::CurrentDesktop().Beep(type);
  return TRUE;
}

namespace {

// Cursors are only names here: the desktop decides how each one looks.
struct CursorKey {
  HINSTANCE instance;
  std::string name;
  bool operator<(const CursorKey& o) const {
    return instance != o.instance ? instance < o.instance : name < o.name;
  }
};

std::map<CursorKey, HCURSOR>& Cursors() {
  static std::map<CursorKey, HCURSOR> cursors;
  return cursors;
}

std::string NameKey(LPCTSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : std::string(name);
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name) {
  if (!name) return nullptr;
  if (!instance) {
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    if (!IS_INTRESOURCE(name) || id < 32512 || id > 32650) return nullptr;
    // System cursors are their own ids.
    return reinterpret_cast<HCURSOR>(id);
  }
  if (!nbp::res::FindData(instance, RT_CURSOR, name)) return nullptr;
  CursorKey key{instance, NameKey(name)};
  auto& cursors = Cursors();
  auto it = cursors.find(key);
  if (it != cursors.end()) return it->second;
  HCURSOR h = reinterpret_cast<HCURSOR>(static_cast<uintptr_t>(0x20000 + cursors.size()));
  cursors[key] = h;
  return h;
}
