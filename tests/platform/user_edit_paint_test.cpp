// What the edit control paints: the parent's colors, the read-only and
// disabled looks, the selection, the caret and hidden passwords.
#include "user_edit_fixture.h"
#include "win/richedit.h"

namespace t = nbp::test;

// Fontconfig keeps its caches for the life of the process; they are not
// leaks of ours. Weak, so that another file of the program may say the same.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

COLORREF Pixel(HWND h, POINT p) { return nbp::WindowPixel(h, p.x, p.y); }

// Whether any pixel of the edit's first text line has this color.
bool LineShows(HWND h, COLORREF color, int width) {
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < width; ++x) {
      if (nbp::WindowPixel(h, x, y) == color) return true;
    }
  }
  return false;
}

std::vector<COLORREF> Row(HWND h, int y, int width) {
  std::vector<COLORREF> row;
  for (int x = 0; x < width; ++x) row.push_back(nbp::WindowPixel(h, x, y));
  return row;
}

}  // namespace

TEST_F(EditTest, PaintsWithTheColorsTheParentChooses) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "Text");
  EXPECT_EQ(Pixel(e, POINT{190, 18}), GetSysColor(COLOR_WINDOW)) << "no answer: the window colors";
  InvalidateRect(e, nullptr, TRUE);
  t::Pump();
  const Recorded* asked = Find(top_, WM_CTLCOLOREDIT);
  ASSERT_NE(asked, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(asked->lParam), e);

  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  React() = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg != WM_CTLCOLOREDIT || reinterpret_cast<HWND>(lParam) != e) return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
    *result = reinterpret_cast<LRESULT>(green);
    return true;
  };
  InvalidateRect(e, nullptr, TRUE);
  t::Pump();
  EXPECT_EQ(Pixel(e, POINT{190, 18}), RGB(0, 160, 0));
  EXPECT_TRUE(LineShows(e, RGB(255, 0, 0), 40)) << "the text in the parent's text color";
  React() = nullptr;
  DestroyWindow(e);
  DeleteObject(green);
}

TEST_F(EditTest, ReadOnlyAndDisabledEditsLookLikeStatics) {
  HWND readOnly = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, "Read");
  HWND disabled = MakeEdit(ES_AUTOHSCROLL | WS_DISABLED, "Off");
  t::Pump();
  EXPECT_EQ(Pixel(readOnly, POINT{190, 18}), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(disabled, POINT{190, 18}), GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(LineShows(disabled, GetSysColor(COLOR_GRAYTEXT), 40));
  EXPECT_FALSE(LineShows(disabled, GetSysColor(COLOR_WINDOWTEXT), 40));
  EXPECT_TRUE(LineShows(readOnly, GetSysColor(COLOR_WINDOWTEXT), 40));
  EnableWindow(disabled, TRUE);
  t::Pump();
  EXPECT_EQ(Pixel(disabled, POINT{190, 18}), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditTest, TheSelectionShowsInHighlightColorsWhileFocused) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "a   b");
  HWND keep = MakeEdit(ES_AUTOHSCROLL | ES_NOHIDESEL, "a   b");
  Select(e, 1, 4);
  Select(keep, 1, 4);
  t::Pump();
  POINT blank = CharPoint(e, 2);
  blank.y += 6;
  EXPECT_EQ(Pixel(e, blank), GetSysColor(COLOR_WINDOW)) << "hidden without the focus";
  EXPECT_EQ(Pixel(keep, blank), GetSysColor(COLOR_HIGHLIGHT)) << "ES_NOHIDESEL shows it anyway";
  Focus(e);
  EXPECT_EQ(Pixel(e, blank), GetSysColor(COLOR_HIGHLIGHT));
  SendMessage(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  t::Pump();
  EXPECT_EQ(Pixel(e, blank), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditTest, TheCaretBlinksWhereTheSelectionEnds) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "abc");
  Focus(e);
  Select(e, 2, 2);
  POINT caret{};
  ASSERT_TRUE(GetCaretPos(&caret));
  EXPECT_EQ(caret.x, CharPoint(e, 2).x);
  POINT below{caret.x, caret.y + 11};
  EXPECT_EQ(Pixel(e, below), RGB(0, 0, 0)) << "the caret inverts the white background";
  t::AdvanceClock(GetCaretBlinkTime());
  EXPECT_EQ(Pixel(e, below), RGB(255, 255, 255)) << "and blinks off";
  t::AdvanceClock(GetCaretBlinkTime());
  EXPECT_EQ(Pixel(e, below), RGB(0, 0, 0));
}

TEST_F(EditTest, APasswordLooksTheSameWhateverItSays) {
  HWND thin = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, "iiii");
  HWND wide = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, "WWWW");
  HWND plain = MakeEdit(ES_AUTOHSCROLL, "iiii");
  t::Pump();
  for (int y = 2; y < 12; y += 3) EXPECT_EQ(Row(thin, y, 60), Row(wide, y, 60)) << "row " << y;
  bool differs = false;
  for (int y = 2; y < 12; ++y) differs |= Row(thin, y, 60) != Row(plain, y, 60);
  EXPECT_TRUE(differs) << "stars are not the text";
  bool inked = false;
  for (int y = 0; y < 12; ++y) {
    for (COLORREF c : Row(thin, y, 60)) inked |= c != GetSysColor(COLOR_WINDOW);
  }
  EXPECT_TRUE(inked) << "the stars are drawn";
}

TEST_F(EditTest, ARichEditPaintsItsOwnBackgroundColor) {
  HWND r = MakeEdit(ES_MULTILINE, "rich", 200, 40, RICHEDIT_CLASS);
  EXPECT_EQ(Pixel(r, POINT{190, 30}), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(static_cast<COLORREF>(SendMessage(r, EM_SETBKGNDCOLOR, FALSE, RGB(250, 240, 200))), GetSysColor(COLOR_WINDOW));
  t::Pump();
  EXPECT_EQ(Pixel(r, POINT{190, 30}), RGB(250, 240, 200));
  EXPECT_EQ(Find(top_, WM_CTLCOLOREDIT), nullptr) << "a rich edit asks no one for colors";
  EXPECT_EQ(static_cast<COLORREF>(SendMessage(r, EM_SETBKGNDCOLOR, TRUE, 0)), RGB(250, 240, 200));
  t::Pump();
  EXPECT_EQ(Pixel(r, POINT{190, 30}), GetSysColor(COLOR_WINDOW));
}
