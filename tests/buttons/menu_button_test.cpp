// The menu button as a user meets it: choices and dismissals of its menu
// (answered by the headless desktop's script), the keys that open it, menus
// from resources and from the caller, owner-drawn items, and its drawing.
#include "buttons_fixture.h"

#include <string>

#include "NbThemes/nbthemes.h"
#include "buttons/menu_button.h"
#include "win/resources.h"

namespace {

constexpr UINT kId = 500;

// Records how the menu window measures and draws its owner-drawn items.
class CSwatchMenu : public CMenu {
 public:
  int measured = 0;
  int drawn = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    ++measured;
    mis->itemWidth = 60;
    mis->itemHeight = 18;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++drawn;
    CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, RGB(200, 40, 40));
  }
};

// MENU 600 { POPUP "Sort" { MENUITEM "By name" 101, "By company" 102, "By city" 103 } }
std::vector<uint8_t> SortMenuTemplate() {
  std::vector<uint8_t> bytes;
  auto word = [&](uint16_t w) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  };
  auto text = [&](std::u16string_view s) {
    for (char16_t c : s) word(c);
    word(0);
  };
  word(0);
  word(0);
  word(MF_POPUP | 0x80);
  text(u"Sort");
  word(0), word(101), text(u"By name");
  word(0), word(102), text(u"By company");
  word(0x80), word(103), text(u"By city");
  return bytes;
}

class MenuButtonTest : public ButtonsTest {
 protected:
  void SetUp() override {
    ButtonsTest::SetUp();
    menu_.CreatePopupMenu();
    menu_.AppendMenu(MF_STRING, 101, "Busy");
    menu_.AppendMenu(MF_STRING, 102, "Free");
    menu_.AppendMenu(MF_STRING, 103, "Out of office");
  }
  void TearDown() override {
    button_.DestroyWindow();
    ButtonsTest::TearDown();
  }
  void Make(int index = 0) {
    ASSERT_TRUE(button_.Create(&menu_, index, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(30, 40, 170, 66), &host_, kId));
    nbp::test::Pump();
    host_.told.clear();
  }
  std::string Caption() {
    CString text;
    button_.GetWindowText(text);
    return std::string(text);
  }
  size_t MenusShown() { return nbp::Headless()->Menus().size(); }
  HWND Hwnd() { return button_.m_hWnd; }

  CMenu menu_;
  CNbMenuButton button_;
};

}  // namespace

TEST_F(MenuButtonTest, CaptionIsTheChosenItemsText) {
  Make(1);
  EXPECT_EQ(Caption(), "Free");
  EXPECT_EQ(button_.CWnd::GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  button_.SetMenuIndex(2);
  EXPECT_EQ(Caption(), "Out of office");
  EXPECT_EQ(button_.GetMenuIndex(), 2);
  button_.SetMenuIndex(7);
  EXPECT_EQ(Caption(), "") << "no item there";
}

TEST_F(MenuButtonTest, ChoosingAnItemChangesIndexAndCaptionAndTellsNobody) {
  Make(0);
  nbp::Headless()->ChooseMenuCommand(103);
  nbp::test::Click(Hwnd(), POINT{40, 10});
  ASSERT_EQ(MenusShown(), 1u);
  const nbp::PopupMenuRequest& shown = nbp::Headless()->Menus().back();
  EXPECT_TRUE(shown.items[0].checked) << "the current item is checked";
  EXPECT_FALSE(shown.items[2].checked);
  EXPECT_EQ(shown.flags, static_cast<UINT>(TPM_RETURNCMD | TPM_RIGHTBUTTON));
  CRect window;
  button_.GetWindowRect(&window);
  EXPECT_EQ(shown.x, window.left + 10);
  EXPECT_EQ(shown.y, window.top + 10);
  EXPECT_EQ(shown.owner, Hwnd());
  EXPECT_EQ(button_.GetMenuIndex(), 2);
  EXPECT_EQ(Caption(), "Out of office");
  EXPECT_TRUE(host_.told.empty());
  nbp::test::AdvanceClock(1000);
  nbp::test::Click(Hwnd(), POINT{40, 10});
  EXPECT_TRUE(nbp::Headless()->Menus().back().items[2].checked) << "the new choice is checked next time";
  EXPECT_FALSE(nbp::Headless()->Menus().back().items[0].checked);
}

TEST_F(MenuButtonTest, DismissingTheMenuChangesNothing) {
  Make(1);
  nbp::test::Click(Hwnd(), POINT{40, 10});  // no answer: dismissed
  EXPECT_EQ(MenusShown(), 1u);
  EXPECT_EQ(button_.GetMenuIndex(), 1);
  EXPECT_EQ(Caption(), "Free");
  EXPECT_TRUE(host_.told.empty());
}

TEST_F(MenuButtonTest, KeysOpenTheMenu) {
  Make();
  button_.SetFocus();
  nbp::test::PressKey(VK_SPACE);
  EXPECT_EQ(MenusShown(), 1u) << "Space";
  nbp::test::PressKey(VK_RETURN);
  EXPECT_EQ(MenusShown(), 2u) << "Enter";
  nbp::test::PressKey(VK_DOWN, nbp::test::kAlt, true);
  EXPECT_EQ(MenusShown(), 3u) << "Alt+Down";
  nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
  EXPECT_EQ(MenusShown(), 3u) << "Down alone";
}

TEST_F(MenuButtonTest, EnterHeldDownOpensTheMenuOnce) {
  Make();
  button_.SetFocus();
  nbp::test::HoldKey(VK_RETURN, 5);
  EXPECT_EQ(MenusShown(), 1u);
}

TEST_F(MenuButtonTest, ADoubleClickIsASecondPress) {
  Make();
  nbp::test::DoubleClick(Hwnd(), POINT{40, 10});
  EXPECT_EQ(MenusShown(), 2u);
}

TEST_F(MenuButtonTest, ACommandFromASubmenuGoesToTheParent) {
  CMenu reminders;
  reminders.CreatePopupMenu();
  reminders.AppendMenu(MF_STRING, 201, "5 minutes before");
  reminders.AppendMenu(MF_STRING, 202, "1 day before");
  menu_.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(reminders.Detach()), "Reminder");
  Make(1);
  nbp::Headless()->ChooseMenuItem({"Reminder", "1 day before"});
  nbp::test::Click(Hwnd(), POINT{40, 10});
  EXPECT_EQ(button_.GetMenuIndex(), 1);
  EXPECT_EQ(Caption(), "Free");
  ASSERT_EQ(host_.Count(WM_COMMAND), 1);
  EXPECT_EQ(host_.told[0].wParam, MAKEWPARAM(202, 0));
  EXPECT_EQ(host_.told[0].lParam, 0);
}

TEST_F(MenuButtonTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirMenu) {
  CSwatchMenu swatches;
  swatches.CreatePopupMenu();
  swatches.AppendMenu(MF_OWNERDRAW, 301, reinterpret_cast<LPCTSTR>(1));
  swatches.AppendMenu(MF_OWNERDRAW, 302, reinterpret_cast<LPCTSTR>(2));
  Make();
  button_.SetButtonMenu(&swatches, 0);
  nbp::Headless()->ChooseMenuCommand(302);
  nbp::test::Click(Hwnd(), POINT{40, 10});
  EXPECT_GE(swatches.measured, 2);
  EXPECT_GE(swatches.drawn, 2);
  EXPECT_EQ(button_.GetMenuIndex(), 1);
  button_.SetButtonMenu(&menu_, 0);
}

TEST_F(MenuButtonTest, AMenuResourceIsLoadedForEachUse) {
  HINSTANCE module = nbp::res::CreateModule("menu button test");
  nbp::res::AddData(module, RT_MENU, MAKEINTRESOURCE(600), SortMenuTemplate());
  nbp::res::AppendToChain(module);
  CNbMenuButton sort;
  ASSERT_TRUE(sort.Create(600u, 1, WS_CHILD | WS_VISIBLE, CRect(200, 40, 320, 66), &host_, kId + 1));
  CString text;
  sort.GetWindowText(text);
  EXPECT_EQ(std::string(text), "By company");
  nbp::Headless()->ChooseMenuItem({"By city"});
  nbp::test::Click(sort.m_hWnd, POINT{20, 10});
  EXPECT_EQ(sort.GetMenuIndex(), 2);
  sort.GetWindowText(text);
  EXPECT_EQ(std::string(text), "By city");
  sort.DestroyWindow();
  nbp::res::RemoveFromChain(module);
  nbp::res::DestroyModule(module);
}

TEST_F(MenuButtonTest, DrawnInThemeItemThirteen) {
  Make();
  NBTHEMEITEMINFO info{};
  ASSERT_EQ(NbThemeGetItemInfo(13, &info), 0);
  COLORREF light = 0, shadow = 0;
  NbThemeGetItemColors(13, nullptr, &light, &shadow, nullptr);
  EXPECT_EQ(Px(Hwnd(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(Px(Hwnd(), 1, 1), light);
  EXPECT_EQ(Px(Hwnd(), 138, 24), shadow);
  EXPECT_EQ(Px(Hwnd(), 4, 12), info.crColor1);
  int ink = 0;
  for (int x = 6; x < 134; ++x)
    for (int y = 3; y < 23; ++y) ink += Px(Hwnd(), x, y) == info.crText;
  EXPECT_GT(ink, 5) << "the caption";
  nbp::test::Press(Hwnd(), POINT{40, 10});
  nbp::test::Pump();
  EXPECT_EQ(Px(Hwnd(), 1, 1), shadow) << "pressed: sunken";
  EXPECT_EQ(Px(Hwnd(), 138, 24), light);
}
