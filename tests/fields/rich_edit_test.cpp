// The rich edit field: what it tells its parent, posted or sent, and when.
#include "field_fixture.h"
#include "fields/lumo_rich_edit.h"

class RichEditTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    Place(notes_, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 300, 120);
    ::SetWindowText(notes_.m_hWnd, "Buy milk and bread");
    nbp::test::Pump();
    parent_.received.clear();
  }
  CPoint InsideChar(int index) {
    POINTL p{};
    ::SendMessage(notes_.m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
    return CPoint(p.x + 2, p.y + 5);
  }
  static constexpr UINT kLimitBeep = 0xFFFFFFFF;
  CNbLumoUIRichEdit notes_;
};

TEST_F(RichEditTest, EachMessageIsPostedOrSentAsTheParentExpects) {
  struct Case {
    const char* what;
    UINT msg;
    std::function<void()> act;
    Delivery delivery;
  } const cases[] = {
      {"press", WM_RICHEDIT_CLICK,
       [&] {
         notes_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
         notes_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
       },
       Delivery::kPosted},
      {"double click", WM_RICHEDIT_DBLCLK,
       [&] {
         notes_.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
         notes_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
       },
       Delivery::kPosted},
      {"right release", WM_RICHEDIT_CONTEXT, [&] { notes_.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 5)); },
       Delivery::kPosted},
      {"tab", WM_RICHEDIT_TAB, [&] { notes_.SendMessage(WM_KEYDOWN, VK_TAB, 1); }, Delivery::kPosted},
      {"keypad enter", WM_RICHEDIT_KEYPADENTER,
       [&] { notes_.SendMessage(WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC1000001)); }, Delivery::kSent},
      {"main enter", WM_RICHEDIT_KEYPADENTER,
       [&] { notes_.SendMessage(WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001)); }, Delivery::kNone},
      {"focus loss", WM_RICHEDIT_KILLFOCUS, [&] { other_.SetFocus(); }, Delivery::kSent},
  };
  for (const Case& c : cases) {
    notes_.SetFocus();
    nbp::test::Pump();
    EXPECT_EQ(DeliveryOf(c.msg, c.act), c.delivery) << c.what;
  }
}

TEST_F(RichEditTest, APressStillReachesTheControl) {
  nbp::test::Click(notes_.m_hWnd, InsideChar(5));
  EXPECT_EQ(parent_.Count(WM_RICHEDIT_CLICK), 1);
  EXPECT_EQ(::GetFocus(), notes_.m_hWnd);
  long start = 0, end = 0;
  notes_.GetSel(start, end);
  EXPECT_EQ(start, end);
  EXPECT_NEAR(start, 5, 1) << "the caret went where the user clicked";
}

TEST_F(RichEditTest, ADoubleClickIsReportedUnlessEditable) {
  nbp::test::DoubleClick(notes_.m_hWnd, InsideChar(5));
  EXPECT_EQ(parent_.Count(WM_RICHEDIT_DBLCLK), 1);
  EXPECT_EQ(parent_.Last(WM_RICHEDIT_DBLCLK)->wParam, 0u);
  long start = 0, end = 0;
  notes_.GetSel(start, end);
  EXPECT_EQ(start, end) << "no word is selected";

  notes_.SetEditable(TRUE);
  parent_.received.clear();
  nbp::test::AdvanceClock(1000);
  nbp::test::DoubleClick(notes_.m_hWnd, InsideChar(5));
  EXPECT_EQ(parent_.Count(WM_RICHEDIT_DBLCLK), 0);
  EXPECT_EQ(notes_.GetSelText(), CString("milk ")) << "the word and its trailing space";
}

TEST_F(RichEditTest, TheRightButtonReportsWhereOnTheScreen) {
  nbp::test::RightClick(notes_.m_hWnd, CPoint(40, 20));
  const FieldMessage* m = parent_.Last(WM_RICHEDIT_CONTEXT);
  ASSERT_NE(m, nullptr);
  CPoint screen(40, 20);
  notes_.ClientToScreen(&screen);
  EXPECT_EQ(static_cast<int>(static_cast<short>(LOWORD(m->wParam))), screen.x);
  EXPECT_EQ(static_cast<int>(static_cast<short>(HIWORD(m->wParam))), screen.y);
  EXPECT_EQ(m->lParam, 0);
}

TEST_F(RichEditTest, TabIsReportedAndEscapeDoesNothing) {
  ClickInto(notes_);
  parent_.received.clear();
  nbp::test::PressKey(VK_TAB);
  nbp::test::PressKey(VK_TAB, nbp::test::kShift);
  ASSERT_EQ(parent_.Count(WM_RICHEDIT_TAB), 2);
  EXPECT_EQ(parent_.received[0].wParam, 1u);
  EXPECT_EQ(parent_.received[1].wParam, 0u) << "Shift+Tab";
  EXPECT_EQ(::GetFocus(), notes_.m_hWnd) << "the field keeps the focus";

  CString before;
  notes_.GetWindowText(before);
  long s0, e0, s1, e1;
  notes_.GetSel(s0, e0);
  parent_.received.clear();
  nbp::test::PressKey(VK_ESCAPE);
  CString after;
  notes_.GetWindowText(after);
  notes_.GetSel(s1, e1);
  EXPECT_EQ(after, before);
  EXPECT_EQ(s1, s0);
  EXPECT_EQ(e1, e0);
  EXPECT_TRUE(parent_.received.empty());
}

TEST_F(RichEditTest, TheKeypadEnterIsReportedOnceOnReleaseAndTypesNothing) {
  ClickInto(notes_);
  nbp::test::PressKey(VK_END, nbp::test::kCtrl, true);
  parent_.received.clear();
  nbp::test::PressKeypadEnter();
  ASSERT_EQ(parent_.Count(WM_RICHEDIT_KEYPADENTER), 1);
  EXPECT_EQ(Text(notes_), "Buy milk and bread");

  nbp::test::PressKey(VK_RETURN);
  EXPECT_EQ(parent_.Count(WM_RICHEDIT_KEYPADENTER), 1) << "the main Enter is not the keypad's";
  EXPECT_EQ(Text(notes_), "Buy milk and bread\r\n");
}

TEST_F(RichEditTest, TypingAtTheLimitBeepsOncePerCharacter) {
  ::SetWindowText(notes_.m_hWnd, "");
  notes_.LimitText(5);
  ClickInto(notes_);
  nbp::test::Type("abcde");
  EXPECT_EQ(Beeps(kLimitBeep), 0);
  nbp::test::Type("fgh");
  EXPECT_EQ(Beeps(kLimitBeep), 3);
  EXPECT_EQ(AllBeeps(), 3) << "one beep per refused character, not one more from the control";
  EXPECT_EQ(Text(notes_), "abcde");
}

TEST_F(RichEditTest, PastingBeyondTheLimitKeepsTheLimit) {
  ::SetWindowText(notes_.m_hWnd, "");
  notes_.LimitText(10);
  nbp::CurrentDesktop().SetClipboardText(std::string(100000, 'x') + "\xff\xfe\xc3");
  ClickInto(notes_);
  nbp::test::PressKey('V', nbp::test::kCtrl);
  EXPECT_EQ(notes_.GetTextLength(), 10);
}
