// The edit list's painting, read pixel by pixel at the places it fixes.
#include "NbThemes/nbthemes.h"
#include "edit_list_fixture.h"
#include "win/syscolors.h"

class EditListPaintTest : public EditListTest {
 protected:
  static COLORREF Item(int item) {
    COLORREF c = 0;
    NbThemeGetItemColors(item, &c, nullptr, nullptr, nullptr);
    return c;
  }
  COLORREF Px(int x, int y) { return nbp::WindowPixel(Hwnd(), x, y); }
  // Rows added without a redraw show at the next full paint.
  void Repaint() { list_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
  COLORREF Background() { return NbThemeShadeColor(Item(41), 32); }
  // The leftmost and rightmost x of text-colored pixels in a rectangle.
  std::pair<int, int> InkSpan(const CRect& r) {
    int left = INT_MAX, right = -1;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        if (Px(x, y) == Background()) continue;
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    return {left, right};
  }
};

TEST_F(EditListPaintTest, EmptyListShowsOnlyTheBackground) {
  MakeList();
  for (auto [x, y] : {std::pair{0, 0}, {150, 100}, {299, 199}}) EXPECT_EQ(Px(x, y), Background());
}

TEST_F(EditListPaintTest, SelectedValueBoxHasATwoPixelFrameOthersOne) {
  MakeList();
  AddRows(3);
  list_.SelectItem(1, TRUE, TRUE);
  Repaint();
  COLORREF dark = NbThemeShadeColor(Item(41), -32), selected = Item(27);
  CRect v0 = Rects(0).m_rcValue, v1 = Rects(1).m_rcValue;
  int y0 = v0.top + 5;
  EXPECT_EQ(Px(v0.left - 1, y0), dark);
  EXPECT_EQ(Px(v0.left - 2, y0), Background());
  EXPECT_EQ(Px(v0.left + 3, y0), ::GetSysColor(COLOR_WINDOW));
  int y1 = v1.top + 5;
  EXPECT_EQ(Px(v1.left - 1, y1), selected);
  EXPECT_EQ(Px(v1.left - 2, y1), selected);
  EXPECT_EQ(Px(v1.left - 3, y1), Background());
}

TEST_F(EditListPaintTest, ACollapsedRowLeavesAGapOfItsHeight) {
  MakeList();
  AddRows(3);
  list_.CollapseItem(1, TRUE);
  list_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CRect v1 = Rects(1).m_rcValue;
  for (int y = v1.top - 1; y <= v1.bottom; ++y) EXPECT_EQ(Px(v1.left - 1, y), Background()) << y;
  EXPECT_EQ(Px(v1.left + 5, v1.top + 5), Background());
  EXPECT_NE(Px(Rects(2).m_rcValue.left - 1, Rects(2).m_rcValue.top + 5), Background());
}

TEST_F(EditListPaintTest, LabelsAlignByTypeAndShowAmpersands) {
  MakeList();
  list_.AddItem("Tom & Jo", "", 0, FALSE);
  list_.AddItem("Tom & Jo", "", NB_EDITLIST_TYPE_LEFTLABEL, FALSE);
  list_.AddItem("Tom && Jo", "", 0, FALSE);
  list_.AddItem("&", "", 0, FALSE);
  Repaint();
  EXPECT_GE(InkSpan(Rects(3).m_rcLabel).second, 0);  // a lone "&" is drawn
  auto right = InkSpan(Rects(0).m_rcLabel), left = InkSpan(Rects(1).m_rcLabel);
  ASSERT_GE(right.second, 0);
  ASSERT_GE(left.second, 0);
  EXPECT_GE(right.second, Rects(0).m_rcLabel.right - 2);
  EXPECT_LE(left.first, Rects(1).m_rcLabel.left + 2);
  // Both show the same text: the same width of ink, give or take a pixel of placement.
  EXPECT_NEAR(right.second - right.first, left.second - left.first, 1);
  // "&" is drawn, not taken as a mnemonic: "&&" is wider than "&".
  auto doubled = InkSpan(Rects(2).m_rcLabel);
  EXPECT_GT(doubled.second - doubled.first, right.second - right.first);
}

TEST_F(EditListPaintTest, MenuLabelsCarryTheirMark) {
  MakeList();
  list_.AddItem("Work", "", 0, FALSE);
  list_.AddItem(kPhoneMenu, 0, nullptr, "", 0, FALSE);
  Repaint();
  // The same word; the menu label's mark takes 8 pixels at its right.
  auto plain = InkSpan(Rects(0).m_rcLabel), menu = InkSpan(Rects(1).m_rcLabel);
  EXPECT_EQ(Label(1), "Work");
  EXPECT_LE(menu.first, plain.first - 6);
  // A menu label shows an "&" too: beside the bare mark there is its ink.
  list_.AddItem(kPhoneMenu, 0, "&", "", 0, FALSE);
  list_.AddItem(kPhoneMenu, 0, "", "", 0, FALSE);
  Repaint();
  auto amp = InkSpan(Rects(2).m_rcLabel), bare = InkSpan(Rects(3).m_rcLabel);
  ASSERT_GE(bare.second, 0);
  EXPECT_LE(amp.first, bare.first - 4);
}

TEST_F(EditListPaintTest, WrappedValuesDrawOnEveryLine) {
  MakeList();
  list_.AddItem("Note", "one two three four five six seven eight nine ten eleven twelve thirteen fourteen", 0,
                FALSE);
  Repaint();
  CRect v = Rects(0).m_rcValue;
  ASSERT_GT(v.Height(), 20);
  bool inkBelow = false;
  for (int y = v.top + list_.m_nLineHeight; y < v.bottom && !inkBelow; ++y) {
    for (int x = v.left; x < v.right; ++x) {
      if (Px(x, y) != ::GetSysColor(COLOR_WINDOW)) {
        inkBelow = true;
        break;
      }
    }
  }
  EXPECT_TRUE(inkBelow);
}

TEST_F(EditListPaintTest, FormattedTextReturnsTheHeightUsedAndStopsAtTheEnd) {
  MakeList();
  CDC* dc = list_.GetDC();
  CFont* old = dc->SelectObject(NbThemeGetFont());
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  CRect r(0, 0, 200, 400);
  int oneLine = list_.DrawFormattedText(dc, "Work:\t555\n", &r);
  EXPECT_GT(oneLine, 0);
  int lines = list_.DrawFormattedText(dc, "A\tB\n<L>\nC\n", &r);
  int h = tm.tmHeight + tm.tmInternalLeading;
  EXPECT_EQ(lines, 2 * oneLine + (h >> 1) + 1 + (h >> 1));
  // The last line without a line feed ends the text; it does not fill the rectangle.
  int unterminated = list_.DrawFormattedText(dc, "A\nB", &r);
  EXPECT_EQ(unterminated, 2 * oneLine);
  dc->SelectObject(old);
  list_.ReleaseDC(dc);
}
