// The host's category store over SQLite: names, limits, records and
// transactions, and what a missing, read-only, locked or corrupt database
// does.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "category_world.h"
#include "fault_vfs.h"

namespace {

class CategoryStore : public ::testing::Test {
 protected:
  void SetUp() override { world.Open(); }
  CategoryWorld world;
};

TEST_F(CategoryStore, NamesCompareWithoutCaseEverywhere) {
  int business = world.Add({"Business"});
  CCategory* cat = nullptr;
  EXPECT_EQ(world.store.FindName("BUSINESS", cat), CAT_OK);
  ASSERT_NE(cat, nullptr);
  EXPECT_EQ(cat->GetIndex(), business);
  EXPECT_EQ(world.store.FindName("Busy", cat), CAT_ERR_NOT_FOUND);
  EXPECT_EQ(cat, nullptr);

  auto* twin = new CCategory;
  twin->SetName("business");
  EXPECT_EQ(world.store.Add(twin), CAT_ERR_DUPLICATE);
  world.Add({"Travel"});
  EXPECT_EQ(world.store.Rename(world.IndexOf("Travel"), "BUSINESS"), CAT_ERR_DUPLICATE);
  EXPECT_EQ(world.store.Rename(business, "BUSINESS"), CAT_OK) << "its own name in other letters";
  EXPECT_EQ(world.Names(), (std::vector<std::string>{"Unfiled", "BUSINESS", "Travel"}));
}

TEST_F(CategoryStore, SixteenCategoriesAtMostWithTheLowestFreeIndex) {
  for (int i = 1; i < 16; ++i) world.Add({("C" + std::to_string(i)).c_str()});
  EXPECT_EQ(world.store.GetCount(), 16);
  auto* extra = new CCategory;
  extra->SetName("Extra");
  EXPECT_EQ(world.store.Add(extra), CAT_ERR_FULL);
  ASSERT_EQ(world.store.Delete(world.IndexOf("C4")), CAT_OK);
  EXPECT_EQ(world.Add({"Extra"}), 4) << "the freed index is given again";
}

TEST_F(CategoryStore, CategoryZeroStaysAndEmptyNamesAreRefused) {
  EXPECT_EQ(world.store.Delete(0), CAT_ERR_INVALID);
  auto* unnamed = new CCategory;
  EXPECT_EQ(world.store.Add(unnamed), CAT_ERR_INVALID);
  EXPECT_EQ(world.store.Rename(0, ""), CAT_ERR_INVALID);
  EXPECT_EQ(world.store.Delete(9), CAT_ERR_NOT_FOUND);
}

TEST_F(CategoryStore, ANameKeepsItsAddressWhileTheCategoryLives) {
  int travel = world.Add({"Travel"});
  CCategory* cat = nullptr;
  world.store.FindIndex(travel, cat);
  const CString* name = &cat->GetName();
  world.Add({"Family", "Zoo"});
  world.store.Delete(world.IndexOf("Family"));
  ASSERT_EQ(world.store.Reload(), CAT_OK);
  CCategory* again = nullptr;
  world.store.FindIndex(travel, again);
  EXPECT_EQ(again, cat);
  EXPECT_EQ(&again->GetName(), name);
}

TEST_F(CategoryStore, ACategoryWithRecordsGoesOnlyWithThemInOneTransaction) {
  int travel = world.Add({"Travel"});
  world.AddRecords(travel, 5);
  world.AddRecords(travel, 2, TRUE);
  EXPECT_EQ(world.store.Delete(travel), CAT_ERR_DATABASE) << "records would be left in no category";
  EXPECT_EQ(world.IndexOf("Travel"), travel) << "the refused delete left the store as it was";

  CNbTransaction change(&world.db);
  ASSERT_TRUE(change.IsActive());
  EXPECT_EQ(world.store.Delete(travel), CAT_OK);
  EXPECT_TRUE(world.table.ReplaceCategoryId(travel, 0));
  EXPECT_TRUE(change.Commit());
  EXPECT_EQ(world.IndexOf("Travel"), -1);
  EXPECT_EQ(world.table.GetCategoryCount(0), 7) << "records marked deleted moved too";
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{0, 5}}));
}

TEST_F(CategoryStore, DeletingACategorysRecordsFilesThemUnderCategoryZero) {
  int travel = world.Add({"Travel"});
  world.AddRecords(travel, 3);
  CNbTransaction change(&world.db);
  world.store.Delete(travel);
  EXPECT_TRUE(world.table.MarkCategoryDeleted(travel));
  ASSERT_TRUE(change.Commit());
  EXPECT_EQ(world.table.GetRecordCount(FALSE), 0);
  EXPECT_EQ(world.table.GetCategoryCount(0), 3);
}

TEST_F(CategoryStore, ARolledBackChangeLeavesStoreAndMemoryAsBefore) {
  int travel = world.Add({"Travel"});
  world.AddRecords(travel, 2);
  {
    CNbTransaction change(&world.db);
    ASSERT_EQ(world.store.Delete(travel), CAT_OK);
    ASSERT_EQ(world.store.Rename(0, "Misc"), CAT_OK);
    EXPECT_EQ(world.IndexOf("Travel"), -1);
  }  // not committed
  EXPECT_EQ(world.IndexOf("Travel"), travel);
  EXPECT_EQ(world.Names(), (std::vector<std::string>{"Unfiled", "Travel"}));
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{travel, 2}}));
}

TEST_F(CategoryStore, IteratorAndRecordBufferWriteThroughAtOnce) {
  int travel = world.Add({"Travel"});
  world.AddRecords(travel, 3);
  world.AddRecords(0, 1, TRUE);
  CNbBaseIterator it(world.table);
  CNbBaseRecord record(world.table, 0);
  int seen = 0;
  for (long end = it.FindFirst(record, 0); !end; end = it.FindNext(record, 0)) {
    int category = -1;
    EXPECT_EQ(record.GetCategoryId(category), 0);
    EXPECT_EQ(category, travel) << "a record marked deleted is passed over without the flag";
    EXPECT_EQ(record.SetCategoryId(0), 0);
    ++seen;
  }
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(world.LiveCounts(), (std::map<int, int>{{0, 3}}));
  int deleted = 0, all = 0;
  for (long end = it.FindFirst(record, 1); !end; end = it.FindNext(record, 1), ++all) deleted += record.IsDeleted();
  EXPECT_EQ(all, 4);
  EXPECT_EQ(deleted, 1);
}

TEST_F(CategoryStore, ChangesOutliveTheProgram) {
  world.Add({"Travel", "Family"});
  world.store.Rename(world.IndexOf("Family"), "Kin");
  world.store.Detach();
  world.db.Close();
  CNbDatabase db;
  ASSERT_TRUE(db.Open(world.DbPath().c_str(), FALSE));
  CCategoryMgr store;
  ASSERT_EQ(store.Attach(&db, "ignored"), CAT_OK);
  CCategory* cat = nullptr;
  EXPECT_EQ(store.FindName("Kin", cat), CAT_OK);
  EXPECT_EQ(store.FindIndex(0, cat), CAT_OK);
  EXPECT_EQ(std::string(cat->GetName()), "Unfiled");
}

TEST(CategoryStoreFiles, MissingReadOnlyLockedAndCorruptFilesFailClearly) {
  TempFolder dir;
  CNbDatabase db;
  EXPECT_FALSE(db.Open((dir.path() + "/none.db").c_str(), FALSE));
  EXPECT_FALSE(db.GetLastError().IsEmpty());

  std::string corrupt = dir.path() + "/corrupt.db";
  WriteText(corrupt, std::string(4096, 'x'));
  EXPECT_FALSE(db.Open(corrupt.c_str()));
  EXPECT_EQ(std::string(db.GetLastError()), "file is not a database");

  std::string path = dir.path() + "/book.db";
  {
    CNbDatabase writer;
    ASSERT_TRUE(writer.Open(path.c_str()));
    CCategoryMgr store;
    ASSERT_EQ(store.Attach(&writer, "Unfiled"), CAT_OK);
    auto* cat = new CCategory;
    cat->SetName("Travel");
    ASSERT_EQ(store.Add(cat), CAT_OK);

    // Another program holds the write lock.
    CNbDatabase other;
    ASSERT_TRUE(other.Open(path.c_str()));
    other.SetBusyTimeout(0);
    writer.SetBusyTimeout(0);
    ASSERT_TRUE(other.Begin());
    EXPECT_EQ(store.Rename(1, "Trips"), CAT_ERR_DATABASE);
    EXPECT_EQ(std::string(store.GetLastErrorText()), "database is locked");
    EXPECT_EQ(std::string(cat->GetName()), "Travel");
    other.Rollback();
    EXPECT_EQ(store.Rename(1, "Trips"), CAT_OK);
  }
  // A file the user may not write (emulated: root may write any file).
  faultvfs::Arm(faultvfs::Mode::kReadOnly, 0);
  ASSERT_TRUE(db.Open(path.c_str(), TRUE, faultvfs::Register())) << db.GetLastError();
  EXPECT_TRUE(db.IsReadOnly());
  CCategoryMgr store;
  ASSERT_EQ(store.Attach(&db, "Unfiled"), CAT_OK);
  EXPECT_EQ(store.GetCount(), 2) << "what the file holds can still be shown";
  EXPECT_EQ(store.Delete(1), CAT_ERR_DATABASE);
  EXPECT_EQ(std::string(store.GetLastErrorText()), "the database can only be read");
  store.Detach();
  db.Close();
  faultvfs::Disarm();
}

}  // namespace
