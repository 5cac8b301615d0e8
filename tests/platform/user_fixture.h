// A recording window class and a fixture that cleans the desktop between tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/gdi.h"
#include "win/rect.h"
#include "win/syscolors.h"
#include "win/user.h"

struct Recorded {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Every window of the class "Recorder" appends its messages here; a test may
// also give a window its own reaction.
inline std::vector<Recorded>& Log() {
  static std::vector<Recorded> log;
  return log;
}
using Reaction = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;
inline Reaction& React() {
  static Reaction r;
  return r;
}

inline LRESULT RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back({hwnd, msg, wParam, lParam});
  LRESULT result = 0;
  if (React() && React()(hwnd, msg, wParam, lParam, &result)) return result;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

inline void RegisterRecorder() {
  static bool done = false;
  if (done) return;
  WNDCLASS wc{};
  wc.lpfnWndProc = RecorderProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "Recorder";
  RegisterClass(&wc);
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = "RecorderDbl";
  RegisterClass(&wc);
  done = true;
}

// Whether any pixel of `area` (in hwnd's window coordinates) has the color:
// for marks whose exact place depends on the font.
inline bool Contains(HWND hwnd, RECT area, COLORREF color) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (nbp::WindowPixel(hwnd, x, y) == color) return true;
    }
  }
  return false;
}

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterRecorder();
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    Log().clear();
    React() = nullptr;
    top_ = CreateWindowEx(0, "Recorder", "Top", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                          nullptr, nullptr);
    nbp::test::Pump();
    Log().clear();
  }
  void TearDown() override {
    React() = nullptr;
    for (HWND h = GetTopWindow(nullptr); h; h = GetTopWindow(nullptr)) DestroyWindow(h);
    nbp::test::Pump();
    ReleaseCapture();
    nbp::clock::Unpin();
  }
  HWND Child(const char* cls, int x, int y, int w, int h, DWORD style = 0, int id = 1, HWND parent = nullptr) {
    return CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : top_,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }
  // The messages of one window, in order, limited to a set when given.
  std::vector<UINT> MessagesOf(HWND hwnd, std::vector<UINT> only = {}) {
    std::vector<UINT> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd != hwnd) continue;
      if (!only.empty() && std::find(only.begin(), only.end(), r.msg) == only.end()) continue;
      out.push_back(r.msg);
    }
    return out;
  }
  const Recorded* Find(HWND hwnd, UINT msg, int nth = 0) {
    for (const Recorded& r : Log()) {
      if (r.hwnd == hwnd && r.msg == msg && nth-- == 0) return &r;
    }
    return nullptr;
  }
  HWND top_ = nullptr;
};
