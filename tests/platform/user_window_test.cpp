// Window creation, the window tree, messages and timers.
#include "user_fixture.h"

TEST_F(UserTest, CreationSendsCreateThenSizeAndRefusalDestroys) {
  HWND c = Child("Recorder", 10, 20, 100, 50);
  std::vector<UINT> order = MessagesOf(c, {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
  EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
  const Recorded* size = Find(c, WM_SIZE);
  EXPECT_EQ(LOWORD(size->lParam), 100);
  EXPECT_EQ(HIWORD(size->lParam), 50);

  React() = [](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) {
    if (msg != WM_CREATE) return false;
    *r = -1;
    return true;
  };
  Log().clear();
  HWND refused = Child("Recorder", 0, 0, 10, 10);
  EXPECT_EQ(refused, nullptr);
  ASSERT_FALSE(Log().empty());
  HWND attempted = Log().front().hwnd;
  EXPECT_EQ(MessagesOf(attempted, {WM_DESTROY, WM_NCDESTROY}), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(attempted));
}

TEST_F(UserTest, DestroyOrderParentThenChildrenAndNcDestroyChildrenFirst) {
  HWND parent = Child("Recorder", 0, 0, 200, 200, 0, 1);
  HWND kid = Child("Recorder", 0, 0, 20, 20, 0, 2, parent);
  Log().clear();
  EXPECT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> seq;
  for (const Recorded& r : Log()) {
    if (r.msg == WM_DESTROY || r.msg == WM_NCDESTROY) seq.push_back({r.hwnd, r.msg});
  }
  std::vector<std::pair<HWND, UINT>> expected = {
      {parent, WM_DESTROY}, {kid, WM_DESTROY}, {kid, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
  EXPECT_EQ(seq, expected);
  EXPECT_FALSE(IsWindow(kid));
  EXPECT_FALSE(DestroyWindow(parent)) << "a stale handle fails";
}

TEST_F(UserTest, SiblingOrderAndDialogItems) {
  HWND a = Child("Recorder", 0, 0, 10, 10, 0, 101);
  HWND b = Child("Recorder", 0, 0, 10, 10, 0, 102);
  HWND c = Child("Recorder", 0, 0, 10, 10, 0, 103);
  EXPECT_EQ(GetWindow(top_, GW_CHILD), a) << "children keep their creation order";
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetDlgItem(top_, 102), b);
  EXPECT_EQ(GetDlgCtrlID(c), 103);
  SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top_, GW_CHILD), c);
  EXPECT_EQ(GetParent(a), top_);
  HWND popup = CreateWindowEx(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, a, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), top_) << "the owner is the top-level window";
}

TEST_F(UserTest, CoordinatesMapThroughFramesAndParents) {
  HWND c = CreateWindowEx(WS_EX_CLIENTEDGE, "Recorder", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 20, 100, 50, top_,
                          nullptr, nullptr, nullptr);
  RECT client;
  GetClientRect(c, &client);
  EXPECT_EQ(client.right, 100 - 2 * 3);
  EXPECT_EQ(client.bottom, 50 - 2 * 3);
  POINT p{0, 0};
  ClientToScreen(c, &p);
  EXPECT_EQ(p.x, 100 + 10 + 3);
  EXPECT_EQ(p.y, 100 + 20 + 3);
  ScreenToClient(c, &p);
  EXPECT_EQ(p.x, 0);
  POINT q{1, 1};
  MapWindowPoints(c, top_, &q, 1);
  EXPECT_EQ(q.x, 14);
  EXPECT_EQ(WindowFromPoint(POINT{100 + 10 + 5, 100 + 20 + 5}), c);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_EQ(wr.left, 110);
  EXPECT_EQ(wr.right, 210);
}

TEST_F(UserTest, WindowTextRoundTripsWithoutSplittingCharacters) {
  SetWindowText(top_, "Gr\xC3\xBC\xC3\x9F" "e");
  EXPECT_EQ(GetWindowTextLength(top_), 7);
  char buf[4];
  EXPECT_EQ(GetWindowText(top_, buf, sizeof buf), 2) << "the third byte would split a character";
  EXPECT_STREQ(buf, "Gr");
  char whole[16];
  EXPECT_EQ(GetWindowText(top_, whole, sizeof whole), 7);
}

TEST_F(UserTest, SentRunsAtOncePostedWaitsForThePump) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  React() = [](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT* r) {
    if (msg != WM_USER + 1) return false;
    *r = static_cast<LRESULT>(wParam) * 2;
    return true;
  };
  Log().clear();
  EXPECT_EQ(SendMessage(c, WM_USER + 1, 21, 0), 42);
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_TRUE(PostMessage(c, WM_USER + 2, 1, 0));
  EXPECT_TRUE(PostMessage(c, WM_USER + 3, 2, 0));
  EXPECT_EQ(Find(c, WM_USER + 2), nullptr);
  nbp::test::Pump();
  EXPECT_EQ(MessagesOf(c, {WM_USER + 2, WM_USER + 3}), (std::vector<UINT>{WM_USER + 2, WM_USER + 3}));
  EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(0x7777), WM_USER, 0, 0));
}

TEST_F(UserTest, SendIsReentrant) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  React() = [](HWND h, UINT msg, WPARAM wParam, LPARAM, LRESULT* r) {
    if (msg != WM_USER) return false;
    *r = wParam == 0 ? 1 : 1 + SendMessage(h, WM_USER, wParam - 1, 0);
    return true;
  };
  EXPECT_EQ(SendMessage(c, WM_USER, 5, 0), 6);
}

TEST_F(UserTest, TimersFireAsTheClockAdvances) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  EXPECT_EQ(SetTimer(c, 7, 100, nullptr), 7u);
  nbp::test::AdvanceClock(99);
  EXPECT_EQ(Find(c, WM_TIMER), nullptr);
  nbp::test::AdvanceClock(260);
  EXPECT_EQ(MessagesOf(c, {WM_TIMER}).size(), 3u);
  EXPECT_EQ(Find(c, WM_TIMER)->wParam, 7u);
  EXPECT_TRUE(KillTimer(c, 7));
  EXPECT_FALSE(KillTimer(c, 7));
  Log().clear();
  nbp::test::AdvanceClock(1000);
  EXPECT_EQ(Find(c, WM_TIMER), nullptr);
}

TEST_F(UserTest, DestroyedWindowsLoseTheirTimersAndMessages) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  SetTimer(c, 1, 10, nullptr);
  PostMessage(c, WM_USER, 0, 0);
  DestroyWindow(c);
  Log().clear();
  nbp::test::AdvanceClock(100);
  EXPECT_TRUE(MessagesOf(c).empty()) << "neither the timer nor the posted message reaches a destroyed window";
}

TEST_F(UserTest, StaleAndInvalidHandlesFailQuietly) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  DestroyWindow(c);
  nbp::test::Pump();
  RECT r{1, 2, 3, 4};
  EXPECT_EQ(SendMessage(c, WM_USER, 0, 0), 0);
  EXPECT_FALSE(GetClientRect(c, &r));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_EQ(SetFocus(c), nullptr);
  EXPECT_EQ(GetDC(c), nullptr);
  EXPECT_EQ(SetTimer(c, 1, 10, nullptr), 0u);
  EXPECT_FALSE(ShowWindow(c, SW_SHOW));
  EXPECT_FALSE(InvalidateRect(c, nullptr, TRUE));
  EXPECT_EQ(GetParent(c), nullptr);
  EXPECT_EQ(GetWindowTextLength(c), 0);
  EXPECT_FALSE(GetClientRect(top_, nullptr));
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_CHILD, 0, 0, 1, 1, top_, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowEx(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr)
      << "a child without a parent";
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  EXPECT_FALSE(GetScrollInfo(c, SB_VERT, &si));
  EXPECT_EQ(SetWindowLongPtr(c, GWL_STYLE, 0), 0);
}

TEST_F(UserTest, MessageBoxAnswersFromTheScriptAndRecordsIt) {
  nbp::Headless()->AnswerMessageBox(IDNO);
  EXPECT_EQ(MessageBox(top_, "Delete it?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBox(top_, "Done", nullptr, MB_OK), IDOK) << "without an answer the default button";
  nbp::Headless()->AnswerMessageBox(IDRETRY);
  EXPECT_EQ(MessageBox(top_, "x", "y", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL) << "an impossible answer";
  ASSERT_EQ(nbp::Headless()->MessageBoxes().size(), 3u);
  EXPECT_EQ(nbp::Headless()->MessageBoxes()[0].text, "Delete it?");
  EXPECT_EQ(nbp::Headless()->MessageBoxes()[0].caption, "Confirm");
  EXPECT_EQ(nbp::Headless()->MessageBoxes()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  MessageBeep(MB_ICONEXCLAMATION);
  MessageBeep(0xFFFFFFFF);
  EXPECT_EQ(nbp::Headless()->Beeps(), (std::vector<UINT>{MB_ICONEXCLAMATION, 0xFFFFFFFF}));
}

TEST_F(UserTest, ActivationAndShowHide) {
  HWND other = CreateWindowEx(0, "Recorder", "Other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(GetActiveWindow(), other);
  const Recorded* deact = Find(top_, WM_ACTIVATE);
  ASSERT_NE(deact, nullptr);
  EXPECT_EQ(LOWORD(deact->wParam), WA_INACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(deact->lParam), other);
  Log().clear();
  nbp::test::Click(top_, POINT{5, 5});
  const Recorded* act = Find(top_, WM_ACTIVATE);
  ASSERT_NE(act, nullptr);
  EXPECT_EQ(LOWORD(act->wParam), WA_CLICKACTIVE);
  EXPECT_EQ(GetFocus(), top_);
  EXPECT_TRUE(ShowWindow(other, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(other));
  EXPECT_FALSE(ShowWindow(other, SW_HIDE)) << "returns the previous visibility";
}

TEST_F(UserTest, EnableWindowReportsAndNotifies) {
  HWND c = Child("Recorder", 0, 0, 10, 10);
  SetFocus(c);
  EXPECT_FALSE(EnableWindow(c, FALSE)) << "it was enabled";
  EXPECT_TRUE(EnableWindow(c, FALSE)) << "it was disabled";
  EXPECT_NE(Find(c, WM_ENABLE), nullptr);
  EXPECT_NE(GetFocus(), c) << "a disabled window loses the focus";
  EXPECT_EQ(SetFocus(c), nullptr) << "and cannot take it";
}
