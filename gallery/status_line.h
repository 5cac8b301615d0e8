// The line at the bottom of the gallery that shows what the controls send.
#pragma once

#include "mfc/wnd.h"

class CStatusLine : public CWnd {
 public:
  BOOL CreateLine(CWnd* parent, const CRect& rect, UINT id);
  void Show(const CString& text);
  const CString& Text() const { return m_strText; }

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  CString m_strText;
  DECLARE_MESSAGE_MAP()
};
