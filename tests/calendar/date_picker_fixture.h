// A date picker hosted in a top-level window that records what the picker
// tells it, on a pinned clock and without a settings file.
#pragma once

#include <gtest/gtest.h>

#include "library_test_env.h"

#include <cstdlib>
#include <ctime>
#include <vector>

#include "calendar/date_picker.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

struct PickerMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class CRecordingParent : public CWnd {
 public:
  std::vector<PickerMessage> received;
  CString tipText = "Dentist at 10:00";
  std::vector<CNbDate> tipDates;

  int Count(UINT msg) const {
    int n = 0;
    for (const PickerMessage& m : received) n += m.msg == msg;
    return n;
  }
  const PickerMessage* Last(UINT msg) const {
    for (auto it = received.rbegin(); it != received.rend(); ++it) {
      if (it->msg == msg) return &*it;
    }
    return nullptr;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if ((message >= 0x1D60 && message <= 0x1D80) || message == WM_NEXTDLGCTL) {
      received.push_back({message, wParam, lParam});
      if (message == NBDP_GETTIPTEXT && wParam && lParam) {
        tipDates.push_back(*reinterpret_cast<CNbDate*>(wParam));
        *reinterpret_cast<CString*>(lParam) = tipText;
      }
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class PickerTest : public ::testing::Test {
 protected:
  static time_t Utc(int year, int month, int day, int hour = 12, int minute = 0) {
    return nbtest::Utc(year, month, day, hour, minute);
  }

  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 700, 500, nullptr, nullptr));
    app_.m_pMainWnd = &parent_;
  }

  void TearDown() override {
    picker_.DestroyWindow();
    parent_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }

  // A picker of cols x rows calendars at (10, 10) of the given size.
  void MakePicker(int cols, int rows, int width, int height, int absW = -1, int absH = -1) {
    ASSERT_TRUE(picker_.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + width, 10 + height), &parent_, 1001, cols,
                               rows, absW, absH));
    nbp::test::Pump();
    parent_.received.clear();
  }

  // The painted rectangle of a date's cell, and its centre, in picker coordinates.
  CRect CellRectOf(int cal, int year, int month, int day) {
    int cell = -1;
    EXPECT_TRUE(picker_.DateToGrid(cal, CNbDate(year, month, day), &cell)) << year << "-" << month << "-" << day;
    return picker_.GetCellRect(cal, cell);
  }
  CPoint CellOf(int cal, int year, int month, int day) { return CellRectOf(cal, year, month, day).CenterPoint(); }
  CPickerRects Rects(int cal) {
    CPickerRects r;
    picker_.GetCalRects(picker_.GetCalBounds(cal), r);
    return r;
  }
  HWND Hwnd() { return picker_.m_hWnd; }
  std::vector<UINT> Beeps() { return nbp::Headless()->Beeps(); }

  CWinApp app_{"Picker test"};
  CRecordingParent parent_;
  CNbDatePicker picker_;
};
