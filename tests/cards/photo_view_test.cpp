// The photo view: its tile rectangles and columns, the bounded resize drag,
// the band height that measuring leaves alone, "No Photo" in the band's text
// color and the host's pictures painted into the photo square.
#include <gtest/gtest.h>

#include "library_test_env.h"

#include <functional>

#include "NbThemes/nbthemes.h"
#include "cards/image_geometry.h"
#include "cards/photo_view.h"
#include "mfc/app.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

using namespace nbui::cards;

namespace {

constexpr RGBQUAD kGreen{0, 200, 0, 255};  // blue, green, red, alpha

COLORREF FirstColor(int item) {
  COLORREF c = 0;
  NbThemeGetItemColors(item, &c, nullptr, nullptr, nullptr);
  return c;
}

// A view whose cards are described by a function and whose pictures are one
// solid 200 x 100 image; every photo rectangle it is asked to draw is kept.
class CTestPhotoView : public CNbPhotoView {
 public:
  std::function<void(int, CPhotoCardDesc&)> describe = [](int i, CPhotoCardDesc& d) {
    d.m_strTitle.Format("Tile %d", i);
    d.m_bPhoto = 1;
  };
  std::vector<CRect> photos;
  int descriptions = 0;
  CxImage picture;

  CTestPhotoView() {
    picture.Create(200, 100, 24);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) picture.SetPixelColor(x, y, kGreen);
  }
  void GetCardDescription(int nIndex, CPhotoCardDesc& desc) override {
    ++descriptions;
    describe(nIndex, desc);
  }
  void DrawPhoto(CDC* pDC, int, RECT* pRect) override {
    photos.emplace_back(*pRect);
    NBDrawRectImage(pDC, &picture, pRect);
  }
};

}  // namespace

class PhotoViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr));
    app_.m_pMainWnd = &host_;
  }
  void TearDown() override {
    view_.DestroyWindow();
    host_.DestroyWindow();
    nbp::test::Pump();
  }
  // A view whose client area is exactly width x height, holding `cards` cards.
  void MakeView(int width, int height, int cards, int flags = 0) {
    ASSERT_TRUE(view_.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &host_, 100));
    view_.SetFlags(flags);
    for (int i = 0; i < cards; ++i) view_.AddCard(reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)), FALSE);
    CRect window, client;
    view_.GetWindowRect(&window);
    view_.GetClientRect(&client);
    view_.MoveWindow(0, 0, 2 * width - client.Width(), 2 * height - client.Height());
    nbp::test::Pump();
    view_.GetClientRect(&client);
    ASSERT_EQ(client.Width(), width);
    ASSERT_EQ(client.Height(), height);
  }
  void Paint() {
    view_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    nbp::test::Pump();
  }
  COLORREF Px(int x, int y) { return nbp::WindowPixel(view_.m_hWnd, x, y); }
  // How many pixels of the rectangle have exactly the color.
  int Count(const CRect& r, COLORREF color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Px(x, y) == color;
    return n;
  }
  CSize CardSize() {
    CSize s;
    view_.GetCardSize(&s.cx, &s.cy);
    return s;
  }

  CWinApp app_{"Photo test"};
  CWnd host_;
  CTestPhotoView view_;
};

TEST(PhotoRects, DefaultTileAndTinyTiles) {
  CPhotoCardRects r;
  GridPhotoCardRects(CRect(0, 0, 144, 134), 20, r);
  EXPECT_EQ(r.m_rcCard, CRect(1, 1, 140, 130));
  EXPECT_EQ(r.m_rcHeader, CRect(3, 108, 138, 128));
  EXPECT_EQ(r.m_rcBody, CRect(3, 3, 138, 108));
  EXPECT_EQ(r.m_rcPhoto, CRect(23, 8, 118, 103));
  EXPECT_EQ(r.m_rcCheck, CRect(6, 111, 20, 125));
  // A large tile: the square stops at 96, centred.
  GridPhotoCardRects(CRect(0, 0, 300, 300), 20, r);
  EXPECT_EQ(r.m_rcPhoto, CRect(100, 90, 196, 186));
  // A body of 30 x 9 has no room: the side is negative, the rectangle still
  // centred on the body (shifts round toward minus infinity).
  GridPhotoCardRects(CRect(0, 0, 39, 38), 20, r);
  EXPECT_EQ(r.m_rcBody, CRect(3, 3, 33, 12));
  EXPECT_EQ(r.m_rcPhoto.Width(), -2);
  EXPECT_EQ(r.m_rcPhoto.left, 3 + (32 >> 1));
}

TEST_F(PhotoViewTest, CreationDefaultsAndFourFifthsColumns) {
  MakeView(420, 300, 4);
  EXPECT_EQ(CardSize(), CSize(144, 134));
  int cx = 0, cy = 0;
  view_.GetMinCardSize(&cx, &cy);
  EXPECT_EQ(CSize(cx, cy), CSize(80, 70));
  EXPECT_EQ(view_.GetColumnCount(), 3);  // the third column shows 132 of 144 pixels
  CRect window, client;
  view_.GetWindowRect(&window);
  view_.GetClientRect(&client);
  view_.MoveWindow(0, 0, window.Width() - 20, window.Height());
  nbp::test::Pump();
  view_.GetClientRect(&client);
  ASSERT_EQ(client.Width(), 400);
  EXPECT_EQ(view_.GetColumnCount(), 2);  // 112 of 144 pixels is less than four fifths
}

TEST_F(PhotoViewTest, BandHeightSurvivesMeasuringAndPainting) {
  MakeView(420, 300, 4);
  view_.SetHeaderHeight(40);
  view_.describe = [](int i, CPhotoCardDesc& d) { d.m_bPhoto = i % 2; };
  Paint();
  CPhotoCardRects rects;
  view_.GetCardRects(1, rects);
  EXPECT_EQ(view_.GetHeaderHeight(), 40);
  EXPECT_EQ(rects.m_rcHeader, CRect(147, 88, 282, 128));
  // A resize drag measures its bands too.
  nbp::test::Drag(view_.m_hWnd, CPoint(142, 50), CPoint(120, 50));
  EXPECT_EQ(view_.GetHeaderHeight(), 40);
}

TEST_F(PhotoViewTest, ResizeDragStaysBetweenMinimumAndMaximum) {
  MakeView(700, 400, 20);
  view_.SetCardSize(100, 100);  // not bounded by the maximum either way
  nbp::test::Drag(view_.m_hWnd, CPoint(98, 50), CPoint(690, 50));
  EXPECT_EQ(CardSize(), CSize(144, 100));
  view_.SetCardSize(200, 100);
  EXPECT_EQ(CardSize(), CSize(200, 100));
  nbp::test::Drag(view_.m_hWnd, CPoint(50, 98), CPoint(50, 5));
  EXPECT_EQ(CardSize(), CSize(200, 70));
  nbp::test::Drag(view_.m_hWnd, CPoint(50, 68), CPoint(50, 395));
  EXPECT_EQ(CardSize(), CSize(200, 134));
  nbp::test::Drag(view_.m_hWnd, CPoint(198, 50), CPoint(150, 50));
  EXPECT_EQ(CardSize(), CSize(144, 134));  // a drag may also shrink to the maximum
}

TEST_F(PhotoViewTest, NoPhotoTakesTheBandTextColorOfTheSelection) {
  COLORREF normal = FirstColor(35), selected = FirstColor(38), body = FirstColor(36);
  ASSERT_NE(normal, selected);
  ASSERT_NE(normal, body);
  ASSERT_NE(selected, body);
  MakeView(420, 300, 2);
  view_.describe = [](int, CPhotoCardDesc& d) { d.m_strTitle = ""; };
  view_.SelectCard(1, TRUE, FALSE);
  view_.photos.clear();
  Paint();
  CPhotoCardRects r0, r1;
  view_.GetCardRects(0, r0);
  view_.GetCardRects(1, r1);
  EXPECT_GT(Count(r0.m_rcBody, normal), 5);
  EXPECT_EQ(Count(r0.m_rcBody, selected), 0);
  EXPECT_GT(Count(r1.m_rcBody, selected), 5);
  EXPECT_EQ(Count(r1.m_rcBody, normal), 0);
  EXPECT_TRUE(view_.photos.empty());
}

TEST_F(PhotoViewTest, PictureFillsTheSquareProportionallyOverTheBody) {
  MakeView(420, 300, 1);
  Paint();
  ASSERT_FALSE(view_.photos.empty());
  EXPECT_EQ(view_.photos.back(), CRect(23, 8, 118, 103));
  COLORREF green = RGB(0, 200, 0), body = FirstColor(36);
  // 200 x 100 in a 95-pixel square: 95 x 48 at (23, 31).
  EXPECT_EQ(Count(CRect(23, 31, 118, 79), green), 95 * 48);
  EXPECT_EQ(Px(22, 50), body);
  EXPECT_EQ(Px(118, 50), body);
  EXPECT_EQ(Px(70, 30), body);  // no fill of the square around the picture
  EXPECT_EQ(Px(70, 79), body);
}

TEST_F(PhotoViewTest, TinyTilesStillAskForTheirPicture) {
  MakeView(420, 300, 3);
  view_.SetCardSize(40, 40, FALSE);
  view_.photos.clear();
  Paint();
  ASSERT_EQ(view_.photos.size(), 3u);
  EXPECT_LE(view_.photos[0].Width(), 0);  // a body of 31 x 11 leaves no room
  EXPECT_EQ(view_.photos[0].Width(), view_.photos[0].Height());
}

TEST_F(PhotoViewTest, CheckBoxesAreDrawnAndToggled) {
  MakeView(420, 300, 1, CVF_CHECKBOXES);
  Paint();
  CPhotoCardRects r;
  view_.GetCardRects(0, r);
  CPoint inside(r.m_rcCheck.left + 7, r.m_rcCheck.top + 7);
  EXPECT_EQ(Px(inside.x, inside.y), RGB(255, 255, 255));  // the empty box
  nbp::test::Click(view_.m_hWnd, inside);
  EXPECT_EQ(view_.IsCardChecked(0), 1);
  Paint();
  EXPECT_NE(Count(CRect(r.m_rcCheck.left + 2, r.m_rcCheck.top + 2, r.m_rcCheck.right - 2, r.m_rcCheck.bottom - 2),
                  RGB(255, 255, 255)),
            10 * 10);  // the tick
}

TEST_F(PhotoViewTest, AMillionTilesPaintOnlyWhatShows) {
  MakeView(700, 400, 1000000);
  EXPECT_EQ(view_.GetColumnCount(), 5);
  view_.SetScrollPos(SB_VERT, 150000);
  view_.descriptions = 0;
  view_.photos.clear();
  Paint();
  EXPECT_EQ(view_.photos.size(), 5u * 3u);  // three rows meet 400 pixels of 134-pixel rows
  EXPECT_LE(view_.descriptions, 4 * 15);
  EXPECT_EQ(view_.PtToCardIndex(CPoint(150, 140)), 150000 * 5 + 5 + 1);
}

TEST_F(PhotoViewTest, PadlockAndNoteStackInTheBodysLeftColumn) {
  MakeView(420, 300, 1);
  view_.describe = [](int, CPhotoCardDesc& d) {
    d.m_bPrivate = 1;
    d.m_bNote = 1;
  };
  Paint();
  CPhotoCardRects r;
  view_.GetCardRects(0, r);
  COLORREF body = FirstColor(36);
  // The padlock (14 x 15) centred in the 16-pixel column 2 pixels in, the
  // note (16 x 16) 2 pixels below it.
  CRect padlock(r.m_rcBody.left + 3, r.m_rcBody.top + 2, r.m_rcBody.left + 17, r.m_rcBody.top + 17);
  CRect note(r.m_rcBody.left + 2, padlock.bottom + 2, r.m_rcBody.left + 18, padlock.bottom + 18);
  int area = padlock.Width() * padlock.Height();
  EXPECT_LT(Count(padlock, body), area);
  EXPECT_LT(Count(note, body), note.Width() * note.Height());
  CRect column(r.m_rcBody.left, r.m_rcBody.top, r.m_rcBody.left + 24, r.m_rcBody.top + 50);
  for (int y = column.top; y < column.bottom; ++y)
    for (int x = column.left; x < column.right; ++x)
      if (!padlock.PtInRect(CPoint(x, y)) && !note.PtInRect(CPoint(x, y))) {
        EXPECT_EQ(Px(x, y), body) << x << ", " << y;
      }
}

TEST_F(PhotoViewTest, NoPhotoIsCentredInTheBody) {
  MakeView(420, 300, 1);
  view_.describe = [](int, CPhotoCardDesc&) {};
  Paint();
  CPhotoCardRects r;
  view_.GetCardRects(0, r);
  COLORREF text = FirstColor(35);
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (int y = r.m_rcBody.top; y < r.m_rcBody.bottom; ++y)
    for (int x = r.m_rcBody.left; x < r.m_rcBody.right; ++x)
      if (Px(x, y) == text) {
        box.left = std::min<int>(box.left, x), box.top = std::min<int>(box.top, y);
        box.right = std::max<int>(box.right, x + 1), box.bottom = std::max<int>(box.bottom, y + 1);
      }
  ASSERT_FALSE(box.IsRectEmpty());
  CPoint centre = r.m_rcBody.CenterPoint(), drawn = box.CenterPoint();
  EXPECT_NEAR(drawn.x, centre.x, 3);
  EXPECT_NEAR(drawn.y, centre.y, 4);  // the glyphs sit a little above the line's middle
}
