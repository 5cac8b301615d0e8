#include "mfc/cstring.h"

#include <glib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/cstring_internal.h"
#include "nbp/diag.h"
#include "nbp/utf8_step.h"
#include "win/mbstring.h"
#include "win/resources.h"
#include "win/user_constants.h"

// The text lives in one heap block: this header, then the bytes and a zero.
// m_pchData points at the bytes, so the object is one pointer and the
// LPCTSTR conversion is free. Empty strings share a static block that is
// never written.
struct CString::Data {
  int nDataLength;
  int nAllocLength;
  char* chars() { return reinterpret_cast<char*>(this + 1); }
};

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }

void ReportRange(const char* what) {
#if NBP_DEBUG_CHECKS
  nbp::diag::AssertFailed(__FILE__, __LINE__, what);
#else
  (void)what;
#endif
}

using nbp::cstring_detail::IsAscii;
using nbp::cstring_detail::Len;
using nbp::cstring_detail::SafeLen;

// Byte positions of the characters of s[0, n).
std::vector<int> CharStarts(const char* s, int n) {
  std::vector<int> starts;
  for (int pos = 0; pos < n;) {
    starts.push_back(pos);
    pos += static_cast<int>(nbp::utf8::CharLen(s + pos, static_cast<size_t>(n - pos)));
  }
  return starts;
}

// Whether the character at s[pos] is the single byte ch. For ASCII this is
// a plain byte compare (ASCII bytes never occur inside multibyte characters);
// any other byte matches only where it stands alone.
bool IsSingle(const char* s, int pos, int n, TCHAR ch) {
  if (s[pos] != ch) return false;
  return IsAscii(ch) || nbp::utf8::CharLen(s + pos, static_cast<size_t>(n - pos)) == 1;
}

}  // namespace

char* CString::Nil() noexcept {
  // The shared empty string: a zeroed header followed by the zero byte.
  static struct {
    Data header;
    char zero;
  } nil = {{0, 0}, 0};
  static_assert(sizeof(Data) == 2 * sizeof(int), "the bytes follow the header directly");
  return nil.header.chars();
}

CString::Data* CString::GetData() const { return reinterpret_cast<Data*>(m_pchData) - 1; }

CString::CString() noexcept : m_pchData(Nil()) {}

CString::CString(const CString& stringSrc) : m_pchData(Nil()) {
  Assign(stringSrc.m_pchData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData) {
  stringSrc.m_pchData = Nil();
}

CString::CString(TCHAR ch, int nRepeat) : m_pchData(Nil()) {
  if (nRepeat < 1) return;
  Alloc(nRepeat);
  memset(m_pchData, ch, static_cast<size_t>(nRepeat));
}

CString::CString(LPCTSTR lpsz) : m_pchData(Nil()) {
  if (lpsz && IS_INTRESOURCE(lpsz)) {
    LoadString(LOWORD(reinterpret_cast<uintptr_t>(lpsz)));
    return;
  }
  Assign(lpsz, Len(lpsz));
}

CString::CString(LPCTSTR lpch, int nLength) : m_pchData(Nil()) {
  if (lpch && nLength > 0) Assign(lpch, nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}

CString::CString(const wchar_t* lpsz) : m_pchData(Nil()) { *this = lpsz; }

CString::~CString() { Release(); }

void CString::Release() {
  if (m_pchData != Nil()) free(GetData());
  m_pchData = Nil();
}

void CString::Alloc(int nLen) {
  Release();
  if (nLen <= 0) return;
  SafeLen(static_cast<size_t>(nLen));
  auto* d = static_cast<Data*>(malloc(sizeof(Data) + static_cast<size_t>(nLen) + 1));
  if (!d) throw std::bad_alloc();
  d->nDataLength = nLen;
  d->nAllocLength = nLen;
  d->chars()[nLen] = '\0';
  m_pchData = d->chars();
}

void CString::Reserve(int nLen) {
  if (nLen <= GetAllocLength() && m_pchData != Nil()) return;
  int len = GetLength();
  int cap = std::max(nLen, len);
  auto* d = static_cast<Data*>(malloc(sizeof(Data) + static_cast<size_t>(SafeLen(static_cast<size_t>(cap))) + 1));
  if (!d) throw std::bad_alloc();
  memcpy(d->chars(), m_pchData, static_cast<size_t>(len) + 1);
  d->nDataLength = len;
  d->nAllocLength = cap;
  Release();
  m_pchData = d->chars();
}

void CString::SetLength(int nLen) {
  if (m_pchData == Nil()) return;  // only ever 0 here
  GetData()->nDataLength = nLen;
  m_pchData[nLen] = '\0';
}

void CString::Assign(const char* p, int nLen) {
  if (nLen <= 0 || !p) {
    Release();
    return;
  }
  auto addr = [](const void* q) { return reinterpret_cast<uintptr_t>(q); };
  bool inside = addr(p) >= addr(m_pchData) && addr(p) <= addr(m_pchData + GetAllocLength());
  if (m_pchData != Nil() && nLen <= GetAllocLength() && !inside) {
    memcpy(m_pchData, p, static_cast<size_t>(nLen));
    SetLength(nLen);
    return;
  }
  // The source may lie inside our own buffer: copy before releasing it.
  std::string copy(p, static_cast<size_t>(nLen));
  Alloc(nLen);
  memcpy(m_pchData, copy.data(), copy.size());
}

void CString::Append(const char* p, int nLen) {
  if (!p || nLen <= 0) return;
  int len = GetLength();
  int total = SafeLen(static_cast<size_t>(len) + static_cast<size_t>(nLen));
  if (total > GetAllocLength() || m_pchData == Nil()) {
    std::string copy(p, static_cast<size_t>(nLen));  // p may be our own text
    // Grow geometrically so that appending in a loop stays linear.
    Reserve(std::max(total, len + len / 2));
    memcpy(m_pchData + len, copy.data(), copy.size());
  } else {
    memmove(m_pchData + len, p, static_cast<size_t>(nLen));
  }
  SetLength(total);
}

int CString::GetLength() const { return GetData()->nDataLength; }
BOOL CString::IsEmpty() const { return GetLength() == 0; }
void CString::Empty() { Release(); }
int CString::GetAllocLength() const { return GetData()->nAllocLength; }

TCHAR CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength()) {
    ReportRange("CString::GetAt index out of range");
    return 0;
  }
  return m_pchData[nIndex];
}

TCHAR CString::operator[](int nIndex) const { return GetAt(nIndex); }

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex < 0 || nIndex >= GetLength()) {
    ReportRange("CString::SetAt index out of range");
    return;
  }
  m_pchData[nIndex] = ch;
}

CString::operator LPCTSTR() const { return m_pchData; }

const CString& CString::operator=(const CString& stringSrc) {
  if (this != &stringSrc) Assign(stringSrc.m_pchData, stringSrc.GetLength());
  return *this;
}

const CString& CString::operator=(CString&& stringSrc) noexcept {
  if (this != &stringSrc) {
    Release();
    m_pchData = stringSrc.m_pchData;
    stringSrc.m_pchData = Nil();
  }
  return *this;
}

const CString& CString::operator=(TCHAR ch) {
  Assign(&ch, 1);
  return *this;
}

const CString& CString::operator=(LPCTSTR lpsz) {
  Assign(lpsz, IS_INTRESOURCE(lpsz) ? 0 : Len(lpsz));
  return *this;
}

const CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCTSTR>(psz); }

const CString& CString::operator=(const wchar_t* lpsz) {
  static_assert(sizeof(wchar_t) == sizeof(gunichar), "wide text is UCS-4 here");
  if (!lpsz) {
    Release();
    return *this;
  }
  glong written = 0;
  gchar* utf8 = g_ucs4_to_utf8(reinterpret_cast<const gunichar*>(lpsz), -1, nullptr, &written, nullptr);
  Assign(utf8, utf8 ? SafeLen(static_cast<size_t>(written)) : 0);
  g_free(utf8);
  return *this;
}

const CString& CString::operator+=(const CString& string) {
  Append(string.m_pchData, string.GetLength());
  return *this;
}

const CString& CString::operator+=(TCHAR ch) {
  Append(&ch, 1);
  return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz) {
  if (!IS_INTRESOURCE(lpsz)) Append(lpsz, Len(lpsz));
  return *this;
}

CString operator+(const CString& string1, const CString& string2) {
  CString s(string1);
  s += string2;
  return s;
}

CString operator+(const CString& string, TCHAR ch) {
  CString s(string);
  s += ch;
  return s;
}

CString operator+(TCHAR ch, const CString& string) {
  CString s(ch);
  s += string;
  return s;
}

CString operator+(const CString& string, LPCTSTR lpsz) {
  CString s(string);
  s += lpsz;
  return s;
}

CString operator+(LPCTSTR lpsz, const CString& string) {
  CString s;
  s += lpsz;
  s += string;
  return s;
}

// --- Comparison

using nbp::cstring_detail::Safe;

int CString::Compare(LPCTSTR lpsz) const { return _mbscmp(U(m_pchData), U(Safe(lpsz))); }

int CString::CompareNoCase(LPCTSTR lpsz) const { return _mbsicmp(U(m_pchData), U(Safe(lpsz))); }

int CString::Collate(LPCTSTR lpsz) const {
  const char* other = Safe(lpsz);
  if (!g_utf8_validate(m_pchData, GetLength(), nullptr) || !g_utf8_validate(other, -1, nullptr))
    return Compare(other);
  int r = g_utf8_collate(m_pchData, other);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CollateNoCase(LPCTSTR lpsz) const {
  const char* other = Safe(lpsz);
  if (!g_utf8_validate(m_pchData, GetLength(), nullptr) || !g_utf8_validate(other, -1, nullptr))
    return CompareNoCase(other);
  gchar* a = g_utf8_casefold(m_pchData, -1);
  gchar* b = g_utf8_casefold(other, -1);
  int r = g_utf8_collate(a, b);
  g_free(a);
  g_free(b);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

bool operator==(const CString& s1, const CString& s2) { return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0; }
bool operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// --- Extraction

CString CString::Mid(int nFirst, int nCount) const {
  int len = GetLength();
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if (nFirst >= len) return CString();
  if (int64_t{nFirst} + nCount > len) nCount = len - nFirst;
  if (nFirst == 0 && nCount == len) return *this;
  return CString(m_pchData + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, INT_MAX); }

CString CString::Left(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount >= GetLength()) return *this;
  return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const {
  int len = GetLength();
  if (nCount < 0) nCount = 0;
  if (nCount >= len) return *this;
  return CString(m_pchData + len - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
  return Left(static_cast<int>(_mbsspn(U(m_pchData), U(Safe(lpszCharSet)))));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
  return Left(static_cast<int>(_mbscspn(U(m_pchData), U(Safe(lpszCharSet)))));
}

// --- Changing the text

void CString::MakeUpper() {
  if (GetLength() > 0) CharUpperBuff(m_pchData, static_cast<DWORD>(GetLength()));
}

void CString::MakeLower() {
  if (GetLength() > 0) CharLowerBuff(m_pchData, static_cast<DWORD>(GetLength()));
}

void CString::MakeReverse() {
  int len = GetLength();
  if (len < 2) return;
  std::string out;
  out.reserve(static_cast<size_t>(len));
  std::vector<int> starts = CharStarts(m_pchData, len);
  for (size_t i = starts.size(); i-- > 0;) {
    int end = i + 1 < starts.size() ? starts[i + 1] : len;
    out.append(m_pchData + starts[i], static_cast<size_t>(end - starts[i]));
  }
  memcpy(m_pchData, out.data(), out.size());
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  if (chOld == chNew) return 0;
  int len = GetLength();
  int count = 0;
  for (int pos = 0; pos < len;) {
    int clen = static_cast<int>(nbp::utf8::CharLen(m_pchData + pos, static_cast<size_t>(len - pos)));
    if (IsSingle(m_pchData, pos, len, chOld)) {
      m_pchData[pos] = chNew;
      ++count;
    }
    pos += clen;
  }
  return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
  const char* oldText = Safe(lpszOld);
  const char* newText = Safe(lpszNew);
  int oldLen = Len(oldText);
  if (oldLen == 0 || IsEmpty()) return 0;
  int newLen = Len(newText);
  std::string out;
  int count = 0;
  const char* start = m_pchData;
  const char* end = m_pchData + GetLength();
  // Matches are searched one zero-terminated run at a time, like MFC, and
  // only at character boundaries.
  for (const char* p = start; p < end;) {
    const char* hit = reinterpret_cast<const char*>(_mbsstr(U(p), U(oldText)));
    if (hit) {
      out.append(p, static_cast<size_t>(hit - p));
      out.append(newText, static_cast<size_t>(newLen));
      p = hit + oldLen;
      ++count;
      continue;
    }
    const char* runEnd = p + strlen(p);  // an embedded zero or the end
    out.append(p, static_cast<size_t>(runEnd - p));
    if (runEnd < end) out += '\0';
    p = runEnd + 1;
  }
  if (count == 0) return 0;
  Assign(out.data(), SafeLen(out.size()));
  return count;
}

int CString::Remove(TCHAR chRemove) {
  int len = GetLength();
  int dst = 0;
  for (int pos = 0; pos < len;) {
    int clen = static_cast<int>(nbp::utf8::CharLen(m_pchData + pos, static_cast<size_t>(len - pos)));
    if (!IsSingle(m_pchData, pos, len, chRemove)) {
      memmove(m_pchData + dst, m_pchData + pos, static_cast<size_t>(clen));
      dst += clen;
    }
    pos += clen;
  }
  int removed = len - dst;
  if (removed > 0) SetLength(dst);
  return removed;
}

int CString::Insert(int nIndex, TCHAR ch) { return Insert(nIndex, CString(ch)); }

int CString::Insert(int nIndex, LPCTSTR pstr) {
  const char* text = Safe(pstr);
  int add = Len(text);
  int len = GetLength();
  if (add == 0) return len;
  nIndex = std::clamp(nIndex, 0, len);
  std::string out(m_pchData, static_cast<size_t>(nIndex));
  out.append(text, static_cast<size_t>(add));
  out.append(m_pchData + nIndex, static_cast<size_t>(len - nIndex));
  Assign(out.data(), SafeLen(out.size()));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int len = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nCount <= 0 || nIndex >= len) return len;
  if (int64_t{nIndex} + nCount > len) nCount = len - nIndex;
  memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, static_cast<size_t>(len - nIndex - nCount));
  SetLength(len - nCount);
  return GetLength();
}

// --- Trimming

namespace {

// Trims characters from the ends of s[0, len) for which `drop` holds.
template <typename Pred>
int TrimRightCount(const char* s, int len, Pred drop) {
  // Walk forward: stepping backwards is ambiguous next to stray bytes.
  int keep = 0;
  for (int pos = 0; pos < len;) {
    size_t clen = nbp::utf8::CharLen(s + pos, static_cast<size_t>(len - pos));
    uint32_t cp = nbp::utf8::Decode(s + pos, clen);
    pos += static_cast<int>(clen);
    if (!drop(cp, s + pos - clen, clen)) keep = pos;
  }
  return keep;
}

template <typename Pred>
int TrimLeftCount(const char* s, int len, Pred drop) {
  int pos = 0;
  while (pos < len) {
    size_t clen = nbp::utf8::CharLen(s + pos, static_cast<size_t>(len - pos));
    if (!drop(nbp::utf8::Decode(s + pos, clen), s + pos, clen)) break;
    pos += static_cast<int>(clen);
  }
  return pos;
}

bool Space(uint32_t cp, const char*, size_t) { return _ismbcspace(cp); }

struct SingleChar {
  TCHAR ch;
  bool operator()(uint32_t, const char* p, size_t len) const { return len == 1 && *p == ch; }
};

struct InCharSet {
  const char* set;
  bool operator()(uint32_t, const char* p, size_t len) const {
    // Compare the character's bytes against each character of the set.
    for (const char* q = set; *q;) {
      size_t qlen = nbp::utf8::CharLen(q);
      if (qlen == len && memcmp(p, q, len) == 0) return true;
      q += qlen;
    }
    return false;
  }
};

}  // namespace

void CString::TrimRight() { SetLength(TrimRightCount(m_pchData, GetLength(), Space)); }
void CString::TrimRight(TCHAR chTarget) { SetLength(TrimRightCount(m_pchData, GetLength(), SingleChar{chTarget})); }
void CString::TrimRight(LPCTSTR lpszTargets) {
  SetLength(TrimRightCount(m_pchData, GetLength(), InCharSet{Safe(lpszTargets)}));
}

void CString::TrimLeft() { Delete(0, TrimLeftCount(m_pchData, GetLength(), Space)); }
void CString::TrimLeft(TCHAR chTarget) { Delete(0, TrimLeftCount(m_pchData, GetLength(), SingleChar{chTarget})); }
void CString::TrimLeft(LPCTSTR lpszTargets) {
  Delete(0, TrimLeftCount(m_pchData, GetLength(), InCharSet{Safe(lpszTargets)}));
}

// --- Searching

int CString::Find(TCHAR ch) const { return Find(ch, 0); }
int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(TCHAR ch, int nStart) const {
  int len = GetLength();
  if (nStart < 0) nStart = 0;
  for (int pos = nStart; pos < len;) {
    if (IsSingle(m_pchData, pos, len, ch)) return pos;
    pos += static_cast<int>(nbp::utf8::CharLen(m_pchData + pos, static_cast<size_t>(len - pos)));
  }
  return -1;
}

int CString::Find(LPCTSTR lpszSub, int nStart) const {
  int len = GetLength();
  if (nStart < 0) nStart = 0;
  if (nStart > len) return -1;
  const char* hit = reinterpret_cast<const char*>(_mbsstr(U(m_pchData + nStart), U(Safe(lpszSub))));
  return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::ReverseFind(TCHAR ch) const {
  int len = GetLength();
  int found = -1;
  for (int pos = 0; pos < len;) {
    if (IsSingle(m_pchData, pos, len, ch)) found = pos;
    pos += static_cast<int>(nbp::utf8::CharLen(m_pchData + pos, static_cast<size_t>(len - pos)));
  }
  return found;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
  const char* hit = reinterpret_cast<const char*>(_mbspbrk(U(m_pchData), U(Safe(lpszCharSet))));
  return hit ? static_cast<int>(hit - m_pchData) : -1;
}

// --- Resources

BOOL CString::LoadString(UINT nID) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
  const std::string* text = nbp::res::FindString(module, nID);
  if (!text || text->empty()) {
    Empty();
    return FALSE;
  }
  std::string copy = *text;  // the registry may change once its lock is gone
  Assign(copy.data(), SafeLen(copy.size()));
  return TRUE;
}

// --- Buffer access

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < 0) nMinBufLength = 0;
  if (m_pchData == Nil() || nMinBufLength > GetAllocLength()) Reserve(std::max(nMinBufLength, 1));
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (m_pchData == Nil()) return;
  int cap = GetAllocLength();
  if (nNewLength < 0) nNewLength = static_cast<int>(strnlen(m_pchData, static_cast<size_t>(cap)));
  SetLength(std::min(nNewLength, cap));
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  GetBuffer(nNewLength);
  SetLength(nNewLength);
  return m_pchData;
}

void CString::FreeExtra() {
  if (m_pchData == Nil() || GetLength() == GetAllocLength()) return;
  if (IsEmpty()) {
    Release();
    return;
  }
  std::string copy(m_pchData, static_cast<size_t>(GetLength()));
  Alloc(SafeLen(copy.size()));
  memcpy(m_pchData, copy.data(), copy.size());
}

LPTSTR CString::LockBuffer() { return GetBuffer(0); }

void CString::UnlockBuffer() {}
