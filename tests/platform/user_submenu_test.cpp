// Popup menus with submenus: opening them by keys, hover and scripted paths,
// choices from any depth, what the owner hears, and where submenus appear.
#include <string>
#include <vector>

#include "menu_test_fixture.h"
#include "nbp/menu_navigator.h"

namespace {

using namespace menu_test;

// The shared menu with one more level under "More":
//   4 "More" -> { 0 "Deep" 200, 1 "Deeper" 201, 2 "Further" -> {
//                   0 "Deepest" 300, 1 owner-drawn 301 (data 0x4444) } }
class SubmenuTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    m_deep = CreatePopupMenu();
    AppendMenu(m_deep, MF_STRING, 300, "Deepest");
    AppendMenu(m_deep, MF_OWNERDRAW, 301, reinterpret_cast<LPCTSTR>(0x4444));
    AppendMenu(m_sub, MF_POPUP, reinterpret_cast<UINT_PTR>(m_deep), "&Further");
    m_spy.messages.clear();
  }
  const std::vector<nbp::PopupMenuRequest>& Shown() { return nbp::Headless()->Menus(); }

  HMENU m_deep = nullptr;
};

TEST_F(SubmenuTest, ChoiceAtDepthTwoReturnsItsCommandOrPostsIt) {
  nbp::Headless()->ChooseMenuItem({"More", "Further", "Deepest"});
  EXPECT_EQ(Track(TPM_RETURNCMD), 300);
  ASSERT_EQ(Shown().size(), 3u);
  EXPECT_EQ(Shown()[1].menu, m_sub);
  EXPECT_EQ(Shown()[1].depth, 1);
  EXPECT_EQ(Shown()[2].menu, m_deep);
  EXPECT_EQ(Shown()[2].items[0].text, "Deepest");

  WPARAM id = 0;
  nbp::Headless()->ChooseMenuItemAt({4, 2, 0});
  EXPECT_EQ(Track(TPM_LEFTALIGN), TRUE);
  ASSERT_TRUE(TakeCommand(&id));
  EXPECT_EQ(id, 300u);

  // A command is found in the submenus when the menu itself lacks it.
  nbp::Headless()->ChooseMenuCommand(201);
  EXPECT_EQ(Track(TPM_RETURNCMD), 201);
  nbp::Headless()->ChooseMenuCommand(999);
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

TEST_F(SubmenuTest, PathsThatEndOnASubmenuOrMissDismiss) {
  // A function answered again for each submenu: "More", then "Further", then
  // nothing there.
  int asked = 0;
  nbp::Headless()->AnswerMenu([&](const nbp::PopupMenuRequest& menu) {
    ++asked;
    return menu.depth == 0 ? 4 : menu.depth == 1 ? 2 : -1;
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(asked, 3);
  for (const std::vector<int>& path : std::vector<std::vector<int>>{{4}, {4, 2}, {4, 7}, {4, 2, 5}, {0, 0}}) {
    nbp::Headless()->ChooseMenuItemAt(path);
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  }
  nbp::Headless()->ChooseMenuItem({"More", "Nowhere"});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  // A grayed submenu item opens nothing.
  EnableMenuItem(m_menu, 4, MF_BYPOSITION | MF_GRAYED);
  nbp::Headless()->ChooseMenuItemAt({4, 0});
  nbp::Headless()->ClearRecords();
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(SubmenuTest, OwnerHearsEachSubmenuOpenAndClose) {
  nbp::Headless()->ChooseMenuItemAt({4, 2, 0});
  Track(TPM_RETURNCMD);
  const std::vector<UINT> expected = {WM_ENTERMENULOOP,   WM_INITMENU,        WM_INITMENUPOPUP,
                                      WM_INITMENUPOPUP,   WM_INITMENUPOPUP,   WM_MEASUREITEM,
                                      WM_DRAWITEM,        WM_MENUSELECT,      WM_MENUSELECT,
                                      WM_UNINITMENUPOPUP, WM_UNINITMENUPOPUP, WM_UNINITMENUPOPUP,
                                      WM_EXITMENULOOP};
  std::vector<Spy::Message> menuMessages;
  for (const Spy::Message& m : m_spy.messages) {
    bool menu = (m.msg >= WM_INITMENU && m.msg <= WM_UNINITMENUPOPUP) || m.msg == WM_ENTERMENULOOP ||
                m.msg == WM_EXITMENULOOP || m.msg == WM_MEASUREITEM || m.msg == WM_DRAWITEM;
    if (menu) menuMessages.push_back(m);
  }
  std::vector<UINT> got;
  for (const Spy::Message& m : menuMessages) got.push_back(m.msg);
  ASSERT_EQ(got, expected);
  // Each submenu with the position of the item that opened it.
  EXPECT_EQ(menuMessages[3].wParam, reinterpret_cast<WPARAM>(m_sub));
  EXPECT_EQ(menuMessages[3].lParam, MAKELONG(4, FALSE));
  EXPECT_EQ(menuMessages[4].wParam, reinterpret_cast<WPARAM>(m_deep));
  EXPECT_EQ(menuMessages[4].lParam, MAKELONG(2, FALSE));
  // The choice comes with the menu that holds it.
  EXPECT_EQ(LOWORD(menuMessages[7].wParam), 300);
  EXPECT_EQ(menuMessages[7].lParam, reinterpret_cast<LPARAM>(m_deep));
  // Closing goes deepest first.
  EXPECT_EQ(menuMessages[9].wParam, reinterpret_cast<WPARAM>(m_deep));
  EXPECT_EQ(menuMessages[10].wParam, reinterpret_cast<WPARAM>(m_sub));
  EXPECT_EQ(menuMessages[11].wParam, reinterpret_cast<WPARAM>(m_menu));

  // The request's way to open submenus ends with the menu.
  EXPECT_EQ(Shown()[0].openSubmenu(4), nullptr);
}

TEST_F(SubmenuTest, OpeningAnotherSubmenuClosesTheOneOpen) {
  HMENU other = CreatePopupMenu();
  AppendMenu(other, MF_STRING, 400, "Elsewhere");
  AppendMenu(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(other), "Other");
  std::vector<const nbp::PopupMenuRequest*> opened;
  std::string otherFirst;
  nbp::Headless()->AnswerMenuPath([&](const nbp::PopupMenuRequest& menu) {
    opened.push_back(menu.openSubmenu(4));
    opened.push_back(menu.openSubmenu(4));  // already open: the same one
    opened.push_back(menu.openSubmenu(5));
    if (opened[2]) otherFirst = opened[2]->items[0].text;
    return nbp::MenuPath{5, 0};
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 400);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_NE(opened[0], nullptr);
  EXPECT_EQ(opened[0], opened[1]);
  EXPECT_EQ(otherFirst, "Elsewhere");
  // "More" opened once and closed as "Other" opened.
  int inits = 0, uninitsBeforeOther = 0;
  bool otherOpened = false;
  for (const Spy::Message& m : m_spy.messages) {
    if (m.msg == WM_INITMENUPOPUP && m.wParam == reinterpret_cast<WPARAM>(m_sub)) ++inits;
    if (m.msg == WM_INITMENUPOPUP && m.wParam == reinterpret_cast<WPARAM>(other)) otherOpened = true;
    if (m.msg == WM_UNINITMENUPOPUP && m.wParam == reinterpret_cast<WPARAM>(m_sub) && !otherOpened)
      ++uninitsBeforeOther;
  }
  EXPECT_EQ(inits, 1);
  EXPECT_EQ(uninitsBeforeOther, 1);
}

TEST_F(SubmenuTest, EndMenuWhileASubmenuOpensChoosesNothing) {
  m_spy.onMessage = [this](HWND, UINT msg) {
    if (msg == WM_INITMENUPOPUP && m_spy.messages.back().wParam == reinterpret_cast<WPARAM>(m_sub)) EndMenu();
  };
  nbp::Headless()->ChooseMenuItemAt({4, 0});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_NE(m_spy.Find(WM_EXITMENULOOP), nullptr);
}

// ---------------------------------------------------------------------------
// Keys and the mouse

struct KeyCase {
  const char* what;
  std::vector<UINT> keys;
  int command;  // 0: dismissed
};

TEST_F(SubmenuTest, KeysOpenAndCloseSubmenus) {
  const KeyCase cases[] = {
      {"Right opens with the first item hot", {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, 201},
      {"Enter opens a submenu, then chooses", {VK_UP, VK_RETURN, VK_RETURN}, 200},
      {"depth 2", {VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_RETURN}, 300},
      {"Escape at depth 2 closes only that submenu", {VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN},
       201},
      {"a second Escape closes the next", {VK_UP, VK_RIGHT, VK_UP, VK_RIGHT, VK_ESCAPE, VK_ESCAPE, VK_UP, VK_RETURN},
       101},
      {"Escape in the top menu dismisses it", {VK_UP, VK_RIGHT, VK_ESCAPE, VK_ESCAPE, VK_RETURN}, 0},
      {"Left closes the submenu", {VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN}, 101},
      {"Left in the top menu does nothing", {VK_DOWN, VK_LEFT, VK_RETURN}, 100},
      {"Right on a command does nothing", {VK_DOWN, VK_RIGHT, VK_RETURN}, 100},
      {"keys left over with the menu open", {VK_UP, VK_RIGHT}, 0},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    nbp::Headless()->PressMenuKeys(c.keys);
    EXPECT_EQ(Track(TPM_RETURNCMD), c.command);
  }
}

TEST_F(SubmenuTest, HoverOpensSubmenusAndClickChooses) {
  std::vector<size_t> depths;
  nbp::Headless()->AnswerMenuPath([&](const nbp::PopupMenuRequest& menu) {
    nbp::MenuNavigator nav(menu);
    nav.Hover(0, 4);  // over "More"
    depths.push_back(nav.Levels().size());
    EXPECT_EQ(nav.Levels().back().hot, -1);  // opened by the mouse: nothing hot yet
    nav.Hover(1, 2);  // over "Further"
    depths.push_back(nav.Levels().size());
    nav.Hover(1, -1);  // between the windows: the submenu stays
    nav.Hover(0, 3);   // over a grayed item: nothing changes
    depths.push_back(nav.Levels().size());
    nav.Hover(0, 0);  // back to "Open": the submenus close
    depths.push_back(nav.Levels().size());
    nav.Hover(0, 4);
    nav.Click(1, 1);
    return nav.Answer();
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 201);
  EXPECT_EQ(depths, (std::vector<size_t>{2, 3, 3, 1}));
}

// ---------------------------------------------------------------------------
// Owner-drawn items and placement

TEST_F(SubmenuTest, OwnerDrawnItemsOfASubmenuAreMeasuredAndDrawn) {
  nbp::Headless()->ChooseMenuItemAt({4, 2, 1});
  EXPECT_EQ(Track(TPM_RETURNCMD), 301);
  ASSERT_EQ(m_spy.measures.size(), 1u);
  EXPECT_EQ(m_spy.measures[0].itemID, 301u);
  EXPECT_EQ(m_spy.measures[0].itemData, 0x4444u);
  ASSERT_EQ(m_spy.draws.size(), 1u);
  const DRAWITEMSTRUCT& dis = m_spy.draws[0];
  EXPECT_EQ(dis.itemID, 301u);
  EXPECT_EQ(dis.itemData, 0x4444u);
  EXPECT_EQ(dis.hwndItem, reinterpret_cast<HWND>(m_deep));
  const RECT& r = Shown().back().items[1].rect;
  EXPECT_EQ(dis.rcItem.top, r.top);
  EXPECT_EQ(r.bottom - r.top, 22);
  EXPECT_EQ(nbp::LastPopupMenuPixelAt(2, (r.left + r.right) / 2, (r.top + r.bottom) / 2), kOwnerInk);
  // Measured once; drawn each time the submenu shows.
  nbp::Headless()->ChooseMenuItemAt({4, 2, 1});
  Track(TPM_RETURNCMD);
  EXPECT_EQ(m_spy.measures.size(), 1u);
  EXPECT_EQ(m_spy.draws.size(), 2u);
}

TEST_F(SubmenuTest, SubmenuOpensBesideItsItem) {
  nbp::Headless()->ChooseMenuItemAt({4, 0});
  Track(TPM_RETURNCMD, 100, 100);
  ASSERT_EQ(Shown().size(), 2u);
  const nbp::PopupMenuRequest& top = Shown()[0];
  const nbp::PopupMenuRequest& sub = Shown()[1];
  const RECT& opener = top.items[4].rect;
  // Against the right edge of the menu, its first item level with "More".
  EXPECT_EQ(sub.placed.left, top.placed.right);
  EXPECT_EQ(sub.placed.top + sub.items[0].rect.top, top.placed.top + opener.top);
  // Both windows' pixels are kept: the menu with "More" hot-free, the
  // submenu with its own frame and text.
  cairo_surface_t* image = nbp::LastPopupMenuImageAt(1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(cairo_image_surface_get_width(image), sub.placed.right - sub.placed.left);
  EXPECT_EQ(nbp::LastPopupMenuImage(), image);
  EXPECT_EQ(nbp::LastPopupMenuPixelAt(1, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  int ink = 0;
  const RECT& deep = sub.items[0].rect;
  for (int y = deep.top; y < deep.bottom; ++y)
    for (int x = deep.left; x < deep.right; ++x) ink += nbp::LastPopupMenuPixelAt(1, x, y) == GetSysColor(COLOR_MENUTEXT);
  EXPECT_GT(ink, 10);
  EXPECT_EQ(nbp::LastPopupMenuPixelAt(0, opener.left + 2, opener.top + 2), GetSysColor(COLOR_MENU));
  EXPECT_EQ(nbp::LastPopupMenuPixelAt(3, 0, 0), CLR_INVALID);
}

TEST_F(SubmenuTest, SubmenuWithoutRoomOnTheRightOpensOnTheLeft) {
  nbp::Headless()->ChooseMenuItemAt({4, 0});
  // The menu itself just fits left of the screen's edge.
  Track(TPM_RETURNCMD | TPM_RIGHTALIGN, 1020, 100);
  ASSERT_EQ(Shown().size(), 2u);
  const nbp::PopupMenuRequest& top = Shown()[0];
  const nbp::PopupMenuRequest& sub = Shown()[1];
  EXPECT_EQ(sub.placed.right, top.placed.left);
  EXPECT_GE(sub.placed.left, 0);
}

}  // namespace
