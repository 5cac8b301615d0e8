// The tooltip control: a tool window that relays its mouse messages, a tip
// that comes after the delay on the pinned clock, shows the owner's text
// below the cursor, and goes when it should.
#include <cstring>
#include <string>

#include "user_fixture.h"
#include "win/commctrl.h"

namespace {

namespace drive = nbp::test;

class TooltipTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    tool_ = Child("Recorder", 20, 20, 200, 100, 0, 5);
    tip_ = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool_, nullptr, nullptr, nullptr);
    ASSERT_TRUE(tip_);
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = top_;
    ti.uId = reinterpret_cast<UINT_PTR>(tool_);
    ti.lpszText = LPSTR_TEXTCALLBACK;
    ASSERT_TRUE(SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
    // The tool relays its mouse messages; its parent answers with the text.
    React() = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
      if (hwnd == tool_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        MSG relayed{hwnd, msg, wParam, lParam, 0, {}};
        SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        return false;
      }
      if (hwnd == top_ && msg == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
        if (info->hdr.code != TTN_GETDISPINFO) return false;
        ++asked_;
        askedFor_ = info->hdr.idFrom;
        std::strcpy(info->szText, text_.c_str());
        *result = 0;
        return true;
      }
      return false;
    };
    drive::Pump();
  }

  bool Shown() { return IsWindowVisible(tip_) != 0; }
  std::string TipText() {
    char buffer[256] = {};
    GetWindowText(tip_, buffer, sizeof buffer);
    return buffer;
  }
  RECT TipRect() {
    RECT r;
    GetWindowRect(tip_, &r);
    return r;
  }

  HWND tool_ = nullptr;
  HWND tip_ = nullptr;
  std::string text_ = "Tip text";
  int asked_ = 0;
  UINT_PTR askedFor_ = 0;
};

}  // namespace

TEST_F(TooltipTest, AppearsAfterTheDelayBelowTheCursorWithTheOwnersText) {
  char cls[64] = {};
  GetClassName(tip_, cls, sizeof cls);
  EXPECT_STREQ(cls, "tooltips_class32");

  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(499);
  EXPECT_FALSE(Shown()) << "not before the initial delay";
  EXPECT_EQ(asked_, 0);
  drive::AdvanceClock(1);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(askedFor_, reinterpret_cast<UINT_PTR>(tool_)) << "the notification names the tool";
  EXPECT_EQ(TipText(), "Tip text");

  POINT cursor{30, 40};
  ClientToScreen(tool_, &cursor);
  RECT r = TipRect();
  EXPECT_EQ(r.left, cursor.x);
  EXPECT_EQ(r.top, cursor.y + 20);

  // Sized to its text: the text's width plus padding and the frame.
  HDC dc = GetDC(tip_);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE text{};
  GetTextExtentPoint32(dc, "Tip text", 8, &text);
  SelectObject(dc, old);
  ReleaseDC(tip_, dc);
  EXPECT_EQ(r.right - r.left, text.cx + 6);

  // A frame, the info background, and the text in the info color.
  drive::Pump();
  RECT client;
  GetClientRect(tip_, &client);
  EXPECT_EQ(nbp::WindowPixel(tip_, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(nbp::WindowPixel(tip_, client.right - 1, client.bottom / 2), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(nbp::WindowPixel(tip_, 1, 1), GetSysColor(COLOR_INFOBK));
  EXPECT_TRUE(Contains(tip_, RECT{3, 2, client.right - 3, client.bottom - 2}, GetSysColor(COLOR_INFOTEXT)));
  EXPECT_NE(GetActiveWindow(), tip_) << "a tip never takes the activation";
}

TEST_F(TooltipTest, MovingOverTheToolPutsTheTipOff) {
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(300);
  drive::MoveTo(tool_, POINT{35, 40});
  drive::AdvanceClock(300);
  EXPECT_FALSE(Shown()) << "the delay counts from when the mouse rests";
  drive::AdvanceClock(200);
  EXPECT_TRUE(Shown());
}

TEST_F(TooltipTest, HidesWhenTheMouseLeavesTheTool) {
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  drive::MoveTo(top_, POINT{300, 250});  // the tool never hears of this move
  drive::AdvanceClock(100);
  EXPECT_FALSE(Shown());
  drive::AdvanceClock(1000);
  EXPECT_FALSE(Shown()) << "it stays away while the mouse is elsewhere";
}

TEST_F(TooltipTest, AButtonPressHidesTheTip) {
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  drive::Press(tool_, POINT{30, 40});
  EXPECT_FALSE(Shown());
  drive::Release(tool_, POINT{30, 40});
}

TEST_F(TooltipTest, DeactivatingHidesAndKeepsItAway) {
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  SendMessage(tip_, TTM_ACTIVATE, FALSE, 0);
  EXPECT_FALSE(Shown());
  drive::MoveTo(tool_, POINT{40, 40});
  drive::AdvanceClock(2000);
  EXPECT_FALSE(Shown());
  SendMessage(tip_, TTM_ACTIVATE, TRUE, 0);
  drive::MoveTo(tool_, POINT{50, 40});
  drive::AdvanceClock(500);
  EXPECT_TRUE(Shown());
  SendMessage(tip_, TTM_POP, 0, 0);
  EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, UpdatedTextShowsAtOnceAndResizesTheTip) {
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  LONG narrow = TipRect().right - TipRect().left;
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = top_;
  ti.uId = reinterpret_cast<UINT_PTR>(tool_);
  ti.lpszText = const_cast<LPSTR>("A much longer tip text");
  SendMessage(tip_, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(TipText(), "A much longer tip text");
  EXPECT_GT(TipRect().right - TipRect().left, narrow);

  char buffer[80] = {};
  ti.lpszText = buffer;
  SendMessage(tip_, TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(buffer, "A much longer tip text");
  EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
  SendMessage(tip_, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_FALSE(Shown()) << "deleting the tool takes its tip away";
  EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(TooltipTest, DelaysMarginsAndWidthAreTheCallersToSet) {
  EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  SendMessage(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(100, 0));
  drive::MoveTo(tool_, POINT{30, 40});
  drive::AdvanceClock(100);
  ASSERT_TRUE(Shown());
  drive::AdvanceClock(5000);
  EXPECT_FALSE(Shown()) << "the tip pops by itself after a while";

  LONG plainWidth = 0;
  drive::MoveTo(tool_, POINT{31, 40});
  drive::AdvanceClock(100);
  ASSERT_TRUE(Shown());
  plainWidth = TipRect().right - TipRect().left;
  LONG plainHeight = TipRect().bottom - TipRect().top;
  SendMessage(tip_, TTM_POP, 0, 0);

  RECT margin{5, 3, 7, 4};
  SendMessage(tip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  drive::MoveTo(tool_, POINT{32, 40});
  drive::AdvanceClock(100);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(TipRect().right - TipRect().left, plainWidth + 12);
  EXPECT_EQ(TipRect().bottom - TipRect().top, plainHeight + 7);
  SendMessage(tip_, TTM_POP, 0, 0);

  // A long text wraps within the maximum width.
  text_ = "several words that will not fit on one line";
  EXPECT_EQ(SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, 60), -1);
  drive::MoveTo(tool_, POINT{33, 40});
  drive::AdvanceClock(100);
  ASSERT_TRUE(Shown());
  EXPECT_LE(TipRect().right - TipRect().left, 60 + 12 + 6);
  EXPECT_GT(TipRect().bottom - TipRect().top, 2 * plainHeight);
}

TEST_F(TooltipTest, WithoutAlwaysTipOnlyTheActiveWindowGetsTips) {
  HWND quiet = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, tool_, nullptr, nullptr, nullptr);
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;
  ti.hwnd = top_;
  ti.uId = reinterpret_cast<UINT_PTR>(tool_);
  ti.lpszText = const_cast<LPSTR>("Quiet");
  SendMessage(quiet, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessage(tip_, TTM_ACTIVATE, FALSE, 0);
  HWND other = CreateWindowEx(0, "Recorder", "Other", WS_OVERLAPPED | WS_VISIBLE, 600, 400, 50, 50, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_EQ(GetActiveWindow(), other);
  MSG move{tool_, WM_MOUSEMOVE, 0, MAKELPARAM(30, 40), 0, {}};
  drive::MoveTo(tool_, POINT{30, 40});
  SendMessage(quiet, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  drive::AdvanceClock(500);
  EXPECT_FALSE(IsWindowVisible(quiet));
  SetActiveWindow(top_);
  SendMessage(quiet, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  drive::AdvanceClock(500);
  EXPECT_TRUE(IsWindowVisible(quiet));
}
