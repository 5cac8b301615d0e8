// MFC's CString: a string of bytes in the user's code page (UTF-8), with the
// interface MFC 4.2 code is written against, and the string helpers that go
// with it (AfxFormatString1/2, AfxFormatStrings, AfxExtractSubString).
//
// Lengths and indexes are in bytes, as in MFC. Operations that step through
// text (Find, ReverseFind, FindOneOf, Span*, Trim*, Replace, MakeReverse,
// MakeUpper/MakeLower) step over whole UTF-8 characters, so they never match
// or split inside a multibyte character. Mid/Left/Right/Delete/Insert take
// byte counts as given and clamp out-of-range values the way MFC does; out
// of range indexes for GetAt/SetAt/operator[] are not undefined: GetAt
// returns 0 and SetAt does nothing (debug builds also report them).
//
// The object is one pointer big, as MFC code assumes. Copies are independent
// (no shared buffers), so GetBuffer/LockBuffer never affect another CString.
//
// CString cannot travel through "...": Format, FormatMessage, TRACE and
// printf-style functions must be given (LPCTSTR)str, not str itself.
#pragma once

#include <cstdarg>

#include "win/types.h"

class CString {
 public:
  CString() noexcept;
  CString(const CString& stringSrc);
  CString(CString&& stringSrc) noexcept;
  // nRepeat copies of ch; nothing when nRepeat < 1.
  CString(TCHAR ch, int nRepeat = 1);
  // A null pointer gives an empty string; MAKEINTRESOURCE(id) loads string
  // id through the resource chain (empty when it is missing).
  CString(LPCTSTR lpsz);
  // The first nLength bytes of lpch (empty when lpch is null or nLength <= 0).
  CString(LPCTSTR lpch, int nLength);
  CString(const unsigned char* psz);
  // Wide text (UCS-4 on this platform), converted to UTF-8.
  CString(const wchar_t* lpsz);
  ~CString();

  int GetLength() const;
  BOOL IsEmpty() const;
  void Empty();

  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const;
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const;

  const CString& operator=(const CString& stringSrc);
  const CString& operator=(CString&& stringSrc) noexcept;
  const CString& operator=(TCHAR ch);
  const CString& operator=(LPCTSTR lpsz);  // MAKEINTRESOURCE is not loaded here
  const CString& operator=(const unsigned char* psz);
  const CString& operator=(const wchar_t* lpsz);

  const CString& operator+=(const CString& string);
  const CString& operator+=(TCHAR ch);
  const CString& operator+=(LPCTSTR lpsz);

  friend CString operator+(const CString& string1, const CString& string2);
  friend CString operator+(const CString& string, TCHAR ch);
  friend CString operator+(TCHAR ch, const CString& string);
  friend CString operator+(const CString& string, LPCTSTR lpsz);
  friend CString operator+(LPCTSTR lpsz, const CString& string);

  // Byte order (which is code point order for UTF-8): <0, 0 or >0.
  int Compare(LPCTSTR lpsz) const;
  // Letters compared without case, including non-ASCII ones ("Äpfel" and
  // "äpfel" are equal).
  int CompareNoCase(LPCTSTR lpsz) const;
  // Order of the process's collation locale.
  int Collate(LPCTSTR lpsz) const;
  int CollateNoCase(LPCTSTR lpsz) const;

  // nCount bytes from nFirst; a negative nFirst or nCount counts as 0, and
  // the result stops at the end of the string.
  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  // The leading characters that are (not) in lpszCharSet.
  CString SpanIncluding(LPCTSTR lpszCharSet) const;
  CString SpanExcluding(LPCTSTR lpszCharSet) const;

  void MakeUpper();
  void MakeLower();
  // Reverses the order of characters; a multibyte character stays intact.
  void MakeReverse();

  // Each return the number of replacements or removals.
  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);  // null lpszNew removes
  int Remove(TCHAR chRemove);
  // Each return the new length; nIndex is clamped to [0, GetLength()].
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  // printf-style formatting, with no length limit.
  void Format(LPCTSTR lpszFormat, ...) __attribute__((format(printf, 2, 3)));
  void Format(UINT nFormatID, ...);
  void FormatV(LPCTSTR lpszFormat, va_list argList);
  // Message-style formatting: %1 ... %99 insert the arguments in order of
  // their numbers, as strings unless given a printf type as in %2!d!. %n is
  // a line break ("\r\n"), %t a tab, %0 ends the text, and % before any other
  // character stands for that character (%% is %).
  void FormatMessage(LPCTSTR lpszFormat, ...);
  void FormatMessage(UINT nFormatID, ...);

  // Without an argument these trim white space.
  void TrimRight();
  void TrimRight(TCHAR chTarget);
  void TrimRight(LPCTSTR lpszTargets);
  void TrimLeft();
  void TrimLeft(TCHAR chTarget);
  void TrimLeft(LPCTSTR lpszTargets);

  // Byte index of the first match at or after nStart, or -1; a negative
  // nStart counts as 0.
  int Find(TCHAR ch) const;
  int Find(LPCTSTR lpszSub) const;
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR lpszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR lpszCharSet) const;

  // Loads string nID through the resource chain (AfxFindResourceHandle).
  // FALSE, leaving the string empty, when it is missing or empty.
  BOOL LoadString(UINT nID);

  // A writable buffer of at least nMinBufLength bytes plus the terminating
  // zero, holding the current text. Call ReleaseBuffer before using any
  // other member; nNewLength -1 takes the length up to the first zero.
  LPTSTR GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);
  LPTSTR GetBufferSetLength(int nNewLength);
  void FreeExtra();
  LPTSTR LockBuffer();
  void UnlockBuffer();
  int GetAllocLength() const;

 private:
  struct Data;
  static char* Nil() noexcept;
  Data* GetData() const;
  void Alloc(int nLen);  // replaces the buffer with an uninitialised one
  void Release();
  void Assign(const char* p, int nLen);
  void Append(const char* p, int nLen);
  void Reserve(int nLen);  // keeps content
  void SetLength(int nLen);

  char* m_pchData;
};

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCTSTR s2);
bool operator<(LPCTSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator>(const CString& s1, LPCTSTR s2);
bool operator>(LPCTSTR s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, LPCTSTR s2);
bool operator<=(LPCTSTR s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, LPCTSTR s2);
bool operator>=(LPCTSTR s1, const CString& s2);

// Sets rString to string nIDS with %1..%9 and %A..%Z replaced by
// rglpsz[0..34]; an insert with no string becomes "?". rString is left as it
// was when the string cannot be loaded.
void AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString);
void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// Piece iSubString (from 0) of lpszFullString split at chSep. FALSE, with
// rString empty, when there are fewer pieces (or lpszFullString is null, in
// which case rString is left alone).
BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = '\n');
