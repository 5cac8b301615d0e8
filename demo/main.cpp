// A small host program on the platform layer: a top-level window with a few
// child windows that paint themselves, saved as a picture. It stands in for
// the gallery until the controls arrive.
#include <cstdio>
#include <filesystem>
#include <string>

#include "mfc/app.h"
#include "mfc/paint_dc.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/syscolors.h"

namespace {

// A panel with a title and a few lines of text.
class CPanel : public CWnd {
 public:
  CPanel(COLORREF fill, const char* title, const char* body) : m_crFill(fill), m_strTitle(title), m_strBody(body) {}

 protected:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, m_crFill);
    dc.Draw3dRect(&rc, RGB(255, 255, 255), RGB(96, 96, 96));
    dc.SetBkMode(TRANSPARENT);
    CRect title = rc;
    title.DeflateRect(8, 6, 8, 0);
    LOGFONT lf{};
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&bold);
    dc.SetTextColor(RGB(20, 30, 60));
    int h = dc.DrawText(m_strTitle, &title, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(old);
    CRect body = rc;
    body.DeflateRect(8, 10 + h, 8, 6);
    dc.SetTextColor(RGB(40, 40, 40));
    dc.DrawText(m_strBody, &body, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }

  COLORREF m_crFill;
  CString m_strTitle;
  CString m_strBody;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPanel, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// A list of appointments that scrolls by lines with its own scroll bar.
class CAgenda : public CWnd {
 public:
  static constexpr int kLines = 40;
  static constexpr int kLineHeight = 18;

 protected:
  int OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    UpdateScrollBar();
    return 0;
  }
  void OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBar();
  }
  void UpdateScrollBar() {
    CRect rc;
    GetClientRect(&rc);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, kLines - 1, static_cast<UINT>(rc.Height() / kLineHeight), 0, 0};
    SetScrollInfo(SB_VERT, &si, TRUE);
  }
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    int pos = GetScrollPos(SB_VERT);
    int next = pos;
    switch (nSBCode) {
      case SB_LINEUP: next = pos - 1; break;
      case SB_LINEDOWN: next = pos + 1; break;
      case SB_PAGEUP: next = pos - 5; break;
      case SB_PAGEDOWN: next = pos + 5; break;
      case SB_THUMBTRACK: next = static_cast<int>(nPos); break;
      default: return;
    }
    SetScrollPos(SB_VERT, next, TRUE);
    int now = GetScrollPos(SB_VERT);
    if (now != pos) {
      ScrollWindowEx(0, (pos - now) * kLineHeight, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
      UpdateWindow();
    }
  }
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    int first = GetScrollPos(SB_VERT);
    dc.SetBkMode(TRANSPARENT);
    for (int i = first; i < kLines; ++i) {
      CRect line(rc.left, (i - first) * kLineHeight, rc.right, (i - first + 1) * kLineHeight);
      if (line.top >= rc.bottom) break;
      dc.FillSolidRect(&line, i % 2 ? RGB(245, 248, 252) : RGB(255, 255, 255));
      CString text;
      text.Format("%02d:%02d  Appointment %d", 8 + i / 4, (i % 4) * 15, i + 1);
      CRect t = line;
      t.left += 6;
      dc.SetTextColor(RGB(30, 30, 30));
      dc.DrawText(text, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  BOOL OnEraseBkgnd(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(255, 255, 255));
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAgenda, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class CDemoWindow : public CWnd {
 public:
  CPanel m_contacts{RGB(222, 234, 246), "Contacts", "Anna Berger\nCarl Diaz\nEva Fischer\nGustav Holm"};
  CPanel m_memos{RGB(236, 244, 226), "Memos", "Call the garage about the winter tyres before Friday."};
  CAgenda m_agenda;

 protected:
  int OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    m_contacts.Create(nullptr, "", WS_VISIBLE, CRect(12, 40, 212, 180), this, 1);
    m_memos.Create(nullptr, "", WS_VISIBLE, CRect(12, 192, 212, 300), this, 2);
    m_agenda.CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(224, 40, 468, 300), this, 3);
    return 0;
  }
  void OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CRect band(rc.left, rc.top, rc.right, 30);
    dc.FillSolidRect(&band, RGB(44, 72, 120));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    band.left += 12;
    dc.DrawText(CString("Today: Sunday, 6 December"), &band, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "snapshots";
  std::filesystem::create_directories(folder);
  CWinApp app("NbUI demo");
  CDemoWindow window;
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
  if (!window.CreateEx(0, cls, "NbUI demo", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 486, 340, nullptr,
                       nullptr)) {
    fprintf(stderr, "nbui-demo: the window could not be created\n");
    return 1;
  }
  app.m_pMainWnd = &window;
  nbp::test::Pump();
  std::string first = folder + "/demo-window.png";
  if (!nbp::SaveWindowPng(window.m_hWnd, first.c_str())) {
    fprintf(stderr, "nbui-demo: cannot write %s\n", first.c_str());
    return 1;
  }
  printf("%s\n", first.c_str());
  // The same window after the user scrolled the agenda a page down.
  CRect bar;
  window.m_agenda.GetClientRect(&bar);
  nbp::test::Click(window.m_agenda.m_hWnd, POINT{bar.right + 8, bar.bottom - 30});
  std::string second = folder + "/demo-window-scrolled.png";
  nbp::SaveWindowPng(window.m_hWnd, second.c_str());
  printf("%s\n", second.c_str());
  window.DestroyWindow();
  return 0;
}
