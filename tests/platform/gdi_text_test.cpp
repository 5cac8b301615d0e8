// Fonts, metrics, extents, TextOut/ExtTextOut and DrawText: line heights,
// wrapping, ellipses, tabs, alignment, mnemonics and UTF-8.
#include <cstring>
#include <string>

#include "gdi_fixture.h"
#include "nbp/display.h"

namespace {

class Text : public Canvas32 {
 protected:
  // The bounding box of every non-white pixel in the canvas; empty when none.
  RECT Ink(RECT area = {0, 0, kWidth, kHeight}) {
    RECT box{kWidth, kHeight, 0, 0};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (Px(x, y) != kWhite) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
  }
  TEXTMETRIC Metrics() {
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    return tm;
  }
  int Extent(const char* s) {
    SIZE sz{};
    GetTextExtentPoint32(dc, s, static_cast<int>(std::strlen(s)), &sz);
    return sz.cx;
  }
  RECT Calc(const char* s, RECT r, UINT format) {
    DrawText(dc, s, -1, &r, format | DT_CALCRECT);
    return r;
  }
  HFONT Select(LONG height, LONG weight = FW_NORMAL, const char* face = "") {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strcpy(lf.lfFaceName, face);
    HFONT f = CreateFontIndirect(&lf);
    HGDIOBJ previous = SelectObject(dc, f);
    if (previous != GetStockObject(SYSTEM_FONT)) DeleteObject(previous);
    return f;
  }
  void TearDown() override {
    HGDIOBJ f = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    if (f != GetStockObject(SYSTEM_FONT)) DeleteObject(f);
    Canvas32::TearDown();
  }
};

TEST_F(Text, DefaultFontIsEightPointDejaVuSans) {
  LOGFONT lf{};
  GetObject(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
  TEXTMETRIC tm = Metrics();
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 11);
  EXPECT_GE(tm.tmHeight, 12);
  EXPECT_LE(tm.tmHeight, 15);
  EXPECT_GT(tm.tmAveCharWidth, 3);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means proportional
  char face[LF_FACESIZE];
  EXPECT_GT(GetTextFace(dc, LF_FACESIZE, face), 0);
  EXPECT_STREQ(face, "DejaVu Sans");
}

TEST_F(Text, WeightAndSizeChangeTheMetrics) {
  TEXTMETRIC normal = Metrics();
  int normalWidth = Extent("Bold words");
  Select(-11, FW_BOLD);
  TEXTMETRIC bold = Metrics();
  EXPECT_EQ(bold.tmWeight, FW_BOLD);
  EXPECT_GT(Extent("Bold words"), normalWidth);
  EXPECT_GE(bold.tmAveCharWidth, normal.tmAveCharWidth);
  Select(-20);
  TEXTMETRIC big = Metrics();
  EXPECT_GT(big.tmHeight, normal.tmHeight);
  EXPECT_EQ(big.tmInternalLeading, big.tmHeight - 20);
  // A positive height is the cell height: the largest font that fits in it.
  Select(20);
  TEXTMETRIC cell = Metrics();
  EXPECT_LE(cell.tmHeight, 20);
  EXPECT_GE(cell.tmHeight, 18);
  Select(0);
  EXPECT_EQ(Metrics().tmHeight, normal.tmHeight);
}

TEST_F(Text, UnderlineAndStrikeOutDrawLinesAcrossTheText) {
  TEXTMETRIC plain = Metrics();
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 10, 10, "xxxx", 4);
  RECT plainInk = Ink();
  EXPECT_LE(plainInk.bottom, 10 + plain.tmAscent + 1);  // x has no descender
  int width = Extent("xxxx");
  LOGFONT lf{};
  lf.lfHeight = -11;
  lf.lfUnderline = TRUE;
  lf.lfStrikeOut = TRUE;
  lf.lfItalic = TRUE;
  HFONT styled = CreateFontIndirect(&lf);
  SelectObject(dc, styled);
  TEXTMETRIC tm = Metrics();
  EXPECT_TRUE(tm.tmItalic);
  EXPECT_TRUE(tm.tmUnderlined);
  EXPECT_TRUE(tm.tmStruckOut);
  Clear(kWhite);
  TextOut(dc, 10, 10, "xxxx", 4);
  // The underline runs below the baseline, unbroken across the text.
  RECT ink = Ink();
  EXPECT_GT(ink.bottom, 10 + tm.tmAscent);
  int longestBelow = 0, longestThrough = 0;
  for (int y = 10 + tm.tmAscent; y < 10 + tm.tmHeight; ++y)
    longestBelow = std::max(longestBelow, width - Count(10, y, 10 + width, y + 1, kWhite));
  for (int y = 10 + tm.tmAscent - tm.tmAscent / 2 - 2; y < 10 + tm.tmAscent; ++y)
    longestThrough = std::max(longestThrough, width - Count(10, y, 10 + width, y + 1, kWhite));
  EXPECT_GE(longestBelow, width - 2);
  EXPECT_GE(longestThrough, width - 2);  // and the strike-out through the middle
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(styled);
}

TEST_F(Text, HigherLogPixelsMakeFontsBigger) {
  TEXTMETRIC at96 = Metrics();
  nbp::display::SetLogPixels(120);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 120);
  LOGFONT lf{};
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -13);
  TEXTMETRIC at120 = Metrics();
  nbp::display::SetLogPixels(96);
  EXPECT_GT(at120.tmHeight, at96.tmHeight);
  EXPECT_EQ(Metrics().tmHeight, at96.tmHeight);
}

TEST_F(Text, WindowsFacesAndUnknownFacesFallBackToPlatformFaces) {
  struct { const char* asked; BYTE pitch; const char* used; } cases[] = {
      {"MS Sans Serif", 0, "DejaVu Sans"}, {"Tahoma", 0, "DejaVu Sans"},
      {"Arial", 0, "DejaVu Sans"},         {"No Such Face 123", 0, "DejaVu Sans"},
      {"", 0, "DejaVu Sans"},              {"Courier New", 0, "DejaVu Sans Mono"},
      {"", FIXED_PITCH, "DejaVu Sans Mono"}, {"DejaVu Serif", 0, "DejaVu Serif"},
  };
  for (auto c : cases) {
    LOGFONT lf{};
    lf.lfHeight = -12;
    lf.lfPitchAndFamily = c.pitch;
    std::strcpy(lf.lfFaceName, c.asked);
    HFONT f = CreateFontIndirect(&lf);
    HGDIOBJ prev = SelectObject(dc, f);
    char face[LF_FACESIZE] = {};
    GetTextFace(dc, LF_FACESIZE, face);
    EXPECT_STREQ(face, c.used) << c.asked;
    LOGFONT back{};
    GetObject(f, sizeof back, &back);
    EXPECT_STREQ(back.lfFaceName, c.asked);  // the font keeps what it was asked for
    SelectObject(dc, prev);
    DeleteObject(f);
  }
}

TEST_F(Text, ExtentsAddUpAndFitCountsWholeCharacters) {
  TEXTMETRIC tm = Metrics();
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32(dc, "", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, tm.tmHeight);
  EXPECT_EQ(Extent("iiii"), 4 * Extent("i"));
  EXPECT_LT(Extent("i"), Extent("W"));
  INT widths[2];
  ASSERT_TRUE(GetCharWidth32(dc, 'i', 'j', widths));
  EXPECT_EQ(widths[0], Extent("i"));
  EXPECT_FALSE(GetCharWidth32(dc, 'j', 'i', widths));

  // "aé b": é is two bytes; partial extents repeat for both of its bytes.
  const char* s = "a\xC3\xA9 b";
  int fit = -1;
  INT partial[5];
  ASSERT_TRUE(GetTextExtentExPoint(dc, s, 5, 1000, &fit, partial, &size));
  EXPECT_EQ(fit, 5);
  EXPECT_EQ(partial[0], Extent("a"));
  EXPECT_EQ(partial[1], partial[2]);
  EXPECT_GT(partial[1], partial[0]);
  EXPECT_EQ(partial[4], size.cx);
  // Just short of the second character: only "a" fits, never half of é.
  GetTextExtentExPoint(dc, s, 5, partial[1] - 1, &fit, nullptr, &size);
  EXPECT_EQ(fit, 1);
  GetTextExtentExPoint(dc, s, 5, partial[1], &fit, nullptr, &size);
  EXPECT_EQ(fit, 3);
}

TEST_F(Text, TextOutDrawsInTheTextColorOnAnOpaqueCell) {
  TEXTMETRIC tm = Metrics();
  SetTextColor(dc, kRed);
  SetBkColor(dc, kBlue);
  ASSERT_TRUE(TextOut(dc, 10, 10, "Hi", 2));
  int width = Extent("Hi");
  EXPECT_EQ(Px(10, 10), kBlue);  // the cell's corner is background
  EXPECT_EQ(Px(10 + width - 1, 10 + tm.tmHeight - 1), kBlue);
  EXPECT_EQ(Px(10 + width, 10), kWhite);
  EXPECT_EQ(Px(10, 10 + tm.tmHeight), kWhite);
  int reddish = 0;
  for (int y = 10; y < 10 + tm.tmHeight; ++y)
    for (int x = 10; x < 10 + width; ++x) {
      COLORREF c = Px(x, y);
      reddish += GetRValue(c) > 160 && GetBValue(c) < 96 && GetGValue(c) < 40;
    }
  EXPECT_GT(reddish, 10);
  // Transparent text leaves the background alone.
  Clear(kWhite);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 10, 10, "Hi", 2);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kBlue), 0);
  RECT ink = Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 10 + tm.tmAscent + 1);  // "Hi" sits on the baseline
}

TEST_F(Text, TextAlignmentPlacesTheReferencePoint) {
  TEXTMETRIC tm = Metrics();
  SetBkMode(dc, TRANSPARENT);
  int width = Extent("HH");
  SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
  TextOut(dc, 60, 40, "HH", 2);
  RECT ink = Ink();
  EXPECT_LE(ink.right, 60);
  EXPECT_GE(ink.left, 60 - width);
  EXPECT_EQ(ink.bottom, 40);  // H stands on the baseline
  Clear(kWhite);
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  TextOut(dc, 60, 40, "HH", 2);
  ink = Ink();
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 60, 1.5);
  EXPECT_EQ(ink.bottom, 40 - tm.tmDescent);
  // TA_UPDATECP draws at the current position and moves it on.
  SetTextAlign(dc, TA_UPDATECP);
  MoveToEx(dc, 5, 5, nullptr);
  TextOut(dc, 100, 100, "HH", 2);
  TextOut(dc, 100, 100, "HH", 2);
  POINT cp;
  GetCurrentPositionEx(dc, &cp);
  EXPECT_EQ(cp.x, 5 + 2 * width);
  EXPECT_EQ(cp.y, 5);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
}

TEST_F(Text, ExtTextOutFillsAndClipsToItsRectangle) {
  SetBkColor(dc, kGreen);
  SetBkMode(dc, TRANSPARENT);
  RECT r{5, 5, 25, 15};
  // No text at all: the way MFC's FillSolidRect paints.
  EXPECT_TRUE(ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kGreen), 200);
  EXPECT_EQ(Px(24, 14), kGreen);
  EXPECT_EQ(Px(25, 14), kWhite);
  Clear(kWhite);
  SetTextColor(dc, kBlack);
  RECT clip{10, 0, 20, 30};
  ExtTextOut(dc, 0, 5, ETO_CLIPPED, &clip, "WWWWWWWWWW", 10, nullptr);
  RECT ink = Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 20);
  EXPECT_LT(ink.left, ink.right);
  // Caller-given advances spread the characters out.
  Clear(kWhite);
  INT dx[3] = {20, 20, 20};
  ExtTextOut(dc, 0, 20, 0, nullptr, "III", 3, dx);
  EXPECT_GE(Ink().right - Ink().left, 41);
}

TEST_F(Text, DrawTextLineHeightsAreMultiplesOfTmHeight) {
  TEXTMETRIC tm = Metrics();
  RECT r{10, 10, 200, 10};
  RECT one = Calc("Hello", r, 0);
  EXPECT_EQ(one.bottom - one.top, tm.tmHeight);
  EXPECT_EQ(one.right - one.left, Extent("Hello"));
  EXPECT_EQ(one.left, 10);
  RECT three = Calc("one\ntwo\r\nthree", r, 0);
  EXPECT_EQ(three.bottom - three.top, 3 * tm.tmHeight);
  EXPECT_EQ(three.right - three.left, Extent("three"));
  EXPECT_EQ(Calc("one\n\nthree", r, 0).bottom - 10, 3 * tm.tmHeight);
  EXPECT_EQ(Calc("one\n", r, 0).bottom - 10, tm.tmHeight);  // a final break starts no line
  EXPECT_EQ(Calc("one\ntwo", r, DT_SINGLELINE).bottom - 10, tm.tmHeight);
  RECT empty = Calc("", r, DT_SINGLELINE);
  EXPECT_EQ(empty.right, empty.left);
  EXPECT_EQ(empty.bottom - empty.top, tm.tmHeight);
  // The return value is the height of the text.
  RECT box{0, 0, 100, 60};
  EXPECT_EQ(DrawText(dc, "a\nb", -1, &box, 0), 2 * tm.tmHeight);
  EXPECT_EQ(DrawText(dc, "a\nb", 3, &box, DT_CALCRECT), 2 * tm.tmHeight);
  EXPECT_EQ(DrawText(dc, "x", 1, nullptr, 0), 0);
}

TEST_F(Text, WordBreakWrapsAtSpacesWithinTheWidth) {
  TEXTMETRIC tm = Metrics();
  const char* text = "The quick brown fox jumps over the lazy dog";
  RECT r{0, 0, 60, 0};
  RECT wrapped = Calc(text, r, DT_WORDBREAK);
  int lines = (wrapped.bottom - wrapped.top) / tm.tmHeight;
  EXPECT_EQ((wrapped.bottom - wrapped.top) % tm.tmHeight, 0);
  EXPECT_GE(lines, 4);
  EXPECT_LE(wrapped.right, 60);
  EXPECT_GE(wrapped.right, Extent("quick"));  // at least the widest word
  // Every line drawn stays within the rectangle.
  RECT draw{0, 0, 60, kHeight};
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text, -1, &draw, DT_WORDBREAK);
  EXPECT_LE(Ink().right, 60);
  EXPECT_GT(Ink().bottom, 2 * tm.tmHeight);
  // A word longer than the width runs past it; DT_EDITCONTROL breaks it.
  RECT narrow{0, 0, 20, 0};
  EXPECT_EQ(Calc("Incomprehensibilities", narrow, DT_WORDBREAK).right, Extent("Incomprehensibilities"));
  RECT broken = Calc("Incomprehensibilities", narrow, DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_LE(broken.right, 20);
  EXPECT_GT(broken.bottom - broken.top, 2 * tm.tmHeight);
  // Spaces at a break are dropped: two words that fit alone make two lines.
  int w = std::max(Extent("alpha"), Extent("beta"));
  RECT two{0, 0, w, 0};
  RECT t = Calc("alpha    beta", two, DT_WORDBREAK);
  EXPECT_EQ(t.bottom, 2 * tm.tmHeight);
  EXPECT_EQ(t.right, w);
}

TEST_F(Text, AlignmentFlagsPlaceTheText) {
  TEXTMETRIC tm = Metrics();
  SetBkMode(dc, TRANSPARENT);
  RECT r{10, 10, 110, 70};
  int width = Extent("HIH");
  DrawText(dc, "HIH", -1, &r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  RECT ink = Ink();
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 60, 1.5);
  // The cell is centred: its top is at 10 + (60 - tmHeight) / 2.
  int cellTop = 10 + (60 - tm.tmHeight) / 2;
  EXPECT_EQ(ink.bottom, cellTop + tm.tmAscent);
  EXPECT_EQ(DrawText(dc, "HIH", -1, &r, DT_SINGLELINE | DT_VCENTER), cellTop - 10 + tm.tmHeight);
  Clear(kWhite);
  DrawText(dc, "HIH", -1, &r, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
  ink = Ink();
  EXPECT_LE(ink.right, 110);
  EXPECT_GE(ink.right, 110 - 2);
  EXPECT_GE(ink.left, 110 - width);
  EXPECT_EQ(ink.bottom, 70 - tm.tmDescent);
  // DT_VCENTER needs DT_SINGLELINE.
  Clear(kWhite);
  DrawText(dc, "HIH", -1, &r, DT_VCENTER);
  EXPECT_EQ(Ink().bottom, 10 + tm.tmAscent);
}

TEST_F(Text, EllipsesShortenWhatDoesNotFit) {
  const char* text = "A rather long caption that cannot fit";
  RECT r{0, 0, 80, 20};
  RECT calc = Calc(text, r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(calc.right, 80);
  EXPECT_GT(calc.right, 40);
  char buffer[64];
  std::strcpy(buffer, text);
  RECT draw = r;
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, buffer, -1, &draw, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_NOCLIP);
  std::string shown = buffer;
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  EXPECT_EQ(shown.substr(0, 2), "A ");
  EXPECT_LE(Extent(buffer), 80);
  EXPECT_LE(Ink().right, 80);  // even unclipped, the text stays inside
  // A short text is left as it is.
  EXPECT_EQ(Calc("Short", r, DT_SINGLELINE | DT_END_ELLIPSIS).right, Extent("Short"));

  // Path ellipsis keeps the file name and shortens the folders.
  char path[64] = "C:\\Documents\\Projects\\Archive\\report.txt";
  RECT pr{0, 0, Extent("C:\\Docu...\\report.txt") + 2, 20};
  DrawText(dc, path, -1, &pr, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  std::string p = path;
  EXPECT_EQ(p.substr(p.size() - 11), "\\report.txt");
  EXPECT_NE(p.find("..."), std::string::npos);
  EXPECT_EQ(p.substr(0, 3), "C:\\");
  EXPECT_LE(Extent(path), pr.right);

  // With word wrapping, the last line that fits ends in an ellipsis.
  TEXTMETRIC tm = Metrics();
  Clear(kWhite);
  char words[64] = "one two three four five six seven eight";
  RECT two{0, 0, 60, 2 * tm.tmHeight};
  int h = DrawText(dc, words, -1, &two, DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL | DT_MODIFYSTRING);
  EXPECT_EQ(h, 2 * tm.tmHeight);
  EXPECT_NE(std::string(words).find("..."), std::string::npos);
  EXPECT_EQ(Ink({0, 2 * tm.tmHeight, kWidth, kHeight}).right, 0);  // nothing below the two lines
}

TEST_F(Text, TabsExpandToStopsOfAverageCharacters) {
  TEXTMETRIC tm = Metrics();
  SetBkMode(dc, TRANSPARENT);
  RECT r{0, 0, kWidth, 20};
  DrawText(dc, "\tI", -1, &r, DT_EXPANDTABS | DT_NOPREFIX);
  RECT ink = Ink();
  EXPECT_NEAR(ink.left, 8 * tm.tmAveCharWidth, 2);
  Clear(kWhite);
  DrawText(dc, "\tI", -1, &r, DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
  EXPECT_NEAR(Ink().left, 4 * tm.tmAveCharWidth, 2);
  Clear(kWhite);
  DrawText(dc, "a\t\tI", -1, &r, DT_EXPANDTABS | DT_TABSTOP | (3 << 8));
  EXPECT_NEAR(Ink({10, 0, kWidth, 20}).left, 6 * tm.tmAveCharWidth, 2);
  RECT calc = Calc("ab\tc", {0, 0, 200, 0}, DT_EXPANDTABS);
  EXPECT_EQ(calc.right, 8 * tm.tmAveCharWidth + Extent("c"));
  // DRAWTEXTPARAMS sets the tab length and margins.
  DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 2, 5, 3, 0};
  char text[] = "\tc";
  RECT m{0, 0, 200, 0};
  DrawTextEx(dc, text, -1, &m, DT_EXPANDTABS | DT_CALCRECT, &params);
  EXPECT_EQ(m.right, 5 + 2 * tm.tmAveCharWidth + Extent("c") + 3);
  EXPECT_EQ(params.uiLengthDrawn, 2u);
}

TEST_F(Text, PrefixesUnderlineUnlessDisabled) {
  TEXTMETRIC tm = Metrics();
  RECT r{0, 0, 200, 0};
  EXPECT_EQ(Calc("&File", r, 0).right, Extent("File"));
  EXPECT_EQ(Calc("&File", r, DT_NOPREFIX).right, Extent("&File"));
  EXPECT_EQ(Calc("A&&B", r, 0).right, Extent("A&B"));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kRed);
  RECT d{10, 10, 200, 40};
  int underline = 10 + tm.tmAscent + 1;
  int f = Extent("F");
  DrawText(dc, "&File", -1, &d, 0);
  EXPECT_EQ(Count(10, underline, 10 + f, underline + 1, kRed), f);
  EXPECT_EQ(Count(10 + f, underline, 10 + Extent("File"), underline + 1, kRed), 0);
  Clear(kWhite);
  DrawText(dc, "Fi&le", -1, &d, 0);
  int fi = Extent("Fi");
  EXPECT_EQ(Count(10 + fi, underline, 10 + fi + Extent("l"), underline + 1, kRed), Extent("l"));
  EXPECT_EQ(Count(10, underline, 10 + fi, underline + 1, kRed), 0);
  Clear(kWhite);
  DrawText(dc, "&File", -1, &d, DT_NOPREFIX);
  EXPECT_EQ(Count(10, underline, 200, underline + 1, kRed), 0);
  Clear(kWhite);
  DrawText(dc, "&File", -1, &d, DT_HIDEPREFIX);
  EXPECT_EQ(Count(10, underline, 200, underline + 1, kRed), 0);
  Clear(kWhite);
  DrawText(dc, "A&&B", -1, &d, 0);
  EXPECT_EQ(Count(10, underline, 200, underline + 1, kRed), 0);
}

TEST_F(Text, Utf8AndInvalidBytesAreDrawn) {
  RECT r{0, 0, 200, 0};
  const char* german = "Gr\xC3\xBC\xC3\x9F" "e";
  EXPECT_EQ(Calc(german, r, 0).right, Extent(german));
  EXPECT_GT(Extent(german), Extent("Gre"));
  const char* bad[] = {"\xFF\xFE" "abc", "abc\xE2\x82", "\x80\x80", "a\xC0\xAF" "b", "\xED\xA0\x80"};
  for (const char* s : bad) {
    Clear(kWhite);
    RECT d{0, 0, kWidth, kHeight};
    SetBkMode(dc, TRANSPARENT);
    EXPECT_GT(DrawText(dc, s, -1, &d, DT_WORDBREAK), 0);
    EXPECT_GT(Extent(s), 0);
    EXPECT_LT(Ink().left, Ink().right) << "nothing drawn for a bad sequence";
    int fit = -1;
    SIZE size;
    int n = static_cast<int>(std::strlen(s));
    std::vector<INT> partial(static_cast<size_t>(n));
    EXPECT_TRUE(GetTextExtentExPoint(dc, s, n, 10000, &fit, partial.data(), &size));
    EXPECT_EQ(fit, n);
    EXPECT_EQ(partial.back(), size.cx);
  }
  // Japanese text shows glyphs too (from a fallback font if need be).
  Clear(kWhite);
  RECT d{0, 0, kWidth, 30};
  DrawText(dc, "\xE6\x97\xA5\xE6\x9C\xAC", -1, &d, 0);
  EXPECT_GT(Ink().right, 0);
}

TEST_F(Text, EditControlLeavesOutAPartlyVisibleLastLine) {
  TEXTMETRIC tm = Metrics();
  SetBkMode(dc, TRANSPARENT);
  RECT r{0, 0, 100, tm.tmHeight + tm.tmHeight / 2};
  // Without DT_EDITCONTROL the half-visible second line is drawn (clipped).
  EXPECT_EQ(DrawText(dc, "one\ntwo\nthree", -1, &r, 0), 2 * tm.tmHeight);
  EXPECT_GT(Ink({0, tm.tmHeight, kWidth, kHeight}).right, 0);
  EXPECT_EQ(Ink({0, r.bottom, kWidth, kHeight}).right, 0);
  Clear(kWhite);
  EXPECT_EQ(DrawText(dc, "one\ntwo\nthree", -1, &r, DT_EDITCONTROL), tm.tmHeight);
  EXPECT_EQ(Ink({0, tm.tmHeight, kWidth, kHeight}).right, 0);
  // DT_NOCLIP draws every line whatever the rectangle.
  Clear(kWhite);
  EXPECT_EQ(DrawText(dc, "one\ntwo\nthree", -1, &r, DT_NOCLIP), 3 * tm.tmHeight);
  EXPECT_GT(Ink({0, 2 * tm.tmHeight, kWidth, kHeight}).right, 0);
}

TEST_F(Text, ClippingToTheRectangleUnlessNoClip) {
  SetBkMode(dc, TRANSPARENT);
  RECT r{10, 10, 30, 30};
  DrawText(dc, "WWWWWWWWWW", -1, &r, DT_SINGLELINE);
  EXPECT_LE(Ink().right, 30);
  Clear(kWhite);
  DrawText(dc, "WWWWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Ink().right, 30);
  // Opaque mode fills the background of each line.
  Clear(kWhite);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, kBlue);
  RECT b{0, 40, 100, 80};
  DrawText(dc, "ab\nabcd", -1, &b, 0);
  TEXTMETRIC tm = Metrics();
  EXPECT_EQ(Px(0, 40), kBlue);
  EXPECT_EQ(Px(Extent("ab"), 40), kWhite);
  EXPECT_EQ(Px(Extent("ab"), 40 + tm.tmHeight), kBlue);
}

}  // namespace
