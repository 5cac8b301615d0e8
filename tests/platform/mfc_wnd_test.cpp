// Framework windows: message maps, reflection, the pump and modal loops.
#include <gtest/gtest.h>

#include <vector>

#include "mfc/app.h"
#include "mfc/dc.h"
#include "mfc/menu.h"
#include "mfc/wnd.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace {

std::vector<std::string>& Trace() {
  static std::vector<std::string> trace;
  return trace;
}

class BaseWnd : public CWnd {
 public:
  void OnLButtonDown(UINT nFlags, CPoint point) {
    Trace().push_back("base down " + std::to_string(point.x));
    CWnd::OnLButtonDown(nFlags, point);
  }
  LRESULT OnPing(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam + 1); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(WM_USER + 5, OnPing)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
 public:
  int m_nCreateResult = 0;
  bool m_bEatKeys = false;
  int OnCreate(LPCREATESTRUCT cs) {
    Trace().push_back("create");
    if (m_nCreateResult) return m_nCreateResult;
    return CWnd::OnCreate(cs);
  }
  void OnKeyDown(UINT nChar, UINT, UINT) { Trace().push_back("key " + std::to_string(nChar)); }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_bEatKeys && pMsg->message == WM_KEYDOWN) {
      Trace().push_back("eaten");
      return TRUE;
    }
    return FALSE;
  }
  void OnCommandSeven() { Trace().push_back("command 7"); }
  void OnChildClicked() { Trace().push_back("parent saw click"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
  ON_WM_CREATE()
  ON_WM_KEYDOWN()
  ON_COMMAND(7, OnCommandSeven)
  ON_BN_CLICKED(42, OnChildClicked)
END_MESSAGE_MAP()

// A control that handles its own notifications.
class SelfNotifying : public CWnd {
 public:
  bool m_bTakeClick = true;
  BOOL OnReflectedClick() {
    Trace().push_back("reflected click");
    return m_bTakeClick ? TRUE : FALSE;
  }
  void OnReflectedNotify(NMHDR* nmhdr, LRESULT* pResult) {
    Trace().push_back("reflected notify " + std::to_string(static_cast<int>(nmhdr->code)));
    *pResult = 77;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) { Trace().push_back("draw item " + std::to_string(dis->itemID)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfNotifying, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnReflectedNotify)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    Trace().clear();
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Main", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
    nbp::test::Pump();
    Trace().clear();
  }
  void TearDown() override {
    main_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  CWinApp app_{"Framework test"};
  DerivedWnd main_;
};

}  // namespace

TEST_F(FrameworkTest, MapsChainToTheBaseClassAndDefaultReachesTheSystem) {
  nbp::test::Click(main_.m_hWnd, POINT{12, 8});
  EXPECT_EQ(Trace(), (std::vector<std::string>{"base down 12"}));
  EXPECT_EQ(main_.SendMessage(WM_USER + 5, 41), 42);
  EXPECT_EQ(main_.SendMessage(WM_GETTEXTLENGTH), 4) << "unmapped messages get the default processing";
  EXPECT_EQ(CWnd::FromHandlePermanent(main_.m_hWnd), &main_);
  EXPECT_EQ(CWnd::FromHandle(main_.m_hWnd), &main_);
}

TEST_F(FrameworkTest, CreateRefusedByOnCreateFails) {
  DerivedWnd refused;
  refused.m_nCreateResult = -1;
  EXPECT_FALSE(refused.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, main_.m_hWnd, nullptr));
  EXPECT_EQ(refused.m_hWnd, nullptr);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"create"}));
}

TEST_F(FrameworkTest, PreTranslateMessageCanTakeAKey) {
  main_.SetFocus();
  nbp::test::PressKey(VK_F5);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"key " + std::to_string(VK_F5)}));
  Trace().clear();
  main_.m_bEatKeys = true;
  nbp::test::PressKey(VK_F5);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"eaten"}));
}

TEST_F(FrameworkTest, ChildPreTranslateRunsUpTheParentChain) {
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 50, 50), &main_, 3));
  child.SetFocus();
  main_.m_bEatKeys = true;
  nbp::test::PressKey('X');
  EXPECT_EQ(Trace(), (std::vector<std::string>{"eaten"})) << "the parent took its child's key";
}

TEST_F(FrameworkTest, NotificationsReflectToTheControlFirst) {
  SelfNotifying control;
  ASSERT_TRUE(control.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 50, 50), &main_, 42));
  main_.SendMessage(WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
  EXPECT_EQ(Trace(), (std::vector<std::string>{"reflected click"}));
  Trace().clear();
  control.m_bTakeClick = false;
  main_.SendMessage(WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(control.m_hWnd));
  EXPECT_EQ(Trace(), (std::vector<std::string>{"reflected click", "parent saw click"}));

  Trace().clear();
  NMUPDOWN nm{};
  nm.hdr = NMHDR{control.m_hWnd, 42, UDN_DELTAPOS};
  LRESULT r = main_.SendMessage(WM_NOTIFY, 42, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(r, 77);
  EXPECT_EQ(Trace().size(), 1u);

  Trace().clear();
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = 42;
  dis.itemID = 9;
  dis.hwndItem = control.m_hWnd;
  main_.SendMessage(WM_DRAWITEM, 42, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(Trace(), (std::vector<std::string>{"draw item 9"}));
}

TEST_F(FrameworkTest, MenuCommandsReachTheMap) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 7, "Seven");
  nbp::Headless()->ChooseMenuCommand(7);
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &main_));
  nbp::test::Pump();
  EXPECT_EQ(Trace(), (std::vector<std::string>{"command 7"}));
}

TEST_F(FrameworkTest, NestedModalLoopsEndInnermostFirstWithTheOwnerDisabled) {
  CWnd outer, inner;
  ASSERT_TRUE(outer.CreateEx(0, nullptr, "Outer", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, main_.m_hWnd, nullptr));
  ASSERT_TRUE(inner.CreateEx(0, nullptr, "Inner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, outer.m_hWnd, nullptr));
  bool mainDisabledInside = false;
  bool outerDisabledInside = false;
  int innerResult = 0;
  nbp::Headless()->WhenIdle([&] {
    mainDisabledInside = !main_.IsWindowEnabled();
    nbp::Headless()->WhenIdle([&] {
      outerDisabledInside = !outer.IsWindowEnabled();
      inner.EndModalLoop(5);
    });
    innerResult = inner.RunModalLoop();
    outer.EndModalLoop(9);
  });
  EXPECT_EQ(outer.RunModalLoop(), 9);
  EXPECT_EQ(innerResult, 5);
  EXPECT_TRUE(mainDisabledInside);
  EXPECT_TRUE(outerDisabledInside);
  EXPECT_TRUE(main_.IsWindowEnabled()) << "enabled again afterwards";
  EXPECT_TRUE(outer.IsWindowEnabled());
}

TEST_F(FrameworkTest, AModalLoopNobodyEndsStopsInsteadOfHanging) {
  CWnd lonely;
  ASSERT_TRUE(lonely.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, main_.m_hWnd, nullptr));
  EXPECT_EQ(lonely.RunModalLoop(), -1);
  nbp::test::Pump();
  EXPECT_TRUE(main_.IsWindowEnabled());
}

TEST_F(FrameworkTest, TemporaryObjectsForForeignWindows) {
  HWND raw = CreateWindowEx(0, AFX_WND_CLASS, "raw", WS_CHILD, 0, 0, 5, 5, main_.m_hWnd, nullptr, nullptr, nullptr);
  CWnd* temp = CWnd::FromHandle(raw);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  EXPECT_EQ(temp->GetParent(), &main_);
  CWnd attached;
  EXPECT_TRUE(attached.Attach(raw));
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), &attached);
  EXPECT_EQ(attached.Detach(), raw);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  ::DestroyWindow(raw);
}

TEST_F(FrameworkTest, MessageBoxesUseTheApplicationName) {
  nbp::Headless()->AnswerMessageBox(IDYES);
  EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO), IDYES);
  ASSERT_EQ(nbp::Headless()->MessageBoxes().size(), 1u);
  EXPECT_EQ(nbp::Headless()->MessageBoxes()[0].caption, "Framework test");
  app_.BeginWaitCursor();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  app_.EndWaitCursor();
  EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
}
