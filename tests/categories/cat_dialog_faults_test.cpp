// The category dialog on a store that fails under it: a database that can
// only be read, and an I/O error at each write of a delete. The user is
// told, the list shows the store as it is, and no record is lost.
#include "cat_mgmt_fixture.h"
#include "categories/cat_mgmt_dlg.h"
#include "fault_vfs.h"
#include "resources/resource_ids.h"

namespace {

using catdrv::Active;
using catdrv::Click;
using catdrv::ClickItem;
using catdrv::Names;

constexpr int kList = 140, kDelete = 148;

class CatDialogFaults : public CategoryDialogTest {
 protected:
  // Reopens the database through the fault VFS.
  void Reopen(faultvfs::Mode mode, int failAt) {
    world.store.Detach();
    world.db.Close();
    faultvfs::Arm(mode == faultvfs::Mode::kReadOnly ? mode : faultvfs::Mode::kNone, 0);
    ASSERT_TRUE(world.db.Open(world.DbPath().c_str(), FALSE, faultvfs::Register()));
    ASSERT_EQ(world.store.Attach(&world.db, "Unfiled"), CAT_OK);
    if (mode != faultvfs::Mode::kReadOnly) faultvfs::Arm(mode, failAt);
  }
  void TearDown() override {
    faultvfs::Disarm();
    CategoryDialogTest::TearDown();
  }
  // Deletes Travel, moving its records; returns the list shown afterwards.
  std::vector<std::string> DeleteTravel() {
    CNbUICatMgmtDlg dlg(&world.store, &world.table, "Address", nullptr);
    std::vector<std::string> names;
    Steps({[&] { ClickItem(Active(), kList, "Travel"); }, [&] { Click(Active(), kDelete); },
           [&] { Click(Active(), IDOK); },
           [&] {
             names = Names(Active(), kList);
             Click(Active(), IDOK);
           }});
    dlg.DoModal();
    return names;
  }
};

TEST_F(CatDialogFaults, AReadOnlyDatabaseRefusesTheDeleteAndSaysWhy) {
  Reopen(faultvfs::Mode::kReadOnly, 0);
  std::vector<std::string> names = DeleteTravel();
  ASSERT_EQ(Boxes().size(), 1u);
  CString expected;
  AfxFormatString1(expected, IDS_NB_CATEGORY_STORE_FAILED, "the database can only be read");
  EXPECT_EQ(Boxes()[0].text, std::string(expected));
  EXPECT_EQ(names, (std::vector<std::string>{"Family", "Travel"}));
}

TEST_F(CatDialogFaults, AnIoErrorAtAnyWriteOfADeleteLosesNothingAndTheListFollowsTheStore) {
  int refused = 0, done = 0;
  for (int failAt = 1; failAt <= 12; ++failAt) {
    SCOPED_TRACE(failAt);
    Reopen(faultvfs::Mode::kIoError, failAt);
    nbp::Headless()->ClearRecords();
    std::vector<std::string> names = DeleteTravel();
    faultvfs::Disarm();
    bool deleted = world.IndexOf("Travel") == -1;
    ++(deleted ? done : refused);
    EXPECT_EQ(Boxes().size(), deleted ? 0u : 1u) << "a message exactly when the delete failed";
    std::vector<std::string> expected = {"Family", "Travel"};
    if (deleted) expected.pop_back();
    EXPECT_EQ(names, expected);
    EXPECT_EQ(world.table.GetRecordCount(TRUE), 5);
    EXPECT_EQ(world.LiveCounts()[deleted ? 0 : travel], 3);
    if (deleted) {
      // Put it back for the next write point.
      world.store.Detach();
      world.db.Close();
      ASSERT_TRUE(world.db.Open(world.DbPath().c_str()));
      ASSERT_EQ(world.store.Attach(&world.db, "Unfiled"), CAT_OK);
      CNbTransaction again(&world.db);
      auto* cat = new CCategory;
      cat->SetName("Travel");
      ASSERT_EQ(world.store.Add(cat), CAT_OK);
      world.table.ReplaceCategoryId(0, travel);
      ASSERT_TRUE(again.Commit());
    }
  }
  EXPECT_GT(refused, 3) << "the errors reached the delete";
  EXPECT_GT(done, 0) << "past its last write the delete goes through";
}

}  // namespace
