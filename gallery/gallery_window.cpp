#include "gallery_window.h"

#include "frame/password_dlg.h"
#include "host_password.h"
#include "win/syscolors.h"

namespace {
constexpr UINT kTabsId = 100;
constexpr UINT kStatusId = 101;
constexpr UINT kFirstPageId = 200;
constexpr int kStatusHeight = 22;
}  // namespace

BEGIN_MESSAGE_MAP(CGalleryWindow, CWnd)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_TABCTRL_ACTIVATE, OnTabActivate)
END_MESSAGE_MAP()

BOOL CGalleryWindow::CreateGallery() {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
  RECT frame{0, 0, kWidth, kHeight};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  if (!CreateEx(0, cls, "NbUI Gallery", style, 60, 60, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                nullptr))
    return FALSE;
  CRect client;
  GetClientRect(&client);
  m_tabs.CreateTabs(this, CRect(0, 0, client.right, client.bottom - kStatusHeight), kTabsId);
  m_status.CreateLine(this, CRect(0, client.bottom - kStatusHeight, client.right, client.bottom), kStatusId);
  CRect area = m_tabs.PageRect();
  UINT id = kFirstPageId;
  for (const PageFactory& make : GalleryPages()) {
    std::unique_ptr<CGalleryPage> page = make();
    page->SetStatusLine(&m_status);
    if (!page->CreatePage(this, area, id++)) continue;
    m_tabs.AddTab(page->Title());
    m_pages.push_back(std::move(page));
  }
  // The pages lie over the tab control's page area: below them in the
  // z-order, it leaves them out when it paints.
  ::SetWindowPos(m_tabs.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowPage(0);
  return TRUE;
}

CGalleryPage* CGalleryWindow::Page(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return m_pages[static_cast<size_t>(index)].get();
}

void CGalleryWindow::ShowPage(int index) {
  if (!Page(index)) return;
  m_tabs.SetCurSel(index);
  for (int i = 0; i < PageCount(); ++i) Page(i)->ShowWindow(i == index ? SW_SHOW : SW_HIDE);
  m_status.Show(CString());
}

// The tab control posts its activations, so the page is switched after the
// click or key that chose it has been handled.
LRESULT CGalleryWindow::OnTabActivate(WPARAM wParam, LPARAM) {
  int index = static_cast<int>(wParam);
  CGalleryPage* page = Page(index);
  if (index == m_tabs.GetCurSel() && page && !page->IsWindowVisible()) ShowPage(index);
  return 0;
}

void CGalleryWindow::OnDestroy() {
  CWnd::OnDestroy();
  PostQuitMessage(0);
}

// As the host's main window, it answers the private-records prompts' request
// for the stored password digest.
LRESULT CGalleryWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETPASSWORDDIGEST && wParam == 2)
    return CHostPassword::Instance().AnswerDigestRequest(reinterpret_cast<BYTE*>(lParam));
  return CWnd::WindowProc(message, wParam, lParam);
}
