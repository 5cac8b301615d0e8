// An edit list hosted in a top-level window between sibling controls, with
// a derived class that records the hooks and a parent that records what the
// list tells it.
#pragma once

#include <gtest/gtest.h>

#include "library_test_env.h"

#include <functional>
#include <string>
#include <vector>

#include "editlist/edit_list.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/display.h"
#include "nbp/headless.h"
#include "nbp/menu_template.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/dialogs.h"
#include "win/resources.h"

class CRecordingEditList : public CNbEditList {
 public:
  std::vector<std::string> events;

  void OnItemLButtonDblClk(int nIndex, CPoint pt) override { Record("dblclk", nIndex); }
  void OnItemOnRButtonDown(int nIndex, CPoint pt) override { Record("rdown", nIndex); }
  void OnItemSelected(int nIndex, int bSelect) override { Record(bSelect ? "select" : "deselect", nIndex); }

  using CNbEditList::DrawFormattedText;
  using CNbEditList::GetItemCell;
  using CNbEditList::GetItemRects;
  using CNbEditList::PtToItemIndex;
  using CNbEditList::SetItemRowHeight;
  using CNbEditList::UpdateViewInfo;

 private:
  void Record(const char* what, int index) { events.push_back(std::string(what) + " " + std::to_string(index)); }
};

struct ListMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  std::string value0;  // row 0's value when the message arrived
};

class CListHost : public CWnd {
 public:
  std::vector<ListMessage> received;
  CNbEditList* list = nullptr;

  int Count(UINT msg) const {
    int n = 0;
    for (const ListMessage& m : received) n += m.msg == msg;
    return n;
  }

 protected:
  // Tab moves among the controls, as in a dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::IsChild(m_hWnd, pMsg->hwnd))
      return ::IsDialogMessage(m_hWnd, pMsg);
    return CWnd::PreTranslateMessage(pMsg);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NEXTDLGCTL) {
      HWND target = lParam ? reinterpret_cast<HWND>(wParam) : ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), wParam != 0);
      if (target) ::SetFocus(target);
      return 0;
    }
    if (message == WM_EDITLIST_LABELCHANGED || message == WM_KEYDOWN) {
      CString value;
      if (list && list->GetItemCount() > 0) list->GetItemValue(0, value);
      received.push_back({message, wParam, lParam, std::string(value)});
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// The menu resource of phone labels the tests load by number.
constexpr int kPhoneMenu = 7301;
enum : UINT { kWork = 7311, kHome, kMobile, kFax, kOther };

class EditListTest : public ::testing::Test {
 protected:
  enum : UINT { kBeforeId = 11, kListId = 12, kDisabledId = 13, kLabelId = 14, kAfterId = 15 };

  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    menus_ = nbp::res::CreateModule("edit list test menus");
    nbp::res::AddData(menus_, RT_MENU, MAKEINTRESOURCE(kPhoneMenu),
                      nbp::PopupMenuTemplate("Phone", {{kWork, "Work"}, {kHome, "Home"}, {kMobile, "Mobile"},
                                                       {kFax, "Fax"}, {kOther, "Other"}}));
    nbp::res::AppendToChain(menus_);
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 700, 600, nullptr, nullptr));
    app_.m_pMainWnd = &host_;
    host_.list = &list_;
  }
  void TearDown() override {
    list_.DestroyWindow();
    host_.DestroyWindow();
    nbp::test::Pump();
    nbp::res::DestroyModule(menus_);
    nbp::display::SetLogPixels(96);
    nbp::clock::Unpin();
  }

  // The list at (10, 40) with a client area of width x height, between an
  // edit before it and, after it, a disabled button, a static text (no tab
  // stop) and an edit.
  void MakeList(int width = 300, int height = 200) {
    Sibling(WC_EDIT, WS_TABSTOP | WS_BORDER, CRect(10, 10, 200, 30), kBeforeId);
    ASSERT_TRUE(list_.CreateEx(0, WS_CHILD | WS_VISIBLE, CRect(10, 40, 10 + width, 40 + height), &host_, kListId));
    // The list's own scroll bar takes part of the window: size it so the client is exact.
    CRect client;
    list_.GetClientRect(&client);
    list_.MoveWindow(10, 40, width + (width - client.Width()), height + (height - client.Height()));
    Sibling(WC_BUTTON, WS_TABSTOP | WS_DISABLED, CRect(10, 260, 100, 280), kDisabledId);
    Sibling(WC_STATIC, 0, CRect(110, 260, 200, 280), kLabelId);
    Sibling(WC_EDIT, WS_TABSTOP | WS_BORDER, CRect(210, 260, 400, 280), kAfterId);
    nbp::test::Pump();
  }
  HWND Sibling(LPCTSTR cls, DWORD style, const CRect& r, UINT id) {
    return ::CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.Width(), r.Height(),
                            host_.m_hWnd, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
  HWND Child(UINT id) { return ::GetDlgItem(host_.m_hWnd, static_cast<int>(id)); }

  HWND Hwnd() { return list_.m_hWnd; }
  CListItemRects Rects(int i) {
    CListItemRects r;
    list_.GetItemRects(i, r);
    return r;
  }
  CPoint InValue(int i) { return CPoint(Rects(i).m_rcValue.left + 10, Rects(i).m_rcValue.top + 6); }
  CPoint InLabel(int i) { return Rects(i).m_rcLabel.CenterPoint(); }
  std::string Value(int i) {
    CString v;
    list_.GetItemValue(i, v);
    return std::string(v);
  }
  std::string Label(int i) {
    CString v;
    list_.GetItemLabel(i, v);
    return std::string(v);
  }
  std::string EditorText() {
    CString v;
    list_.m_edit.GetWindowText(v);
    return std::string(v);
  }
  int Height(int i) {
    int h = 0;
    list_.GetItemSize(i, nullptr, &h);
    return h;
  }
  int Pos() { return list_.GetScrollPos(SB_VERT); }
  int RangeMax() {
    int lo = 0, hi = 0;
    list_.GetScrollRange(SB_VERT, &lo, &hi);
    return hi;
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) list_.AddItem(("Row " + std::to_string(i)).c_str(), "", 0, FALSE);
    nbp::test::Pump();
  }

  CWinApp app_{"Edit list test"};
  CListHost host_;
  CRecordingEditList list_;
  HINSTANCE menus_ = nullptr;
};
