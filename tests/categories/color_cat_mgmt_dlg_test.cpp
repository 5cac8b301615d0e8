// The colored category dialog: swatches that follow the selection, colors
// kept in the list until the dialog closes (by OK or Cancel), the new-slot
// rule, and a rename that keeps a color not yet stored.
#include "categories/color_cat_mgmt_dlg.h"

#include "cat_mgmt_fixture.h"
#include "categories/category_data.h"
#include "categories/color_swatch.h"

namespace {

using catdrv::Active;
using catdrv::Click;
using catdrv::ClickItem;
using catdrv::EnterName;
using catdrv::Names;

constexpr int kList = 601, kNew = 602, kDelete = 603, kRename = 604;

// The position (0 to 15) of the pressed swatch, -1 for none; -2 for more.
int PressedSwatch(HWND dialog) {
  int pressed = -1;
  for (int p = 0; p < 16; ++p) {
    auto* swatch = dynamic_cast<CNbColorSwatch*>(CWnd::FromHandle(GetDlgItem(dialog, 1000 + p)));
    if (swatch && swatch->IsSelected()) pressed = pressed == -1 ? p : -2;
  }
  return pressed;
}

class ColorCatDlg : public CategoryDialogTest {
 protected:
  void SetUp() override {
    CategoryDialogTest::SetUp();
    NbThemeSetCategorySlot(travel, 6);
    NbThemeSetCategorySlot(family, 9);
  }
  CNbUIColorCatMgmtDlg dlg{&world.store, &world.table, "Calendar", nullptr};
};

TEST_F(ColorCatDlg, OpensWithTheFirstCategorySelectedAndItsSwatchPressed) {
  int pressed = -1;
  std::string selected;
  int swatches = 0;
  Steps({[&] {
    selected = catdrv::SelectedName(Active(), kList);
    pressed = PressedSwatch(Active());
    for (int p = 0; p < 16; ++p) swatches += IsWindowVisible(GetDlgItem(Active(), 1000 + p)) ? 1 : 0;
    Click(Active(), IDOK);
  }});
  dlg.DoModal();
  EXPECT_EQ(selected, "Family");
  EXPECT_EQ(pressed, NbSwatchPositionOf(9));
  EXPECT_EQ(swatches, 16);
  EXPECT_EQ(dlg.GetSelectedCatID(), family);
}

TEST_F(ColorCatDlg, TheSwatchesLieInTwoRowsOfEightBelowTheLabel) {
  // Client rectangles of the label, the list and the 16 swatches.
  auto inClient = [](HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT label{}, list{};
  std::vector<RECT> swatches;
  Steps({[&] {
    label = inClient(Active(), 605);
    list = inClient(Active(), kList);
    for (int p = 0; p < 16; ++p) swatches.push_back(inClient(Active(), 1000 + p));
    Click(Active(), IDOK);
  }});
  dlg.DoModal();
  ASSERT_EQ(swatches.size(), 16u);
  for (int p = 0; p < 16; ++p) {
    const RECT& r = swatches[static_cast<size_t>(p)];
    EXPECT_EQ(r.left, 15 + 25 * (p % 8)) << p;
    EXPECT_EQ(r.top, 185 + 25 * (p / 8)) << p;
    EXPECT_EQ(r.right - r.left, 20) << p;
    EXPECT_EQ(r.bottom - r.top, 20) << p;
  }
  EXPECT_LE(label.bottom, 185) << "the label stays readable";
  EXPECT_GE(label.top, list.bottom);
}

TEST_F(ColorCatDlg, AnEmptyStoreListsNothingAndPressesNoSwatch) {
  CategoryWorld empty;
  empty.Open();
  CNbUIColorCatMgmtDlg none(&empty.store, &empty.table, "Calendar", nullptr);
  int pressed = 0, count = -1;
  Steps({[&] {
    pressed = PressedSwatch(Active());
    count = static_cast<int>(Names(Active(), kList).size());
    Click(Active(), IDOK);
  }});
  none.DoModal();
  EXPECT_EQ(pressed, -1);
  EXPECT_EQ(count, 0);
}

TEST_F(ColorCatDlg, SelectingACategoryPressesItsSwatch) {
  int pressed = -1;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); },
         [&] {
           pressed = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(pressed, NbSwatchPositionOf(6));
}

TEST_F(ColorCatDlg, ASwatchColorsTheSelectedCategoryAtOkOnly) {
  int slotWhileOpen = 0;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), 1000); },
         [&] {
           slotWhileOpen = NbThemeGetCategorySlot(travel);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(slotWhileOpen, 6) << "the theme hears of it only at the close";
  EXPECT_EQ(NbThemeGetCategorySlot(travel), NbSwatchSlotAt(0));
  EXPECT_EQ(NbThemeGetCategorySlot(family), 9);
  EXPECT_EQ(dlg.m_bColorChanged, 1);
  NbThemeReloadCategorySlots();
  EXPECT_EQ(NbThemeGetCategorySlot(travel), NbSwatchSlotAt(0)) << "kept in the settings file";
}

TEST_F(ColorCatDlg, CancelStoresTheColorsToo) {
  Steps({[&] { Click(Active(), 1003); }, [&] { nbp::test::PressKey(VK_ESCAPE); }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(NbThemeGetCategorySlot(family), NbSwatchSlotAt(3));
  EXPECT_EQ(dlg.GetSelectedCatID(), 0xFFFF);
}

TEST_F(ColorCatDlg, ASwatchWithNothingSelectedChangesNothing) {
  int pressed = 0;
  Steps({[&] { SendMessage(GetDlgItem(Active(), kList), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); },
         [&] { Click(Active(), 1005); },
         [&] {
           pressed = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(dlg.m_bColorChanged, 0);
  EXPECT_EQ(pressed, NbSwatchPositionOf(9)) << "the earlier swatch stays pressed";
  EXPECT_EQ(NbThemeGetCategorySlot(family), 9);
}

TEST_F(ColorCatDlg, NewTakesTheLowestFreeSlotBelowSixteen) {
  NbThemeSetCategorySlot(travel, 1);
  NbThemeSetCategorySlot(family, 2);
  world.Add({"Garden"});
  NbThemeSetCategorySlot(world.IndexOf("Garden"), 4);
  int pressed = -1;
  Steps({[&] { Click(Active(), kNew); }, [&] { EnterName("Music"); },
         [&] {
           pressed = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(NbThemeGetCategorySlot(world.IndexOf("Music")), 3);
  EXPECT_EQ(pressed, NbSwatchPositionOf(3));
}

// The store's limit leaves at most 14 listed categories when New can run,
// so slots 1 to 14 held is the fullest case: the new one gets 15, never 16.
TEST_F(ColorCatDlg, NewWithSlotsOneToFourteenHeldTakesFifteen) {
  for (int i = 3; i <= 14; ++i) world.Add({("C" + std::to_string(i)).c_str()});
  int slot = 1;
  CCategory* cat = nullptr;
  for (world.store.FindFirst(cat); cat; world.store.FindNext(cat))
    if (cat->GetIndex() > 0) NbThemeSetCategorySlot(cat->GetIndex(), slot++);
  ASSERT_EQ(slot, 15);
  Steps({[&] { Click(Active(), kNew); }, [&] { EnterName("Music"); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_EQ(NbThemeGetCategorySlot(world.IndexOf("Music")), 15);
}

TEST_F(ColorCatDlg, ARenameKeepsAColorChosenButNotYetStored) {
  int pressed = -1;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), 1010); },
         [&] { Click(Active(), kRename); }, [&] { EnterName("Trips"); },
         [&] {
           pressed = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(pressed, 10);
  EXPECT_EQ(NbThemeGetCategorySlot(travel), NbSwatchSlotAt(10));
}

TEST_F(ColorCatDlg, AMergeSelectsTheCategoryMergedIntoAndPressesItsSwatch) {
  nbp::Headless()->AnswerMessageBox(IDYES);
  std::string selected;
  int pressed = -1;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("Family"); },
         [&] {
           selected = catdrv::SelectedName(Active(), kList);
           pressed = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(selected, "Family");
  EXPECT_EQ(pressed, NbSwatchPositionOf(9));
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{family, 5}}));
  EXPECT_EQ(dlg.m_bNameChanged, 1);
  EXPECT_EQ(NbThemeGetCategorySlot(family), 9);
}

TEST_F(ColorCatDlg, DeleteRemovesTheItemAndItsRecordsMoveToZero) {
  std::vector<std::string> names;
  int pressed = -1, sel = 0;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] { Click(Active(), IDOK); },
         [&] {
           names = Names(Active(), kList);
           pressed = PressedSwatch(Active());
           sel = catdrv::Selection(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(names, (std::vector<std::string>{"Family"}));
  EXPECT_EQ(sel, -1);
  EXPECT_EQ(pressed, NbSwatchPositionOf(6)) << "the deleted category's swatch stays pressed";
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{0, 3}, {family, 2}}));
  EXPECT_EQ(dlg.m_bDeleted, 1);
}

TEST_F(ColorCatDlg, AChangeTheStoreRefusesKeepsTheColorsChosenSoFar) {
  CNbDatabase other;
  ASSERT_TRUE(other.Open(world.DbPath().c_str()));
  world.db.SetBusyTimeout(0);
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), 1010); },
         [&] { ClickItem(Active(), kList, "Family"); },
         [&] {
           other.Begin();
           Click(Active(), kDelete);
         },
         [&] { Click(Active(), IDOK); },
         [&] {
           other.Rollback();
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u) << "the locked database was reported";
  EXPECT_EQ(world.IndexOf("Family"), family);
  EXPECT_EQ(NbThemeGetCategorySlot(travel), NbSwatchSlotAt(10));
  EXPECT_EQ(NbThemeGetCategorySlot(family), 9);
}

TEST_F(ColorCatDlg, ACategoryWhoseSlotNoSwatchShowsLeavesTheSwatchesAlone) {
  int before = -1, after = -1;
  Steps({[&] {
           before = PressedSwatch(Active());
           dlg.m_catList.ChangeItemSwatchIndex("Travel", 0);
           ClickItem(Active(), kList, "Travel");
         },
         [&] {
           after = PressedSwatch(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(after, before);
}

}  // namespace
