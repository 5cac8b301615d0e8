// What the host's owner-drawn name lists share: their own copies of the
// names they show (an item's data points at the list's copy, never at text
// someone else may free or change), and the order they sort names in.
#pragma once

#include <memory>
#include <unordered_map>

#include "win/types.h"
#include "nbhost_export.h"

class NBHOST_API CItemNameCopies {
 public:
  // A copy of lpszName (empty for null) that stays valid until Release of it
  // or the end of this object.
  LPCTSTR Keep(LPCTSTR lpszName);
  // Frees a copy Keep made; anything else is ignored.
  void Release(const void* pCopy);
  size_t GetCount() const { return m_copies.size(); }

 private:
  std::unordered_map<const void*, std::unique_ptr<char[]>> m_copies;
};

// The order of two names in a sorted name list: the system default locale's
// string sort (CompareStringA, locale 0x0800, SORT_STRINGSORT) as -1, 0 or 1.
// Null counts as an empty name.
NBHOST_API int NbCompareItemNames(LPCTSTR lpszName1, LPCTSTR lpszName2);
