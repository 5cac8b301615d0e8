// The owner window and the menu that the popup menu tests share: a spy on
// what the owner hears, and a menu with a submenu.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "nbp/display.h"
#include "nbp/headless.h"
#include "nbp/menu_image.h"
#include "win/gdi.h"
#include "win/resources.h"
#include "win/syscolors.h"
#include "win/user.h"

namespace menu_test {

constexpr COLORREF kOwnerInk = RGB(0, 200, 100);
constexpr UINT kRadioCheck = 0x200;  // MFT_RADIOCHECK

// What the owner window received, the way a signal spy would keep it.
struct Spy {
  struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Message> messages;
  std::vector<MEASUREITEMSTRUCT> measures;
  std::vector<DRAWITEMSTRUCT> draws;
  UINT ownerWidth = 40, ownerHeight = 22;
  std::function<void(HWND, UINT)> onMessage;  // runs inside the procedure

  std::vector<UINT> MenuMessages() const {
    std::vector<UINT> out;
    for (const Message& m : messages)
      if ((m.msg >= WM_INITMENU && m.msg <= WM_UNINITMENUPOPUP) || m.msg == WM_ENTERMENULOOP || m.msg == WM_EXITMENULOOP)
        out.push_back(m.msg);
    return out;
  }
  const Message* Find(UINT msg) const {
    for (const Message& m : messages)
      if (m.msg == msg) return &m;
    return nullptr;
  }
};
inline Spy* g_spy = nullptr;

inline LRESULT OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_spy) {
    g_spy->messages.push_back({msg, wParam, lParam});
    if (msg == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      g_spy->measures.push_back(*mis);
      mis->itemWidth = g_spy->ownerWidth;
      mis->itemHeight = g_spy->ownerHeight;
    } else if (msg == WM_DRAWITEM) {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      g_spy->draws.push_back(*dis);
      HBRUSH ink = CreateSolidBrush(kOwnerInk);
      FillRect(dis->hDC, &dis->rcItem, ink);
      DeleteObject(ink);
    }
    if (g_spy->onMessage) g_spy->onMessage(hwnd, msg);
    if (msg == WM_MEASUREITEM || msg == WM_DRAWITEM) return TRUE;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// A menu as most programs build one:
//   0 "&Open\tCtrl+O" 100   1 "Save" 101 (checked)   2 separator
//   3 "Grüße" 102 (grayed)  4 "More" -> { "Deep" 200, "Deeper" 201 }
class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::display::SetScreenSize(1024, 768);
    g_spy = &m_spy;
    static bool registered = false;
    if (!registered) {
      WNDCLASS wc{};
      wc.lpfnWndProc = OwnerProc;
      wc.lpszClassName = "MenuTestOwner";
      RegisterClass(&wc);
      registered = true;
    }
    m_owner = CreateWindowEx(0, "MenuTestOwner", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
    m_menu = CreatePopupMenu();
    m_sub = CreatePopupMenu();
    AppendMenu(m_sub, MF_STRING, 200, "Deep");
    AppendMenu(m_sub, MF_STRING, 201, "Deeper");
    AppendMenu(m_menu, MF_STRING, 100, "&Open\tCtrl+O");
    AppendMenu(m_menu, MF_STRING | MF_CHECKED, 101, "Save");
    AppendMenu(m_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m_menu, MF_STRING | MF_GRAYED, 102, "Grüße");
    AppendMenu(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_sub), "More");
    m_spy.messages.clear();
  }
  void TearDown() override {
    DestroyMenu(m_menu);
    DestroyWindow(m_owner);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    g_spy = nullptr;
    nbp::gdi::ResetSysColorsForTest();
    nbp::SetDesktop(nullptr);
  }

  BOOL Track(UINT flags, int x = 100, int y = 100) { return TrackPopupMenuEx(m_menu, flags, x, y, m_owner, nullptr); }
  const nbp::PopupMenuRequest& LastRequest() { return nbp::Headless()->Menus().back(); }
  // The WM_COMMAND posted to the owner, if any (removed from the queue).
  bool TakeCommand(WPARAM* id) {
    MSG msg;
    if (!PeekMessage(&msg, m_owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) return false;
    EXPECT_EQ(msg.lParam, 0);
    *id = msg.wParam;
    return true;
  }

  Spy m_spy;
  HWND m_owner = nullptr;
  HMENU m_menu = nullptr;
  HMENU m_sub = nullptr;
};

}  // namespace menu_test
