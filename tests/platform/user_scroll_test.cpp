// The window's own scroll bars.
#include "user_fixture.h"

class ScrollTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    w_ = Child("Recorder", 0, 0, 116, 200, WS_VSCROLL, 1);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    SetScrollInfo(w_, SB_VERT, &si, TRUE);
    nbp::test::Pump();
    Log().clear();
  }
  // The scroll codes received, in order.
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const Recorded& r : Log()) {
      if (r.hwnd == w_ && r.msg == WM_VSCROLL) codes.push_back(LOWORD(r.wParam));
    }
    return codes;
  }
  // A point on the bar, `along` pixels from its top, in client coordinates.
  POINT Bar(int along) { return POINT{100 + 8, along}; }
  HWND w_ = nullptr;
};

TEST_F(ScrollTest, TheBarTakesItsWidthFromTheClientArea) {
  RECT c;
  GetClientRect(w_, &c);
  EXPECT_EQ(c.right, 116 - GetSystemMetrics(SM_CXVSCROLL));
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  EXPECT_TRUE(GetScrollInfo(w_, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 99);
  EXPECT_EQ(si.nPage, 10u);
}

TEST_F(ScrollTest, ArrowsAndPageAreasSendTheirCodes) {
  nbp::test::Click(w_, Bar(200 - 5));
  EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
  Log().clear();
  nbp::test::Click(w_, Bar(5));
  EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL}));
  Log().clear();
  nbp::test::Click(w_, Bar(150));
  EXPECT_EQ(Codes(), (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollTest, HoldingAnArrowRepeats) {
  nbp::test::Press(w_, Bar(200 - 5));
  nbp::test::AdvanceClock(400 + 50 * 3);
  nbp::test::Release(w_, Bar(200 - 5));
  std::vector<int> codes = Codes();
  ASSERT_GE(codes.size(), 4u);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), SB_LINEDOWN), static_cast<long>(codes.size() - 1));
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
}

TEST_F(ScrollTest, DraggingTheThumbTracksThenSetsThePosition) {
  // The thumb sits right below the top arrow.
  nbp::test::Drag(w_, Bar(16 + 5), Bar(16 + 5 + 84), 3);
  std::vector<int> codes = Codes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[0], SB_THUMBTRACK);
  EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  int finalPos = 0;
  for (const Recorded& r : Log()) {
    if (r.hwnd == w_ && r.msg == WM_VSCROLL && LOWORD(r.wParam) == SB_THUMBPOSITION) finalPos = HIWORD(r.wParam);
  }
  EXPECT_GT(finalPos, 40);
  EXPECT_LE(finalPos, 90);
  EXPECT_EQ(GetScrollPos(w_, SB_VERT), 0) << "the window sets the position itself";
}

TEST_F(ScrollTest, PositionIsClampedToTheLastPage) {
  EXPECT_EQ(SetScrollPos(w_, SB_VERT, 500, TRUE), 0);
  EXPECT_EQ(GetScrollPos(w_, SB_VERT), 90);
}

TEST_F(ScrollTest, AnEmptyRangeHidesTheBarAndResizesTheClient) {
  SetScrollRange(w_, SB_VERT, 0, 0, TRUE);
  RECT c;
  GetClientRect(w_, &c);
  EXPECT_EQ(c.right, 116);
  const Recorded* size = Find(w_, WM_SIZE);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(LOWORD(size->lParam), 116);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
  SetScrollInfo(w_, SB_VERT, &si, TRUE);
  GetClientRect(w_, &c);
  EXPECT_EQ(c.right, 100) << "kept, disabled, with SIF_DISABLENOSCROLL";
  Log().clear();
  nbp::test::Click(w_, Bar(195));
  EXPECT_TRUE(Codes().empty()) << "a disabled bar does nothing";
}
