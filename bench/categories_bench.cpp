// The category store at the scale of a large address book: moving the
// 100,000 records of a category to another and deleting a category with
// its 100,000 records, each as the category dialogs do it (one transaction
// over the index on the category column), against the same on a category
// of 1,000 records; and opening the category dialog on a store of 16
// categories and 100,000 records, against one with no records.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"
#include "categories/cat_mgmt_dlg.h"
#include "mfc/app.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A database of 16 categories in a folder of its own: `big` records in
// category 1, `small` in category 2, a few in each of the others.
struct Book {
  std::string dir;
  CNbDatabase db;
  CCategoryMgr store;
  CNbBaseTable table{&db};

  Book(int big, int small) {
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/nbui-bench-XXXXXX";
    dir = mkdtemp(pattern.data()) ? pattern : base;
    db.Open((dir + "/book.db").c_str());
    store.Attach(&db, "Unfiled");
    CNbTransaction fill(&db);
    for (int c = 1; c < 16; ++c) {
      auto* cat = new CCategory;
      cat->SetName(("Category " + std::to_string(c)).c_str());
      store.Add(cat);
    }
    for (int i = 0; i < big; ++i) table.AddRecord(1, "Contact");
    for (int i = 0; i < small; ++i) table.AddRecord(2, "Contact");
    for (int c = 3; c < 16; ++c)
      for (int i = 0; i < 10; ++i) table.AddRecord(c, "Contact");
    fill.Commit();
  }
  ~Book() {
    store.Detach();
    db.Close();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  // Moves category `from`'s records to `into` in one transaction.
  double Move(int from, int into) {
    auto start = Clock::now();
    CNbTransaction change(&db);
    table.ReplaceCategoryId(from, into);
    change.Commit();
    return MsSince(start);
  }
  // Deletes category `index` with its records, then (untimed) makes it and
  // its records again.
  double DeleteWithRecords(int index) {
    auto start = Clock::now();
    {
      CNbTransaction change(&db);
      store.Delete(index);
      table.MarkCategoryDeleted(index);
      change.Commit();
    }
    double ms = MsSince(start);
    auto* cat = new CCategory;
    cat->SetName(("Category " + std::to_string(index)).c_str());
    store.Add(cat);
    std::string sql = "UPDATE records SET deleted = 0, category = " + std::to_string(index) +
                      " WHERE deleted = 1";
    db.Exec(sql.c_str());
    return ms;
  }
};

void BM_MoveAndDeleteCategoryRecords(benchmark::State& state) {
  Book book(100000, 1000);
  double moveBig = 0, moveSmall = 0, deleteBig = 0, deleteSmall = 0;
  for (auto _ : state) {
    moveBig += book.Move(1, 3) + book.Move(3, 1);
    moveSmall += book.Move(2, 3) + book.Move(3, 2);
    book.Move(3, 4);  // keeps category 3 to its own few records for the next round
    book.Move(4, 3);
    deleteBig += book.DeleteWithRecords(1);
    deleteSmall += book.DeleteWithRecords(2);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["move_100000_ms"] = moveBig / (2 * runs);
  state.counters["move_1000_ms"] = moveSmall / (2 * runs);
  state.counters["move_ratio"] = moveSmall > 0 ? moveBig / moveSmall : 0;
  state.counters["delete_100000_ms"] = deleteBig / runs;
  state.counters["delete_1000_ms"] = deleteSmall / runs;
  state.counters["delete_ratio"] = deleteSmall > 0 ? deleteBig / deleteSmall : 0;
}
BENCHMARK(BM_MoveAndDeleteCategoryRecords)->Unit(benchmark::kMillisecond)->Iterations(3);

// From DoModal until the dialog waits for the user, its list filled.
double MsToOpenDialog(Book& book) {
  CNbUICatMgmtDlg dlg(&book.store, &book.table, "Address", nullptr);
  auto start = Clock::now();
  double ms = 0;
  nbp::Headless()->WhenIdle([&] {
    ms = MsSince(start);
    nbp::test::PressKey(VK_ESCAPE);
  });
  dlg.DoModal();
  return ms;
}

void BM_OpenCategoryDialog(benchmark::State& state) {
  CWinApp app("bench");
  Book large(100000, 0);
  Book empty(0, 0);
  empty.db.Exec("DELETE FROM records");
  MsToOpenDialog(empty);  // the first dialog of a process also loads its template and fonts
  double big = 0, baseline = 0;
  for (auto _ : state) {
    big += MsToOpenDialog(large);
    baseline += MsToOpenDialog(empty);
  }
  double runs = static_cast<double>(state.iterations());
  state.counters["records_100000_ms"] = big / runs;
  state.counters["no_records_ms"] = baseline / runs;
  state.counters["ratio"] = baseline > 0 ? big / baseline : 0;
}
BENCHMARK(BM_OpenCategoryDialog)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
