#include "HostTables/record_table.h"

#include <sqlite3.h>

namespace {

// A statement finalized when it goes out of scope.
struct Statement {
  sqlite3_stmt* stmt;
  explicit Statement(sqlite3_stmt* s) : stmt(s) {}
  ~Statement() { sqlite3_finalize(stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
};

// Runs one changing statement with integer arguments in a transaction of
// its own (or the caller's).
BOOL Change(CNbDatabase* db, const char* sql, std::initializer_list<int64_t> args) {
  if (!db) return FALSE;
  CNbTransaction change(db);
  Statement s(db->Prepare(sql));
  if (!change.IsActive() || !s.stmt) return FALSE;
  int column = 1;
  for (int64_t arg : args) sqlite3_bind_int64(s.stmt, column++, arg);
  return db->Run(s.stmt) && change.Commit();
}

int64_t Count(CNbDatabase* db, const char* sql, std::initializer_list<int64_t> args) {
  if (!db) return -1;
  Statement s(db->Prepare(sql));
  if (!s.stmt) return -1;
  int column = 1;
  for (int64_t arg : args) sqlite3_bind_int64(s.stmt, column++, arg);
  if (sqlite3_step(s.stmt) != SQLITE_ROW) {
    db->NoteError();
    return -1;
  }
  return sqlite3_column_int64(s.stmt, 0);
}

}  // namespace

int64_t CNbBaseTable::AddRecord(int nCategory, const CString& strBody) {
  if (!m_pDatabase) return 0;
  CNbTransaction change(m_pDatabase);
  Statement s(m_pDatabase->Prepare("INSERT INTO records(category, body) VALUES (?, ?)"));
  if (!change.IsActive() || !s.stmt) return 0;
  sqlite3_bind_int(s.stmt, 1, nCategory);
  sqlite3_bind_text(s.stmt, 2, strBody, -1, SQLITE_TRANSIENT);
  if (!m_pDatabase->Run(s.stmt)) return 0;
  int64_t id = sqlite3_last_insert_rowid(m_pDatabase->Handle());
  return change.Commit() ? id : 0;
}

int64_t CNbBaseTable::GetRecordCount(BOOL bIncludeDeleted) const {
  return Count(m_pDatabase,
               bIncludeDeleted ? "SELECT count(*) FROM records" : "SELECT count(*) FROM records WHERE deleted = 0", {});
}

int64_t CNbBaseTable::GetCategoryCount(int nCategory, BOOL bIncludeDeleted) const {
  return Count(m_pDatabase,
               bIncludeDeleted ? "SELECT count(*) FROM records WHERE category = ?"
                               : "SELECT count(*) FROM records WHERE category = ? AND deleted = 0",
               {nCategory});
}

BOOL CNbBaseTable::ReplaceCategoryId(int nOld, int nNew) {
  return Change(m_pDatabase, "UPDATE records SET category = ? WHERE category = ?", {nNew, nOld});
}

BOOL CNbBaseTable::MarkCategoryDeleted(int nCategory) {
  return Change(m_pDatabase, "UPDATE records SET deleted = 1, category = 0 WHERE category = ?", {nCategory});
}

BOOL CNbBaseTable::UndeleteRecord(int64_t nId) {
  if (!Change(m_pDatabase, "UPDATE records SET deleted = 0 WHERE id = ?", {nId})) return FALSE;
  return sqlite3_changes(m_pDatabase->Handle()) > 0;
}

int CBaseRecord::GetCategoryId(int& nCategory) const {
  if (!m_nId) return 1;
  nCategory = m_nCategory;
  return 0;
}

int CBaseRecord::SetCategoryId(int nCategory) {
  if (!m_nId || !m_pTable) return 1;
  if (!Change(m_pTable->GetDatabase(), "UPDATE records SET category = ? WHERE id = ?", {nCategory, m_nId})) return 1;
  m_nCategory = nCategory;
  return 0;
}

int CNbBaseRecord::MarkRecordDeleted(int) {
  if (!m_nId || !m_pTable) return 1;
  if (!Change(m_pTable->GetDatabase(), "UPDATE records SET deleted = 1 WHERE id = ?", {m_nId})) return 1;
  m_bDeleted = TRUE;
  return 0;
}

long CBaseIterator::FindFirst(CBaseRecord& record, int nFlags) { return LoadAfter(record, 0, nFlags); }

long CBaseIterator::FindNext(CBaseRecord& record, int nFlags) { return LoadAfter(record, m_nLastId, nFlags); }

long CBaseIterator::LoadAfter(CBaseRecord& record, int64_t nAfter, int nFlags) {
  record.m_nId = 0;
  CNbDatabase* db = m_pTable ? m_pTable->GetDatabase() : nullptr;
  if (!db) return 1;
  Statement s(db->Prepare(nFlags ? "SELECT id, category, deleted, body FROM records WHERE id > ? ORDER BY id LIMIT 1"
                                 : "SELECT id, category, deleted, body FROM records WHERE id > ? AND deleted = 0 "
                                   "ORDER BY id LIMIT 1"));
  if (!s.stmt) return 1;
  sqlite3_bind_int64(s.stmt, 1, nAfter);
  int rc = sqlite3_step(s.stmt);
  if (rc != SQLITE_ROW) {
    if (rc != SQLITE_DONE) db->NoteError();
    return 1;
  }
  record.m_nId = sqlite3_column_int64(s.stmt, 0);
  record.m_nCategory = sqlite3_column_int(s.stmt, 1);
  record.m_bDeleted = sqlite3_column_int(s.stmt, 2) != 0;
  const unsigned char* body = sqlite3_column_text(s.stmt, 3);
  record.m_strBody = body ? reinterpret_cast<const char*>(body) : "";
  m_nLastId = record.m_nId;
  return 0;
}
