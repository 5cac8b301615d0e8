// CNbDatabase: one SQLite database file of the host, holding the categories
// and the records of one host data file (address book, calendar, memos).
//
// The file runs in WAL mode with foreign keys on: a record's category must
// exist when a transaction commits (the check is deferred to the commit, so
// one transaction may delete a category and then move its records). Every
// change runs in a transaction: Begin/Commit/Rollback nest (the outermost is
// BEGIN IMMEDIATE, inner ones are savepoints), and a change made outside any
// transaction gets one of its own. A crash, a full disk or an I/O error at
// any point therefore leaves the file as it was before the outermost
// transaction, or with all of it.
//
// Failures never throw: calls return FALSE (or an error code) and
// GetLastError() tells why in the words SQLite used ("database is locked",
// "file is not a database", "attempt to write a readonly database", ...).
#pragma once

#include <functional>
#include <vector>

#include "mfc/cstring.h"
#include "nbhost_export.h"

struct sqlite3;
struct sqlite3_stmt;

class NBHOST_API CNbDatabase {
 public:
  CNbDatabase();
  ~CNbDatabase();
  CNbDatabase(const CNbDatabase&) = delete;
  CNbDatabase& operator=(const CNbDatabase&) = delete;

  // Opens the file at lpszPath, creating it (and the tables) when bCreate is
  // set and it is missing. lpszVfs names an SQLite VFS (null: the default).
  // FALSE when the file is missing (without bCreate), cannot be read, is not
  // a database or is locked while its tables are made; the database is then
  // closed and GetLastError() says why. A file that can only be read opens
  // read-only: reading works, every change fails.
  BOOL Open(LPCTSTR lpszPath, BOOL bCreate = TRUE, LPCTSTR lpszVfs = nullptr);
  void Close();
  BOOL IsOpen() const { return m_db != nullptr; }
  BOOL IsReadOnly() const;
  const CString& GetPath() const { return m_strPath; }
  // How long a change waits for another program's lock before failing with
  // "database is locked" (milliseconds; 1000 at opening).
  void SetBusyTimeout(int nMilliseconds);

  // Transactions. Begin returns FALSE when the database is closed, locked or
  // read-only. Commit returns FALSE when the commit failed; the outermost
  // transaction is then rolled back whole. Rollback undoes everything since
  // the matching Begin.
  BOOL Begin();
  BOOL Commit();
  void Rollback();
  int GetDepth() const { return static_cast<int>(m_savepoints.size()); }

  // Runs one statement without results; FALSE on failure.
  BOOL Exec(const char* lpszSql);
  // A prepared statement, or null on failure (GetLastError() then says why).
  // The caller finalizes it.
  sqlite3_stmt* Prepare(const char* lpszSql);
  // Steps a statement to its end; FALSE on failure. The statement is reset.
  BOOL Run(sqlite3_stmt* stmt);

  // Remembers the connection's last error as the reason of a failure.
  void NoteError();
  void SetError(LPCTSTR lpszText) { m_strError = lpszText; }
  const CString& GetLastError() const { return m_strError; }

  // Called after the outermost transaction was rolled back (by Rollback or
  // by a failed Commit), so that what is kept in memory is read again.
  void AddRollbackListener(void* owner, std::function<void()> listener);
  void RemoveRollbackListener(void* owner);

  sqlite3* Handle() const { return m_db; }

 private:
  BOOL MakeTables();
  void RolledBack();

  sqlite3* m_db = nullptr;
  CString m_strPath;
  CString m_strError;
  std::vector<bool> m_savepoints;  // one per open Begin; outermost first
  std::vector<std::pair<void*, std::function<void()>>> m_listeners;
};

// The scope of one change: begins a transaction on construction, rolls it
// back on destruction unless Commit() succeeded.
class NBHOST_API CNbTransaction {
 public:
  explicit CNbTransaction(CNbDatabase* pDatabase);
  ~CNbTransaction();
  CNbTransaction(const CNbTransaction&) = delete;
  CNbTransaction& operator=(const CNbTransaction&) = delete;

  BOOL IsActive() const { return m_bActive; }
  BOOL Commit();

 private:
  CNbDatabase* m_pDatabase;
  BOOL m_bActive = FALSE;
};
