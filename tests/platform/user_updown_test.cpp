// The up-down control: each arrow step asks the parent (UDN_DELTAPOS), then
// tells it the position (WM_VSCROLL/WM_HSCROLL); holding an arrow repeats on
// the platform clock; the range, wrapping, the buddy and its arrow keys.
#include "user_edit_fixture.h"
#include "win/commctrl_updown.h"
#include "win/gdi.h"

namespace t = nbp::test;

namespace {

struct Step {
  int pos;
  int delta;
};

class UpDownTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    // The parent copies each UDN_DELTAPOS while it is valid, and answers it.
    React() = [this](HWND hwnd, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
      if (hwnd != top_ || msg != WM_NOTIFY) return false;
      auto* nm = reinterpret_cast<NMUPDOWN*>(lParam);
      if (nm->hdr.code != UDN_DELTAPOS) return false;
      steps_.push_back({nm->iPos, nm->iDelta});
      if (replaceDelta_) nm->iDelta = replaceDelta_;
      *result = refuse_ ? 1 : 0;
      return true;
    };
  }

  HWND MakeUpDown(DWORD style = 0, int width = 16, int height = 30) {
    // Side by side, right of the edits, so that none covers another.
    HWND h = CreateWindowEx(0, UPDOWN_CLASS, nullptr, WS_CHILD | WS_VISIBLE | style, nextLeft_, 10, width, height, top_,
                            reinterpret_cast<HMENU>(9), nullptr, nullptr);
    nextLeft_ += width + 4;
    t::Pump();
    Log().clear();
    return h;
  }

  // The parent's scroll messages from `updown`: (code, position).
  std::vector<std::pair<int, int>> Scrolls(HWND updown, UINT msg = WM_VSCROLL) const {
    std::vector<std::pair<int, int>> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && r.msg == msg && reinterpret_cast<HWND>(r.lParam) == updown)
        out.emplace_back(LOWORD(r.wParam), static_cast<short>(HIWORD(r.wParam)));
    }
    return out;
  }
  // The parent's messages from the control, in order, as names.
  std::vector<UINT> Sequence() const {
    std::vector<UINT> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && (r.msg == WM_NOTIFY || r.msg == WM_VSCROLL || r.msg == WM_HSCROLL)) out.push_back(r.msg);
    }
    return out;
  }

  static int Pos(HWND h) { return static_cast<short>(LOWORD(SendMessage(h, UDM_GETPOS, 0, 0))); }
  static void Range(HWND h, int lower, int upper) { SendMessage(h, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
  static void SetPos(HWND h, int pos) { SendMessage(h, UDM_SETPOS32, 0, pos); }
  static POINT Up() { return POINT{8, 5}; }
  static POINT Down() { return POINT{8, 25}; }

  std::vector<Step> steps_;
  int nextLeft_ = 250;
  bool refuse_ = false;
  int replaceDelta_ = 0;
};

}  // namespace

TEST_F(UpDownTest, EachArrowAsksThenTellsTheParent) {
  HWND u = MakeUpDown();
  Range(u, 0, 10);
  SetPos(u, 5);
  t::Click(u, Up());
  EXPECT_EQ(Pos(u), 6);
  ASSERT_EQ(steps_.size(), 1u);
  EXPECT_EQ(steps_[0].pos, 5);
  EXPECT_EQ(steps_[0].delta, 1);
  EXPECT_EQ(Sequence(), (std::vector<UINT>{WM_NOTIFY, WM_VSCROLL, WM_VSCROLL}));
  EXPECT_EQ(Scrolls(u), (std::vector<std::pair<int, int>>{{SB_THUMBPOSITION, 6}, {SB_ENDSCROLL, 6}}));
  const Recorded* notify = Find(top_, WM_NOTIFY);
  EXPECT_EQ(notify->wParam, 9u) << "wParam carries the control's id";

  Log().clear();
  t::AdvanceClock(1000);
  t::Click(u, Down());
  EXPECT_EQ(Pos(u), 5);
  EXPECT_EQ(steps_.back().delta, -1);
  EXPECT_EQ(Scrolls(u), (std::vector<std::pair<int, int>>{{SB_THUMBPOSITION, 5}, {SB_ENDSCROLL, 5}}));
}

TEST_F(UpDownTest, TheDefaultRangeRunsDownSoUpSubtracts) {
  HWND u = MakeUpDown();
  auto range = static_cast<DWORD>(SendMessage(u, UDM_GETRANGE, 0, 0));
  EXPECT_EQ(static_cast<short>(LOWORD(range)), 0) << "upper";
  EXPECT_EQ(static_cast<short>(HIWORD(range)), 100) << "lower";
  SetPos(u, 50);
  t::Click(u, Up());
  EXPECT_EQ(steps_.back().delta, -1);
  EXPECT_EQ(Pos(u), 49);
}

TEST_F(UpDownTest, AParentCanRefuseOrResizeAStep) {
  HWND u = MakeUpDown();
  Range(u, 0, 100);
  SetPos(u, 10);
  refuse_ = true;
  t::Click(u, Up());
  EXPECT_EQ(Pos(u), 10);
  EXPECT_EQ(Scrolls(u).front(), std::make_pair(SB_THUMBPOSITION, 10)) << "told in any case, with the old position";
  refuse_ = false;
  replaceDelta_ = 7;
  t::AdvanceClock(1000);
  t::Click(u, Up());
  EXPECT_EQ(Pos(u), 17);
}

TEST_F(UpDownTest, HoldingAnArrowRepeatsAfterAPauseThenQuickly) {
  HWND u = MakeUpDown();
  Range(u, 0, 1000);
  t::Press(u, Up());
  EXPECT_EQ(steps_.size(), 1u);
  t::AdvanceClock(499);
  EXPECT_EQ(steps_.size(), 1u) << "nothing before the first repeat";
  t::AdvanceClock(1);
  EXPECT_EQ(steps_.size(), 2u);
  t::AdvanceClock(500);
  size_t held = steps_.size();
  EXPECT_GE(held, 8u) << "faster once repeating";
  // Off the arrow the repeats pause; back on it they go on.
  t::MoveTo(u, POINT{8, 40});
  t::AdvanceClock(300);
  EXPECT_EQ(steps_.size(), held);
  t::MoveTo(u, Up());
  t::AdvanceClock(300);
  EXPECT_GT(steps_.size(), held);
  t::Release(u, Up());
  size_t total = steps_.size();
  EXPECT_EQ(Pos(u), static_cast<int>(total));
  EXPECT_EQ(Scrolls(u).back().first, SB_ENDSCROLL);
  t::AdvanceClock(1000);
  EXPECT_EQ(steps_.size(), total) << "released: no more steps";
}

TEST_F(UpDownTest, PositionsStayInRangeOrWrap) {
  HWND u = MakeUpDown();
  Range(u, 1, 3);
  EXPECT_EQ(SendMessage(u, UDM_SETPOS32, 0, 99), 0) << "the old position";
  EXPECT_EQ(Pos(u), 3) << "clamped into the range";
  t::Click(u, Up());
  EXPECT_EQ(Pos(u), 3);
  EXPECT_EQ(steps_.size(), 1u) << "the parent is asked even at the end";

  HWND w = MakeUpDown(UDS_WRAP);
  Range(w, 1, 3);
  SetPos(w, 3);
  t::AdvanceClock(1000);
  t::Click(w, Up());
  EXPECT_EQ(Pos(w), 1);
  t::AdvanceClock(1000);
  t::Click(w, Down());
  EXPECT_EQ(Pos(w), 3);
  int lower = 0, upper = 0;
  SendMessage(w, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 3);
}

TEST_F(UpDownTest, TheBuddyShowsThePositionAndIsReadBack) {
  HWND buddy = MakeEdit(ES_AUTOHSCROLL, "", 80, 22);
  HWND u = MakeUpDown(UDS_SETBUDDYINT);
  SendMessage(u, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(u, UDM_GETBUDDY, 0, 0)), buddy);
  Range(u, -5000, 5000);
  SetPos(u, 1234);
  EXPECT_EQ(Text(buddy), "1,234");
  t::Click(u, Up());
  EXPECT_EQ(Text(buddy), "1,235");
  EXPECT_EQ(GetFocus(), buddy) << "the arrows give the buddy the focus";
  SetPos(u, -1234);
  EXPECT_EQ(Text(buddy), "-1,234");
  // What the user typed counts.
  SetWindowText(buddy, "42");
  EXPECT_EQ(SendMessage(u, UDM_GETPOS, 0, 0), 42) << "no error in the high word";
  t::AdvanceClock(1000);
  t::Click(u, Up());
  EXPECT_EQ(Text(buddy), "43");
  SetWindowText(buddy, "forty");
  EXPECT_NE(HIWORD(SendMessage(u, UDM_GETPOS, 0, 0)), 0);
  BOOL failed = FALSE;
  EXPECT_EQ(SendMessage(u, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)), 43);
  EXPECT_TRUE(failed);

  HWND plain = MakeEdit(ES_AUTOHSCROLL, "", 80, 22);
  HWND n = MakeUpDown(UDS_SETBUDDYINT | UDS_NOTHOUSANDS);
  SendMessage(n, UDM_SETBUDDY, reinterpret_cast<WPARAM>(plain), 0);
  Range(n, 0, 5000);
  SetPos(n, 2500);
  EXPECT_EQ(Text(plain), "2500");
  EXPECT_EQ(SendMessage(n, UDM_SETBASE, 16, 0), 10);
  EXPECT_EQ(Text(plain), "0x09C4");
  EXPECT_EQ(SendMessage(n, UDM_SETBASE, 7, 0), 0) << "only 10 and 16";
}

TEST_F(UpDownTest, AlignedControlsTakeTheirPlaceBesideTheBuddy) {
  HWND buddy = MakeEdit(ES_AUTOHSCROLL, "", 100, 22);
  RECT before{};
  GetWindowRect(buddy, &before);
  HWND u = MakeUpDown(UDS_ALIGNRIGHT);
  SendMessage(u, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  RECT b{}, r{};
  GetWindowRect(buddy, &b);
  GetWindowRect(u, &r);
  EXPECT_EQ(b.left, before.left);
  EXPECT_LT(b.right, before.right);
  EXPECT_EQ(r.left, b.right);
  EXPECT_EQ(r.right, before.right);
  EXPECT_EQ(r.top, before.top);
  EXPECT_EQ(r.bottom, before.bottom);

  HWND left = MakeEdit(ES_AUTOHSCROLL, "", 100, 22);
  GetWindowRect(left, &before);
  HWND l = MakeUpDown(UDS_ALIGNLEFT);
  SendMessage(l, UDM_SETBUDDY, reinterpret_cast<WPARAM>(left), 0);
  GetWindowRect(left, &b);
  GetWindowRect(l, &r);
  EXPECT_EQ(r.left, before.left);
  EXPECT_EQ(b.left, r.right);
  EXPECT_EQ(b.right, before.right);
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStepTheControl) {
  HWND buddy = MakeEdit(ES_AUTOHSCROLL, "", 80, 22);
  HWND u = MakeUpDown(UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_AUTOBUDDY);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(u, UDM_GETBUDDY, 0, 0)), buddy) << "the sibling before it";
  Range(u, 0, 10);
  SetPos(u, 5);
  Focus(buddy);
  SendMessage(buddy, EM_SETSEL, 1, 1);
  t::PressKey(VK_UP);
  EXPECT_EQ(Text(buddy), "6");
  t::PressKey(VK_DOWN);
  t::PressKey(VK_DOWN);
  EXPECT_EQ(Text(buddy), "4");
  EXPECT_EQ(steps_.size(), 3u);
  t::PressKey(VK_LEFT);
  t::Type("7");
  EXPECT_EQ(Text(buddy), "74") << "other keys still edit the buddy";
  // Once the control is gone the buddy's keys are its own again.
  DestroyWindow(u);
  SetWindowText(buddy, "12");
  SendMessage(buddy, EM_SETSEL, 2, 2);
  t::PressKey(VK_UP);
  EXPECT_EQ(Text(buddy), "12");
  EXPECT_EQ(Sel(buddy), (std::pair<DWORD, DWORD>(1, 1))) << "Up moves the caret as in any edit";
}

TEST_F(UpDownTest, HorizontalControlsScrollSideways) {
  HWND u = MakeUpDown(UDS_HORZ, 30, 16);
  Range(u, 0, 10);
  SetPos(u, 5);
  t::Click(u, POINT{24, 8});
  EXPECT_EQ(Pos(u), 6);
  t::AdvanceClock(1000);
  t::Click(u, POINT{4, 8});
  t::AdvanceClock(1000);
  t::Click(u, POINT{4, 8});
  EXPECT_EQ(Pos(u), 4);
  EXPECT_TRUE(Scrolls(u).empty());
  EXPECT_EQ(Scrolls(u, WM_HSCROLL).back(), std::make_pair(SB_ENDSCROLL, 4));
}

TEST_F(UpDownTest, APressedArrowIsDrawnPushed) {
  HWND u = MakeUpDown();
  Range(u, 0, 10);
  COLORREF raised = nbp::WindowPixel(u, 1, 1);
  t::Press(u, Up());
  COLORREF pushed = nbp::WindowPixel(u, 1, 1);
  EXPECT_NE(pushed, raised);
  EXPECT_EQ(nbp::WindowPixel(u, 1, 16), raised) << "the other arrow stays up";
  t::Release(u, Up());
  EXPECT_EQ(nbp::WindowPixel(u, 1, 1), raised);
  // A disabled control draws its arrows grayed.
  COLORREF arrowBefore = nbp::WindowPixel(u, 8, 7);
  EnableWindow(u, FALSE);
  t::Pump();
  EXPECT_NE(nbp::WindowPixel(u, 8, 7), arrowBefore);
  t::Click(u, Up());
  EXPECT_EQ(steps_.size(), 1u) << "a disabled control does not step";
}

TEST_F(UpDownTest, AccelerationTablesSetTheStepByTheTimeHeld) {
  HWND u = MakeUpDown();
  Range(u, 0, 1000);
  UDACCEL table[] = {{0, 1}, {1, 10}};
  EXPECT_TRUE(SendMessage(u, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(table)));
  UDACCEL back[2] = {};
  EXPECT_EQ(SendMessage(u, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(back)), 2);
  EXPECT_EQ(back[1].nInc, 10u);
  t::Press(u, Up());
  t::AdvanceClock(1100);
  t::Release(u, Up());
  EXPECT_EQ(steps_.front().delta, 1);
  EXPECT_EQ(steps_.back().delta, 10);
}
