// Text fields hosted in a top-level window that records what they tell it,
// on a pinned clock (Wednesday 10 March 2004, 12:00 UTC), in a chosen
// locale and without a settings file. The parent moves the focus on Tab as
// a host's form does, and beside the fields there is a plain edit control
// to tab or click away to.
#pragma once

#include <gtest/gtest.h>

#include "library_test_env.h"

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fields/field_messages.h"
#include "mfc/app.h"
#include "mfc/edit.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/regional.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/dialogs.h"
#include "win/gdi.h"

struct FieldMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class CFieldParent : public CWnd {
 public:
  std::vector<FieldMessage> received;
  // What the parent answers to the date field's key messages.
  LRESULT keyDownAnswer = 0;
  LRESULT keyUpAnswer = 0;

  int Count(UINT msg) const {
    int n = 0;
    for (const FieldMessage& m : received) n += m.msg == msg;
    return n;
  }
  const FieldMessage* Last(UINT msg) const {
    for (auto it = received.rbegin(); it != received.rend(); ++it) {
      if (it->msg == msg) return &*it;
    }
    return nullptr;
  }
  // The steps of WM_NB_TIMESTEP from control `id`, in order.
  std::vector<int> Steps(int id) const {
    std::vector<int> steps;
    for (const FieldMessage& m : received) {
      if (m.msg == WM_NB_TIMESTEP && static_cast<int>(m.wParam) == id) steps.push_back(static_cast<int>(m.lParam));
    }
    return steps;
  }

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
  }

 protected:
  static bool Watched(UINT message) {
    return message == WM_NB_DATERESTORED || message == WM_NB_DATEKEYDOWN || message == WM_NB_DATEKEYUP ||
           message == WM_NB_TIMESTEP || (message >= WM_RICHEDIT_DBLCLK && message <= WM_RICHEDIT_TAB);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NEXTDLGCTL) {
      // Tab and Shift+Tab, as a form moves the focus among its fields.
      if (HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), wParam != 0)) ::SetFocus(next);
      return 0;
    }
    if (Watched(message)) {
      received.push_back({message, wParam, lParam});
      if (message == WM_NB_DATEKEYDOWN) return keyDownAnswer;
      if (message == WM_NB_DATEKEYUP) return keyUpAnswer;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class FieldTest : public ::testing::Test {
 protected:
  static constexpr UINT kFieldId = 101;
  static constexpr UINT kOtherId = 102;
  static constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

  static time_t Utc(int year, int month, int day, int hour = 12, int minute = 0) {
    return nbtest::Utc(year, month, day, hour, minute);
  }

  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    UseLocale("en_US");
    nbp::CurrentDesktop().SetClipboardText("");
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "Form", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 500, 300, nullptr, nullptr));
    app_.m_pMainWnd = &parent_;
    ASSERT_TRUE(other_.Create(kFieldStyle, CRect(10, 200, 210, 224), &parent_, kOtherId));
    nbp::test::Pump();
    nbp::Headless()->ClearRecords();
  }

  void TearDown() override {
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetTopWindow(nullptr)) ::DestroyWindow(h);
    nbp::test::Pump();
    nbp::regional::SetOverrides({});
    nbp::regional::SetLocaleForTest("");
    nbp::clock::Unpin();
  }

  static void UseLocale(const char* locale, const nbp::regional::Overrides& overrides = {}) {
    nbp::regional::SetLocaleForTest(locale);
    nbp::regional::SetOverrides(overrides);
  }

  // Creates a field (any CWnd with an edit-style Create) at the top of the form.
  template <typename Field>
  void Place(Field& field, DWORD extraStyle = 0, int width = 200, int height = 24) {
    ASSERT_TRUE(field.Create(kFieldStyle | extraStyle, CRect(10, 10, 10 + width, 10 + height), &parent_, kFieldId));
    ::SendMessage(field.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    nbp::test::Pump();
    parent_.received.clear();
    nbp::Headless()->ClearRecords();
  }

  // Clicks into a field, as a user starts working in it.
  static void ClickInto(const CWnd& field, int x = 4) {
    CRect r;
    field.GetClientRect(&r);
    nbp::test::Click(field.m_hWnd, CPoint(x, r.Height() / 2));
  }
  void TabAway() { nbp::test::PressKey(VK_TAB); }

  static std::string Text(const CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return std::string(s, static_cast<size_t>(s.GetLength()));
  }
  static std::pair<int, int> Sel(const CWnd& w) {
    DWORD start = 0, end = 0;
    ::SendMessage(w.m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
  }
  static int Beeps(UINT kind) {
    int n = 0;
    for (UINT b : nbp::Headless()->Beeps()) n += b == kind;
    return n;
  }
  // How `act` (which calls the control directly, without running the message
  // loop) makes the parent receive `msg`: at once (sent), only once the loop
  // runs (posted), or not at all.
  enum class Delivery { kNone, kSent, kPosted };
  Delivery DeliveryOf(UINT msg, const std::function<void()>& act) {
    parent_.received.clear();
    act();
    bool atOnce = parent_.Count(msg) > 0;
    nbp::test::Pump();
    if (atOnce) return Delivery::kSent;
    return parent_.Count(msg) > 0 ? Delivery::kPosted : Delivery::kNone;
  }

  static int AllBeeps() { return static_cast<int>(nbp::Headless()->Beeps().size()); }
  static const std::vector<nbp::MessageBoxRequest>& Boxes() { return nbp::Headless()->MessageBoxes(); }

  CWinApp app_{"Field test"};
  CFieldParent parent_;
  CEdit other_;
};
