// A fixture hosting edit controls in the recording top-level window: the
// parent's log shows the notifications, the helpers read what a user sees.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "user_fixture.h"
#include "win/controls.h"

class EditTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    nbp::CurrentDesktop().SetClipboardText("");
  }

  // Each new control goes below the one before, so none covers another.
  HWND MakeEdit(DWORD style, const char* text = "", int width = 200, int height = 22, const char* cls = "Edit") {
    HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, nextTop_, width, height, top_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)), nullptr, nullptr);
    nextTop_ += height + 4;
    nbp::test::Pump();
    Log().clear();
    return h;
  }

  static std::string Text(HWND h) {
    int n = GetWindowTextLength(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowText(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
  }

  static std::pair<DWORD, DWORD> Sel(HWND h) {
    DWORD start = 0, end = 0;
    SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  static void Select(HWND h, int start, int end) { SendMessage(h, EM_SETSEL, static_cast<WPARAM>(start), end); }

  // The notification codes the parent received from `edit`, in order.
  std::vector<WORD> Codes(HWND edit) const {
    std::vector<WORD> codes;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && r.msg == WM_COMMAND && reinterpret_cast<HWND>(r.lParam) == edit) codes.push_back(HIWORD(r.wParam));
    }
    return codes;
  }
  size_t Count(HWND edit, WORD code) const {
    size_t n = 0;
    for (WORD c : Codes(edit)) n += c == code;
    return n;
  }

  static void Focus(HWND h) {
    SetFocus(h);
    nbp::test::Pump();
  }

  // Where a character starts, in the edit's client coordinates.
  static POINT CharPoint(HWND h, int index) {
    auto packed = static_cast<DWORD>(SendMessage(h, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0));
    return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
  }
  // A point a quarter of the way into the character [index, next).
  static POINT Inside(HWND h, int index, int next = -1) {
    if (next < 0) next = index + 1;
    POINT a = CharPoint(h, index);
    POINT b = next < GetWindowTextLength(h) ? CharPoint(h, next) : POINT{a.x + 6, a.y};
    return POINT{a.x + (b.x - a.x) / 4, a.y + 4};
  }

  static size_t Beeps() { return nbp::Headless()->Beeps().size(); }

  static std::string Clipboard() {
    std::string s;
    nbp::CurrentDesktop().GetClipboardText(&s);
    return s;
  }

  static constexpr int kId = 7;
  int nextTop_ = 4;
};
