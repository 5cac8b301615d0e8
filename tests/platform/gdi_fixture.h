// A memory DC over a 32-bit bitmap, white to begin with, for pixel checks.
#pragma once

#include <gtest/gtest.h>

#include "win/gdi.h"
#include "win/syscolors.h"

class Canvas32 : public ::testing::Test {
 protected:
  static constexpr int kWidth = 120, kHeight = 80;

  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    Clear(RGB(255, 255, 255));
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    nbp::gdi::ResetSysColorsForTest();
  }
  void Clear(COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    RECT all{-1000, -1000, 1000, 1000};
    SaveDC(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectClipRgn(dc, nullptr);
    FillRect(dc, &all, b);
    RestoreDC(dc, -1);
    DeleteObject(b);
  }
  COLORREF Px(int x, int y) { return GetPixel(dc, x, y); }
  // How many pixels in [left, right) x [top, bottom) have `color`.
  int Count(int left, int top, int right, int bottom, COLORREF color) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += GetPixel(dc, x, y) == color;
    return n;
  }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
