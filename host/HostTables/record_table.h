// The records of a host database, and the table, record buffer and iterator
// through which callers reach them.
//
// A record has an id, a category index, a text body and a deleted mark.
// Records marked deleted stay in the table (the host can undo the deletion)
// and, like every record, always belong to a category that exists.
//
// Writes (SetCategoryId, MarkRecordDeleted, AddRecord, the bulk moves) go to
// the database at once, each in a transaction of its own or in the caller's
// open one. The bulk operations change every record of a category with one
// statement over the index on the category column.
#pragma once

#include <cstdint>

#include "HostTables/nb_database.h"
#include "mfc/cstring.h"
#include "nbhost_export.h"

class NBHOST_API CBaseTable {
 public:
  virtual ~CBaseTable() = default;
};

class NBHOST_API CNbBaseTable : public CBaseTable {
 public:
  // The records of pDatabase, which must outlive the table.
  explicit CNbBaseTable(CNbDatabase* pDatabase) : m_pDatabase(pDatabase) {}

  CNbDatabase* GetDatabase() const { return m_pDatabase; }

  // The new record's id, or 0 on failure.
  int64_t AddRecord(int nCategory, const CString& strBody);
  // Records in the table: all, or only those not marked deleted; -1 on failure.
  int64_t GetRecordCount(BOOL bIncludeDeleted = TRUE) const;
  // Records of a category (deleted ones included when asked); -1 on failure.
  int64_t GetCategoryCount(int nCategory, BOOL bIncludeDeleted = TRUE) const;

  // Every record of nOld, marked deleted or not, now belongs to nNew.
  BOOL ReplaceCategoryId(int nOld, int nNew);
  // Every record of nCategory is marked deleted and filed under category 0,
  // so that the category itself can go: an undo brings such records back
  // where records of a deleted category belong.
  BOOL MarkCategoryDeleted(int nCategory);
  // Clears the deleted mark of one record; FALSE when there is no such record.
  BOOL UndeleteRecord(int64_t nId);

 private:
  CNbDatabase* m_pDatabase;
};

// A record buffer: what the iterator loaded last.
class NBHOST_API CBaseRecord {
 public:
  virtual ~CBaseRecord() = default;

  int64_t GetId() const { return m_nId; }
  const CString& GetBody() const { return m_strBody; }
  BOOL IsDeleted() const { return m_bDeleted; }
  // 0 when a record is loaded, nonzero otherwise.
  int GetCategoryId(int& nCategory) const;
  // Writes the record's category to the table at once; 0 on success.
  int SetCategoryId(int nCategory);

 protected:
  explicit CBaseRecord(CNbBaseTable* pTable) : m_pTable(pTable) {}

  friend class CBaseIterator;
  CNbBaseTable* m_pTable;
  int64_t m_nId = 0;  // 0: nothing loaded
  int m_nCategory = 0;
  BOOL m_bDeleted = FALSE;
  CString m_strBody;
};

class NBHOST_API CNbBaseRecord : public CBaseRecord {
 public:
  // wFlags: nonzero lets the buffer load records marked deleted too.
  CNbBaseRecord(CNbBaseTable& table, uint16_t wFlags) : CBaseRecord(&table), m_wFlags(wFlags) {}

  uint16_t GetFlags() const { return m_wFlags; }
  // Marks the loaded record deleted in the table at once; 0 on success.
  int MarkRecordDeleted(int nReserved);

 private:
  uint16_t m_wFlags;
};

// Walks a table in the order of record ids. Each step looks the next record
// up by id, so records may be changed between steps.
class NBHOST_API CBaseIterator {
 public:
  virtual ~CBaseIterator() = default;

  // Load the first / next record into the buffer: 0 while a record was
  // loaded, nonzero at the end or on failure. nFlags nonzero (or a buffer
  // made with a nonzero flag) visits records marked deleted too.
  long FindFirst(CBaseRecord& record, int nFlags);
  long FindNext(CBaseRecord& record, int nFlags);

 protected:
  explicit CBaseIterator(CNbBaseTable* pTable) : m_pTable(pTable) {}

 private:
  long LoadAfter(CBaseRecord& record, int64_t nAfter, int nFlags);

  CNbBaseTable* m_pTable;
  int64_t m_nLastId = 0;
};

class NBHOST_API CNbBaseIterator : public CBaseIterator {
 public:
  explicit CNbBaseIterator(CNbBaseTable& table) : CBaseIterator(&table) {}
};
