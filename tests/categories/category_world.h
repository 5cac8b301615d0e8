// A real category store in a temporary folder: a database with categories
// and records, a handheld user whose data folder holds the subscription
// file, and a settings file for the category colors. Nothing outside the
// folder is read or written.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "HostInstall/install.h"
#include "HostSubscriptions/subscriptions.h"
#include "HostTables/category_mgr.h"
#include "HostTables/record_table.h"
#include "NbThemes/nbthemes.h"
#include "settings_fixture.h"

class TempFolder {
 public:
  TempFolder() {
    // Memory-backed when the machine has it: the fault runs open thousands
    // of databases.
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/nbui-categories-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data())) path_ = buffer.data();
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class CategoryWorld {
 public:
  CategoryWorld()
      : data_("XDG_DATA_HOME", (dir_.path() + "/data").c_str()),
        users_("NBUI_USERS_FILE", (dir_.path() + "/users").c_str()),
        settings_("NBUI_SETTINGS_FILE", (dir_.path() + "/settings.ini").c_str()) {
    NbInstSetUsersFile(nullptr);
    NbThemeReloadCategorySlots();
    SubResetInfo();
  }
  ~CategoryWorld() {
    store.Detach();
    db.Close();
    NbThemeReloadCategorySlots();
  }

  std::string DbPath() const { return dir_.path() + "/address.db"; }
  const std::string& Dir() const { return dir_.path(); }

  // Opens (creating) the database and the store over it.
  void Open() {
    ASSERT_TRUE(db.Open(DbPath().c_str())) << db.GetLastError();
    ASSERT_EQ(store.Attach(&db, "Unfiled"), CAT_OK);
  }
  // Adds categories with these names; returns the index of the last.
  int Add(std::initializer_list<const char*> names) {
    int index = -1;
    for (const char* name : names) {
      auto* cat = new CCategory;
      cat->SetName(name);
      EXPECT_EQ(store.Add(cat), CAT_OK) << name;
      CCategory* found = nullptr;
      store.FindName(name, found);
      index = found ? found->GetIndex() : -1;
    }
    return index;
  }
  int IndexOf(const char* name) {
    CCategory* cat = nullptr;
    return store.FindName(name, cat) == CAT_OK && cat ? cat->GetIndex() : -1;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    CCategory* cat = nullptr;
    for (store.FindFirst(cat); cat; store.FindNext(cat)) names.emplace_back(cat->GetName());
    return names;
  }
  void AddRecords(int category, int count, BOOL deleted = FALSE) {
    for (int i = 0; i < count; ++i) {
      int64_t id = table.AddRecord(category, "record");
      ASSERT_NE(id, 0) << db.GetLastError();
      if (deleted) {
        sqlite3_exec(db.Handle(), ("UPDATE records SET deleted = 1 WHERE id = " + std::to_string(id)).c_str(),
                     nullptr, nullptr, nullptr);
      }
    }
  }
  // Live (not deleted) records per category.
  std::map<int, int> LiveCounts() {
    std::map<int, int> counts;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db.Handle(), "SELECT category, count(*) FROM records WHERE deleted = 0 GROUP BY category", -1,
                       &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW) counts[sqlite3_column_int(s, 0)] = sqlite3_column_int(s, 1);
    sqlite3_finalize(s);
    return counts;
  }
  // The handheld user "Anna", whose address conduit folder holds the
  // subscription file; returns its path.
  std::string MakeUser() {
    WriteText(dir_.path() + "/users", "# users\nAnna\tanna\n");
    return dir_.path() + "/anna/address/subscriptions.dat";
  }

  CNbDatabase db;
  CCategoryMgr store;
  CNbBaseTable table{&db};

 private:
  TempFolder dir_;
  ScopedEnv data_, users_, settings_;
};
