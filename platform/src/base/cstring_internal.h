// What the CString sources share.
#pragma once

#include <climits>
#include <cstddef>
#include <cstring>
#include <new>

#include "win/resources.h"

namespace nbp::cstring_detail {

// A length as CString stores it; past what an int holds (with room for the
// block's header) the allocation fails as any other would.
inline int SafeLen(size_t n) {
  if (n > static_cast<size_t>(INT_MAX) - 64) throw std::bad_alloc();
  return static_cast<int>(n);
}

inline int Len(LPCTSTR s) { return s ? SafeLen(std::strlen(s)) : 0; }

inline bool IsAscii(TCHAR ch) { return static_cast<unsigned char>(ch) < 0x80; }

// Text arguments may be null or a resource number; both read as "".
inline const char* Safe(LPCTSTR s) { return (s && !IS_INTRESOURCE(s)) ? s : ""; }

}  // namespace nbp::cstring_detail
