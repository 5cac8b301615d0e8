// A one-file program built with `pkg-config --cflags --libs nbui` against an
// installed NbUI: a picker in a window of the headless desktop, a click on a
// day through the test driver, and the selection read back.
#include <cstdio>

#include "calendar/date_picker.h"
#include "mfc/app.h"
#include "nbp/test_driver.h"
#include "win/syscolors.h"

int main() {
  CWinApp app("pkg-config program");
  CWnd frame;
  LPCTSTR cls = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  if (!frame.CreateEx(0, cls, "frame", WS_OVERLAPPED, 0, 0, 300, 300, nullptr, nullptr)) return 1;
  CNbDatePicker picker;
  if (!picker.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 220, 180), &frame, 1)) return 1;
  picker.SetSelection(2004, 3, 10, FALSE);
  frame.ShowWindow(SW_SHOW);

  int cell = 0;
  picker.DateToGrid(0, CNbDate(2004, 3, 17), &cell);
  CPoint centre = picker.GetCellRect(0, cell).CenterPoint();
  nbp::test::Click(picker.m_hWnd, POINT{centre.x, centre.y});

  int year = 0, month = 0, day = 0;
  picker.GetSelection(year, month, day);
  printf("selected %d-%02d-%02d\n", year, month, day);
  frame.DestroyWindow();
  return year == 2004 && month == 3 && day == 17 ? 0 : 1;
}
