// The host's documents and views of records, as the category dialogs meet
// them: a view shows the records of a document, and the document keeps the
// undo information of the records the user deleted last.
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/wnd.h"
#include "nbhost_export.h"

class CNbBaseTable;

// The records deleted by the user's last delete, waiting for an undo. It
// remembers each record's id and the category it was in.
class NBHOST_API CUndoDeleteInfo {
 public:
  struct Entry {
    int64_t id;
    int category;
  };

  void Add(int64_t nId, int nCategory) { m_entries.push_back({nId, nCategory}); }
  void Clear() { m_entries.clear(); }
  BOOL IsEmpty() const { return m_entries.empty(); }
  const std::vector<Entry>& GetEntries() const { return m_entries; }

  // Category nOld was merged away or deleted and its records were moved:
  // the records waiting for undo that came from it are remembered as in the
  // catch-all category 0, which is where the record moves put them back
  // when the new category is not known.
  void ReplaceCategoryID(int nOld);
  // The records of category nIndex were deleted with it: the ones waiting
  // for undo are dropped, so that an undo cannot bring back records of a
  // category the user deleted with its records.
  void DeleteAllInCategory(int nIndex);

  // Clears the deleted mark of every waiting record; the number brought back.
  int Undo(CNbBaseTable& table);

 private:
  std::vector<Entry> m_entries;
};

class NBHOST_API CComponentDoc {
 public:
  virtual ~CComponentDoc() = default;
  CUndoDeleteInfo* GetUndoObject() { return &m_undo; }

 private:
  CUndoDeleteInfo m_undo;
};

// A window that shows the records of a document.
class NBHOST_API CLumoUIComponentView : public CWnd {
 public:
  explicit CLumoUIComponentView(CComponentDoc* pDocument = nullptr) : m_pDocument(pDocument) {}
  CComponentDoc* GetDocument() const { return m_pDocument; }
  void SetDocument(CComponentDoc* pDocument) { m_pDocument = pDocument; }

 private:
  CComponentDoc* m_pDocument;
};
