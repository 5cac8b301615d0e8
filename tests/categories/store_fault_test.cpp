// Moving, deleting and merging categories while the disk fails under the
// store: an I/O error, a full disk, the program dying, or the machine losing
// power (unsynced writes lost) at every write, sync and truncate the change
// makes, over 10,000 seeded runs in all. After each,
// the database, opened afresh, holds every record exactly once, in a
// category that exists, and the category change happened whole or not at
// all.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "category_world.h"
#include "fault_vfs.h"

namespace {

constexpr int kCategories = 5;          // 0 to 4
constexpr int kRecordsPerCategory = 4;  // plus one marked deleted each
constexpr int kRuns = 10000;

enum class Op { kDeleteMovingRecords, kDeleteWithRecords, kMerge };

struct Record {
  int category;
  int deleted;
  bool operator==(const Record&) const = default;
};
using Records = std::map<int64_t, Record>;

struct Snapshot {
  bool ok = false;  // the file opened and passed the integrity and key checks
  std::set<int> categories;
  Records records;
};

Snapshot Read(const std::string& path) {
  Snapshot snap;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return snap;
  }
  auto text = [db](const char* sql) {
    std::string out;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    while (s && sqlite3_step(s) == SQLITE_ROW) out += reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    return out;
  };
  snap.ok = text("PRAGMA quick_check") == "ok" && text("PRAGMA foreign_key_check").empty();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT idx FROM categories", -1, &s, nullptr);
  while (s && sqlite3_step(s) == SQLITE_ROW) snap.categories.insert(sqlite3_column_int(s, 0));
  sqlite3_finalize(s);
  sqlite3_prepare_v2(db, "SELECT id, category, deleted FROM records", -1, &s, nullptr);
  while (s && sqlite3_step(s) == SQLITE_ROW) {
    bool fresh = snap.records.emplace(sqlite3_column_int64(s, 0), Record{sqlite3_column_int(s, 1),
                                                                          sqlite3_column_int(s, 2)}).second;
    if (!fresh) snap.ok = false;
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
  return snap;
}

// The records as they must be after the whole change.
Records After(const Records& before, Op op, int from, int into) {
  Records after = before;
  for (auto& [id, r] : after) {
    if (r.category != from) continue;
    if (op == Op::kDeleteWithRecords) r = Record{0, 1};
    else r.category = op == Op::kMerge ? into : 0;
  }
  return after;
}

// The change as the category dialogs make it: one transaction.
bool Change(CCategoryMgr& store, CNbBaseTable& table, Op op, int from, int into) {
  CNbTransaction change(store.GetDatabase());
  if (!change.IsActive()) return false;
  switch (op) {
    case Op::kDeleteMovingRecords:
      if (store.Delete(from) != CAT_OK) return false;
      table.ReplaceCategoryId(from, 0);
      break;
    case Op::kDeleteWithRecords:
      if (store.Delete(from) != CAT_OK) return false;
      table.MarkCategoryDeleted(from);
      break;
    case Op::kMerge:
      table.ReplaceCategoryId(from, into);
      if (store.Delete(from) != CAT_OK) return false;
      break;
  }
  return change.Commit();
}

class StoreFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    vfs_ = faultvfs::Register();
    ASSERT_NE(vfs_, nullptr);
    template_ = dir_.path() + "/template.db";
    {
      CNbDatabase db;
      ASSERT_TRUE(db.Open(template_.c_str()));
      CCategoryMgr store;
      ASSERT_EQ(store.Attach(&db, "Unfiled"), CAT_OK);
      CNbBaseTable table(&db);
      for (int c = 1; c < kCategories; ++c) {
        auto* cat = new CCategory;
        cat->SetName(("Category " + std::to_string(c)).c_str());
        ASSERT_EQ(store.Add(cat), CAT_OK);
      }
      for (int c = 0; c < kCategories; ++c) {
        for (int i = 0; i <= kRecordsPerCategory; ++i) {
          int64_t id = table.AddRecord(c, "record");
          ASSERT_NE(id, 0);
          if (i == kRecordsPerCategory) {
            CNbBaseIterator it(table);
            CNbBaseRecord record(table, 1);
            for (long end = it.FindFirst(record, 1); !end; end = it.FindNext(record, 1))
              if (record.GetId() == id) record.MarkRecordDeleted(0);
          }
        }
      }
    }  // closing folds the log into the file: one file to copy
    bytes_ = ReadText(template_);
    before_ = Read(template_);
    ASSERT_TRUE(before_.ok);
    ASSERT_EQ(before_.records.size(), static_cast<size_t>(kCategories * (kRecordsPerCategory + 1)));
  }

  // One run: the change with a fault armed at write failAt (0: none).
  // Returns whether the store reported success, and the writes counted.
  bool RunOnce(Op op, int from, int into, faultvfs::Mode mode, int failAt, int* writes = nullptr) {
    std::string path = dir_.path() + "/run.db";
    std::remove((path + "-wal").c_str());
    std::remove((path + "-shm").c_str());
    WriteText(path, bytes_);
    bool ok = false;
    {
      CNbDatabase db;
      EXPECT_TRUE(db.Open(path.c_str(), FALSE, vfs_));
      db.SetBusyTimeout(0);
      CCategoryMgr store;
      EXPECT_EQ(store.Attach(&db, "Unfiled"), CAT_OK);
      CNbBaseTable table(&db);
      faultvfs::Arm(mode, failAt);
      ok = Change(store, table, op, from, into);
      store.Detach();
      db.Close();  // the checkpoint at closing meets the fault too
    }
    if (writes) *writes = faultvfs::Ops();
    faultvfs::Disarm();
    return ok;
  }

  void Check(const std::string& what, bool reported, Op op, int from, int into) {
    Snapshot now = Read(dir_.path() + "/run.db");
    ASSERT_TRUE(now.ok) << what << ": integrity or foreign key check failed, or a record is there twice";
    ASSERT_EQ(now.records.size(), before_.records.size()) << what;
    for (const auto& [id, r] : now.records) ASSERT_TRUE(now.categories.count(r.category)) << what << " record " << id;
    bool gone = !now.categories.count(from);
    if (!gone) {
      ASSERT_EQ(now.records, before_.records) << what << ": category kept but records changed";
      ASSERT_FALSE(reported) << what << ": reported done but not done";
    } else {
      ASSERT_EQ(now.records, After(before_.records, op, from, into)) << what << ": half a change";
    }
  }

  void Sweep(Op op);

  TempFolder dir_;
  const char* vfs_ = nullptr;
  std::string template_, bytes_;
  Snapshot before_;
};

// Runs the change of one kind kRuns / 3 times: each fault at every write
// point in turn (and one past the last), over the categories and targets.
void StoreFaults::Sweep(Op op) {
  const faultvfs::Mode modes[] = {faultvfs::Mode::kIoError, faultvfs::Mode::kDiskFull, faultvfs::Mode::kCrash,
                                  faultvfs::Mode::kPowerLoss};
  int writes = 0;
  ASSERT_TRUE(RunOnce(op, 1, 2, faultvfs::Mode::kIoError, 1 << 30, &writes));
  Check("clean run", true, op, 1, 2);
  ASSERT_GT(writes, 2);
  int failures = 0;
  const int runs = (kRuns + 2) / 3;
  for (int seed = 0; seed < runs; ++seed) {
    faultvfs::Mode mode = modes[seed % 4];
    int failAt = 1 + (seed / 4) % (writes + 1);
    int turn = seed / (4 * (writes + 1));
    int from = 1 + turn % (kCategories - 1);
    int into = 1 + (from + turn / (kCategories - 1)) % (kCategories - 1);
    if (into == from) into = from % (kCategories - 1) + 1;
    bool reported = RunOnce(op, from, into, mode, failAt);
    failures += !reported;
    std::string what = "seed " + std::to_string(seed) + " mode " + std::to_string(static_cast<int>(mode)) +
                       " write " + std::to_string(failAt) + " of " + std::to_string(writes);
    Check(what, reported, op, from, into);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(failures, runs / 3) << "the faults reached the store";
}

TEST_F(StoreFaults, DeletingACategoryAndMovingItsRecords) { Sweep(Op::kDeleteMovingRecords); }
TEST_F(StoreFaults, DeletingACategoryWithItsRecords) { Sweep(Op::kDeleteWithRecords); }
TEST_F(StoreFaults, MergingACategoryIntoAnother) { Sweep(Op::kMerge); }

}  // namespace
