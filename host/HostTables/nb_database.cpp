#include "HostTables/nb_database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace {

// Records belong to a category that exists: the check waits for the commit,
// so that one transaction can delete a category and then move its records.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS categories("
    "  idx INTEGER PRIMARY KEY CHECK (idx BETWEEN 0 AND 15),"
    "  name TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS records("
    "  id INTEGER PRIMARY KEY,"
    "  category INTEGER NOT NULL REFERENCES categories(idx) DEFERRABLE INITIALLY DEFERRED,"
    "  deleted INTEGER NOT NULL DEFAULT 0,"
    "  body TEXT NOT NULL DEFAULT '');"
    "CREATE INDEX IF NOT EXISTS records_by_category ON records(category);";

std::string SavepointName(size_t depth) { return "nb_change_" + std::to_string(depth); }

}  // namespace

CNbDatabase::CNbDatabase() = default;

CNbDatabase::~CNbDatabase() { Close(); }

BOOL CNbDatabase::Open(LPCTSTR lpszPath, BOOL bCreate, LPCTSTR lpszVfs) {
  Close();
  m_strError.Empty();
  m_strPath = lpszPath ? lpszPath : "";
  if (m_strPath.IsEmpty()) {
    m_strError = "no database file was given";
    return FALSE;
  }
  int flags = SQLITE_OPEN_READWRITE | (bCreate ? SQLITE_OPEN_CREATE : 0);
  // A file we may not write is opened for reading only, so that what it
  // holds can still be shown.
  if (access(m_strPath, F_OK) == 0 && access(m_strPath, W_OK) != 0) flags = SQLITE_OPEN_READONLY;
  int rc = sqlite3_open_v2(m_strPath, &m_db, flags, lpszVfs);
  if (rc != SQLITE_OK) {
    m_strError = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    Close();
    return FALSE;
  }
  sqlite3_extended_result_codes(m_db, 1);
  SetBusyTimeout(1000);
  if (!Exec("PRAGMA foreign_keys = ON") || !MakeTables()) {
    CString why = m_strError;
    Close();
    m_strError = why;
    return FALSE;
  }
  return TRUE;
}

BOOL CNbDatabase::MakeTables() {
  // Reading the schema is what tells a file that is not a database.
  if (!Exec("SELECT count(*) FROM sqlite_master")) return FALSE;
  if (IsReadOnly()) return TRUE;
  // WAL lets readers go on while a change is written, and a crash leaves
  // the last committed state.
  sqlite3_stmt* stmt = Prepare("PRAGMA journal_mode = WAL");
  if (!stmt) return FALSE;
  BOOL wal = sqlite3_step(stmt) == SQLITE_ROW &&
             sqlite3_stricmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal") == 0;
  if (!wal) NoteError();
  sqlite3_finalize(stmt);
  if (!wal) {
    if (m_strError.IsEmpty() || m_strError == "not an error") m_strError = "the database cannot use a write-ahead log";
    return FALSE;
  }
  if (!Exec("PRAGMA synchronous = FULL")) return FALSE;
  // A database that has its tables is opened without writing anything.
  sqlite3_stmt* count = Prepare("SELECT count(*) FROM sqlite_master WHERE name IN ('categories', 'records')");
  bool made = count && sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int(count, 0) == 2;
  sqlite3_finalize(count);
  if (made) return TRUE;
  CNbTransaction change(this);
  if (!change.IsActive() || !Exec(kSchema)) return FALSE;
  return change.Commit();
}

void CNbDatabase::Close() {
  if (!m_db) return;
  m_savepoints.clear();
  sqlite3_close_v2(m_db);
  m_db = nullptr;
}

BOOL CNbDatabase::IsReadOnly() const { return m_db && sqlite3_db_readonly(m_db, "main") == 1; }

void CNbDatabase::SetBusyTimeout(int nMilliseconds) {
  if (m_db) sqlite3_busy_timeout(m_db, std::max(0, nMilliseconds));
}

void CNbDatabase::NoteError() {
  if (m_db) m_strError = sqlite3_errmsg(m_db);
}

BOOL CNbDatabase::Exec(const char* lpszSql) {
  if (!m_db) {
    m_strError = "the database is not open";
    return FALSE;
  }
  if (sqlite3_exec(m_db, lpszSql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    NoteError();
    return FALSE;
  }
  return TRUE;
}

sqlite3_stmt* CNbDatabase::Prepare(const char* lpszSql) {
  if (!m_db) {
    m_strError = "the database is not open";
    return nullptr;
  }
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(m_db, lpszSql, -1, &stmt, nullptr) != SQLITE_OK) {
    NoteError();
    sqlite3_finalize(stmt);
    return nullptr;
  }
  return stmt;
}

BOOL CNbDatabase::Run(sqlite3_stmt* stmt) {
  if (!stmt) return FALSE;
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) NoteError();
  sqlite3_reset(stmt);
  return rc == SQLITE_DONE;
}

BOOL CNbDatabase::Begin() {
  if (!m_db) {
    m_strError = "the database is not open";
    return FALSE;
  }
  if (IsReadOnly()) {
    m_strError = "the database can only be read";
    return FALSE;
  }
  // SQLite may have ended the outer transaction itself after an I/O error
  // or a full disk: nothing nested can be begun then.
  if (!m_savepoints.empty() && sqlite3_get_autocommit(m_db)) {
    m_strError = "the change was abandoned after an error";
    return FALSE;
  }
  // The outermost one takes the write lock at once, so a second program is
  // told "locked" before anything is changed rather than at the commit.
  std::string sql = m_savepoints.empty() ? "BEGIN IMMEDIATE" : "SAVEPOINT " + SavepointName(m_savepoints.size());
  if (!Exec(sql.c_str())) return FALSE;
  m_savepoints.push_back(true);
  return TRUE;
}

BOOL CNbDatabase::Commit() {
  if (m_savepoints.empty()) return FALSE;
  size_t depth = m_savepoints.size() - 1;
  bool lost = sqlite3_get_autocommit(m_db) != 0;
  if (depth > 0) {
    if (lost) {
      m_strError = "the change was abandoned after an error";
      m_savepoints.pop_back();
      return FALSE;
    }
    BOOL ok = Exec(("RELEASE " + SavepointName(depth)).c_str());
    m_savepoints.pop_back();
    return ok;
  }
  BOOL ok = !lost && Exec("COMMIT");
  if (lost) m_strError = "the change was abandoned after an error";
  if (!ok) {
    if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_savepoints.clear();
    RolledBack();
    return FALSE;
  }
  m_savepoints.clear();
  return TRUE;
}

void CNbDatabase::Rollback() {
  if (m_savepoints.empty()) return;
  size_t depth = m_savepoints.size() - 1;
  m_savepoints.pop_back();
  if (sqlite3_get_autocommit(m_db)) {
    // SQLite already rolled everything back.
    if (depth == 0) RolledBack();
    return;
  }
  if (depth > 0) {
    std::string name = SavepointName(depth);
    sqlite3_exec(m_db, ("ROLLBACK TO " + name + "; RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
    return;
  }
  sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  RolledBack();
}

void CNbDatabase::RolledBack() {
  // A listener may remove itself or others while it runs.
  auto listeners = m_listeners;
  for (auto& [owner, listener] : listeners) listener();
}

void CNbDatabase::AddRollbackListener(void* owner, std::function<void()> listener) {
  m_listeners.emplace_back(owner, std::move(listener));
}

void CNbDatabase::RemoveRollbackListener(void* owner) {
  std::erase_if(m_listeners, [owner](const auto& entry) { return entry.first == owner; });
}

CNbTransaction::CNbTransaction(CNbDatabase* pDatabase) : m_pDatabase(pDatabase) {
  m_bActive = m_pDatabase && m_pDatabase->Begin();
}

CNbTransaction::~CNbTransaction() {
  if (m_bActive) m_pDatabase->Rollback();
}

BOOL CNbTransaction::Commit() {
  if (!m_bActive) return FALSE;
  m_bActive = FALSE;
  return m_pDatabase->Commit();
}
