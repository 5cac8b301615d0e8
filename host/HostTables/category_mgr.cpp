#include "HostTables/category_mgr.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// The row's text, empty for NULL.
CString ColumnText(sqlite3_stmt* stmt, int column) {
  const unsigned char* text = sqlite3_column_text(stmt, column);
  return text ? CString(reinterpret_cast<const char*>(text)) : CString();
}

struct Statement {
  sqlite3_stmt* stmt;
  explicit Statement(sqlite3_stmt* s) : stmt(s) {}
  ~Statement() { sqlite3_finalize(stmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
};

}  // namespace

CCategoryMgr::CCategoryMgr() = default;

CCategoryMgr::~CCategoryMgr() { Detach(); }

CatError CCategoryMgr::Attach(CNbDatabase* pDatabase, const CString& strUnfiledName) {
  Detach();
  if (!pDatabase || !pDatabase->IsOpen()) return Fail(CAT_ERR_DATABASE, "the database is not open");
  m_pDatabase = pDatabase;
  m_pDatabase->AddRollbackListener(this, [this] { Reload(); });
  CatError error = Reload();
  if (error != CAT_OK || ByIndex(0) || m_pDatabase->IsReadOnly()) return error;
  CNbTransaction change(m_pDatabase);
  Statement insert(m_pDatabase->Prepare("INSERT INTO categories(idx, name) VALUES (0, ?)"));
  if (!change.IsActive() || !insert.stmt) return Fail(CAT_ERR_DATABASE, nullptr);
  sqlite3_bind_text(insert.stmt, 1, strUnfiledName, -1, SQLITE_TRANSIENT);
  if (!m_pDatabase->Run(insert.stmt) || !change.Commit()) return Fail(CAT_ERR_DATABASE, nullptr);
  return Reload();
}

void CCategoryMgr::Detach() {
  if (m_pDatabase) m_pDatabase->RemoveRollbackListener(this);
  m_pDatabase = nullptr;
  m_categories.clear();
  m_nLastFound = -1;
}

const CString& CCategoryMgr::GetLastErrorText() const { return m_strError; }

CatError CCategoryMgr::Fail(CatError error, LPCTSTR lpszWhy) {
  if (lpszWhy) m_strError = lpszWhy;
  else if (m_pDatabase) m_strError = m_pDatabase->GetLastError();
  return error;
}

CatError CCategoryMgr::Reload() {
  if (!m_pDatabase) return Fail(CAT_ERR_DATABASE, "the database is not open");
  Statement select(m_pDatabase->Prepare("SELECT idx, name FROM categories ORDER BY idx"));
  if (!select.stmt) return Fail(CAT_ERR_DATABASE, nullptr);
  std::vector<std::unique_ptr<CCategory>> read;
  int rc;
  while ((rc = sqlite3_step(select.stmt)) == SQLITE_ROW) {
    int index = sqlite3_column_int(select.stmt, 0);
    // Objects of categories that still exist stay where they are, so that
    // their names stay at the same address.
    std::unique_ptr<CCategory> cat;
    auto old = std::find_if(m_categories.begin(), m_categories.end(),
                            [index](const auto& c) { return c && c->m_nIndex == index; });
    if (old != m_categories.end()) cat = std::move(*old);
    else cat = std::make_unique<CCategory>();
    cat->m_nIndex = index;
    CString name = ColumnText(select.stmt, 1);
    if (cat->m_strName != name) cat->m_strName = name;
    read.push_back(std::move(cat));
  }
  if (rc != SQLITE_DONE) {
    m_pDatabase->NoteError();
    m_categories.clear();
    return Fail(CAT_ERR_DATABASE, nullptr);
  }
  m_categories = std::move(read);
  return CAT_OK;
}

CCategory* CCategoryMgr::ByIndex(int nIndex) const {
  for (const auto& c : m_categories)
    if (c->m_nIndex == nIndex) return c.get();
  return nullptr;
}

CCategory* CCategoryMgr::ByName(const CString& strName) const {
  for (const auto& c : m_categories)
    if (c->m_strName.CompareNoCase(strName) == 0) return c.get();
  return nullptr;
}

CatError CCategoryMgr::FindFirst(CCategory*& cat) {
  cat = m_categories.empty() ? nullptr : m_categories.front().get();
  m_nLastFound = cat ? cat->m_nIndex : -1;
  return cat ? CAT_OK : CAT_ERR_NOT_FOUND;
}

CatError CCategoryMgr::FindNext(CCategory*& cat) {
  cat = nullptr;
  if (m_nLastFound >= 0) {
    for (const auto& c : m_categories) {
      if (c->m_nIndex > m_nLastFound) {
        cat = c.get();
        break;
      }
    }
  }
  m_nLastFound = cat ? cat->m_nIndex : -1;
  return cat ? CAT_OK : CAT_ERR_NOT_FOUND;
}

CatError CCategoryMgr::FindName(const CString& strName, CCategory*& cat) {
  cat = ByName(strName);
  return cat ? CAT_OK : CAT_ERR_NOT_FOUND;
}

CatError CCategoryMgr::FindIndex(int nIndex, CCategory*& cat) {
  CCategory* found = ByIndex(nIndex);
  if (!found) return CAT_ERR_NOT_FOUND;
  cat = found;
  return CAT_OK;
}

CatError CCategoryMgr::Add(CCategory* cat) {
  std::unique_ptr<CCategory> owned(cat);
  if (!owned || owned->m_strName.IsEmpty()) return Fail(CAT_ERR_INVALID, "a category needs a name");
  if (!m_pDatabase) return Fail(CAT_ERR_DATABASE, "the database is not open");
  if (GetCount() >= NB_CATEGORY_COUNT_MAX) return Fail(CAT_ERR_FULL, "there are 16 categories already");
  if (ByName(owned->m_strName)) return Fail(CAT_ERR_DUPLICATE, "another category has that name");
  int index = 1;
  while (ByIndex(index)) ++index;
  CNbTransaction change(m_pDatabase);
  Statement insert(m_pDatabase->Prepare("INSERT INTO categories(idx, name) VALUES (?, ?)"));
  if (!change.IsActive() || !insert.stmt) return Fail(CAT_ERR_DATABASE, nullptr);
  sqlite3_bind_int(insert.stmt, 1, index);
  sqlite3_bind_text(insert.stmt, 2, owned->m_strName, -1, SQLITE_TRANSIENT);
  if (!m_pDatabase->Run(insert.stmt) || !change.Commit()) return Fail(CAT_ERR_DATABASE, nullptr);
  owned->m_nIndex = index;
  auto at = std::find_if(m_categories.begin(), m_categories.end(),
                         [index](const auto& c) { return c->m_nIndex > index; });
  m_categories.insert(at, std::move(owned));
  return CAT_OK;
}

CatError CCategoryMgr::Rename(int nIndex, const CString& strName) {
  CCategory* cat = ByIndex(nIndex);
  if (!cat) return Fail(CAT_ERR_NOT_FOUND, "there is no such category");
  if (strName.IsEmpty()) return Fail(CAT_ERR_INVALID, "a category needs a name");
  CCategory* same = ByName(strName);
  if (same && same != cat) return Fail(CAT_ERR_DUPLICATE, "another category has that name");
  CNbTransaction change(m_pDatabase);
  Statement update(m_pDatabase->Prepare("UPDATE categories SET name = ? WHERE idx = ?"));
  if (!change.IsActive() || !update.stmt) return Fail(CAT_ERR_DATABASE, nullptr);
  sqlite3_bind_text(update.stmt, 1, strName, -1, SQLITE_TRANSIENT);
  sqlite3_bind_int(update.stmt, 2, nIndex);
  if (!m_pDatabase->Run(update.stmt) || !change.Commit()) return Fail(CAT_ERR_DATABASE, nullptr);
  cat->m_strName = strName;
  return CAT_OK;
}

CatError CCategoryMgr::Delete(int nIndex) {
  if (nIndex == 0) return Fail(CAT_ERR_INVALID, "the catch-all category cannot be deleted");
  if (!ByIndex(nIndex)) return Fail(CAT_ERR_NOT_FOUND, "there is no such category");
  CNbTransaction change(m_pDatabase);
  Statement remove(m_pDatabase->Prepare("DELETE FROM categories WHERE idx = ?"));
  if (!change.IsActive() || !remove.stmt) return Fail(CAT_ERR_DATABASE, nullptr);
  sqlite3_bind_int(remove.stmt, 1, nIndex);
  if (!m_pDatabase->Run(remove.stmt) || !change.Commit()) return Fail(CAT_ERR_DATABASE, nullptr);
  std::erase_if(m_categories, [nIndex](const auto& c) { return c->m_nIndex == nIndex; });
  return CAT_OK;
}
