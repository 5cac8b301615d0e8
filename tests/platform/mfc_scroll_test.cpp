// OnVScroll in a framework window whose own scroll bar spans a million rows:
// dragging the thumb reports positions past 16 bits.
#include <gtest/gtest.h>

#include <vector>

#include "mfc/app.h"
#include "mfc/wnd.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kPage = 20;

class RowView : public CWnd {
 public:
  std::vector<std::pair<UINT, UINT>> scrolls;  // code, position
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    scrolls.emplace_back(nSBCode, nPos);
    if (nSBCode == SB_THUMBTRACK) SetScrollPos(SB_VERT, static_cast<int>(nPos));
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RowView, CWnd)
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

}  // namespace

TEST(FrameworkScroll, ThumbDragReachesTheMillionthRow) {
  nbp::SetDesktop(nullptr);
  nbp::clock::Pin(1700000000);
  RowView view;
  ASSERT_TRUE(view.CreateEx(0, nullptr, "Rows", WS_OVERLAPPED | WS_VISIBLE | WS_VSCROLL, 50, 50, 300, 300, nullptr,
                            nullptr));
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = kRows - 1;
  si.nPage = kPage;
  view.SetScrollInfo(SB_VERT, &si);
  CRect client;
  view.GetClientRect(&client);
  int x = client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
  int arrow = GetSystemMetrics(SM_CYVSCROLL);
  nbp::test::Drag(view.m_hWnd, POINT{x, arrow + 3}, POINT{x, client.bottom + 100}, 8);
  ASSERT_GE(view.scrolls.size(), 2u);
  std::pair<UINT, UINT> lastTrack{}, position{};
  for (auto& s : view.scrolls) {
    if (s.first == SB_THUMBTRACK) lastTrack = s;
    if (s.first == SB_THUMBPOSITION) position = s;
  }
  EXPECT_EQ(lastTrack.second, static_cast<UINT>(kRows - kPage));
  EXPECT_EQ(position.second, static_cast<UINT>(kRows - kPage));
  // A position a program sends is taken as it comes.
  view.scrolls.clear();
  view.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
  ASSERT_EQ(view.scrolls.size(), 1u);
  EXPECT_EQ(view.scrolls[0].second, 7u);
  view.DestroyWindow();
  nbp::clock::Unpin();
}
