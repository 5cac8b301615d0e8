// The shared hidden edit that counts wrapped lines.
#include "editlist/value_measurer.h"

#include "NbThemes/nbthemes.h"
#include "win/controls.h"
#include "win/user.h"

namespace nbui::editlist {
namespace {

struct Measurer {
  HWND hwnd = nullptr;
  RECT format{};  // the formatting rectangle last set, so that it is set only on a change
};

Measurer& Shared() {
  static Measurer m;
  return m;
}

constexpr DWORD kStyle = WS_CHILD | WS_TABSTOP | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;

}  // namespace

int MeasureValueLines(CWnd* list, const char* value, const CRect& box, int rowHeight) {
  Measurer& m = Shared();
  if (!IsWindow(m.hwnd)) {
    if (!list || !list->m_hWnd) return 0;
    m.hwnd = CreateWindowEx(0, WC_EDIT, "", kStyle, 0, 0, 20, rowHeight, list->m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(-1)), nullptr, nullptr);
    if (!m.hwnd) return 0;
    if (CFont* font = NbThemeGetFont()) SendMessage(m.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->m_hObject), 0);
    m.format = RECT{};
  }
  RECT r = box;
  if (!EqualRect(&r, &m.format)) {
    SendMessage(m.hwnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    m.format = r;
  }
  SetWindowText(m.hwnd, value ? value : "");
  return static_cast<int>(SendMessage(m.hwnd, EM_GETLINECOUNT, 0, 0));
}

void DestroyValueMeasurer() {
  Measurer& m = Shared();
  if (IsWindow(m.hwnd)) DestroyWindow(m.hwnd);
  m.hwnd = nullptr;
}

}  // namespace nbui::editlist
