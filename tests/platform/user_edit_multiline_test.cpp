// Multi-line edits: line breaks, word wrap, the line messages, moving between
// lines, vertical scrolling, and what bounds the text without automatic
// scrolling.
#include "user_edit_fixture.h"

namespace t = nbp::test;
using Sel2 = std::pair<DWORD, DWORD>;

namespace {

std::string Line(HWND e, int line) {
  char buffer[256] = {};
  *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
  auto n = static_cast<int>(SendMessage(e, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
  return std::string(buffer, static_cast<size_t>(n));
}

int Lines(HWND e) { return static_cast<int>(SendMessage(e, EM_GETLINECOUNT, 0, 0)); }
int LineIndex(HWND e, int line) { return static_cast<int>(SendMessage(e, EM_LINEINDEX, static_cast<WPARAM>(line), 0)); }
int FirstVisible(HWND e) { return static_cast<int>(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0)); }

constexpr DWORD kMultiline = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

}  // namespace

TEST_F(EditTest, EnterBreaksLinesThatTheLineMessagesDescribe) {
  HWND e = MakeEdit(kMultiline, "", 200, 100);
  Focus(e);
  t::Type("one\ntwo2\n\nfour");
  EXPECT_EQ(Text(e), "one\r\ntwo2\r\n\r\nfour");
  ASSERT_EQ(Lines(e), 4);
  EXPECT_EQ(LineIndex(e, 0), 0);
  EXPECT_EQ(LineIndex(e, 1), 5);
  EXPECT_EQ(LineIndex(e, 2), 11);
  EXPECT_EQ(LineIndex(e, 3), 13);
  EXPECT_EQ(LineIndex(e, 4), -1);
  EXPECT_EQ(LineIndex(e, -1), 13) << "-1: the caret's line";
  EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 6, 0), 4);
  EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 11, 0), 0);
  EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 7, 0), 1);
  EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 17, 0), 3);
  EXPECT_EQ(Line(e, 1), "two2");
  EXPECT_EQ(Line(e, 3), "four");
  EXPECT_EQ(Line(e, 9), "");
  // A line read into a small buffer is cut, without a terminating zero.
  char small[4] = {'x', 'x', 'x', 'x'};
  *reinterpret_cast<WORD*>(small) = 3;
  EXPECT_EQ(SendMessage(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_EQ(std::string(small, 4), "twox");
  // Backspace at a line's start takes the whole line break.
  Select(e, 13, 13);
  t::PressKey(VK_BACK);
  EXPECT_EQ(Text(e), "one\r\ntwo2\r\nfour");
  EXPECT_EQ(Lines(e), 3);
}

TEST_F(EditTest, LineLengthOfMinusOneCountsTheUnselectedPartsOfTheSelectedLines) {
  HWND e = MakeEdit(kMultiline, "abcdef\r\nghijkl", 200, 100);
  Select(e, 2, 11);
  EXPECT_EQ(SendMessage(e, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2 + 3);
}

TEST_F(EditTest, EnterInAMultiLineEditNeedsWantReturnOnlyInsideADialog) {
  HWND plain = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL, "", 200, 100);
  HWND single = MakeEdit(ES_AUTOHSCROLL);
  Focus(plain);
  t::Type("a\nb");
  EXPECT_EQ(Text(plain), "a\r\nb") << "outside a dialog Enter breaks the line";
  Focus(single);
  t::Type("a\nb\tc");
  EXPECT_EQ(Text(single), "abc") << "one line takes no breaks and no tabs";
  t::PressKey(VK_RETURN, t::kCtrl);
  EXPECT_EQ(Text(single), "abc");
}

TEST_F(EditTest, LongLinesWrapAtBlanksToTheWidth) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL, "", 90, 200);
  SetWindowText(e, "alpha beta gamma delta epsilon zeta eta theta");
  int lines = Lines(e);
  EXPECT_GT(lines, 2);
  std::string text = Text(e);
  for (int i = 1; i < lines; ++i) {
    int start = LineIndex(e, i);
    ASSERT_GT(start, 0);
    EXPECT_EQ(text[static_cast<size_t>(start) - 1], ' ') << "line " << i << " starts a word";
    EXPECT_NE(text[static_cast<size_t>(start)], ' ');
    int length = static_cast<int>(SendMessage(e, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    EXPECT_LE(CharPoint(e, start + length - 1).x, 90) << "line " << i << " fits";
  }
  // A word wider than the line is broken inside.
  SetWindowText(e, "abcdefghijklmnopqrstuvwxyzabcdefghij");
  EXPECT_GT(Lines(e), 1);
  // With horizontal scrolling nothing wraps.
  HWND wide = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, "alpha beta gamma delta epsilon zeta", 90, 200);
  EXPECT_EQ(Lines(wide), 1);
}

TEST_F(EditTest, TypingIntoAWrappedParagraphRewrapsIt) {
  HWND e = MakeEdit(kMultiline, "", 100, 200);
  Focus(e);
  t::Type("aaaa bbbb cccc dddd\nzz");
  int before = Lines(e);
  Select(e, 0, 0);
  t::Type("xxxxxxxx yyyyyyyy ");
  EXPECT_GT(Lines(e), before);
  EXPECT_EQ(Line(e, Lines(e) - 1), "zz") << "the next paragraph only moved";
  EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, Text(e).size() - 1, 0), Lines(e) - 1);
}

TEST_F(EditTest, UpAndDownMoveBetweenLinesKeepingTheColumn) {
  HWND e = MakeEdit(kMultiline, "abcdef\r\nab\r\nabcdef", 200, 100);
  Focus(e);
  Select(e, 2, 2);
  t::PressKey(VK_DOWN);
  EXPECT_EQ(Sel(e), Sel2(10, 10));
  t::PressKey(VK_DOWN);
  EXPECT_EQ(Sel(e), Sel2(14, 14));
  Select(e, 5, 5);
  t::PressKey(VK_DOWN);
  EXPECT_EQ(Sel(e), Sel2(10, 10)) << "a short line takes the caret to its end";
  t::PressKey(VK_UP, t::kShift);
  EXPECT_EQ(Sel(e), Sel2(2, 10));
  t::PressKey(VK_END);
  EXPECT_EQ(Sel(e), Sel2(6, 6));
  t::PressKey(VK_END, t::kCtrl);
  EXPECT_EQ(Sel(e), Sel2(18, 18));
  t::PressKey(VK_HOME);
  EXPECT_EQ(Sel(e), Sel2(12, 12));
  t::PressKey(VK_LEFT);
  EXPECT_EQ(Sel(e), Sel2(10, 10)) << "a line break is one step";
  t::PressKey(VK_RIGHT, t::kCtrl);
  EXPECT_EQ(Sel(e), Sel2(12, 12)) << "word right at a line's end goes to the next line";
}

TEST_F(EditTest, CharFromPosNamesTheLineInItsHighWord) {
  HWND e = MakeEdit(kMultiline, "abc\r\ndefgh\r\nij", 200, 100);
  POINT p = Inside(e, 7);
  auto packed = static_cast<DWORD>(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y)));
  EXPECT_EQ(LOWORD(packed), 7);
  EXPECT_EQ(HIWORD(packed), 1);
  POINT end = CharPoint(e, 5);
  packed = static_cast<DWORD>(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(180, end.y + 2)));
  EXPECT_EQ(LOWORD(packed), 10) << "right of a line is that line's end";
  EXPECT_EQ(HIWORD(packed), 1);
  EXPECT_GT(CharPoint(e, 12).y, CharPoint(e, 7).y);
}

TEST_F(EditTest, TheScrollBarFollowsTheTextAndScrollsIt) {
  HWND e = MakeEdit(ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, "", 150, 50);
  Focus(e);
  for (int i = 0; i < 9; ++i) t::Type("line\n");
  t::Type("last");
  SCROLLINFO si{};
  si.cbSize = sizeof(SCROLLINFO);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 9);
  int visible = static_cast<int>(si.nPage);
  EXPECT_GE(visible, 1);
  EXPECT_EQ(FirstVisible(e), 10 - visible) << "the caret's line came into view";
  EXPECT_EQ(si.nPos, FirstVisible(e));

  Log().clear();
  SendMessage(e, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(FirstVisible(e), 9 - visible);
  EXPECT_EQ(Codes(e), (std::vector<WORD>{EN_VSCROLL}));
  SendMessage(e, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
  EXPECT_EQ(FirstVisible(e), 1);
  SendMessage(e, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(FirstVisible(e), 0);
  si.fMask = SIF_POS;
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 0);
  t::Wheel(e, POINT{20, 20}, -WHEEL_DELTA);
  EXPECT_EQ(FirstVisible(e), std::min(3, 10 - visible));
  t::PressKey(VK_HOME, t::kCtrl);
  EXPECT_EQ(FirstVisible(e), 0);
  EXPECT_EQ(SendMessage(e, EM_LINESCROLL, 0, 2), TRUE);
  EXPECT_EQ(FirstVisible(e), 2);
}

TEST_F(EditTest, WithoutAutomaticScrollingTheVisibleAreaBoundsTheUser) {
  // One visible line: a second is refused.
  HWND multi = MakeEdit(ES_MULTILINE | ES_WANTRETURN, "", 150, 20);
  Focus(multi);
  t::Type("one\ntwo");
  EXPECT_EQ(Text(multi), "onetwo");
  EXPECT_GE(Count(multi, EN_MAXTEXT), 1u);
  // Without ES_AUTOHSCROLL a single line stops at the right edge.
  HWND single = MakeEdit(0, "", 40, 22);
  Focus(single);
  t::Type("abcdefghijklmnopqrstuvwxyz");
  std::string shown = Text(single);
  EXPECT_GT(shown.size(), 0u);
  EXPECT_LT(shown.size(), 26u);
  EXPECT_EQ(shown, std::string("abcdefghijklmnopqrstuvwxyz").substr(0, shown.size()));
  EXPECT_EQ(Count(single, EN_MAXTEXT), 26u - shown.size());
  // The owner's text is not bound.
  SetWindowText(single, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(Text(single).size(), 26u);
}

TEST_F(EditTest, AutoHScrollKeepsTheCaretInView) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "", 60, 22);
  Focus(e);
  t::Type("abcdefghijklmnopqrstuvwxyz");
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_GE(caret.x, 0);
  EXPECT_LT(caret.x, 60);
  EXPECT_LT(CharPoint(e, 0).x, 0) << "the start scrolled out to the left";
  t::PressKey(VK_HOME);
  EXPECT_GE(CharPoint(e, 0).x, 0);
}

TEST_F(EditTest, CenteredAndRightAlignedLines) {
  HWND left = MakeEdit(ES_LEFT, "ab", 200, 22);
  HWND center = MakeEdit(ES_CENTER | ES_MULTILINE, "ab", 200, 22);
  HWND right = MakeEdit(ES_RIGHT, "ab", 200, 22);
  int width = CharPoint(left, 1).x - CharPoint(left, 0).x;
  EXPECT_LT(CharPoint(left, 0).x, 5);
  EXPECT_NEAR(CharPoint(center, 0).x, 100 - width, width + 2);
  EXPECT_GT(CharPoint(right, 0).x, 200 - 4 * width);
}
