// The bitmap button as a user meets it: clicks and double clicks reported by
// the private message, the flat look's hover border, the 3-D look, pictures,
// captions and the default picture, and disabling.
#include "buttons_fixture.h"

#include <cstdlib>

#include "buttons/bitmap_button.h"
#include "win/syscolors.h"

namespace {

constexpr int kW = 100, kH = 80;

CxImage SolidImage(int width, int height, RGBQUAD color) {
  CxImage image;
  image.Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
  for (long y = 0; y < height; ++y)
    for (long x = 0; x < width; ++x) image.SetPixelColor(x, y, color);
  return image;
}

// A host's derived button, which can see the picture it shows.
class CShowingButton : public CNbBitmapButton {
 public:
  CSize Shown() const {
    if (!m_pImage || !m_pImage->IsValid()) return CSize(0, 0);
    return CSize(static_cast<int>(m_pImage->GetWidth()), static_cast<int>(m_pImage->GetHeight()));
  }
};

class BitmapButtonTest : public ButtonsTest {
 protected:
  void TearDown() override {
    button_.DestroyWindow();
    other_.DestroyWindow();
    ButtonsTest::TearDown();
  }
  void Make(const char* caption, DWORD style = BS_PUSHBUTTON) {
    ASSERT_TRUE(button_.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, CRect(20, 20, 20 + kW, 20 + kH),
                               &host_, 400));
    ASSERT_TRUE(other_.Create("Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(200, 20, 280, 50),
                              &host_, 401));
    nbp::test::Pump();
    host_.told.clear();
  }
  HWND Hwnd() { return button_.m_hWnd; }
  COLORREF Corner() { return Px(Hwnd(), 0, 0); }
  int DarkPixels() {
    int n = 0;
    for (int y = 2; y < kH - 2; ++y)
      for (int x = 2; x < kW - 2; ++x) {
        COLORREF c = Px(Hwnd(), x, y);
        n += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
      }
    return n;
  }

  CShowingButton button_;
  CButton other_;
};

}  // namespace

TEST_F(BitmapButtonTest, BecomesOwnerDrawnAndStaysSo) {
  Make("Go", BS_DEFPUSHBUTTON | 0x10);
  EXPECT_EQ(button_.CWnd::GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW)) << "all five type bits replaced";
  button_.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(button_.CWnd::GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(BitmapButtonTest, AClickIsReportedByThePrivateMessageOnly) {
  Make("Go");
  nbp::test::Click(Hwnd(), POINT{50, 40});
  EXPECT_EQ(host_.Count(WM_NB_BITMAPBUTTON_CLICKED), 1);
  EXPECT_EQ(host_.Count(WM_COMMAND), 0) << "no BN_CLICKED";
  EXPECT_EQ(::GetFocus(), Hwnd());
}

TEST_F(BitmapButtonTest, ADoubleClickIsTwoClicks) {
  Make("Go");
  nbp::test::DoubleClick(Hwnd(), POINT{50, 40});
  EXPECT_EQ(host_.Count(WM_NB_BITMAPBUTTON_CLICKED), 2);
  EXPECT_EQ(host_.Count(WM_COMMAND), 0);
}

TEST_F(BitmapButtonTest, FlatBorderShowsWhileTheMouseIsOver) {
  Make("Go");
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Corner(), face);
  nbp::test::MoveTo(Hwnd(), POINT{50, 40});
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNHILIGHT));
  EXPECT_EQ(Px(Hwnd(), kW - 1, kH - 1), GetSysColor(COLOR_BTNSHADOW));
  nbp::test::MoveTo(host_.m_hWnd, POINT{300, 200});
  EXPECT_EQ(Corner(), face) << "gone when the mouse leaves";
  nbp::test::MoveTo(Hwnd(), POINT{50, 40});
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNHILIGHT)) << "back on return";
}

TEST_F(BitmapButtonTest, FlatBorderGoesWithTheFocusAndCanBeTurnedOff) {
  Make("Go");
  nbp::test::Click(Hwnd(), POINT{50, 40});
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNHILIGHT));
  other_.SetFocus();
  nbp::test::Pump();
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNFACE));
  button_.DrawBorder(FALSE);
  nbp::test::MoveTo(Hwnd(), POINT{40, 40});
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BitmapButtonTest, PressedFlatButtonLooksSunken) {
  Make("Go");
  nbp::test::Press(Hwnd(), POINT{50, 40});
  nbp::test::Pump();
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Px(Hwnd(), kW - 1, kH - 1), GetSysColor(COLOR_BTNHILIGHT));
  nbp::test::Release(Hwnd(), POINT{50, 40});
  EXPECT_EQ(host_.Count(WM_NB_BITMAPBUTTON_CLICKED), 1);
}

TEST_F(BitmapButtonTest, ThreeDLookHasRaisedEdgesAFocusFrameAndAPressedFrame) {
  Make("Go");
  button_.SetFlat(FALSE);
  nbp::test::Pump();
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNHILIGHT));
  EXPECT_EQ(Px(Hwnd(), 1, 1), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(Px(Hwnd(), kW - 1, kH - 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(Px(Hwnd(), kW - 2, kH - 2), GetSysColor(COLOR_BTNSHADOW));
  nbp::test::Press(Hwnd(), POINT{50, 40});
  nbp::test::Pump();
  EXPECT_EQ(Corner(), RGB(0, 0, 0)) << "focused: a black frame";
  EXPECT_EQ(Px(Hwnd(), 1, 1), GetSysColor(COLOR_BTNSHADOW)) << "pressed: a shadow frame";
  EXPECT_EQ(Px(Hwnd(), kW - 2, kH - 2), GetSysColor(COLOR_BTNSHADOW));
  nbp::test::Release(Hwnd(), POINT{50, 40});
}

TEST_F(BitmapButtonTest, WithoutPictureOrCaptionTheDefaultPictureShows) {
  Make("");
  int drawn = 0;
  for (int y = 2; y < kH - 2; ++y)
    for (int x = 2; x < kW - 2; ++x) drawn += Px(Hwnd(), x, y) != GetSysColor(COLOR_BTNFACE);
  EXPECT_GT(drawn, 500);
}

TEST_F(BitmapButtonTest, APictureIsShrunkToSixtyFourAndCentred) {
  Make("Caption");
  CxImage wide = SolidImage(200, 100, RGBQUAD{40, 160, 30, 0});
  button_.SetCxImage(&wide);
  // 64 x 32 in the middle of 100 x 80: x 18 ... 81, y 24 ... 55.
  EXPECT_EQ(Px(Hwnd(), kW / 2, kH / 2), RGB(30, 160, 40));
  EXPECT_EQ(Px(Hwnd(), 19, 25), RGB(30, 160, 40));
  EXPECT_EQ(Px(Hwnd(), 16, 40), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Px(Hwnd(), 50, 20), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(DarkPixels(), 0) << "the picture, not the caption";
}

TEST_F(BitmapButtonTest, AnInvalidPictureEmptiesTheShownOne) {
  Make("Caption");
  CxImage wide = SolidImage(200, 100, RGBQUAD{40, 160, 30, 0});
  button_.SetCxImage(&wide);
  CxImage invalid;
  button_.SetCxImage(&invalid);
  EXPECT_NE(Px(Hwnd(), kW / 2, kH / 2), RGB(30, 160, 40));
  EXPECT_GT(DarkPixels(), 10) << "the caption is back";
  button_.SetCxImage(nullptr);
  EXPECT_GT(DarkPixels(), 10);
}

TEST_F(BitmapButtonTest, DisabledButtonLooksGreyed) {
  Make("Caption");
  int enabledInk = DarkPixels();
  button_.EnableWindow(FALSE);
  nbp::test::Pump();
  EXPECT_GT(enabledInk, 10);
  EXPECT_EQ(DarkPixels(), 0) << "grey text";
  CxImage red = SolidImage(40, 40, RGBQUAD{0, 0, 220, 0});
  button_.SetCxImage(&red);
  COLORREF c = Px(Hwnd(), kW / 2, kH / 2);
  EXPECT_LT(std::abs(GetRValue(c) - GetGValue(c)), 16) << "no red left";
}

TEST_F(BitmapButtonTest, DisablingTheFocusedButtonMovesTheFocusOn) {
  Make("Go");
  button_.SetFocus();
  button_.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), other_.m_hWnd);
}

TEST_F(BitmapButtonTest, DisablingNeverTakesTheFocusFromAnotherControl) {
  Make("Go");
  other_.SetFocus();
  nbp::test::MoveTo(Hwnd(), POINT{50, 40});
  button_.EnableWindow(FALSE);
  nbp::test::Pump();
  EXPECT_EQ(::GetFocus(), other_.m_hWnd);
  EXPECT_EQ(Corner(), GetSysColor(COLOR_BTNFACE)) << "no hover border on a disabled button";
}

TEST_F(BitmapButtonTest, FlatLookShowsTheFocusOnlyWhenAskedTo) {
  Make("Go");
  auto marked = [this] {
    int n = 0;
    for (int x = 3; x < 20; ++x) n += Px(Hwnd(), x, 3) != GetSysColor(COLOR_BTNFACE);
    return n;
  };
  nbp::test::Click(Hwnd(), POINT{50, 40});
  EXPECT_EQ(marked(), 0);
  button_.DrawFlatFocus(TRUE);
  nbp::test::Pump();
  EXPECT_GT(marked(), 4) << "the dotted focus rectangle, 3 pixels in";
}

TEST_F(BitmapButtonTest, ShownPicturesFitSixtyFourAndKeepAtLeastAPixel) {
  Make("");
  CxImage tall = SolidImage(100, 300, RGBQUAD{0, 0, 0, 0});
  button_.SetCxImage(&tall);
  EXPECT_EQ(button_.Shown(), CSize(21, 64));
  CxImage small = SolidImage(50, 40, RGBQUAD{0, 0, 0, 0});
  button_.SetCxImage(&small);
  EXPECT_EQ(button_.Shown(), CSize(50, 40)) << "never enlarged";
  CxImage thin = SolidImage(3000, 2, RGBQUAD{0, 0, 0, 0});
  button_.SetCxImage(&thin);
  EXPECT_EQ(button_.Shown(), CSize(64, 1)) << "not kept at full size";
}
