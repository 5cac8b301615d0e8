#include <cstring>
#include <string>
#include <vector>

#include "menu_test_fixture.h"

namespace {

using namespace menu_test;

std::string MenuText(HMENU menu, UINT item, UINT flags) {
  char buf[64];
  int n = GetMenuString(menu, item, buf, sizeof buf, flags);
  EXPECT_EQ(n, static_cast<int>(strlen(buf)));
  return buf;
}

// ---------------------------------------------------------------------------
// Building and querying menus

TEST_F(MenuTest, ItemsReportIdsStatesAndSubmenus) {
  EXPECT_EQ(GetMenuItemCount(m_menu), 5);
  EXPECT_EQ(GetMenuItemID(m_menu, 0), 100u);
  EXPECT_EQ(GetMenuItemID(m_menu, 2), 0u);           // a separator's id
  EXPECT_EQ(GetMenuItemID(m_menu, 4), 0xFFFFFFFFu);  // a submenu has none
  EXPECT_EQ(GetSubMenu(m_menu, 4), m_sub);
  EXPECT_EQ(GetSubMenu(m_menu, 0), nullptr);

  EXPECT_EQ(GetMenuState(m_menu, 101, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m_menu, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuState(m_menu, 102, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  // A submenu item: its item count in the high byte, its flags in the low one.
  EXPECT_EQ(GetMenuState(m_menu, 4, MF_BYPOSITION), static_cast<UINT>((2 << 8) | MF_POPUP));
  EXPECT_EQ(MenuText(m_menu, 4, MF_BYPOSITION), "More");
  EXPECT_EQ(MenuText(m_menu, 100, MF_BYCOMMAND), "&Open\tCtrl+O");
}

TEST_F(MenuTest, ByCommandReachesItemsOfSubmenus) {
  EXPECT_EQ(CheckMenuItem(m_menu, 201, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(GetMenuState(m_sub, 201, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(EnableMenuItem(m_menu, 200, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(m_menu, 200, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(MenuText(m_menu, 200, MF_BYCOMMAND), "Deep");

  // Inserted before the item found, in the submenu holding it.
  ASSERT_TRUE(InsertMenu(m_menu, 201, MF_BYCOMMAND | MF_STRING, 199, "Between"));
  EXPECT_EQ(GetMenuItemCount(m_menu), 5);
  EXPECT_EQ(GetMenuItemID(m_sub, 1), 199u);

  ASSERT_TRUE(DeleteMenu(m_menu, 200, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(m_sub), 2);
  EXPECT_EQ(GetMenuState(m_menu, 200, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(MenuTest, CheckMenuItemReturnsThePreviousState) {
  EXPECT_EQ(CheckMenuItem(m_menu, 100, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(m_menu, 100, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(m_menu, 1, MF_BYPOSITION | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(m_menu, 101, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(CheckMenuItem(m_menu, 999, MF_BYCOMMAND | MF_CHECKED), 0xFFFFFFFFu);
  EXPECT_EQ(CheckMenuItem(m_menu, 5, MF_BYPOSITION | MF_CHECKED), 0xFFFFFFFFu);
}

TEST_F(MenuTest, OutOfRangePositionsFail) {
  EXPECT_EQ(GetMenuItemID(m_menu, 5), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuItemID(m_menu, -1), 0xFFFFFFFFu);
  EXPECT_EQ(GetMenuState(m_menu, 5, MF_BYPOSITION), 0xFFFFFFFFu);
  EXPECT_EQ(GetSubMenu(m_menu, 5), nullptr);
  EXPECT_EQ(GetSubMenu(m_menu, -1), nullptr);
  EXPECT_FALSE(ModifyMenu(m_menu, 5, MF_BYPOSITION | MF_STRING, 1, "x"));
  EXPECT_FALSE(DeleteMenu(m_menu, 5, MF_BYPOSITION));
  EXPECT_FALSE(RemoveMenu(m_menu, 999, MF_BYCOMMAND));
  EXPECT_EQ(EnableMenuItem(m_menu, 5, MF_BYPOSITION | MF_GRAYED), -1);
  EXPECT_FALSE(InsertMenu(m_menu, 999, MF_BYCOMMAND | MF_STRING, 1, "x"));
  EXPECT_EQ(GetMenuItemCount(m_menu), 5);
  // A position past the end (or -1) appends.
  EXPECT_TRUE(InsertMenu(m_menu, 50, MF_BYPOSITION | MF_STRING, 300, "Last"));
  EXPECT_EQ(GetMenuItemID(m_menu, 5), 300u);
}

TEST_F(MenuTest, StaleAndInvalidHandlesFail) {
  HMENU gone = CreatePopupMenu();
  AppendMenu(gone, MF_STRING, 1, "x");
  ASSERT_TRUE(DestroyMenu(gone));
  for (HMENU bad : {gone, reinterpret_cast<HMENU>(0x1234), static_cast<HMENU>(nullptr)}) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(bad));
    char buf[8] = "zz";
    EXPECT_FALSE(IsMenu(bad));
    EXPECT_FALSE(DestroyMenu(bad));
    EXPECT_FALSE(AppendMenu(bad, MF_STRING, 2, "y"));
    EXPECT_EQ(GetMenuItemCount(bad), -1);
    EXPECT_EQ(GetMenuItemID(bad, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuState(bad, 0, MF_BYPOSITION), 0xFFFFFFFFu);
    EXPECT_EQ(CheckMenuItem(bad, 1, MF_CHECKED), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuString(bad, 0, buf, sizeof buf, MF_BYPOSITION), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetSubMenu(bad, 0), nullptr);
    EXPECT_FALSE(SetMenuDefaultItem(bad, 0, TRUE));
    EXPECT_FALSE(CheckMenuRadioItem(bad, 0, 1, 0, MF_BYPOSITION));
    EXPECT_EQ(TrackPopupMenuEx(bad, TPM_RETURNCMD, 0, 0, m_owner, nullptr), 0);
  }
  EXPECT_FALSE(SetMenu(m_owner, gone));
  // A submenu handle that is not a menu makes no item.
  EXPECT_FALSE(AppendMenu(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(gone), "Dead"));
  // Nor does an owner that is not a window show anything.
  EXPECT_EQ(TrackPopupMenuEx(m_menu, TPM_RETURNCMD, 0, 0, reinterpret_cast<HWND>(0x999), nullptr), 0);
  EXPECT_TRUE(nbp::Headless()->Menus().empty());
  EXPECT_TRUE(m_spy.messages.empty());
}

TEST_F(MenuTest, DestroyMenuTakesSubmenusAlongButRemoveMenuDoesNot) {
  HMENU kept = CreatePopupMenu();
  AppendMenu(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "Kept");
  ASSERT_TRUE(RemoveMenu(m_menu, 5, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  ASSERT_TRUE(DeleteMenu(m_menu, 4, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(m_sub));

  HMENU outer = CreatePopupMenu();
  AppendMenu(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "Kept");
  ASSERT_TRUE(DestroyMenu(outer));
  EXPECT_FALSE(IsMenu(kept));

  // A submenu item replaced by a command goes with its submenu.
  HMENU other = CreatePopupMenu();
  AppendMenu(m_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(other), "Other");
  ASSERT_TRUE(ModifyMenu(m_menu, 4, MF_BYPOSITION | MF_STRING, 400, "Plain"));
  EXPECT_FALSE(IsMenu(other));
  EXPECT_EQ(GetMenuItemID(m_menu, 4), 400u);
}

TEST_F(MenuTest, GetMenuStringCountsUtf8BytesAndNeverSplitsACharacter) {
  // "Grüße" is seven bytes.
  EXPECT_EQ(GetMenuString(m_menu, 102, nullptr, 0, MF_BYCOMMAND), 7);
  char buf[16];
  EXPECT_EQ(GetMenuString(m_menu, 102, buf, sizeof buf, MF_BYCOMMAND), 7);
  EXPECT_STREQ(buf, "Grüße");
  // Room for five bytes: "ß" would not fit whole.
  EXPECT_EQ(GetMenuString(m_menu, 102, buf, 6, MF_BYCOMMAND), 4);
  EXPECT_STREQ(buf, "Grü");
  EXPECT_EQ(GetMenuString(m_menu, 2, buf, sizeof buf, MF_BYPOSITION), 0);  // separator
  EXPECT_STREQ(buf, "");
}

TEST_F(MenuTest, ModifyMenuTurnsAStringItemIntoAnOwnerDrawnOneKeepingItsId) {
  ASSERT_TRUE(ModifyMenu(m_menu, 1, MF_BYPOSITION | MF_OWNERDRAW, GetMenuItemID(m_menu, 1),
                         reinterpret_cast<LPCTSTR>(0xBEEF)));
  EXPECT_EQ(GetMenuItemID(m_menu, 1), 101u);
  EXPECT_EQ(GetMenuState(m_menu, 101, MF_BYCOMMAND), static_cast<UINT>(MF_OWNERDRAW));
  EXPECT_EQ(GetMenuString(m_menu, 101, nullptr, 0, MF_BYCOMMAND), 0);

  nbp::Headless()->ChooseMenuCommand(101);
  EXPECT_EQ(Track(TPM_RETURNCMD), 101);
  const nbp::MenuItemShown& shown = LastRequest().items[1];
  EXPECT_TRUE(shown.ownerDraw);
  EXPECT_EQ(shown.data, 0xBEEFu);
  EXPECT_EQ(shown.text, "");
}

TEST_F(MenuTest, CheckMenuRadioItemMarksOneItemOfTheGroup) {
  HMENU radio = CreatePopupMenu();
  for (UINT id = 10; id <= 13; ++id) AppendMenu(radio, MF_STRING | MF_CHECKED, id, "r");
  ASSERT_TRUE(CheckMenuRadioItem(radio, 10, 12, 11, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(radio, 10, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(radio, 11, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED) | kRadioCheck);
  EXPECT_EQ(GetMenuState(radio, 12, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(radio, 13, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));  // outside the group

  ASSERT_TRUE(CheckMenuRadioItem(radio, 0, 3, 3, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(radio, 11, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuState(radio, 13, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED) | kRadioCheck);
  // The item to check outside the range: nothing is checked, and it fails.
  EXPECT_FALSE(CheckMenuRadioItem(radio, 0, 1, 3, MF_BYPOSITION));
  DestroyMenu(radio);
}

TEST_F(MenuTest, SetMenuDefaultItemKeepsOneDefault) {
  ASSERT_TRUE(SetMenuDefaultItem(m_menu, 100, FALSE));
  ASSERT_TRUE(SetMenuDefaultItem(m_menu, 1, TRUE));
  EXPECT_EQ(GetMenuState(m_menu, 100, MF_BYCOMMAND) & MF_DEFAULT, 0u);
  EXPECT_EQ(GetMenuState(m_menu, 101, MF_BYCOMMAND) & MF_DEFAULT, static_cast<UINT>(MF_DEFAULT));
  EXPECT_FALSE(SetMenuDefaultItem(m_menu, 200, FALSE));  // only the menu's own items
  ASSERT_TRUE(SetMenuDefaultItem(m_menu, static_cast<UINT>(-1), FALSE));
  EXPECT_EQ(GetMenuState(m_menu, 101, MF_BYCOMMAND) & MF_DEFAULT, 0u);
}

// ---------------------------------------------------------------------------
// Templates

// Writes menu templates as a resource compiler does.
struct TemplateWriter {
  std::vector<uint8_t> bytes;
  void Word(uint16_t w) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  void Dword(uint32_t d) {
    Word(static_cast<uint16_t>(d & 0xFFFF));
    Word(static_cast<uint16_t>(d >> 16));
  }
  void Text(std::u16string_view s) {
    for (char16_t c : s) Word(c);
    Word(0);
  }
  void Popup(uint16_t options, std::u16string_view text) {
    Word(options | MF_POPUP);
    Text(text);
  }
  void Item(uint16_t options, uint16_t id, std::u16string_view text) {
    Word(options);
    Word(id);
    Text(text);
  }
};
constexpr uint16_t kEnd = 0x80;

// MENU { POPUP "&File" { "&Open\tCtrl+O" 100, SEPARATOR, "E&xit" 101 },
//        "Grüße 😀" 200 GRAYED }
std::vector<uint8_t> SmallTemplate() {
  TemplateWriter t;
  t.Word(0);
  t.Word(0);
  t.Popup(0, u"&File");
  t.Item(0, 100, u"&Open\tCtrl+O");
  t.Item(0, 0, u"");
  t.Item(kEnd, 101, u"E&xit");
  t.Item(kEnd | MF_GRAYED, 200, u"Grüße 😀");
  return t.bytes;
}

TEST(MenuTemplate, LoadMenuIndirectBuildsItemsAndSubmenus) {
  std::vector<uint8_t> bytes = SmallTemplate();
  HMENU menu = LoadMenuIndirect(bytes.data());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), "&File");
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), 100u);
  EXPECT_EQ(MenuText(file, 0, MF_BYPOSITION), "&Open\tCtrl+O");
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(MenuText(menu, 101, MF_BYCOMMAND), "E&xit");
  // Texts are UTF-8, surrogate pairs included; MF_END is not a state.
  EXPECT_EQ(MenuText(menu, 200, MF_BYCOMMAND), "Grüße \xF0\x9F\x98\x80");
  EXPECT_EQ(GetMenuState(menu, 200, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  DestroyMenu(menu);
  EXPECT_FALSE(IsMenu(file));
}

TEST(MenuTemplate, LoadMenuReadsTheModulesMenuResource) {
  HINSTANCE module = nbp::res::CreateModule("menus");
  std::vector<uint8_t> bytes = SmallTemplate();
  nbp::res::AddData(module, RT_MENU, MAKEINTRESOURCE(300), bytes);
  // Cut short before the last item's end.
  nbp::res::AddData(module, RT_MENU, MAKEINTRESOURCE(301), std::vector<uint8_t>(bytes.begin(), bytes.end() - 4));
  nbp::res::AddData(module, RT_MENU, MAKEINTRESOURCE(302), std::vector<uint8_t>{7, 0, 0, 0});  // unknown version

  HMENU menu = LoadMenu(module, MAKEINTRESOURCE(300));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 2), 101u);
  EXPECT_EQ(LoadMenu(module, MAKEINTRESOURCE(301)), nullptr);
  EXPECT_EQ(LoadMenu(module, MAKEINTRESOURCE(302)), nullptr);
  EXPECT_EQ(LoadMenu(module, MAKEINTRESOURCE(303)), nullptr);
  DestroyMenu(menu);
  nbp::res::DestroyModule(module);
  EXPECT_EQ(LoadMenu(module, MAKEINTRESOURCE(300)), nullptr);
}

TEST(MenuTemplate, ExtendedTemplatesCarryTypeAndState) {
  // MENUEX { POPUP "Top" { MENUITEM "A" 7 MFS_CHECKED, MENUITEM "", 0, MFT_SEPARATOR } }
  TemplateWriter t;
  t.Word(1);
  t.Word(4);
  t.Dword(0);                     // help id
  auto item = [&](uint32_t type, uint32_t state, uint32_t id, uint16_t resInfo, std::u16string_view text) {
    t.Dword(type);
    t.Dword(state);
    t.Dword(id);
    t.Word(resInfo);
    t.Text(text);
    while (t.bytes.size() % 4) t.bytes.push_back(0);
  };
  item(0, 0, 0, kEnd | 0x01, u"Top");
  t.Dword(0);  // the submenu's help id
  item(0, MF_CHECKED, 7, 0, u"A");
  item(MF_SEPARATOR, 0, 0, kEnd, u"");
  HMENU menu = LoadMenuIndirect(t.bytes.data());
  ASSERT_NE(menu, nullptr);
  HMENU top = GetSubMenu(menu, 0);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(GetMenuState(top, 7, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(top, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  DestroyMenu(menu);
}

// ---------------------------------------------------------------------------
// Popup menus

TEST_F(MenuTest, TheDesktopIsShownEveryItem) {
  Track(TPM_RETURNCMD, 120, 130);
  ASSERT_EQ(nbp::Headless()->Menus().size(), 1u);
  const nbp::PopupMenuRequest& r = LastRequest();
  EXPECT_EQ(r.menu, m_menu);
  EXPECT_EQ(r.owner, m_owner);
  EXPECT_EQ(r.flags, static_cast<UINT>(TPM_RETURNCMD));
  EXPECT_EQ(r.x, 120);
  EXPECT_EQ(r.y, 130);
  ASSERT_EQ(r.items.size(), 5u);
  EXPECT_EQ(r.items[0].text, "&Open\tCtrl+O");
  EXPECT_EQ(r.items[0].id, 100u);
  EXPECT_FALSE(r.items[0].checked);
  EXPECT_TRUE(r.items[1].checked);
  EXPECT_EQ(r.items[1].flags, static_cast<UINT>(MF_CHECKED));
  EXPECT_TRUE(r.items[2].separator);
  EXPECT_EQ(r.items[2].id, 0u);
  EXPECT_TRUE(r.items[3].grayed);
  EXPECT_EQ(r.items[3].text, "Grüße");
  EXPECT_TRUE(r.items[4].popup);
  EXPECT_EQ(r.items[4].id, 0u);
  EXPECT_EQ(r.items[4].text, "More");
  // Items stack top to bottom inside the menu window, separators thinner.
  for (size_t i = 1; i < r.items.size(); ++i) EXPECT_EQ(r.items[i].rect.top, r.items[i - 1].rect.bottom);
  EXPECT_LT(r.items[2].rect.bottom - r.items[2].rect.top, r.items[1].rect.bottom - r.items[1].rect.top);
  EXPECT_EQ(r.placed.right - r.placed.left, r.items[0].rect.right + r.items[0].rect.left);
}

struct Placement {
  UINT flags;
  int x, y;
  // Which corner of the placed menu is at the point.
  bool right, bottom;
};

TEST_F(MenuTest, AlignmentFlagsPutACornerOfTheMenuAtThePoint) {
  const Placement cases[] = {
      {0x1A0, 400, 300, false, true},                           // bottom-left at the point
      {0x1A8, 400, 300, true, true},                            // bottom-right at the point
      {TPM_LEFTALIGN | TPM_TOPALIGN, 400, 300, false, false},
      {TPM_RIGHTALIGN, 400, 300, true, false},
      {TPM_LEFTALIGN, 1020, 760, true, true},                   // no room: opens up and left
      {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 5, 5, false, false},   // no room: opens down and right
  };
  for (const Placement& c : cases) {
    SCOPED_TRACE(c.flags);
    TrackPopupMenuEx(m_menu, c.flags, c.x, c.y, m_owner, nullptr);
    const RECT& p = LastRequest().placed;
    EXPECT_EQ(c.right ? p.right : p.left, c.x);
    EXPECT_EQ(c.bottom ? p.bottom : p.top, c.y);
    EXPECT_GT(p.right - p.left, 40);
    EXPECT_GT(p.bottom - p.top, 60);
  }
  TrackPopupMenuEx(m_menu, TPM_CENTERALIGN | TPM_VCENTERALIGN, 400, 300, m_owner, nullptr);
  const RECT& p = LastRequest().placed;
  EXPECT_LE(std::abs((p.left + p.right) / 2 - 400), 1);
  EXPECT_LE(std::abs((p.top + p.bottom) / 2 - 300), 1);
}

TEST_F(MenuTest, MenusStayOnTheScreen) {
  nbp::display::SetScreenSize(200, 120);
  Track(TPM_CENTERALIGN | TPM_VCENTERALIGN, 190, 110);
  const RECT& p = LastRequest().placed;
  EXPECT_GE(p.left, 0);
  EXPECT_GE(p.top, 0);
  EXPECT_LE(p.right, 200);
  EXPECT_LE(p.bottom, 120);
}

TEST_F(MenuTest, ExcludedRectangleStaysUncovered) {
  TPMPARAMS params{sizeof(TPMPARAMS), RECT{100, 100, 180, 124}};
  TrackPopupMenuEx(m_menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, 100, 110, m_owner, &params);
  EXPECT_EQ(LastRequest().placed.top, 124);
  EXPECT_EQ(LastRequest().placed.left, 100);
}

TEST_F(MenuTest, ReturnCmdReturnsTheChoiceInsteadOfPostingIt) {
  WPARAM id = 0;
  nbp::Headless()->ChooseMenuCommand(101);
  EXPECT_EQ(Track(TPM_RETURNCMD), 101);
  EXPECT_FALSE(TakeCommand(&id));

  nbp::Headless()->ChooseMenuCommand(101);
  EXPECT_EQ(Track(TPM_LEFTALIGN), TRUE);
  ASSERT_TRUE(TakeCommand(&id));
  EXPECT_EQ(id, 101u);

  // Dismissed: nothing chosen, nothing posted.
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(Track(TPM_LEFTALIGN), FALSE);
  EXPECT_FALSE(TakeCommand(&id));
}

TEST_F(MenuTest, ChoosingWhatRunsNoCommandDismisses) {
  AppendMenu(m_menu, MF_STRING | MF_DISABLED, 103, "Disabled");
  // Grayed, separator, submenu, disabled, out of range.
  for (int index : {3, 2, 4, 5, 9}) {
    SCOPED_TRACE(index);
    for (UINT flags : {static_cast<UINT>(TPM_RETURNCMD), static_cast<UINT>(TPM_LEFTALIGN)}) {
      nbp::Headless()->AnswerMenu([index](const nbp::PopupMenuRequest&) { return index; });
      EXPECT_EQ(Track(flags), 0);
      WPARAM id;
      EXPECT_FALSE(TakeCommand(&id));
    }
  }
}

TEST_F(MenuTest, OwnerIsToldAsTheMenuOpensAndCloses) {
  nbp::Headless()->ChooseMenuCommand(100);
  Track(TPM_RETURNCMD);
  const std::vector<UINT> expected = {WM_ENTERMENULOOP, WM_INITMENU,        WM_INITMENUPOPUP, WM_MENUSELECT,
                                      WM_MENUSELECT,    WM_UNINITMENUPOPUP, WM_EXITMENULOOP};
  EXPECT_EQ(m_spy.MenuMessages(), expected);
  const Spy::Message* init = m_spy.Find(WM_INITMENUPOPUP);
  EXPECT_EQ(init->wParam, reinterpret_cast<WPARAM>(m_menu));
  EXPECT_EQ(init->lParam, MAKELONG(0, FALSE));
  EXPECT_EQ(m_spy.Find(WM_ENTERMENULOOP)->wParam, static_cast<WPARAM>(TRUE));
  // The chosen item is selected before the menu closes with (0xFFFF, 0).
  std::vector<Spy::Message> selects;
  for (const auto& m : m_spy.messages)
    if (m.msg == WM_MENUSELECT) selects.push_back(m);
  EXPECT_EQ(LOWORD(selects[0].wParam), 100);
  EXPECT_EQ(selects[0].lParam, reinterpret_cast<LPARAM>(m_menu));
  EXPECT_EQ(selects[1].wParam, MAKEWPARAM(0, 0xFFFF));
  EXPECT_EQ(selects[1].lParam, 0);

  m_spy.messages.clear();
  nbp::Headless()->ChooseMenuCommand(100);
  EXPECT_EQ(Track(TPM_RETURNCMD | TPM_NONOTIFY), 100);
  EXPECT_TRUE(m_spy.MenuMessages().empty());
}

TEST_F(MenuTest, InitMenuPopupMayUpdateTheMenuBeforeItIsShown) {
  m_spy.onMessage = [this](HWND, UINT msg) {
    if (msg != WM_INITMENUPOPUP) return;
    CheckMenuItem(m_menu, 100, MF_BYCOMMAND | MF_CHECKED);
    AppendMenu(m_menu, MF_STRING, 500, "Added late");
  };
  nbp::Headless()->ChooseMenuCommand(500);
  EXPECT_EQ(Track(TPM_RETURNCMD), 500);
  EXPECT_TRUE(LastRequest().items[0].checked);
  EXPECT_EQ(LastRequest().items.back().text, "Added late");
}

TEST_F(MenuTest, MenuClosedOrDestroyedWhileOpeningShowsNothing) {
  m_spy.onMessage = [](HWND, UINT msg) {
    if (msg == WM_INITMENUPOPUP) EndMenu();
  };
  nbp::Headless()->ChooseMenuCommand(100);
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_TRUE(nbp::Headless()->Menus().empty());
  EXPECT_NE(m_spy.Find(WM_EXITMENULOOP), nullptr);

  m_spy.onMessage = [this](HWND, UINT msg) {
    if (msg == WM_INITMENUPOPUP) DestroyMenu(m_menu);
  };
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_TRUE(nbp::Headless()->Menus().empty());
}

TEST_F(MenuTest, OpeningAMenuCancelsMouseCapture) {
  SetCapture(m_owner);
  Track(TPM_RETURNCMD);
  EXPECT_NE(m_spy.Find(WM_CANCELMODE), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

// ---------------------------------------------------------------------------
// Owner-drawn items and the menu's pixels

class OwnerDrawnMenuTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    ModifyMenu(m_menu, 0, MF_BYPOSITION | MF_OWNERDRAW, 100, reinterpret_cast<LPCTSTR>(0x1111));
    ModifyMenu(m_menu, 1, MF_BYPOSITION | MF_OWNERDRAW | MF_CHECKED, 101, reinterpret_cast<LPCTSTR>(0x2222));
    ModifyMenu(m_menu, 3, MF_BYPOSITION | MF_OWNERDRAW | MF_GRAYED, 102, reinterpret_cast<LPCTSTR>(0x3333));
  }
};

TEST_F(OwnerDrawnMenuTest, OwnerMeasuresEachItemOnceUntilTheMenuChanges) {
  Track(TPM_RETURNCMD);
  ASSERT_EQ(m_spy.measures.size(), 3u);
  const MEASUREITEMSTRUCT& mis = m_spy.measures[1];
  EXPECT_EQ(mis.CtlType, static_cast<UINT>(ODT_MENU));
  EXPECT_EQ(mis.itemID, 101u);
  EXPECT_EQ(mis.itemData, 0x2222u);
  const RECT& r = LastRequest().items[1].rect;
  EXPECT_EQ(r.bottom - r.top, 22);
  EXPECT_GE(r.right - r.left, 40);

  Track(TPM_RETURNCMD);
  EXPECT_EQ(m_spy.measures.size(), 3u);
  AppendMenu(m_menu, MF_STRING, 600, "Changed");
  Track(TPM_RETURNCMD);
  EXPECT_EQ(m_spy.measures.size(), 6u);
}

TEST_F(OwnerDrawnMenuTest, OwnerDrawsEachItemIntoTheMenuImage) {
  Track(TPM_RETURNCMD);
  ASSERT_EQ(m_spy.draws.size(), 3u);
  const nbp::PopupMenuRequest& r = LastRequest();
  const UINT expectedStates[] = {0, ODS_CHECKED, ODS_GRAYED | ODS_DISABLED};
  const size_t positions[] = {0, 1, 3};
  for (size_t i = 0; i < 3; ++i) {
    const DRAWITEMSTRUCT& dis = m_spy.draws[i];
    SCOPED_TRACE(dis.itemID);
    EXPECT_EQ(dis.CtlType, static_cast<UINT>(ODT_MENU));
    EXPECT_EQ(dis.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(dis.itemState, expectedStates[i]);
    EXPECT_EQ(dis.hwndItem, reinterpret_cast<HWND>(m_menu));
    EXPECT_NE(dis.hDC, nullptr);
    const RECT& rect = r.items[positions[i]].rect;
    EXPECT_EQ(dis.rcItem.top, rect.top);
    EXPECT_EQ(dis.rcItem.bottom, rect.bottom);
    // What the owner painted is what the menu shows.
    EXPECT_EQ(nbp::LastPopupMenuPixel((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2), kOwnerInk);
  }
  // The string item is not the owner's to draw.
  const RECT& more = r.items[4].rect;
  EXPECT_EQ(nbp::LastPopupMenuPixel(more.left + 2, more.top + 2), GetSysColor(COLOR_MENU));
}

// The cell of an item's check column, and how many of its pixels have `color`.
int CountInCheckColumn(const RECT& item, COLORREF color) {
  int n = 0;
  for (int y = item.top; y < item.bottom; ++y)
    for (int x = item.left; x < item.left + GetSystemMetrics(SM_CXMENUCHECK) + 6; ++x)
      n += nbp::LastPopupMenuPixel(x, y) == color;
  return n;
}

int DarkPixels(const RECT& r, int below) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      COLORREF c = nbp::LastPopupMenuPixel(x, y);
      n += GetRValue(c) + GetGValue(c) + GetBValue(c) < below;
    }
  return n;
}

TEST_F(MenuTest, MenuImageShowsMenuColorsChecksAndSeparators) {
  nbp::gdi::SetSysColorForTest(COLOR_MENU, RGB(230, 220, 200));
  AppendMenu(m_menu, MF_STRING | MF_HILITE, 103, "Lit");
  Track(TPM_RETURNCMD);
  const nbp::PopupMenuRequest& r = LastRequest();
  cairo_surface_t* image = nbp::LastPopupMenuImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(cairo_image_surface_get_width(image), r.placed.right - r.placed.left);
  EXPECT_EQ(cairo_image_surface_get_height(image), r.placed.bottom - r.placed.top);

  const RECT& open = r.items[0].rect;
  EXPECT_EQ(nbp::LastPopupMenuPixel(open.left + 1, open.top + 1), RGB(230, 220, 200));
  // The checked item has a mark in the text color, the unchecked one none.
  EXPECT_GE(CountInCheckColumn(r.items[1].rect, GetSysColor(COLOR_MENUTEXT)), 15);
  EXPECT_EQ(CountInCheckColumn(open, GetSysColor(COLOR_MENUTEXT)), 0);
  // Labels are drawn in the text color; the grayed label in gray only.
  EXPECT_GT(DarkPixels(open, 150), 10);
  EXPECT_EQ(DarkPixels(r.items[3].rect, 150), 0);
  EXPECT_GT(DarkPixels(r.items[3].rect, 3 * 200), 10);
  // The separator is an etched line: shadow over highlight.
  const RECT& sep = r.items[2].rect;
  int mid = (sep.left + sep.right) / 2;
  int y = sep.top + (sep.bottom - sep.top) / 2 - 1;
  EXPECT_EQ(nbp::LastPopupMenuPixel(mid, y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(nbp::LastPopupMenuPixel(mid, y + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(nbp::LastPopupMenuPixel(mid, y - 2), RGB(230, 220, 200));
  // The submenu item shows its arrow at the right.
  const RECT& more = r.items[4].rect;
  EXPECT_GT(DarkPixels(RECT{more.right - 19, more.top, more.right, more.bottom}, 150), 6);
  const RECT& lit = r.items[5].rect;
  EXPECT_EQ(nbp::LastPopupMenuPixel(lit.left + 1, lit.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(nbp::LastPopupMenuPixel(-1, 0), CLR_INVALID);

  std::string path = ::testing::TempDir() + "menu_image.png";
  ASSERT_TRUE(nbp::SaveLastPopupMenuPng(path.c_str()));
  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  EXPECT_EQ(cairo_image_surface_get_height(read), r.placed.bottom - r.placed.top);
  cairo_surface_destroy(read);
  std::remove(path.c_str());
}

}  // namespace
