// The category dialog and the handheld user's subscription file: which file
// is read, the questions and refusals of a subscribed category, and that the
// file changes only after the store did.
#include "HostSubscriptions/subscriptions.h"
#include "cat_mgmt_fixture.h"
#include "categories/cat_mgmt_dlg.h"
#include "resources/resource_ids.h"

namespace {

using catdrv::Active;
using catdrv::Click;
using catdrv::ClickItem;
using catdrv::EnterName;

constexpr int kList = 140, kDelete = 148, kRename = 149;
constexpr const char* kHeader = "NbUI subscriptions 1\n";

class CatSubscriptions : public CategoryDialogTest {
 protected:
  void SetUp() override {
    CategoryDialogTest::SetUp();
    file = world.MakeUser();
    dlg.SetCurrentUserName("ANNA");
    dlg.SetCurrentViewID(30028);
  }
  void Subscribe(const std::string& lines) { WriteText(file, kHeader + lines); }
  // Deletes Travel with the delete dialog's OK, then closes the dialog;
  // true when the delete dialog showed the subscription note.
  bool DeleteTravel() {
    bool noteShown = false;
    Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
           [&] {
             noteShown = IsWindowVisible(GetDlgItem(Active(), 431));
             Click(Active(), IDOK);
           },
           [&] { Click(Active(), IDOK); }});
    dlg.DoModal();
    return noteShown;
  }
  void RenameTravelTo(const char* name) {
    Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kRename); },
           [name] { EnterName(name); }, [&] { Click(Active(), IDOK); }});
    dlg.DoModal();
  }

  std::string file;
  CNbUICatMgmtDlg dlg{&world.store, &world.table, "Address", nullptr};
};

TEST_F(CatSubscriptions, TheUserIsFoundIgnoringCaseAndTheFileLivesInTheConduitFolder) {
  CString folder = "untouched";
  dlg.GetCurrentUserName(folder);
  EXPECT_EQ(std::string(folder), world.Dir() + "/anna");
  dlg.SetCurrentUserName("Bert");
  folder = "untouched";
  dlg.GetCurrentUserName(folder);
  EXPECT_EQ(std::string(folder), "untouched");
}

TEST_F(CatSubscriptions, DeletingASubscribedCategoryShowsTheNoteAndDropsTheSubscriptionAfterTheStore) {
  Subscribe("subscription\tTravel\tTravel\thttps://example.org/trips\t0\nsubscription\tFamily\tKin\tx\t0\n");
  bool noteShown = DeleteTravel();
  EXPECT_TRUE(noteShown);
  EXPECT_EQ(ReadText(file), std::string(kHeader) + "subscription\tFamily\tKin\tx\t0\n");
  EXPECT_EQ(world.IndexOf("Travel"), -1);
}

TEST_F(CatSubscriptions, ASubscriptionFileThatCannotBeSavedIsReportedAfterTheDelete) {
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  std::string conduit = world.Dir() + "/anna/address";
  std::vector<std::string> names;
  Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] {
           // The conduit's folder turns into a file while the user decides.
           std::filesystem::remove_all(conduit);
           WriteText(conduit, "not a folder");
           Click(Active(), IDOK);
         },
         [&] {
           names = catdrv::Names(Active(), kList);
           Click(Active(), IDOK);
         }});
  dlg.DoModal();
  EXPECT_EQ(world.IndexOf("Travel"), -1) << "the store's change stands";
  EXPECT_EQ(names, (std::vector<std::string>{"Family"}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Load(IDS_NB_SUBSCRIPTION_SAVE_FAILED));
}

TEST_F(CatSubscriptions, AnUnsubscribedCategorysDeleteDialogHidesTheNoteAndClosesUp) {
  Subscribe("subscription\tFamily\tFamily\tx\t0\n");
  RECT subscribed{}, plain{};
  bool noteShown = true;
  RECT okSubscribed{}, okPlain{};
  auto measure = [](RECT& frame, RECT& ok) {
    GetWindowRect(Active(), &frame);
    GetWindowRect(GetDlgItem(Active(), IDOK), &ok);
  };
  Steps({[&] { ClickItem(Active(), kList, "Family"); }, [&] { Click(Active(), kDelete); },
         [&] {
           measure(subscribed, okSubscribed);
           Click(Active(), IDCANCEL);
         },
         [&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
         [&] {
           measure(plain, okPlain);
           noteShown = IsWindowVisible(GetDlgItem(Active(), 431));
           Click(Active(), IDCANCEL);
         },
         [&] { Click(Active(), IDOK); }});
  dlg.DoModal();
  EXPECT_FALSE(noteShown);
  EXPECT_EQ((subscribed.bottom - subscribed.top) - (plain.bottom - plain.top), 30);
  EXPECT_EQ((okSubscribed.top - subscribed.top) - (okPlain.top - plain.top), 30);
}

TEST_F(CatSubscriptions, WithoutAConduitTheFileIsLookedForInTheUsersOwnFolder) {
  const std::string inConduit = std::string(kHeader) + "subscription\tTravel\tTravel\tx\t0\n";
  const std::string own = world.Dir() + "/anna/subscriptions.dat";
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  WriteText(own, std::string(kHeader) + "subscription\tTravel\tTravel\ty\t0\nsubscription\tFamily\tFamily\tz\t0\n");
  dlg.SetCurrentViewID(1);
  bool noteShown = DeleteTravel();
  EXPECT_TRUE(noteShown);
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(ReadText(own), std::string(kHeader) + "subscription\tFamily\tFamily\tz\t0\n");
  EXPECT_EQ(ReadText(file), inConduit) << "the address conduit's file is not this view's";
}

TEST_F(CatSubscriptions, AnUnknownUserHasNoSubscriptionFile) {
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  dlg.SetCurrentUserName("Bert");
  bool noteShown = DeleteTravel();
  EXPECT_FALSE(noteShown);
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(ReadText(file), std::string(kHeader) + "subscription\tTravel\tTravel\tx\t0\n");
}

TEST_F(CatSubscriptions, RenamingASubscribedCategoryToItsOwnNameAsksAndThenChangesNothing) {
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  nbp::Headless()->AnswerMessageBox(IDYES);
  RenameTravelTo("Travel");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Format2(IDS_NB_MERGE_BOTH_SUBSCRIBED, "Travel", "Travel"));
  EXPECT_EQ(Boxes()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(world.IndexOf("Travel"), travel);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{travel, 3}, {family, 2}}));
  EXPECT_EQ(ReadText(file), std::string(kHeader) + "subscription\tTravel\tTravel\tx\t0\n");
  EXPECT_EQ(dlg.m_bNameChanged, 0);
}

TEST_F(CatSubscriptions, RenamingASubscribedCategoryAsksFirstAndCancelStops) {
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  nbp::Headless()->AnswerMessageBox(IDCANCEL);
  RenameTravelTo("Trips");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, Format2(IDS_NB_RENAME_SUBSCRIBED, "Trips", "Travel"));
  EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  EXPECT_EQ(world.IndexOf("Travel"), travel);
}

TEST_F(CatSubscriptions, ARenameTheSubscriptionAcceptsRenamesBoth) {
  Subscribe("subscription\tTravel\tTravel\tx\t0\n");
  nbp::Headless()->AnswerMessageBox(IDOK);
  RenameTravelTo("Trips");
  EXPECT_EQ(world.IndexOf("Trips"), travel);
  EXPECT_EQ(ReadText(file), std::string(kHeader) + "subscription\tTrips\tTrips\tx\t0\n");
  EXPECT_EQ(dlg.m_bNameChanged, 1);
}

TEST_F(CatSubscriptions, RefusalsOfBothKindsAreExplainedAndChangeNothing) {
  struct Case {
    const char* lines;
    UINT message;
  } const cases[] = {
      {"subscription\tTravel\tTravel\tx\t1\n", IDS_NB_SUBSCRIPTION_REFUSED},
      {"subscription\tTravel\tTravel\tx\t0\nsubscription\tTrips\tTrips\ty\t0\n", IDS_NB_SUBSCRIPTION_TAKEN},
      {"subscription\tTravel\tTravel\tx\t0\nreserved\ttrips\n", IDS_NB_SUBSCRIPTION_NAME_RESERVED},
  };
  for (const Case& c : cases) {
    Subscribe(c.lines);
    nbp::Headless()->ClearRecords();
    nbp::Headless()->AnswerMessageBox(IDOK);
    RenameTravelTo("Trips");
    ASSERT_EQ(Boxes().size(), 2u) << c.message;
    EXPECT_EQ(Boxes()[1].text, Format2(c.message, "Trips", "Travel"));
    EXPECT_EQ(Boxes()[1].type, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(world.IndexOf("Travel"), travel);
    EXPECT_EQ(ReadText(file), kHeader + std::string(c.lines)) << "the file is left alone";
  }
}

TEST_F(CatSubscriptions, EachMergeQuestionFollowsWhichSideIsSubscribed) {
  struct Case {
    const char* lines;
    UINT question;
    const char* fileAfter;  // after Yes
  } const cases[] = {
      {"subscription\tTravel\tTravel\tx\t0\n", IDS_NB_MERGE_SUBSCRIBED, ""},
      {"subscription\tFamily\tFamily\tx\t0\n", IDS_NB_MERGE_INTO_SUBSCRIBED, "subscription\tFamily\tFamily\tx\t0\n"},
      {"subscription\tTravel\tTravel\tx\t0\nsubscription\tFamily\tFamily\ty\t0\n", IDS_NB_MERGE_BOTH_SUBSCRIBED,
       "subscription\tFamily\tFamily\ty\t0\n"},
  };
  for (const Case& c : cases) {
    Subscribe(c.lines);
    nbp::Headless()->ClearRecords();
    nbp::Headless()->AnswerMessageBox(IDNO);
    RenameTravelTo("Family");
    ASSERT_EQ(Boxes().size(), 1u) << c.question;
    EXPECT_EQ(Boxes()[0].text, Format2(c.question, "Family", "Travel"));
    EXPECT_EQ(world.IndexOf("Travel"), travel) << "No keeps both";
  }
  // The last case again, answered Yes: the merged category's subscription goes.
  nbp::Headless()->AnswerMessageBox(IDYES);
  RenameTravelTo("Family");
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{family, 5}}));
  EXPECT_EQ(ReadText(file), std::string(kHeader) + cases[2].fileAfter);
}

}  // namespace
