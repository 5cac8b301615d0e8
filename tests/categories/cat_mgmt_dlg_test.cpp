// The category management dialog, driven as a user against a real store:
// New, Delete and Rename with every message, and what reaches the database,
// the records and the undo record.
#include "categories/cat_mgmt_dlg.h"

#include "cat_mgmt_fixture.h"
#include "resources/resource_ids.h"

namespace {

using catdrv::Active;
using catdrv::Click;
using catdrv::ClickItem;
using catdrv::EnterName;
using catdrv::Names;

constexpr int kList = 140, kNew = 147, kDelete = 148, kRename = 149;

class CatMgmtDlg : public CategoryDialogTest {
 protected:
  CNbUICatMgmtDlg dlg{&world.store, &world.table, "Address", nullptr};
};

TEST_F(CatMgmtDlg, OpensTitledWithEveryCategoryButZeroAndNothingSelected) {
  std::string title;
  std::vector<std::string> names;
  int sel = 0;
  Steps({[&] {
    title = catdrv::Text(Active());
    names = Names(Active(), kList);
    sel = catdrv::Selection(Active(), kList);
    Click(Active(), IDOK);
  }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(title, "Edit Address Categories");
  EXPECT_EQ(names, (std::vector<std::string>{"Family", "Travel"}));
  EXPECT_EQ(sel, -1);
  EXPECT_EQ(dlg.GetSelectedCatID(), 0xFFFF);
}

TEST_F(CatMgmtDlg, TitleWithoutAComponentNameLosesItsPlaceholder) {
  CNbUICatMgmtDlg plain(&world.store, &world.table, "", nullptr);
  std::string title;
  Steps({[&] {
    title = catdrv::Text(Active());
    Click(Active(), IDOK);
  }});
  plain.DoModal();
  EXPECT_EQ(title, "Edit Categories");
}

TEST_F(CatMgmtDlg, NewAddsTheCategoryAndSelectsItAndOkReportsIt) {
  std::string selected;
  Steps({[&] { Click(Active(), kNew); }, [&] { EnterName("Garden"); },
         [&] {
           selected = catdrv::SelectedName(Active(), kList);
           Click(Active(), IDOK);
         }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(selected, "Garden");
  int garden = world.IndexOf("Garden");
  EXPECT_EQ(garden, 3);
  EXPECT_EQ(dlg.GetSelectedCatID(), garden);
  EXPECT_EQ(dlg.m_bDeleted, 0);
  EXPECT_EQ(dlg.m_bNameChanged, 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CatMgmtDlg, NewAtSixteenCategoriesShowsTheLimitAndNeverAsksForAName) {
  for (int i = 3; i < 16; ++i) world.Add({("C" + std::to_string(i)).c_str()});
  ASSERT_EQ(world.store.GetCount(), 16);
  std::string activeAfter;
  Steps({[&] { Click(Active(), kNew); },
         [&] {
           activeAfter = catdrv::Text(Active());
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Load(IDS_NB_CATEGORY_LIMIT));
  EXPECT_EQ(Boxes()[0].caption, Load(IDS_NB_NEW_CATEGORY_CAPTION));
  EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(activeAfter, "Edit Address Categories") << "no name dialog came up";
}

TEST_F(CatMgmtDlg, NewWithFifteenCategoriesStillAsksForAName) {
  for (int i = 3; i < 15; ++i) world.Add({("C" + std::to_string(i)).c_str()});
  ASSERT_EQ(world.store.GetCount(), 15);
  std::string asked;
  Steps({[&] { Click(Active(), kNew); },
         [&] {
           asked = catdrv::Text(Active());
           Click(Active(), IDCANCEL);
         },
         [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_EQ(asked, "New Category");
  EXPECT_EQ(world.store.GetCount(), 15);
}

TEST_F(CatMgmtDlg, NewWithANameTheStoreHasInOtherLettersIsRefusedInQuotes) {
  Steps({[&] { Click(Active(), kNew); }, [&] { EnterName("TRAVEL"); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "'TRAVEL'" + Load(IDS_NB_CATEGORY_EXISTS));
  EXPECT_EQ(Boxes()[0].caption, Load(IDS_NB_CATEGORY_EXISTS_CAPTION));
  EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(world.store.GetCount(), 3);
}

TEST_F(CatMgmtDlg, DeleteOrRenameWithoutASelectionOnlySaysSo) {
  Steps({[&] { Click(Active(), kDelete); }, [&] { Click(Active(), kRename); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, Load(IDS_NB_SELECT_TO_DELETE));
  EXPECT_EQ(Boxes()[0].caption, "Categories");
  EXPECT_EQ(Boxes()[1].text, Load(IDS_NB_SELECT_TO_RENAME));
  EXPECT_EQ(world.store.GetCount(), 3);
}

TEST_F(CatMgmtDlg, DeleteWithTheFirstChoiceMovesTheRecordsToCategoryZero) {
  doc.GetUndoObject()->Add(99, travel);
  std::string caption;
  std::vector<std::string> names;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] {
           caption = catdrv::Text(Active());
           Click(Active(), IDOK);
         },
         [&] {
           names = Names(Active(), kList);
           Click(Active(), IDOK);
         }});
  CNbUICatMgmtDlg withView(&world.store, &world.table, "Address", &view);
  withView.DoModal();
  EXPECT_EQ(caption, "Delete Category 'Travel'");
  EXPECT_EQ(names, (std::vector<std::string>{"Family"}));
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{0, 3}, {family, 2}}));
  EXPECT_EQ(withView.m_bDeleted, 1);
  EXPECT_EQ(withView.GetSelectedCatID(), 0xFFFF) << "the selection was cleared";
  ASSERT_EQ(doc.GetUndoObject()->GetEntries().size(), 1u);
  EXPECT_EQ(doc.GetUndoObject()->GetEntries()[0].category, 0) << "the undo record heard of the move";
}

TEST_F(CatMgmtDlg, DeleteWithTheSecondChoiceDeletesTheRecordsAndDropsTheirUndo) {
  doc.GetUndoObject()->Add(98, travel);
  doc.GetUndoObject()->Add(99, family);
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] {
           Click(Active(), 395);
           Click(Active(), IDOK);
         },
         [&] { Click(Active(), IDOK); }});
  CNbUICatMgmtDlg withView(&world.store, &world.table, "Address", &view);
  withView.DoModal();
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{family, 2}}));
  EXPECT_EQ(world.table.GetRecordCount(TRUE), 5) << "marked deleted, not gone";
  ASSERT_EQ(doc.GetUndoObject()->GetEntries().size(), 1u);
  EXPECT_EQ(doc.GetUndoObject()->GetEntries()[0].id, 99);
}

TEST_F(CatMgmtDlg, CancellingTheDeleteDialogChangesNothingAndClearsTheSelection) {
  int selAfter = 0;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] { Click(Active(), IDCANCEL); },
         [&] {
           selAfter = catdrv::Selection(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(selAfter, -1);
  EXPECT_EQ(world.IndexOf("Travel"), travel);
  EXPECT_EQ(dlg.m_bDeleted, 0);
}

TEST_F(CatMgmtDlg, WithoutATableTheViewIsToldToMoveOrDeleteTheRecords) {
  CreateView();
  world.store.GetDatabase()->Exec("DELETE FROM records");
  CNbUICatMgmtDlg noTable(&world.store, nullptr, "Address", &view);
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] { Click(Active(), IDOK); }, [&] { ClickItem(Active(), kList, "Family"); },
         [&] { Click(Active(), kDelete); },
         [&] {
           Click(Active(), 395);
           Click(Active(), IDOK);
         },
         [&] { Click(Active(), IDOK); }});
  noTable.DoModal();
  EXPECT_EQ(view.messages, (std::vector<std::string>{"9472 1 0", "9473 2 0"}));
  view.DestroyWindow();
}

TEST_F(CatMgmtDlg, RenameToANewNameRenamesAndSelectsIt) {
  std::string selected;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("Trips"); },
         [&] {
           selected = catdrv::SelectedName(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(selected, "Trips");
  EXPECT_EQ(world.IndexOf("Trips"), travel);
  EXPECT_EQ(dlg.m_bNameChanged, 1);
  EXPECT_EQ(dlg.GetSelectedCatID(), travel);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CatMgmtDlg, ARenameThatOnlyChangesCaseIsAPlainRenameNotAMergeIntoItself) {
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("TRAVEL"); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_TRUE(Boxes().empty()) << "no merge question";
  EXPECT_EQ(world.Names(), (std::vector<std::string>{"Unfiled", "TRAVEL", "Family"}));
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{travel, 3}, {family, 2}}));
}

TEST_F(CatMgmtDlg, RenameToTheSameNameChangesNothing) {
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("Travel"); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(dlg.m_bNameChanged, 0);
}

TEST_F(CatMgmtDlg, RenameToAnotherCategorysNameMergesOnYes) {
  nbp::Headless()->AnswerMessageBox(IDYES);
  std::string selected;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("family"); },
         [&] {
           selected = catdrv::SelectedName(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Format2(IDS_NB_MERGE_CATEGORIES, "family", "Travel"));
  EXPECT_EQ(Boxes()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(selected, "Family");
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{family, 5}}));
  EXPECT_EQ(dlg.m_bNameChanged, 1);
}

TEST_F(CatMgmtDlg, AMergeAnsweredNoChangesNothing) {
  nbp::Headless()->AnswerMessageBox(IDNO);
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
         [&] { EnterName("Family"); }, [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_EQ(world.IndexOf("Travel"), travel);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{travel, 3}, {family, 2}}));
}

TEST_F(CatMgmtDlg, CancelKeepsEveryChangeAndEndsWithOkAndNoSelection) {
  // The dialog has no Cancel button: Escape cancels.
  Steps({[&] { Click(Active(), kNew); }, [&] { EnterName("Garden"); },
         [&] {
           ClickItem(Active(), kList, "Travel");
           nbp::test::PressKey(VK_ESCAPE);
         }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetSelectedCatID(), 0xFFFF);
  EXPECT_NE(world.IndexOf("Garden"), -1);
}

TEST_F(CatMgmtDlg, DoubleClickingACategoryClosesWithIt) {
  Steps({[&] {
    HWND list = GetDlgItem(Active(), kList);
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    nbp::test::DoubleClick(list, POINT{r.left + 10, (r.top + r.bottom) / 2});
  }});
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetSelectedCatID(), travel);
}

TEST_F(CatMgmtDlg, ALockedDatabaseRefusesTheDeleteWithAMessageAndLosesNothing) {
  CNbDatabase other;
  ASSERT_TRUE(other.Open(world.DbPath().c_str()));
  world.db.SetBusyTimeout(0);
  std::vector<std::string> names;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); },
         [&] {
           other.Begin();
           Click(Active(), kDelete);
         },
         [&] { Click(Active(), IDOK); },
         [&] {
           other.Rollback();
           names = Names(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  CString expected;
  AfxFormatString1(expected, IDS_NB_CATEGORY_STORE_FAILED, "database is locked");
  EXPECT_EQ(Boxes()[0].text, std::string(expected));
  EXPECT_EQ(names, (std::vector<std::string>{"Family", "Travel"}));
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{travel, 3}, {family, 2}}));
  EXPECT_EQ(dlg.m_bDeleted, 0);
}

TEST_F(CatMgmtDlg, AListedCategoryTheStoreNoLongerHasIsReportedAndTheListRefreshed) {
  std::vector<std::string> names;
  Steps({[&] {
           // Another program of the host deletes it behind the dialog.
           CNbTransaction change(&world.db);
           world.store.Delete(travel);
           world.table.ReplaceCategoryId(travel, 0);
           change.Commit();
           ClickItem(Active(), kList, "Travel");
         },
         [&] { Click(Active(), kRename); },
         [&] {
           names = Names(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  ASSERT_EQ(Boxes().size(), 1u);
  CString expected;
  AfxFormatString1(expected, IDS_NB_CATEGORY_GONE, "Travel");
  EXPECT_EQ(Boxes()[0].text, std::string(expected));
  EXPECT_EQ(names, (std::vector<std::string>{"Family"}));
}

}  // namespace
