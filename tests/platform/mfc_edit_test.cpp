// The framework's text-control wrappers over the real controls: CEdit,
// CRichEditCtrl and CSpinButtonCtrl, including derived classes that filter
// characters and handle their own reflected notifications.
#include <gtest/gtest.h>

#include <string>

#include "mfc/app.h"
#include "mfc/edit.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/syscolors.h"

namespace t = nbp::test;

// Fontconfig keeps its caches for the life of the process; they are not
// leaks of ours. Weak, so that another file of the program may say the same.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

// A digits-only field that corrects itself when it loses the focus, as the
// library's numeric field does.
class DigitsEdit : public CEdit {
 public:
  int m_nKillFocus = 0;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == 8 || (nChar >= '0' && nChar <= '9')) CEdit::OnChar(nChar, nRepCnt, nFlags);
    else MessageBeep(0x0FFFFFFF);
  }
  void OnKillfocus() {
    ++m_nKillFocus;
    if (GetWindowTextLength() == 0) SetWindowText("0");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DigitsEdit, CEdit)
  ON_WM_CHAR()
  ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
END_MESSAGE_MAP()

// A spin button that decides its own steps from the reflected notification.
class StepSpin : public CSpinButtonCtrl {
 public:
  LRESULT m_answer = 0;
  int m_nLastDelta = 0;
  int m_nSteps = 0;
  void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult) {
    ++m_nSteps;
    m_nLastDelta = reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta;
    *pResult = m_answer;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StepSpin, CSpinButtonCtrl)
  ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltapos)
END_MESSAGE_MAP()

class EditWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Main", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 400, 300, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
    t::Pump();
  }
  void TearDown() override {
    main_.DestroyWindow();
    t::Pump();
    nbp::clock::Unpin();
  }
  static CString Text(const CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return s;
  }
  CWinApp app_{"Edit wrappers"};
  CWnd main_;
};

}  // namespace

TEST_F(EditWrapperTest, CEditMembersReachTheControl) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, CRect(10, 10, 210, 110), &main_, 5));
  EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CEdit)));
  edit.SetWindowText("first line\r\nsecond");
  EXPECT_EQ(edit.GetLineCount(), 2);
  EXPECT_EQ(edit.LineIndex(1), 12);
  EXPECT_EQ(edit.LineLength(12), 6);
  EXPECT_EQ(edit.LineFromChar(14), 1);
  char line[32] = {};
  EXPECT_EQ(edit.GetLine(1, line, sizeof line), 6);
  EXPECT_EQ(std::string(line, 6), "second");

  edit.SetSel(6, 10);
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 6);
  EXPECT_EQ(end, 10);
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(6, 10)));
  edit.ReplaceSel("LINE", TRUE);
  EXPECT_EQ(Text(edit), "first LINE\r\nsecond");
  EXPECT_TRUE(edit.GetModify());
  EXPECT_TRUE(edit.CanUndo());
  EXPECT_TRUE(edit.Undo());
  EXPECT_EQ(Text(edit), "first line\r\nsecond");
  edit.EmptyUndoBuffer();
  EXPECT_FALSE(edit.CanUndo());
  edit.SetModify(FALSE);
  EXPECT_FALSE(edit.GetModify());

  edit.SetSel(0, 5);
  edit.Copy();
  std::string clip;
  nbp::CurrentDesktop().GetClipboardText(&clip);
  EXPECT_EQ(clip, "first");
  edit.Cut();
  EXPECT_EQ(Text(edit), " line\r\nsecond");
  edit.SetSel(-1, 0);
  edit.Paste();
  EXPECT_EQ(Text(edit), "first line\r\nsecond");
  edit.SetSel(0, 6);
  edit.Clear();
  EXPECT_EQ(Text(edit), "line\r\nsecond");

  edit.LimitText(20);
  EXPECT_EQ(edit.GetLimitText(), 20u);
  edit.SetLimitText(30);
  EXPECT_EQ(edit.GetLimitText(), 30u);
  CPoint second = edit.PosFromChar(6);
  EXPECT_GT(second.y, 0);
  int packed = edit.CharFromPos(CPoint(second.x + 1, second.y + 2));
  EXPECT_EQ(LOWORD(packed), 6);
  EXPECT_EQ(HIWORD(packed), 1);

  CRect rect;
  edit.GetRect(&rect);
  EXPECT_GT(rect.Width(), 150);
  edit.SetRect(CRect(20, 20, 120, 80));
  edit.GetRect(&rect);
  EXPECT_EQ(rect.top, 20);
  EXPECT_TRUE(edit.SetReadOnly());
  EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
  edit.SetMargins(4, 6);
  EXPECT_EQ(edit.GetMargins(), static_cast<DWORD>(MAKELONG(4, 6)));
}

TEST_F(EditWrapperTest, PasswordCharacterOfASingleLineEdit) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 210, 32), &main_, 6));
  EXPECT_EQ(edit.GetPasswordChar(), 0);
  edit.SetPasswordChar('#');
  EXPECT_EQ(edit.GetPasswordChar(), '#');
  EXPECT_TRUE(edit.GetStyle() & ES_PASSWORD);
  edit.SetPasswordChar(0);
  EXPECT_FALSE(edit.GetStyle() & ES_PASSWORD);
}

TEST_F(EditWrapperTest, ADerivedEditFiltersCharactersAndHandlesItsOwnFocusLoss) {
  DigitsEdit digits;
  CEdit other;
  ASSERT_TRUE(digits.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 32), &main_, 7));
  ASSERT_TRUE(other.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 40, 110, 62), &main_, 8));
  digits.SetFocus();
  t::Type("1a2");
  EXPECT_EQ(Text(digits), "12");
  ASSERT_EQ(nbp::Headless()->Beeps().size(), 1u);
  EXPECT_EQ(nbp::Headless()->Beeps()[0], 0x0FFFFFFFu);
  t::PressKey(VK_BACK);
  t::PressKey(VK_BACK);
  other.SetFocus();
  t::Pump();
  EXPECT_EQ(digits.m_nKillFocus, 1) << "EN_KILLFOCUS came back to the control";
  EXPECT_EQ(Text(digits), "0");
}

TEST_F(EditWrapperTest, CRichEditCtrlMembers) {
  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_VISIBLE | ES_MULTILINE, CRect(10, 10, 210, 110), &main_, 9));
  EXPECT_EQ(rich.GetLimitText(), 32767);
  rich.LimitText(100);
  EXPECT_EQ(rich.GetLimitText(), 100);
  EXPECT_EQ(rich.SetEventMask(ENM_CHANGE), 0u);
  EXPECT_EQ(rich.GetEventMask(), ENM_CHANGE);
  rich.SetWindowText("rich text here");
  EXPECT_EQ(rich.GetTextLength(), 14);
  rich.SetSel(5, 9);
  long start = 0, end = 0;
  rich.GetSel(start, end);
  EXPECT_EQ(start, 5);
  EXPECT_EQ(end, 9);
  EXPECT_EQ(rich.GetSelText(), "text");
  rich.ReplaceSel("words", TRUE);
  EXPECT_EQ(Text(rich), "rich words here");
  EXPECT_TRUE(rich.Undo());
  EXPECT_EQ(Text(rich), "rich text here");
  EXPECT_EQ(rich.SetBackgroundColor(FALSE, RGB(1, 2, 3)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(rich.SetBackgroundColor(TRUE, 0), RGB(1, 2, 3));
  CPoint at = rich.GetCharPos(5);
  EXPECT_GT(at.x, 0);
  EXPECT_EQ(rich.LineFromChar(5), 0);
}

TEST_F(EditWrapperTest, ASpinButtonDecidesItsStepsThroughTheReflectedNotification) {
  StepSpin spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(300, 10, 316, 40), &main_, 10));
  spin.SetRange(0, 20);
  int lower = 0, upper = 0;
  spin.GetRange(lower, upper);
  EXPECT_EQ(lower, 0);
  EXPECT_EQ(upper, 20);
  EXPECT_EQ(spin.SetPos(10), 0);
  spin.m_answer = 1;
  t::Click(spin.m_hWnd, CPoint(8, 5));
  EXPECT_EQ(spin.m_nSteps, 1);
  EXPECT_EQ(spin.m_nLastDelta, 1);
  EXPECT_EQ(LOWORD(spin.GetPos()), 10) << "a nonzero *pResult refuses the step";
  spin.m_answer = 0;
  t::AdvanceClock(1000);
  t::Click(spin.m_hWnd, CPoint(8, 25));
  EXPECT_EQ(spin.m_nLastDelta, -1);
  EXPECT_EQ(LOWORD(spin.GetPos()), 9);
}

TEST_F(EditWrapperTest, CSpinButtonCtrlMembers) {
  CSpinButtonCtrl spin;
  CEdit buddy;
  ASSERT_TRUE(buddy.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 32), &main_, 11));
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(0, 0, 16, 22), &main_, 12));
  EXPECT_EQ(spin.SetBuddy(&buddy), nullptr);
  EXPECT_EQ(spin.GetBuddy(), &buddy);
  spin.SetRange32(-10, 10);
  int lower = 0, upper = 0;
  spin.GetRange32(lower, upper);
  EXPECT_EQ(lower, -10);
  EXPECT_EQ(upper, 10);
  spin.SetPos(-3);
  EXPECT_EQ(Text(buddy), "-3");
  EXPECT_EQ(spin.SetBase(16), 10);
  EXPECT_EQ(spin.GetBase(), 16u);
  UDACCEL accel[] = {{0, 2}};
  EXPECT_TRUE(spin.SetAccel(1, accel));
  UDACCEL back{};
  EXPECT_EQ(spin.GetAccel(1, &back), 1u);
  EXPECT_EQ(back.nInc, 2u);
  CRect b, s;
  buddy.GetWindowRect(&b);
  spin.GetWindowRect(&s);
  EXPECT_EQ(s.left, b.right) << "aligned at the buddy's right";
}
