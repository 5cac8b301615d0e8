// Mouse and keyboard input as the window system delivers it.
#include "user_fixture.h"

using nbp::test::Button;

namespace {
const std::vector<UINT> kMouse = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_SETCURSOR};
}

TEST_F(UserTest, ClickSendsCursorMoveDownUpInOrder) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  nbp::test::Click(c, POINT{5, 6});
  std::vector<UINT> expected = {WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_LBUTTONDOWN, WM_SETCURSOR, WM_LBUTTONUP};
  EXPECT_EQ(MessagesOf(c, kMouse), expected);
  const Recorded* down = Find(c, WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(GET_X_LPARAM(down->lParam), 5);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), 6);
  EXPECT_EQ(down->wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
  const Recorded* cursor = Find(c, WM_SETCURSOR, 1);
  EXPECT_EQ(LOWORD(cursor->lParam), HTCLIENT);
  EXPECT_EQ(HIWORD(cursor->lParam), WM_LBUTTONDOWN);
}

TEST_F(UserTest, DoubleClickNeedsTheClassStyleTimeAndDistance) {
  HWND plain = Child("Recorder", 10, 10, 100, 50, 0, 1);
  HWND dbl = Child("RecorderDbl", 120, 10, 100, 50, 0, 2);
  nbp::test::DoubleClick(dbl, POINT{5, 5});
  std::vector<UINT> downs = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
  EXPECT_EQ(MessagesOf(dbl, downs), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
  nbp::test::DoubleClick(plain, POINT{5, 5});
  EXPECT_EQ(MessagesOf(plain, downs), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

  Log().clear();
  nbp::test::Click(dbl, POINT{5, 5});
  nbp::test::AdvanceClock(GetDoubleClickTime() + 1);
  nbp::test::Click(dbl, POINT{5, 5});
  EXPECT_EQ(Find(dbl, WM_LBUTTONDBLCLK), nullptr) << "too slow for a double click";
  nbp::test::AdvanceClock(GetDoubleClickTime() + 1);
  Log().clear();
  nbp::test::Click(dbl, POINT{5, 5});
  nbp::test::Click(dbl, POINT{5 + GetSystemMetrics(SM_CXDOUBLECLK), 5});
  EXPECT_EQ(Find(dbl, WM_LBUTTONDBLCLK), nullptr) << "too far for a double click";
}

TEST_F(UserTest, DragWithCaptureKeepsTheMouseOutsideTheWindow) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  React() = [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT*) {
    if (msg == WM_LBUTTONDOWN) SetCapture(h);
    if (msg == WM_LBUTTONUP) ReleaseCapture();
    return false;
  };
  nbp::test::Drag(c, POINT{10, 10}, POINT{200, -30}, 2);
  const Recorded* last = nullptr;
  for (const Recorded& r : Log()) {
    if (r.hwnd == c && r.msg == WM_MOUSEMOVE) last = &r;
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(GET_X_LPARAM(last->lParam), 200);
  EXPECT_EQ(GET_Y_LPARAM(last->lParam), -30);
  ASSERT_NE(Find(c, WM_LBUTTONUP), nullptr);
  const Recorded* changed = Find(c, WM_CAPTURECHANGED);
  ASSERT_NE(changed, nullptr);
  EXPECT_EQ(changed->lParam, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(UserTest, CaptureChangeNamesTheNewOwner) {
  HWND a = Child("Recorder", 10, 10, 50, 50, 0, 1);
  HWND b = Child("Recorder", 70, 10, 50, 50, 0, 2);
  SetCapture(a);
  EXPECT_EQ(SetCapture(b), a);
  const Recorded* r = Find(a, WM_CAPTURECHANGED);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(r->lParam), b);
  SendMessage(b, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(UserTest, KeyPressGivesKeyDownCharKeyUpWithLParamBits) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  SetFocus(c);
  Log().clear();
  nbp::test::PressKey('A');
  EXPECT_EQ(MessagesOf(c, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
  const Recorded* down = Find(c, WM_KEYDOWN);
  EXPECT_EQ(down->wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(down->lParam & 0xFFFF, 1);
  EXPECT_EQ((down->lParam >> 16) & 0xFF, 0x1E);
  EXPECT_EQ((down->lParam >> 30) & 3, 0);
  EXPECT_EQ(Find(c, WM_CHAR)->wParam, static_cast<WPARAM>('a'));
  const Recorded* up = Find(c, WM_KEYUP);
  EXPECT_EQ((static_cast<DWORD>(up->lParam) >> 30) & 3, 3u);

  Log().clear();
  nbp::test::PressKey('A', nbp::test::kShift);
  EXPECT_EQ(Find(c, WM_CHAR)->wParam, static_cast<WPARAM>('A'));
  Log().clear();
  nbp::test::PressKey('C', nbp::test::kCtrl);
  EXPECT_EQ(Find(c, WM_CHAR)->wParam, 3u) << "Ctrl+C is the control character 3";
}

TEST_F(UserTest, KeyStateDuringTheHandlerSeesTheModifier) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  SetFocus(c);
  bool shiftSeen = false;
  React() = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
    if (msg == WM_KEYDOWN && wParam == VK_TAB) shiftSeen = GetKeyState(VK_SHIFT) < 0;
    return false;
  };
  nbp::test::PressKey(VK_TAB, nbp::test::kShift);
  EXPECT_TRUE(shiftSeen);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "released afterwards";
}

TEST_F(UserTest, AutoRepeatAndKeypadEnterBits) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  SetFocus(c);
  Log().clear();
  nbp::test::HoldKey(VK_DOWN, 2);
  ASSERT_NE(Find(c, WM_KEYDOWN, 2), nullptr);
  EXPECT_EQ((Find(c, WM_KEYDOWN, 0)->lParam >> 30) & 1, 0);
  EXPECT_EQ((Find(c, WM_KEYDOWN, 1)->lParam >> 30) & 1, 1) << "previous-state bit on repeat";
  EXPECT_EQ((Find(c, WM_KEYDOWN, 0)->lParam >> 24) & 1, 1) << "arrows are extended keys";
  Log().clear();
  nbp::test::PressKey(VK_RETURN);
  nbp::test::PressKeypadEnter();
  EXPECT_EQ((Find(c, WM_KEYDOWN, 0)->lParam >> 24) & 1, 0);
  EXPECT_EQ((Find(c, WM_KEYDOWN, 1)->lParam >> 24) & 1, 1);
}

TEST_F(UserTest, TypedTextOutsideAsciiArrivesAsUtf8Bytes) {
  HWND c = Child("Recorder", 10, 10, 100, 50);
  SetFocus(c);
  Log().clear();
  nbp::test::Type("a\xC3\xA9");
  std::vector<WPARAM> chars;
  for (const Recorded& r : Log()) {
    if (r.hwnd == c && r.msg == WM_CHAR) chars.push_back(r.wParam);
  }
  EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0xC3, 0xA9}));
}

TEST_F(UserTest, WheelGoesToTheFocusWithItsDelta) {
  HWND a = Child("Recorder", 10, 10, 50, 50, 0, 1);
  HWND b = Child("Recorder", 70, 10, 50, 50, 0, 2);
  SetFocus(a);
  Log().clear();
  nbp::test::Wheel(b, POINT{5, 5}, -240);
  const Recorded* w = Find(a, WM_MOUSEWHEEL);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(w->wParam), -240);
}

TEST_F(UserTest, FocusMessagesCarryTheOtherWindow) {
  HWND a = Child("Recorder", 10, 10, 50, 50, 0, 1);
  HWND b = Child("Recorder", 70, 10, 50, 50, 0, 2);
  SetFocus(a);
  Log().clear();
  EXPECT_EQ(SetFocus(b), a);
  const Recorded* kill = Find(a, WM_KILLFOCUS);
  const Recorded* set = Find(b, WM_SETFOCUS);
  ASSERT_TRUE(kill && set);
  EXPECT_EQ(reinterpret_cast<HWND>(kill->wParam), b);
  EXPECT_EQ(reinterpret_cast<HWND>(set->wParam), a);
  EXPECT_LT(kill, set) << "the old window hears first";
  EXPECT_EQ(GetFocus(), b);
  DestroyWindow(b);
  EXPECT_EQ(GetFocus(), top_) << "the focus of a destroyed child goes to its parent";
}

TEST_F(UserTest, MouseLeaveIsPostedWhenTheMouseGoes) {
  HWND a = Child("Recorder", 10, 10, 50, 50, 0, 1);
  nbp::test::MoveTo(a, POINT{5, 5});
  TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, a, 0};
  EXPECT_TRUE(_TrackMouseEvent(&tme));
  nbp::test::MoveTo(a, POINT{6, 6});
  EXPECT_EQ(Find(a, WM_MOUSELEAVE), nullptr);
  nbp::test::MoveTo(a, POINT{80, 6});
  EXPECT_NE(Find(a, WM_MOUSELEAVE), nullptr);
}

TEST_F(UserTest, DisabledChildLetsTheParentHaveTheClick) {
  HWND c = Child("Recorder", 10, 10, 50, 50);
  EnableWindow(c, FALSE);
  nbp::test::Click(c, POINT{5, 5});
  EXPECT_EQ(Find(c, WM_LBUTTONDOWN), nullptr);
  const Recorded* r = Find(top_, WM_LBUTTONDOWN);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(GET_X_LPARAM(r->lParam), 15);
}
