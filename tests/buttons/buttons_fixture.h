// A top-level window of the headless desktop that records what the buttons
// and tabs tell their parent, in order.
#pragma once

#include <gtest/gtest.h>

#include "library_test_env.h"

#include <vector>

#include "mfc/app.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/messages.h"

struct Told {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  WORD vkey = 0;  // TCN_KEYDOWN's key
};

class CRecordingHost : public CWnd {
 public:
  std::vector<Told> told;

  int Count(UINT msg) const {
    int n = 0;
    for (const Told& t : told) n += t.msg == msg;
    return n;
  }

 protected:
  // Commands as the host's handlers see them: what a control handles itself
  // (reflected) never gets here.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam && ReflectLastMsg(reinterpret_cast<HWND>(lParam))) return TRUE;
    told.push_back({WM_COMMAND, wParam, lParam});
    return TRUE;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == 0x2900 || message == 0x784) {
      told.push_back({message, wParam, lParam});
      return 0;
    }
    if (message == WM_NOTIFY) {
      auto* key = reinterpret_cast<NMTCKEYDOWN*>(lParam);
      told.push_back({message, wParam, static_cast<LPARAM>(static_cast<int>(key->hdr.code)), key->wVKey});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 20, 20, 500, 300, nullptr, nullptr));
    app_.m_pMainWnd = &host_;
  }
  void TearDown() override {
    host_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  COLORREF Px(HWND hwnd, int x, int y) { return nbp::WindowPixel(hwnd, x, y); }

  CWinApp app_{"Buttons test"};
  CRecordingHost host_;
};
