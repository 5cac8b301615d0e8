// The MFC wrappers: ownership of handles, FromHandle and temporary maps,
// point fonts, and MFC's own helpers (FillSolidRect, Draw3dRect,
// DrawDragRect).
#include <cstring>
#include <vector>

#include "gdi_fixture.h"
#include "mfc/dc.h"
#include "nbp/display.h"
#include "win/resources.h"

namespace {

class Mfc : public Canvas32 {
 protected:
  void TearDown() override {
    nbp::mfc::DeleteTempGdiMaps();
    Canvas32::TearDown();
  }
  CDC* Dc() { return CDC::FromHandle(dc); }
};

TEST_F(Mfc, WrappersOwnTheirHandlesUntilDetached) {
  HGDIOBJ h;
  {
    CPen pen(PS_SOLID, 1, kRed);
    h = pen.m_hObject;
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(CGdiObject::FromHandle(h), &pen);
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(h)), &pen);
  }
  EXPECT_EQ(GetObjectType(h), 0u);  // deleted with its wrapper
  {
    CBrush brush(kBlue);
    h = brush.Detach();
    EXPECT_EQ(brush.m_hObject, nullptr);
    EXPECT_FALSE(brush.DeleteObject());
  }
  EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_BRUSH));
  CBrush again;
  EXPECT_TRUE(again.Attach(h));
  EXPECT_FALSE(again.Attach(nullptr));
  LOGBRUSH lb{};
  EXPECT_EQ(again.GetLogBrush(&lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, kBlue);
  EXPECT_TRUE(again.DeleteObject());
  EXPECT_EQ(GetObjectType(h), 0u);
}

TEST_F(Mfc, FromHandleMakesTemporaryWrappersOfTheRightClass) {
  HPEN raw = CreatePen(PS_SOLID, 1, kGreen);
  CGdiObject* temp = CGdiObject::FromHandle(raw);
  ASSERT_NE(temp, nullptr);
  EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(CPen::FromHandle(raw), temp);  // the same until the maps are emptied
  EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
  EXPECT_TRUE(CGdiObject::FromHandle(GetStockObject(WHITE_BRUSH))->IsKindOf(RUNTIME_CLASS(CBrush)));
  nbp::mfc::DeleteTempGdiMaps();
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_PEN));  // temporaries never delete handles
  DeleteObject(raw);

  CDC* wrapped = CDC::FromHandle(dc);
  EXPECT_EQ(wrapped->m_hDC, dc);
  EXPECT_EQ(CDC::FromHandle(dc), wrapped);
  nbp::mfc::DeleteTempGdiMaps();
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  CDC owner;
  HDC mem = CreateCompatibleDC(nullptr);
  owner.Attach(mem);
  EXPECT_EQ(CDC::FromHandle(mem), &owner);
}

TEST_F(Mfc, ACdcDeletesItsMemoryDc) {
  HDC h;
  {
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(Dc()));
    h = mem.GetSafeHdc();
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_MEMDC));
  }
  EXPECT_EQ(GetObjectType(h), 0u);
  CDC other;
  other.CreateCompatibleDC(nullptr);
  EXPECT_TRUE(other.DeleteDC());
  EXPECT_EQ(other.m_hDC, nullptr);
  EXPECT_FALSE(other.DeleteDC());
}

TEST_F(Mfc, SelectObjectReturnsWhatWasSelected) {
  CDC* d = Dc();
  CPen red(PS_SOLID, 1, kRed);
  CPen* old = d->SelectObject(&red);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->m_hObject, GetStockObject(BLACK_PEN));
  EXPECT_EQ(d->GetCurrentPen(), &red);
  EXPECT_EQ(d->SelectObject(old), &red);
  CGdiObject* previous = d->SelectStockObject(NULL_BRUSH);
  EXPECT_EQ(previous->m_hObject, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(d->GetCurrentBrush()->m_hObject, GetStockObject(NULL_BRUSH));
  d->SelectStockObject(WHITE_BRUSH);
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 4, 4);
  EXPECT_EQ(d->SelectObject(&rgn), SIMPLEREGION);
  EXPECT_FALSE(d->PtVisible(5, 5));
  d->SelectClipRgn(nullptr);
  EXPECT_EQ(d->GetCurrentBitmap()->m_hObject, bitmap);
}

TEST_F(Mfc, PointFontsUseTheDcsResolutionAsMfcRoundsIt) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(80, "MS Sans Serif"));
  LOGFONT lf{};
  font.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -10);  // 80 * 96 / 720, truncated
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  CFont big;
  big.CreatePointFont(120, "Tahoma", Dc());
  big.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -16);
  nbp::display::SetLogPixels(120);
  CFont scaled;
  scaled.CreatePointFont(80, "Tahoma", Dc());
  nbp::display::SetLogPixels(96);
  scaled.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -13);
  LOGFONT tenths{};
  tenths.lfHeight = 100;
  tenths.lfWeight = FW_BOLD;
  CFont indirect;
  indirect.CreatePointFontIndirect(&tenths, Dc());
  indirect.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST_F(Mfc, FillSolidRectAndDraw3dRect) {
  CDC* d = Dc();
  d->FillSolidRect(2, 2, 10, 5, kGreen);
  EXPECT_EQ(d->GetBkColor(), kGreen);  // left behind, as in MFC
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kGreen), 50);
  EXPECT_EQ(Px(11, 6), kGreen);
  CRect r(20, 20, 30, 28);
  d->Draw3dRect(&r, kRed, kBlue);
  EXPECT_EQ(Px(20, 20), kRed);
  EXPECT_EQ(Px(28, 20), kRed);
  EXPECT_EQ(Px(29, 20), kBlue);  // the top-right corner belongs to the right side
  EXPECT_EQ(Px(20, 26), kRed);
  EXPECT_EQ(Px(20, 27), kBlue);  // and the bottom-left one to the bottom
  EXPECT_EQ(Px(29, 27), kBlue);
  EXPECT_EQ(Px(25, 24), kWhite);
  EXPECT_EQ(Px(30, 24), kWhite);
  EXPECT_EQ(Count(20, 20, 30, 28, kRed), 9 + 7 - 1);
  EXPECT_EQ(Count(20, 20, 30, 28, kBlue), 10 + 8 - 1);
}

TEST_F(Mfc, DrawDragRectMovesAHalftoneFrame) {
  CDC* d = Dc();
  CRect first(10, 10, 40, 30), second(20, 15, 50, 35);
  CSize thick(2, 2);
  d->DrawDragRect(&first, thick, nullptr, thick);
  int inverted = Count(0, 0, kWidth, kHeight, kBlack);
  int frame = 2 * 30 * 2 + 2 * (20 - 4) * 2;
  EXPECT_EQ(inverted, frame / 2);  // every other pixel of the frame
  EXPECT_EQ(Count(12, 12, 38, 28, kBlack), 0);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kWhite) + inverted, kWidth * kHeight);
  RECT clip;
  EXPECT_EQ(d->GetClipBox(&clip), SIMPLEREGION);  // the clip region is gone again
  EXPECT_EQ(clip.right, kWidth);
  // Moving: the old frame disappears and the new one shows.
  d->DrawDragRect(&second, thick, &first, thick);
  EXPECT_EQ(Count(10, 10, 12, 15, kBlack), 0);  // a bit of the old frame only
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kBlack), frame / 2);
  EXPECT_GT(Count(48, 15, 50, 35, kBlack), 0);
  // Erasing: an empty new frame against the last one.
  CRect none(0, 0, 0, 0);
  d->DrawDragRect(&none, CSize(0, 0), &second, thick);
  EXPECT_EQ(Count(0, 0, kWidth, kHeight, kWhite), kWidth * kHeight);
}

TEST_F(Mfc, TextAndShapesThroughTheMembers) {
  CDC* d = Dc();
  CString text("Hello");
  CSize extent = d->GetTextExtent(text);
  SIZE raw{};
  GetTextExtentPoint32(dc, "Hello", 5, &raw);
  EXPECT_EQ(extent.cx, raw.cx);
  EXPECT_EQ(extent.cy, raw.cy);
  EXPECT_EQ(d->GetOutputTextExtent("Hello", 5).cx, raw.cx);
  CRect r(0, 0, 200, 0);
  EXPECT_EQ(d->DrawText(text, &r, DT_CALCRECT), raw.cy);
  EXPECT_EQ(r.Width(), raw.cx);
  CString face;
  d->GetTextFace(face);
  EXPECT_EQ(face.Compare("DejaVu Sans"), 0);
  TEXTMETRIC tm{};
  EXPECT_TRUE(d->GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight, raw.cy);
  d->SetBkMode(TRANSPARENT);
  EXPECT_TRUE(d->TextOut(0, 40, text));
  EXPECT_LT(Count(0, 40, 60, 60, kWhite), 20 * 60);

  CPoint old = d->MoveTo(CPoint(5, 5));
  EXPECT_EQ(old.x, 0);
  CPen red(PS_SOLID, 1, kRed);
  CPen* prev = d->SelectObject(&red);
  d->LineTo(CPoint(10, 5));
  EXPECT_EQ(Px(9, 5), kRed);
  EXPECT_EQ(d->GetCurrentPosition().x, 10);
  d->SelectObject(prev);
  EXPECT_EQ(d->SetViewportOrg(3, 4), CPoint(0, 0));
  EXPECT_EQ(d->OffsetViewportOrg(1, 1), CPoint(3, 4));
  EXPECT_EQ(d->GetViewportOrg(), CPoint(4, 5));
  d->SetViewportOrg(0, 0);
  CBrush blue(kBlue);
  CRect box(60, 0, 70, 10);
  d->FillRect(&box, &blue);
  EXPECT_EQ(d->GetPixel(CPoint(69, 9)), kBlue);
  d->FrameRect(&box, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(Px(60, 0), kBlack);
  EXPECT_EQ(Px(61, 1), kBlue);
  EXPECT_EQ(d->IntersectClipRect(&box), SIMPLEREGION);
  EXPECT_FALSE(d->PtVisible(CPoint(0, 0)));
  d->SelectClipRgn(nullptr);
}

TEST_F(Mfc, BitmapsAndRegionsThroughTheirClasses) {
  HINSTANCE module = nbp::res::CreateModule("mfc-bitmaps");
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + 4, 0);
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = 1;
  h->biHeight = 1;
  h->biPlanes = 1;
  h->biBitCount = 24;
  dib[sizeof(BITMAPINFOHEADER) + 2] = 0xFF;  // red
  nbp::res::AddData(module, RT_BITMAP, MAKEINTRESOURCE(42), dib);
  HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(module);
  CBitmap loaded;
  EXPECT_TRUE(loaded.LoadBitmap(42));
  AfxSetResourceHandle(previous);
  BITMAP info{};
  loaded.GetBitmap(&info);
  EXPECT_EQ(info.bmWidth, 1);
  CDC mem;
  mem.CreateCompatibleDC(Dc());
  CBitmap* old = mem.SelectObject(&loaded);
  EXPECT_EQ(mem.GetPixel(0, 0), kRed);
  Dc()->BitBlt(5, 5, 1, 1, &mem, 0, 0, SRCCOPY);
  EXPECT_EQ(Px(5, 5), kRed);
  mem.SelectObject(old);
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap(43));
  nbp::res::DestroyModule(module);

  CRgn a, b, c;
  a.CreateRectRgn(0, 0, 10, 10);
  b.CreateEllipticRgn(5, 5, 15, 15);
  c.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(c.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(c.PtInRegion(CPoint(12, 10)));
  CRgn copy;
  copy.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(copy.CopyRgn(&c), COMPLEXREGION);
  EXPECT_TRUE(copy.EqualRgn(&c));
  copy.OffsetRgn(CPoint(1, 0));
  EXPECT_FALSE(copy.EqualRgn(&c));
  CRect box;
  copy.GetRgnBox(&box);
  EXPECT_EQ(box.left, 1);
  copy.SetRectRgn(CRect(2, 2, 3, 3));
  EXPECT_TRUE(copy.RectInRegion(CRect(0, 0, 5, 5)));
}

}  // namespace
