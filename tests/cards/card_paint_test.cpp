// Painting, read back by pixels at the places the drawing rules fix: shadow
// strips, frames, header colors and gradient slices, focus marks, the check
// box, the no-items message and the body markup.
#include "card_fixture.h"

#include "NbThemes/nbthemes.h"
#include "mfc/paint_dc.h"

namespace {

NBTHEMEITEMINFO Info(int item) {
  NBTHEMEITEMINFO info{};
  NbThemeGetItemInfo(item, &info);
  return info;
}

// The inside of card 0's body (its body deflated by 2) in a view of 220 x 170 cards.
const CRect kBody(5, 25, 212, 162);

}  // namespace

class CardPaintTest : public CardViewTest {
 protected:
  COLORREF Px(int x, int y) { return nbp::WindowPixel(Hwnd(), x, y); }
  void Paint() {
    view_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    nbp::test::Pump();
  }

  // The pixels of card 0's body with the given body text.
  std::vector<COLORREF> Body(const char* text) {
    view_.describe = [text](int, CCardDesc& d) { d.m_strText = text; };
    Paint();
    std::vector<COLORREF> out;
    for (int y = kBody.top; y < kBody.bottom; ++y) {
      for (int x = kBody.left; x < kBody.right; ++x) out.push_back(Px(x, y));
    }
    return out;
  }
  // Where a body differs from the empty one: ink rows and the rightmost ink column.
  struct Ink {
    std::vector<int> rows;  // body-relative rows holding ink
    int right = -1;         // rightmost ink column (body-relative)
    int RightIn(int top, int bottom) const { return top < bottom ? rightByRow(top, bottom) : -1; }
    std::vector<int> rightOfRow;
    int rightByRow(int top, int bottom) const {
      int r = -1;
      for (int y = top; y < bottom && y < static_cast<int>(rightOfRow.size()); ++y) r = std::max(r, rightOfRow[y]);
      return r;
    }
  };
  Ink InkOf(const char* text) {
    std::vector<COLORREF> blank = Body(""), drawn = Body(text);
    Ink ink;
    int w = kBody.Width();
    ink.rightOfRow.assign(kBody.Height(), -1);
    for (int y = 0; y < kBody.Height(); ++y) {
      for (int x = 0; x < w; ++x) {
        if (blank[y * w + x] != drawn[y * w + x]) ink.rightOfRow[y] = x;
      }
      if (ink.rightOfRow[y] != -1) {
        ink.rows.push_back(y);
        ink.right = std::max(ink.right, ink.rightOfRow[y]);
      }
    }
    return ink;
  }
  // The line height DrawText gives in the label font.
  int LineHeight() {
    CClientDC dc(&view_);
    CFont* old = dc.SelectObject(view_.GetLabelFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return tm.tmHeight;
  }
};

TEST_F(CardPaintTest, ShadowStripsAndFrames) {
  MakeView(700, 400, 3);
  Paint();
  COLORREF bk = Info(34).crColor1;
  COLORREF shadow = NbThemeShadeColor(bk, -64);
  EXPECT_EQ(Px(216, 50), shadow);
  EXPECT_EQ(Px(217, 50), shadow);
  EXPECT_EQ(Px(218, 50), bk);
  EXPECT_EQ(Px(216, 2), bk);  // the strip starts 2 pixels down
  EXPECT_EQ(Px(50, 166), shadow);
  EXPECT_EQ(Px(50, 167), shadow);
  EXPECT_EQ(Px(50, 168), bk);
  EXPECT_EQ(Px(1, 50), RGB(0, 0, 0));
  EXPECT_EQ(Px(215, 50), RGB(0, 0, 0));
  EXPECT_EQ(Px(50, 1), RGB(0, 0, 0));
  EXPECT_EQ(Px(2, 50), RGB(255, 255, 255));
  EXPECT_EQ(Px(214, 50), RGB(255, 255, 255));
  EXPECT_EQ(Px(0, 50), bk);  // no focus frame without the focus
}

TEST_F(CardPaintTest, HeadersShowTheirColumnsSliceOfTheGradient) {
  NBTHEMEITEMINFO header = Info(35);
  ASSERT_EQ(header.nKind, NB_THEME_KIND_GRADIENT);
  MakeView(700, 400, 4);  // 3 columns
  view_.SelectCard(1, TRUE, FALSE);
  Paint();
  int y = 21;  // the lower half of the header (a sheen lightens the upper half)
  for (int column : {0, 2}) {
    int left = column * 220 + 3, right = column * 220 + 213;
    EXPECT_EQ(Px(left, y), NbThemeBlendColor(header.crColor1, header.crColor2, 3, column)) << column;
    EXPECT_EQ(Px(right, y), NbThemeBlendColor(header.crColor1, header.crColor2, 3, column + 1)) << column;
  }
  EXPECT_EQ(Px(3, 170 + 21), header.crColor1);  // card 3: the first column again
  EXPECT_EQ(Px(220 + 213, y), Info(38).crColor1);  // selected: the plain selected header
  EXPECT_EQ(Px(220 + 3, y), Info(38).crColor1);
}

TEST_F(CardPaintTest, OneColumnUsesThePlainHeaderPainter) {
  NBTHEMEITEMINFO header = Info(35);
  MakeView(300, 400, 2);  // one column
  ASSERT_EQ(view_.GetColumnCount(), 1);
  Paint();
  EXPECT_EQ(Px(3, 21), header.crColor1);
  EXPECT_EQ(Px(213, 21), header.crColor2);
}

TEST_F(CardPaintTest, FocusFrameAndIndicatorOnlyWithTheFocus) {
  MakeView(700, 400, 3);
  view_.m_nFocusCard = 1;
  Paint();
  EXPECT_EQ(Px(220, 50), Info(34).crColor1);
  view_.SetFocus();
  nbp::test::Pump();
  EXPECT_EQ(Px(220, 50), RGB(0, 0, 0));        // the outline inflated by 1
  EXPECT_EQ(Px(250, 0), RGB(0, 0, 0));
  EXPECT_EQ(Px(0, 50), Info(34).crColor1);     // card 0 is not the focus card
  COLORREF dots = Info(39).crText;
  bool dotted = Px(223, 60) == dots || Px(223, 61) == dots;
  EXPECT_TRUE(dotted);  // the focus indicator inside the frames
  host_.SetFocus();
  nbp::test::Pump();
  EXPECT_EQ(Px(220, 50), Info(34).crColor1);
}

TEST_F(CardPaintTest, CheckBoxesAndHiddenContent) {
  MakeView(700, 400, 3, CVF_CHECKBOXES);
  view_.CheckCard(1, TRUE, FALSE);
  view_.describe = [](int i, CCardDesc& d) { d.m_bContentHidden = i == 2; };
  Paint();
  // Check box (6, 6, 20, 20): the black frame inside the 3D edge, white inside.
  EXPECT_EQ(Px(7, 12), RGB(0, 0, 0));
  EXPECT_EQ(Px(8, 8), RGB(255, 255, 255));
  EXPECT_EQ(Px(12, 12), RGB(255, 255, 255));  // unchecked
  bool marked = false;
  for (int y = 8; y < 18; ++y) {
    for (int x = 220 + 8; x < 220 + 18; ++x) marked |= Px(x, y) != RGB(255, 255, 255);
  }
  EXPECT_TRUE(marked);  // the check mark
  // Hidden content: frames and shadow, but no check box.
  EXPECT_EQ(Px(440 + 1, 50), RGB(0, 0, 0));
  EXPECT_NE(Px(440 + 8, 8), RGB(255, 255, 255));
  EXPECT_NE(Px(440 + 7, 12), RGB(0, 0, 0));
}

TEST_F(CardPaintTest, NoItemsMessageTwoLinesDownAndNoScrollBarEdge) {
  MakeView(700, 400, 0);
  Paint();
  CRect client;
  view_.GetClientRect(&client);
  COLORREF bk = Info(34).crColor1;
  int lh = LineHeight();
  int top = client.bottom, left = client.right, right = -1;
  for (int y = 0; y < 4 * lh; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (Px(x, y) == bk) continue;
      top = std::min(top, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_GE(top, 2 * lh);
  EXPECT_LT(top, 3 * lh);
  EXPECT_NEAR((left + right) / 2, client.Width() / 2, 3);  // centred
  EXPECT_EQ(Px(client.right - 1, 200), bk);
}

TEST_F(CardPaintTest, ScrollBarEdgeWhenTheBarShows) {
  MakeView(700, 400, 30);
  Paint();
  CRect client;
  view_.GetClientRect(&client);
  EXPECT_EQ(Px(client.right - 1, 200), RGB(0, 0, 0));
}

TEST_F(CardPaintTest, RuleIsOnePixelHalfwayThroughALine) {
  MakeView(700, 400, 1);
  Ink rule = InkOf("<L>\n");
  ASSERT_EQ(rule.rows.size(), 1u);
  TEXTMETRIC tm{};
  {
    CClientDC dc(&view_);
    CFont* old = dc.SelectObject(view_.GetLabelFont());
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
  }
  EXPECT_EQ(rule.rows[0], (tm.tmHeight + tm.tmInternalLeading) / 2);
  EXPECT_GT(rule.right, kBody.Width() - 4);  // across the whole body
  Ink both = InkOf("left<L>right\n");  // only the rule
  EXPECT_EQ(both.rows, rule.rows);
}

TEST_F(CardPaintTest, TabsLineValuesUpInAColumn) {
  MakeView(700, 400, 1);
  int lh = LineHeight();
  Ink ink = InkOf("Tel:\tW\nMobile:\tW\n");
  int first = ink.rightByRow(0, lh), second = ink.rightByRow(lh, 2 * lh);
  ASSERT_GT(first, 0);
  EXPECT_EQ(first, second);
  Ink label = InkOf("Tel:\n");
  EXPECT_GT(first, label.right + 20);  // the value sits at the tab stop, well after the label
}

TEST_F(CardPaintTest, WrapTagWrapsOnceAndTabsWin) {
  MakeView(700, 400, 1);
  int lh = LineHeight();
  Ink wrapped = InkOf("This sentence is long enough to need a second line in the body.<W>\n");
  EXPECT_GT(wrapped.rows.back(), lh);
  Ink plain = InkOf("This sentence is long enough to need a second line in the body.\n");
  EXPECT_LT(plain.rows.back(), lh);
  Ink tabbed = InkOf("a\tb<W>\n");  // drawn on one line, tag removed
  Ink reference = InkOf("a\tb\n");
  EXPECT_EQ(tabbed.rows, reference.rows);
  EXPECT_EQ(tabbed.right, reference.right);
}

TEST_F(CardPaintTest, AmpersandsShowAsThemselvesAndTheLastLineShows) {
  MakeView(700, 400, 1);
  Ink one = InkOf("&\n"), two = InkOf("&&\n");
  EXPECT_FALSE(one.rows.empty());
  EXPECT_GT(two.right, one.right);
  Ink last = InkOf("first\nsecond");  // no final line feed
  int lh = LineHeight();
  EXPECT_GT(last.rows.back(), lh);
}

TEST_F(CardPaintTest, PaintingDescribesOnlyTheCardsInView) {
  MakeView(700, 400, 100000);
  view_.descriptions = 0;
  Paint();
  EXPECT_GT(view_.descriptions, 0);
  EXPECT_LE(view_.descriptions, 3 * 3 * 2);  // 3 columns x 3 partly shown rows, body included
}

TEST_F(CardPaintTest, WideCategoriesGiveWayToTheTitle) {
  MakeView(700, 400, 1);
  auto header = [&](const char* category) {
    view_.describe = [category](int, CCardDesc& d) {
      d.m_strTitle = "T";
      d.m_strCategory = category;
    };
    Paint();
    std::vector<COLORREF> px;
    for (int y = 3; y < 23; ++y) {
      for (int x = 3; x < 214; ++x) px.push_back(Px(x, y));
    }
    return px;
  };
  std::vector<COLORREF> none = header("");
  EXPECT_NE(header("Personal"), none);
  EXPECT_EQ(header("A category far too wide for half a header"), none);
}

TEST(CardSpecialDescription, OnlyTheKeyOpensTheDialog) {
  nbtest::QuietLibraryEnvironment();
  CWinApp app("Special");
  EXPECT_EQ(NbIsSpecialDescription("Card Number 1"), 0);
  EXPECT_EQ(NbIsSpecialDescription("CardDec"), 0);
  EXPECT_EQ(NbIsSpecialDescription("CardDecks"), 0);
  EXPECT_EQ(NbIsSpecialDescription(nullptr), 0);
  HWND shown = nullptr;
  CString caption = "unset";
  nbp::Headless()->WhenIdle([&] {
    shown = GetActiveWindow();
    char text[64] = "";
    ::GetWindowText(shown, text, sizeof text);
    caption = text;
    HWND ok = GetDlgItem(shown, IDOK);
    RECT r;
    GetClientRect(ok, &r);
    nbp::test::Click(ok, POINT{r.right / 2, r.bottom / 2});
  });
  EXPECT_EQ(NbIsSpecialDescription("CardDeck"), 1);
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(caption, "");  // untitled
  EXPECT_FALSE(IsWindow(shown));
  nbp::clock::Unpin();
}

TEST_F(CardPaintTest, OddMarkupStaysInsideTheBody) {
  MakeView(700, 400, 1);
  auto outside = [&](const char* text) {
    std::string copy = text;
    view_.describe = [copy](int, CCardDesc& d) { d.m_strText = copy.c_str(); };
    Paint();
    std::vector<COLORREF> px;
    for (int y = kBody.bottom; y < 170; ++y) {
      for (int x = 0; x < 220; ++x) px.push_back(Px(x, y));
    }
    for (int y = 0; y < 170; ++y) px.push_back(Px(kBody.right, y));
    return px;
  };
  std::vector<COLORREF> blank = outside("");
  std::string odd;
  for (int i = 0; i < 40; ++i) odd += "<W><W>a long line that wraps and wraps again<L>&<W\n<L>\n\t\t\t&&&\t<L>x\n";
  odd += std::string(5000, 'W');  // a last line without a line feed, far too long
  EXPECT_EQ(outside(odd.c_str()), blank);
}
