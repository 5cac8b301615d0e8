// nbui-hello: a main window with a three-month date picker, a date field and
// a button that opens the date dialog. Choosing a day in the picker or in the
// dialog puts it into the field.
//
//   nbui-hello                  opens a window (needs a display)
//   nbui-hello --snapshot FILE  draws the window in memory, writes it as PNG
//                               and fails unless the controls painted
#include <cstdio>
#include <cstring>
#include <set>

#include "calendar/date_picker.h"
#include "calendar/day_picker_dlg.h"
#include "fields/edit_date.h"
#include "mfc/app.h"
#include "mfc/controls.h"
#include "mfc/time.h"
#include "nbp/headless.h"
#include "nbp/sdl_desktop.h"
#include "win/syscolors.h"

namespace {
constexpr UINT kPickerId = 10;
constexpr UINT kDateId = 11;
constexpr UINT kChooseId = 12;
}  // namespace

class CHelloWindow : public CWnd {
 public:
  BOOL CreateHello() {
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
    RECT frame{0, 0, 640, 250};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateEx(0, cls, "Hello, NbUI", style, 80, 80, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                  nullptr))
      return FALSE;
    COleDateTime now = COleDateTime::GetCurrentTime();
    m_picker.Create(WS_CHILD | WS_VISIBLE, CRect(16, 16, 616, 192), this, kPickerId, 3, 1);
    m_picker.SetFlags(m_picker.GetFlags() | CNbDatePicker::kShowSelection);
    m_picker.SetSelection(now.GetYear(), now.GetMonth(), now.GetDay(), FALSE);
    m_picker.SetNotifyWindow(this);
    m_date.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, CRect(16, 206, 200, 230), this,
                  kDateId);
    m_date.SetDate(now.GetYear(), now.GetMonth(), now.GetDay());
    m_choose.Create("&Choose date...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(216, 204, 356, 232),
                    this, kChooseId);
    return TRUE;
  }

  CNbDatePicker& Picker() { return m_picker; }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == kChooseId && HIWORD(wParam) == BN_CLICKED) {
      double date = m_date.GetDate();
      if (NbDisplayNbDayPickerDlg(date)) m_date.SetDate(date);
      return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == NBDP_SELCHANGE) {
      int year, month, day;
      m_picker.GetSelection(year, month, day);
      m_date.SetDate(year, month, day);
      return 0;
    }
    if (message == WM_CLOSE) PostQuitMessage(0);
    return CWnd::WindowProc(message, wParam, lParam);
  }

 private:
  CNbDatePicker m_picker;
  CNbEditDate m_date;
  CButton m_choose;
};

// True when the picker's area shows more than a blank fill: its titles, days
// and lines make many colors.
bool Painted(CHelloWindow& window) {
  std::set<COLORREF> colors;
  for (int y = 16; y < 192; y += 3)
    for (int x = 16; x < 616; x += 3) colors.insert(nbp::WindowPixel(window.m_hWnd, x, y));
  return colors.size() >= 4;
}

int main(int argc, char** argv) {
  const char* snapshot = nullptr;
  if (argc == 3 && !strcmp(argv[1], "--snapshot")) snapshot = argv[2];
  else if (argc != 1) {
    fprintf(stderr, "usage: nbui-hello [--snapshot FILE]\n");
    return 2;
  }
  if (!snapshot && !nbp::UseSdlDesktop()) {
    fprintf(stderr, "nbui-hello: no display; try --snapshot hello.png\n");
    return 1;
  }
  CWinApp app("Hello, NbUI");
  CHelloWindow window;
  if (!window.CreateHello()) {
    fprintf(stderr, "nbui-hello: cannot create the window\n");
    return 1;
  }
  app.m_pMainWnd = &window;
  window.ShowWindow(SW_SHOW);
  window.UpdateWindow();
  if (snapshot) {
    bool ok = Painted(window) && nbp::SaveWindowPng(window.m_hWnd, snapshot);
    window.DestroyWindow();
    if (!ok) fprintf(stderr, "nbui-hello: the window did not paint\n");
    return ok ? 0 : 1;
  }
  return app.Run();
}
