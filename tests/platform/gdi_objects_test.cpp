// Handles and objects: stock objects, selection, deletion, GetObject, and
// what stale, foreign or wrong-kind handles do.
#include <cstring>

#include "gdi_fixture.h"
#include "../../platform/src/internal/gdi_internal.h"

// fontconfig keeps its font patterns for the life of the process in
// storage that the leak checker cannot follow; those are not GDI's leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

using Objects = Canvas32;

TEST_F(Objects, StockObjectsHaveTheirKindsAndSurviveDeletion) {
  struct { int id; DWORD type; } stock[] = {
      {WHITE_BRUSH, OBJ_BRUSH}, {LTGRAY_BRUSH, OBJ_BRUSH}, {GRAY_BRUSH, OBJ_BRUSH}, {DKGRAY_BRUSH, OBJ_BRUSH},
      {BLACK_BRUSH, OBJ_BRUSH}, {NULL_BRUSH, OBJ_BRUSH},   {WHITE_PEN, OBJ_PEN},     {BLACK_PEN, OBJ_PEN},
      {NULL_PEN, OBJ_PEN},      {SYSTEM_FONT, OBJ_FONT},   {DEFAULT_GUI_FONT, OBJ_FONT}, {ANSI_VAR_FONT, OBJ_FONT}};
  for (auto s : stock) {
    HGDIOBJ h = GetStockObject(s.id);
    ASSERT_NE(h, nullptr) << s.id;
    EXPECT_EQ(GetObjectType(h), s.type) << s.id;
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(GetObjectType(h), s.type) << "stock object " << s.id << " was deleted";
    EXPECT_EQ(GetStockObject(s.id), h);
  }
  EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(GetStockObject(-1), nullptr);

  LOGBRUSH lb{};
  ASSERT_EQ(GetObject(GetStockObject(LTGRAY_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
  ASSERT_EQ(GetObject(GetStockObject(NULL_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
}

TEST_F(Objects, FreshDcHasTheDefaultObjectsSelected) {
  HDC mem = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetObjectType(mem), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(GetCurrentObject(mem, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(mem, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(mem, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  HGDIOBJ bm = GetCurrentObject(mem, OBJ_BITMAP);
  BITMAP info{};
  ASSERT_EQ(GetObject(bm, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmHeight, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(GetTextColor(mem), kBlack);
  EXPECT_EQ(GetBkColor(mem), kWhite);
  EXPECT_EQ(GetBkMode(mem), OPAQUE);
  EXPECT_EQ(GetROP2(mem), R2_COPYPEN);
  DeleteDC(mem);
}

TEST_F(Objects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH blue = CreateSolidBrush(kBlue);
  EXPECT_EQ(SelectObject(dc, red), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, blue), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), red);
  EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), blue);
  HRGN rgn = CreateRectRgn(0, 0, 10, 10);
  EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(dc, rgn)), SIMPLEREGION);
  DeleteObject(rgn);
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_F(Objects, DeletingASelectedPenWaitsUntilItIsDeselected) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  SelectObject(dc, red);
  EXPECT_TRUE(DeleteObject(red));
  // Still drawable and still valid while selected.
  EXPECT_EQ(GetObjectType(red), static_cast<DWORD>(OBJ_PEN));
  MoveToEx(dc, 0, 5, nullptr);
  LineTo(dc, 10, 5);
  EXPECT_EQ(Px(3, 5), kRed);
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), red);
  EXPECT_EQ(GetObjectType(red), 0u);
}

TEST_F(Objects, ABitmapSelectedIntoADcIsNotDeletedNorSelectedElsewhere) {
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr);
  DeleteDC(other);
  // A window DC cannot hold a bitmap at all.
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4);
  HDC window = nbp::gdi::CreateSurfaceDC(s, {0, 0}, nullptr, nullptr);
  HBITMAP loose = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_EQ(SelectObject(window, loose), nullptr);
  DeleteObject(loose);
  nbp::gdi::DeleteSurfaceDC(window);
  cairo_surface_destroy(s);
}

TEST_F(Objects, StaleAndForeignHandlesFailWithoutHarm) {
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  ASSERT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  LOGPEN lp;
  EXPECT_EQ(GetObject(pen, sizeof lp, &lp), 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));

  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  RECT r{0, 0, 5, 5};
  EXPECT_FALSE(DeleteDC(gone));
  EXPECT_EQ(SetTextColor(gone, kRed), CLR_INVALID);
  EXPECT_EQ(GetPixel(gone, 0, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(gone, 0, 0, kRed), CLR_INVALID);
  EXPECT_EQ(SetTextAlign(gone, TA_RIGHT), GDI_ERROR);
  EXPECT_EQ(SetBkMode(gone, TRANSPARENT), 0);
  EXPECT_EQ(SaveDC(gone), 0);
  EXPECT_FALSE(FillRect(gone, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(DrawText(gone, "x", 1, &r, 0), 0);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 5, 5, gone, 0, 0, SRCCOPY));
  EXPECT_EQ(GetClipBox(gone, &r), ERROR);

  // Made-up values and handles of the wrong kind.
  HGDIOBJ junk[] = {reinterpret_cast<HGDIOBJ>(1), reinterpret_cast<HGDIOBJ>(0x12345678),
                    reinterpret_cast<HGDIOBJ>(~uintptr_t{0}), nullptr};
  for (HGDIOBJ h : junk) {
    EXPECT_EQ(GetObjectType(h), 0u);
    EXPECT_FALSE(DeleteObject(h));
    EXPECT_EQ(SelectObject(dc, h), nullptr);
    EXPECT_EQ(GetPixel(static_cast<HDC>(h), 0, 0), CLR_INVALID);
  }
  HBRUSH brush = CreateSolidBrush(kRed);
  EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(brush), kRed), CLR_INVALID);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
  EXPECT_EQ(CombineRgn(reinterpret_cast<HRGN>(brush), reinterpret_cast<HRGN>(brush), nullptr, RGN_COPY), ERROR);
  EXPECT_FALSE(FillRect(dc, &r, reinterpret_cast<HBRUSH>(bitmap)));
  EXPECT_FALSE(DeleteObject(dc));
  DeleteObject(brush);
}

TEST_F(Objects, GetObjectDescribesPensBrushesAndBitmaps) {
  HPEN pen = CreatePen(PS_DASH, 0, RGB(1, 2, 3));
  LOGPEN lp{};
  ASSERT_EQ(GetObject(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(lp.lopnWidth.x, 0);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObject(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  DeleteObject(pen);
  // A null pen is the stock one.
  EXPECT_EQ(CreatePen(PS_NULL, 3, kRed), GetStockObject(NULL_PEN));
  EXPECT_EQ(CreatePen(42, 1, kRed), nullptr);

  HBRUSH hatch = CreateHatchBrush(HS_CROSS, kGreen);
  LOGBRUSH lb{};
  GetObject(hatch, sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
  DeleteObject(hatch);

  HBITMAP b4 = CreateBitmap(13, 7, 1, 4, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObject(b4, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 13);
  EXPECT_EQ(bm.bmHeight, 7);
  EXPECT_EQ(bm.bmBitsPixel, 4);
  EXPECT_EQ(bm.bmWidthBytes, 8);  // rows are padded to 16 bits
  EXPECT_EQ(bm.bmPlanes, 1);
  DeleteObject(b4);
}

TEST_F(Objects, SaveDcAndRestoreDcBringBackAttributesAndObjects) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  SetTextColor(dc, kBlue);
  int level = SaveDC(dc);
  EXPECT_EQ(level, 1);
  SelectObject(dc, red);
  SetTextColor(dc, kGreen);
  SetBkMode(dc, TRANSPARENT);
  SetViewportOrgEx(dc, 10, 20, nullptr);
  IntersectClipRect(dc, 0, 0, 5, 5);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, kRed);
  EXPECT_TRUE(RestoreDC(dc, 1));  // past the second level to the first
  EXPECT_EQ(GetTextColor(dc), kBlue);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  POINT org;
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(org.x, 0);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, kWidth);
  EXPECT_FALSE(RestoreDC(dc, 1));  // nothing saved any more
  EXPECT_FALSE(RestoreDC(dc, -1));
  // The pen was released by the restore and can go.
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), 0u);
}

TEST_F(Objects, SettersReturnThePreviousValues) {
  EXPECT_EQ(SetTextColor(dc, kRed), kBlack);
  EXPECT_EQ(SetTextColor(dc, kBlue), kRed);
  EXPECT_EQ(SetBkColor(dc, kGreen), kWhite);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetTextAlign(dc, TA_RIGHT | TA_BASELINE), static_cast<UINT>(TA_LEFT | TA_TOP));
  EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_RIGHT | TA_BASELINE));
  EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), BLACKONWHITE);
  EXPECT_EQ(SetMapMode(dc, 2), 0);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  POINT p;
  MoveToEx(dc, 3, 4, nullptr);
  MoveToEx(dc, 5, 6, &p);
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, 4);
  GetCurrentPositionEx(dc, &p);
  EXPECT_EQ(p.x, 5);
}

TEST_F(Objects, DeviceCapsFollowTheDisplay) {
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  EXPECT_TRUE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHBLT);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

TEST_F(Objects, SystemColorsAndBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), kWhite);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
  EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColorBrush(31), nullptr);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_TRUE(DeleteObject(face));
  EXPECT_EQ(GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH));
  // A changed color shows through the same brush and through COLOR_x + 1.
  nbp::gdi::SetSysColorForTest(COLOR_BTNFACE, kRed);
  RECT r{0, 0, 4, 4};
  FillRect(dc, &r, face);
  EXPECT_EQ(Px(1, 1), kRed);
  nbp::gdi::SetSysColorForTest(COLOR_BTNFACE, kGreen);
  FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_EQ(Px(1, 1), kGreen);
  LOGBRUSH lb;
  GetObject(face, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, kGreen);
  nbp::gdi::ResetSysColorsForTest();
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

}  // namespace
