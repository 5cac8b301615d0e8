// The colored category controls: the category record and swatch order, the
// combo's and the menu's swatches and check mark, the swatch button and the
// swatch list, checked at the pixels their drawing fixes.
#include <gtest/gtest.h>

#include <set>

#include "categories/category_data.h"
#include "categories/color_cat_combo.h"
#include "categories/color_cat_menu.h"
#include "categories/color_swatch.h"
#include "categories/swatch_list_box.h"
#include "category_world.h"
#include "dialog_driver.h"
#include "mfc/app.h"
#include "nbp/menu_image.h"
#include "win/syscolors.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A host window that records the commands its children send.
class CHostWindow : public CWnd {
 public:
  std::vector<UINT> commands;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(static_cast<UINT>(wParam));
    return TRUE;
  }
};

class CategoryControls : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    NbThemeReloadCategorySlots();
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    app.m_pMainWnd = &host;
  }
  void TearDown() override {
    host.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  CWinApp app{"Controls"};
  CHostWindow host;
};

TEST(CategoryData, ARecordStartsEmptyUncheckedYellowAndCopiesWhole) {
  CNbCategoryData record;
  EXPECT_EQ(record.m_bChecked, 0);
  EXPECT_EQ(record.m_crColor, 0x0000FFFFu);
  EXPECT_TRUE(record.m_strName.IsEmpty());
  CNbCategoryData other;
  other.m_bChecked = 1;
  other.m_crColor = RGB(1, 2, 3);
  other.m_strName = "Travel";
  CNbCategoryData copy(other);
  record = other;
  other.m_strName = "changed";
  for (const CNbCategoryData* r : {&copy, &record}) {
    EXPECT_EQ(r->m_bChecked, 1);
    EXPECT_EQ(r->m_crColor, RGB(1, 2, 3));
    EXPECT_EQ(std::string(r->m_strName), "Travel");
  }
}

TEST(CategoryData, TheSwatchOrderIsAPermutationOfTheSixteenSlots) {
  std::set<int> slots;
  for (int p = 0; p < 16; ++p) {
    int slot = NbSwatchSlotAt(p);
    slots.insert(slot);
    EXPECT_EQ(NbSwatchPositionOf(slot), p);
  }
  EXPECT_EQ(slots.size(), 16u);
  EXPECT_EQ(*slots.begin(), 1);
  EXPECT_EQ(*slots.rbegin(), 16);
  EXPECT_EQ(NbSwatchSlotAt(0), 4);
  EXPECT_EQ(NbSwatchSlotAt(8), 7);
  for (int outside : {0, 17, -1}) EXPECT_EQ(NbSwatchPositionOf(outside), -1);
  EXPECT_EQ(NbSwatchSlotAt(16), 0);
}

TEST_F(CategoryControls, TheComboDrawsASwatchForCategoriesButNotForItsSpecialItems) {
  CategoryWorld world;
  world.Open();
  int travel = world.Add({"Travel"});
  NbThemeSetCategorySlot(travel, 5);
  CNbColorCatCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(10, 10, 210, 200),
                           &host, 40));
  combo.SetCategoryMgr(&world.store);
  ASSERT_EQ(combo.FillList(TRUE, TRUE, travel), 4);
  nbp::test::Pump();
  // The field's item starts at x = 3: the swatch's fixed right edge of 17
  // leaves it x = 6 to 16.
  CRect client;
  combo.GetClientRect(&client);
  int itemTop = 3, itemHeight = client.Height() - 6;
  int top = itemTop + 1 + ((itemHeight - 1 - 9) >> 1);
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 6, top), kBlack);
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 16, top + 8), kBlack);
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 17, top + 4), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 11, top + 4), NbThemeGetSlotColor(5));

  combo.SetCurSel(0);  // "All"
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 6, top), GetSysColor(COLOR_WINDOW));

  combo.SetCurSel(2);
  combo.SetWantColorCat(0);
  combo.Invalidate();
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(combo.m_hWnd, 6, top), GetSysColor(COLOR_WINDOW)) << "no swatch without colors";
  combo.DestroyWindow();
}

TEST_F(CategoryControls, AMenuItemOfFiveCharactersMeasuresSeventySevenByTwenty) {
  CNbColorCatMenu menu;
  CNbCategoryData record;
  record.m_strName = "Trave";
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemData = reinterpret_cast<ULONG_PTR>(&record);
  menu.MeasureItem(&mis);
  EXPECT_EQ(mis.itemWidth, 77u);
  EXPECT_EQ(mis.itemHeight, 20u);
}

TEST_F(CategoryControls, TheMenuConvertsSubmenusAndDrawsSwatchesAndTheCheckMark) {
  NbThemeSetCategorySlot(1, 3);
  auto* menu = new CNbColorCatMenu;
  ASSERT_TRUE(menu->CreatePopupMenu());
  menu->AppendMenu(MF_STRING, 1574 + 1, "Travel");
  menu->AppendMenu(MF_STRING | MF_CHECKED, 1574 + 2, "Family");
  menu->AppendMenu(MF_SEPARATOR);
  HMENU sub = CreatePopupMenu();
  AppendMenu(sub, MF_STRING, 1574 + 3, "Garden");
  menu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "More");
  menu->ChangeToOwnerDraw(menu);
  EXPECT_EQ(menu->GetRecordCount(), 5) << "four items and the submenu's one";
  EXPECT_EQ(menu->GetSubMenuObjectCount(), 1);
  EXPECT_EQ(GetMenuState(*menu, 3, MF_BYPOSITION) & (MF_OWNERDRAW | MF_POPUP), static_cast<UINT>(MF_OWNERDRAW | MF_POPUP));
  EXPECT_EQ(GetMenuState(sub, 0, MF_BYPOSITION) & MF_OWNERDRAW, static_cast<UINT>(MF_OWNERDRAW));

  menu->TrackPopupMenu(TPM_LEFTALIGN, 50, 50, &host);
  ASSERT_FALSE(nbp::Headless()->Menus().empty());
  const auto& items = nbp::Headless()->Menus().back().items;
  ASSERT_EQ(items.size(), 4u);
  RECT travel = items[0].rect, family = items[1].rect;
  EXPECT_EQ(travel.bottom - travel.top, 20);
  int swatchTop = travel.top + ((20 - 9) >> 1);
  EXPECT_EQ(nbp::LastPopupMenuPixel(20, swatchTop), kBlack);
  EXPECT_EQ(nbp::LastPopupMenuPixel(35, swatchTop + 8), kBlack);
  EXPECT_EQ(nbp::LastPopupMenuPixel(27, swatchTop + 4), NbThemeGetSlotColor(3));
  // The check mark of the checked item: its first column starts two
  // pixels down, its last at the top.
  int x = family.left + 6, y = family.top + 6;
  COLORREF text = GetSysColor(COLOR_MENUTEXT);
  EXPECT_EQ(nbp::LastPopupMenuPixel(x, y + 2), text);
  EXPECT_EQ(nbp::LastPopupMenuPixel(x, y + 4), text);
  EXPECT_NE(nbp::LastPopupMenuPixel(x, y + 5), text);
  EXPECT_EQ(nbp::LastPopupMenuPixel(x + 6, y), text);
  EXPECT_NE(nbp::LastPopupMenuPixel(x + 6, y + 3), text);
  EXPECT_NE(nbp::LastPopupMenuPixel(travel.left + 6, travel.top + 8), text) << "an unchecked item has no mark";
  delete menu;  // frees the records and submenu objects of every level
}

TEST_F(CategoryControls, WithoutColorsTheMenuDrawsNoSwatch) {
  CNbColorCatMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 1574 + 1, "Travel");
  menu.SetWantColorCat(0);
  menu.ChangeToOwnerDraw(&menu);
  menu.TrackPopupMenu(TPM_LEFTALIGN, 50, 50, &host);
  const auto& items = nbp::Headless()->Menus().back().items;
  EXPECT_NE(nbp::LastPopupMenuPixel(20, items[0].rect.top + 5), kBlack);
}

class CCountingSwatch : public CNbColorSwatch {
 public:
  int draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ++draws;
    CNbColorSwatch::DrawItem(dis);
  }
};

TEST_F(CategoryControls, ASwatchShowsItsChosenRingAndRepaintsOnlyOnAChange) {
  CCountingSwatch swatch;
  ASSERT_TRUE(swatch.Create(RGB(200, 30, 40), WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 30, 30), &host, 1000));
  nbp::test::Pump();
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 0, 0), kBlack);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 1, 1), kWhite);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 2, 2), kWhite);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 10, 10), RGB(200, 30, 40));
  int before = swatch.draws;
  swatch.Select(1);
  EXPECT_EQ(swatch.draws, before + 1);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 1, 1), kBlack);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 2, 2), kWhite);
  swatch.Select(1);
  EXPECT_EQ(swatch.draws, before + 1) << "the same state again does not repaint";
  swatch.Select(0);
  EXPECT_EQ(nbp::WindowPixel(swatch.m_hWnd, 1, 1), kWhite);
  swatch.DestroyWindow();
}

TEST_F(CategoryControls, ReturnOnASwatchClicksItOncePerPressAndADoubleClickTwice) {
  CNbColorSwatch swatch;
  ASSERT_TRUE(swatch.Create(RGB(0, 0, 255), WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 30, 30), &host, 1007));
  swatch.SetFocus();
  nbp::test::HoldKey(VK_RETURN, 4);
  nbp::test::Pump();
  EXPECT_EQ(host.commands, (std::vector<UINT>{MAKEWPARAM(1007, BN_CLICKED)}));
  host.commands.clear();
  nbp::test::DoubleClick(swatch.m_hWnd, POINT{10, 10});
  EXPECT_EQ(host.commands.size(), 2u);
  swatch.DestroyWindow();
}

class SwatchList : public CategoryControls {
 protected:
  void SetUp() override {
    CategoryControls::SetUp();
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 200, 200), &host, 50));
  }
  void TearDown() override {
    list.DestroyWindow();
    CategoryControls::TearDown();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) names.emplace_back(list.GetItemName(i));
    return names;
  }
  COLORREF SwatchFill(int item) {
    nbp::test::Pump();
    CRect r;
    list.GetItemRect(item, &r);
    return nbp::WindowPixel(list.m_hWnd, r.left + 11, r.top + ((r.Height() - 9) >> 1) + 4);
  }
  CNbSwatchListBox list;
};

TEST_F(SwatchList, NamesSortAlphabeticallyWithoutRegardToCapitals) {
  list.AddItem("banana", 3);
  list.AddItem("Cherry", 2);
  list.AddItem("apple", 1);
  list.AddItem("Apricot", 4);
  EXPECT_EQ(Names(), (std::vector<std::string>{"apple", "Apricot", "banana", "Cherry"}));
}

TEST_F(SwatchList, ChangingOneItemsSlotRepaintsOnlyThatSwatchColor) {
  list.AddItem("Family", 2);
  list.AddItem("Travel", 6);
  EXPECT_EQ(SwatchFill(1), NbThemeGetSlotColor(6));
  list.ChangeItemSwatchIndex(1, 11);
  EXPECT_EQ(list.GetItemSwatchIndex("Travel"), 11);
  EXPECT_EQ(SwatchFill(1), NbThemeGetSlotColor(11));
  EXPECT_EQ(SwatchFill(0), NbThemeGetSlotColor(2));
  EXPECT_EQ(list.GetItemSwatchIndex("Nobody"), 0);
}

TEST_F(SwatchList, DeletingAnItemForgetsItsSlotAndANewOneShowsTheNewSlot) {
  list.AddItem("Travel", 6);
  EXPECT_EQ(list.DeleteItem(0), 0);
  EXPECT_EQ(list.GetItemSwatchIndex("Travel"), 0);
  list.AddItem("Travel", 9);
  EXPECT_EQ(SwatchFill(0), NbThemeGetSlotColor(9));
}

TEST_F(SwatchList, TheListKeepsItsOwnNamesWhateverHappensToTheCallers) {
  CategoryWorld world;
  world.Open();
  int travel = world.Add({"Travel"});
  CCategory* cat = nullptr;
  world.store.FindIndex(travel, cat);
  list.AddItem(cat->GetName(), 4);
  world.store.Rename(travel, "Somewhere far away");
  world.store.Delete(travel);
  nbp::test::Pump();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Travel"}));
  EXPECT_EQ(list.GetItemSwatchIndex("Travel"), 4);
}

}  // namespace
