#include "gallery_page.h"

#include "status_line.h"
#include "win/gdi.h"
#include "win/syscolors.h"

std::function<void(HWND, const std::string&)> CGalleryPage::s_savePicture;

BOOL CGalleryPage::CreatePage(CWnd* parent, const CRect& rect, UINT id) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
  if (!CreateEx(WS_EX_CONTROLPARENT, cls, Title(), WS_CHILD | WS_CLIPCHILDREN, rect, parent, id)) return FALSE;
  CreateControls();
  return TRUE;
}

void CGalleryPage::Report(const CString& text) {
  if (m_pStatus) m_pStatus->Show(text);
}

HWND CGalleryPage::AddControl(LPCTSTR cls, LPCTSTR text, DWORD style, const CRect& r, UINT id) {
  HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(), r.Height(), m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  ::SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return h;
}
