#include "HostCommon/item_names.h"

#include <cstring>

#include "win/locale.h"

LPCTSTR CItemNameCopies::Keep(LPCTSTR lpszName) {
  if (!lpszName) lpszName = "";
  size_t size = std::strlen(lpszName) + 1;
  auto copy = std::make_unique<char[]>(size);
  std::memcpy(copy.get(), lpszName, size);
  const char* key = copy.get();
  m_copies.emplace(key, std::move(copy));
  return key;
}

void CItemNameCopies::Release(const void* pCopy) { m_copies.erase(pCopy); }

int NbCompareItemNames(LPCTSTR lpszName1, LPCTSTR lpszName2) {
  int r = CompareStringA(LOCALE_SYSTEM_DEFAULT, SORT_STRINGSORT, lpszName1 ? lpszName1 : "", -1,
                         lpszName2 ? lpszName2 : "", -1);
  return r == 0 ? 0 : r - 2;
}
