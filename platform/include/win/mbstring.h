// Multibyte string functions of the C runtime, the _tcs names that map onto
// them, and the window system's character helpers, for text in the user's
// code page, which is UTF-8.
//
// A multibyte step is one whole UTF-8 character: a well-formed sequence whose
// lead byte is 0xC2-0xF4. Any other byte (a stray continuation byte, a
// truncated sequence, 0xC0/0xC1/0xF5-0xFF, an overlong form) is a character
// of its own, and no function reads past the terminating zero because of it.
//
// Where these functions take or return a single character as a number (c in
// _mbschr, the result of _mbsnextc, _totupper...), it is the Unicode code
// point. A stray byte b is reported as 0x110000 + b, which matches nothing
// but that same stray byte. Case mapping is per character and keeps the
// byte length (a character whose other case needs more or fewer bytes, like
// the long s or the dotless i, stays as it is), so offsets into a string
// stay valid. Case-insensitive comparisons fold ASCII and other letters.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win/types.h"

// --- C runtime multibyte functions (unsigned char, as the runtime declares them)

unsigned char* _mbschr(const unsigned char* str, unsigned int c);
unsigned char* _mbsrchr(const unsigned char* str, unsigned int c);
unsigned char* _mbsstr(const unsigned char* str, const unsigned char* strSearch);
// The first character of str that is in strCharSet, or null.
unsigned char* _mbspbrk(const unsigned char* str, const unsigned char* strCharSet);
int _mbscmp(const unsigned char* s1, const unsigned char* s2);
int _mbsicmp(const unsigned char* s1, const unsigned char* s2);
// At most `count` characters.
int _mbsncmp(const unsigned char* s1, const unsigned char* s2, size_t count);
int _mbsnicmp(const unsigned char* s1, const unsigned char* s2, size_t count);
// At most `count` bytes; a character cut by the limit is left out.
int _mbsnbcmp(const unsigned char* s1, const unsigned char* s2, size_t count);
int _mbsnbicmp(const unsigned char* s1, const unsigned char* s2, size_t count);
// Characters, not bytes.
size_t _mbslen(const unsigned char* str);
// The next character; from the terminating zero, one past it (as the runtime).
unsigned char* _mbsinc(const unsigned char* current);
// The character before `current`, or null when current <= start.
unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current);
unsigned int _mbsnextc(const unsigned char* str);
int _ismbblead(unsigned int c);
int _ismbbtrail(unsigned int c);
// Bytes of the character at c (1 to 4).
size_t _mbclen(const unsigned char* c);
// Byte length of the leading run of characters that are (not) in strCharSet.
size_t _mbsspn(const unsigned char* str, const unsigned char* strCharSet);
size_t _mbscspn(const unsigned char* str, const unsigned char* strCharSet);
unsigned char* _mbsupr(unsigned char* str);
unsigned char* _mbslwr(unsigned char* str);

// Single characters given as code points.
int _ismbcdigit(unsigned int c);
int _ismbcspace(unsigned int c);
int _ismbcalpha(unsigned int c);
int _ismbcalnum(unsigned int c);
int _ismbcupper(unsigned int c);
int _ismbclower(unsigned int c);
unsigned int _mbctoupper(unsigned int c);
unsigned int _mbctolower(unsigned int c);

// --- The _tcs names, for TCHAR = char text

namespace nbp::mbs {
inline const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
inline unsigned char* U(char* s) { return reinterpret_cast<unsigned char*>(s); }
inline char* C(const unsigned char* s) { return reinterpret_cast<char*>(const_cast<unsigned char*>(s)); }
}  // namespace nbp::mbs

inline size_t _tcslen(const char* s) { return strlen(s); }  // bytes
inline size_t _tcsclen(const char* s) { return _mbslen(nbp::mbs::U(s)); }
inline char* _tcscpy(char* dst, const char* src) { return strcpy(dst, src); }
inline char* _tcsncpy(char* dst, const char* src, size_t count) { return strncpy(dst, src, count); }
inline char* _tcscat(char* dst, const char* src) { return strcat(dst, src); }
inline int _tcscmp(const char* a, const char* b) { return _mbscmp(nbp::mbs::U(a), nbp::mbs::U(b)); }
inline int _tcsicmp(const char* a, const char* b) { return _mbsicmp(nbp::mbs::U(a), nbp::mbs::U(b)); }
inline int _tcsncmp(const char* a, const char* b, size_t n) { return _mbsnbcmp(nbp::mbs::U(a), nbp::mbs::U(b), n); }
inline int _tcsnicmp(const char* a, const char* b, size_t n) { return _mbsnbicmp(nbp::mbs::U(a), nbp::mbs::U(b), n); }
inline char* _tcschr(const char* s, unsigned int c) { return nbp::mbs::C(_mbschr(nbp::mbs::U(s), c)); }
inline char* _tcsrchr(const char* s, unsigned int c) { return nbp::mbs::C(_mbsrchr(nbp::mbs::U(s), c)); }
inline char* _tcsstr(const char* s, const char* f) { return nbp::mbs::C(_mbsstr(nbp::mbs::U(s), nbp::mbs::U(f))); }
inline char* _tcspbrk(const char* s, const char* set) { return nbp::mbs::C(_mbspbrk(nbp::mbs::U(s), nbp::mbs::U(set))); }
inline size_t _tcsspn(const char* s, const char* set) { return _mbsspn(nbp::mbs::U(s), nbp::mbs::U(set)); }
inline size_t _tcscspn(const char* s, const char* set) { return _mbscspn(nbp::mbs::U(s), nbp::mbs::U(set)); }
inline char* _tcsupr(char* s) { return nbp::mbs::C(_mbsupr(nbp::mbs::U(s))); }
inline char* _tcslwr(char* s) { return nbp::mbs::C(_mbslwr(nbp::mbs::U(s))); }
inline char* _tcsinc(const char* p) { return nbp::mbs::C(_mbsinc(nbp::mbs::U(p))); }
inline char* _tcsdec(const char* start, const char* p) { return nbp::mbs::C(_mbsdec(nbp::mbs::U(start), nbp::mbs::U(p))); }
inline unsigned int _tcsnextc(const char* p) { return _mbsnextc(nbp::mbs::U(p)); }
inline int _ttoi(const char* s) { return atoi(s); }
inline long _ttol(const char* s) { return atol(s); }
inline long _tcstol(const char* s, char** end, int base) { return strtol(s, end, base); }
inline unsigned long _tcstoul(const char* s, char** end, int base) { return strtoul(s, end, base); }
inline double _tcstod(const char* s, char** end) { return strtod(s, end); }
#define _stprintf sprintf
#define _sntprintf snprintf
#define _vstprintf vsprintf
#define _vsntprintf vsnprintf
inline int _istdigit(unsigned int c) { return _ismbcdigit(c); }
inline int _istspace(unsigned int c) { return _ismbcspace(c); }
inline int _istalpha(unsigned int c) { return _ismbcalpha(c); }
inline int _istalnum(unsigned int c) { return _ismbcalnum(c); }
inline int _istupper(unsigned int c) { return _ismbcupper(c); }
inline int _istlower(unsigned int c) { return _ismbclower(c); }
inline unsigned int _totupper(unsigned int c) { return _mbctoupper(c); }
inline unsigned int _totlower(unsigned int c) { return _mbctolower(c); }
#ifndef _TEOF
#define _TEOF EOF
#endif

// --- Window-system string functions

// Null pointers count as empty strings (lstrlen) or fail (null result).
int lstrlen(LPCSTR lpString);
LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 bytes and a zero, never splitting a character.
LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2);
// Word order as the window system sorts: letters compare without case first
// ("a" < "B"), then lower case before upper case ("a" < "A"). The ordering of
// different letters follows the process's collation locale (code point order
// in the C locale).
int lstrcmp(LPCSTR lpString1, LPCSTR lpString2);
int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2);
// Formats at most 1024 bytes (and a zero) into lpOut, as the window system does.
int wsprintf(LPSTR lpOut, LPCSTR lpFmt, ...) __attribute__((format(printf, 2, 3)));
int wvsprintf(LPSTR lpOut, LPCSTR lpFmt, va_list arglist);

// A single byte is a whole character only in the ASCII range, so these answer
// for ASCII; any byte of a multibyte character is none of these.
BOOL IsCharAlpha(CHAR ch);
BOOL IsCharAlphaNumeric(CHAR ch);
BOOL IsCharUpper(CHAR ch);
BOOL IsCharLower(CHAR ch);
// In place, per character, keeping the byte length. A "string" whose high
// bits are zero is a single character in the low word, returned converted.
LPSTR CharUpper(LPSTR lpsz);
LPSTR CharLower(LPSTR lpsz);
DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength);
DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength);
// The next character; stays on the terminating zero.
LPSTR CharNext(LPCSTR lpsz);
// The previous character; lpszStart when lpszCurrent is at or before it.
LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent);
BOOL IsDBCSLeadByte(BYTE TestChar);
