// The categories of one host database: CCategory and its store CCategoryMgr.
//
// A database has at most 16 categories, indexes 0 to 15; category 0 is the
// catch-all to which records fall back and always exists. Names are unique
// and compare without regard to letter case (multibyte-aware, as _mbsicmp
// does): "Business" and "BUSINESS" are the same name, FindName finds either,
// and Add or Rename refuse a name another category already has. A rename
// that changes only the letter case of a category's own name is allowed.
//
// The store keeps its categories in memory, read from the database at
// opening and kept in step with it: a category object (and the text GetName
// returns) stays at its address for as long as the category exists. Every
// change is one transaction of its own, or part of the caller's when one is
// open (CNbTransaction on GetDatabase()); when that is rolled back, the
// store reads its categories again.
#pragma once

#include <memory>
#include <vector>

#include "HostTables/nb_database.h"
#include "mfc/cstring.h"
#include "nbhost_export.h"

// What every store operation returns.
enum CatError {
  CAT_OK = 0,
  CAT_ERR_DATABASE = 1,   // the database failed; GetLastErrorText() says why
  CAT_ERR_FULL = 2,       // Add with 16 categories already
  CAT_ERR_DUPLICATE = 3,  // another category has that name
  CAT_ERR_NOT_FOUND = 4,  // no category has that name or index
  CAT_ERR_INVALID = 5,    // an empty name, a null category, or category 0 deleted
};

#define NB_CATEGORY_COUNT_MAX 16

class NBHOST_API CCategory {
 public:
  CCategory() = default;
  virtual ~CCategory() = default;

  void SetName(const CString& strName) { m_strName = strName; }
  const CString& GetName() const { return m_strName; }
  // -1 until the store gave the category an index.
  int GetIndex() const { return m_nIndex; }

 private:
  friend class CCategoryMgr;
  CString m_strName;
  int m_nIndex = -1;
};

class NBHOST_API CCategoryMgr {
 public:
  // A store over an open database; category 0 is made with strUnfiledName
  // when the database has none. The database must outlive the store.
  CCategoryMgr();
  ~CCategoryMgr();
  CCategoryMgr(const CCategoryMgr&) = delete;
  CCategoryMgr& operator=(const CCategoryMgr&) = delete;

  // Reads the categories of pDatabase (making category 0 when missing).
  // CAT_ERR_DATABASE when they cannot be read; the store is then empty.
  CatError Attach(CNbDatabase* pDatabase, const CString& strUnfiledName);
  void Detach();
  CNbDatabase* GetDatabase() const { return m_pDatabase; }
  const CString& GetLastErrorText() const;

  // Walks the categories by index. FindNext continues after the category
  // FindFirst or FindNext last gave; cat is null at the end.
  CatError FindFirst(CCategory*& cat);
  CatError FindNext(CCategory*& cat);
  CatError FindName(const CString& strName, CCategory*& cat);
  // cat is left as it is when there is no such category.
  CatError FindIndex(int nIndex, CCategory*& cat);
  int GetCount() const { return static_cast<int>(m_categories.size()); }

  // Takes cat in every case (deleting it when refused) and gives it the
  // lowest free index from 1.
  CatError Add(CCategory* cat);
  CatError Rename(int nIndex, const CString& strName);
  // Category 0 cannot be deleted. The caller moves or deletes the records
  // of the category in the same transaction (the commit refuses records
  // left in a category that no longer exists).
  CatError Delete(int nIndex);

  // Reads the categories from the database again.
  CatError Reload();

 private:
  CCategory* ByIndex(int nIndex) const;
  CCategory* ByName(const CString& strName) const;
  CatError Fail(CatError error, LPCTSTR lpszWhy);

  CNbDatabase* m_pDatabase = nullptr;
  std::vector<std::unique_ptr<CCategory>> m_categories;  // by index
  int m_nLastFound = -1;
  CString m_strError;
};
