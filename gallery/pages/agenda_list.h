// A day's appointments, a line each, scrolled by its own scroll bar.
#pragma once

#include "mfc/wnd.h"

class CAgendaList : public CWnd {
 public:
  static constexpr int kLines = 40;
  static constexpr int kLineHeight = 18;

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT nType, int cx, int cy);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void UpdateScrollBar();
  void ScrollTo(int line);
  DECLARE_MESSAGE_MAP()
};
