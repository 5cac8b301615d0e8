#include "win/mbstring.h"

#include <glib.h>

#include <cstdio>

#include "nbp/utf8_step.h"

namespace {

using nbp::utf8::CharLen;
using nbp::utf8::Decode;
using nbp::utf8::kStrayBase;

// One character of zero-terminated text: its code point and byte length.
struct Ch {
  uint32_t cp;
  size_t len;
};

Ch At(const unsigned char* p) {
  size_t len = CharLen(p, SIZE_MAX);
  return Ch{Decode(p, len), len};
}

// A character value passed in from a (signed) char arrives sign-extended;
// take it as the byte it was.
uint32_t Normalise(unsigned int c) {
  if (c >= 0xFFFFFF80u) {
    unsigned char b = static_cast<unsigned char>(c);
    return b < 0x80 ? b : kStrayBase + b;
  }
  return c;
}

bool IsScalar(uint32_t cp) { return cp < 0x110000 && !(cp >= 0xD800 && cp <= 0xDFFF); }

uint32_t EncodedLen(uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

uint32_t Upper(uint32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  if (!IsScalar(cp)) return cp;
  return g_unichar_toupper(cp);
}

uint32_t Lower(uint32_t cp) {
  if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
  if (!IsScalar(cp)) return cp;
  return g_unichar_tolower(cp);
}

// The value characters are compared by when case does not matter. Lower
// case of upper case also joins forms like the title-case digraphs.
uint32_t Fold(uint32_t cp) { return Lower(Upper(cp)); }

int Sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Character-wise comparison of at most maxChars characters and at most
// maxBytes bytes (a character cut by maxBytes is not compared).
int CompareChars(const unsigned char* a, const unsigned char* b, size_t maxChars, size_t maxBytes, bool fold) {
  size_t bytesA = 0, bytesB = 0;
  for (size_t n = 0; n < maxChars; ++n) {
    Ch ca = At(a), cb = At(b);
    if (bytesA + ca.len > maxBytes || bytesB + cb.len > maxBytes) return 0;
    uint32_t va = fold ? Fold(ca.cp) : ca.cp;
    uint32_t vb = fold ? Fold(cb.cp) : cb.cp;
    if (va != vb) return va < vb ? -1 : 1;
    if (ca.cp == 0) return 0;
    a += ca.len;
    b += cb.len;
    bytesA += ca.len;
    bytesB += cb.len;
  }
  return 0;
}

bool InSet(uint32_t cp, const unsigned char* set) {
  for (const unsigned char* p = set; *p;) {
    Ch c = At(p);
    if (c.cp == cp) return true;
    p += c.len;
  }
  return false;
}

// Maps each character of a zero-terminated string in place, keeping any
// character whose mapping would change its byte length.
template <typename Map>
void MapInPlace(unsigned char* s, size_t limit, Map map) {
  size_t pos = 0;
  while (pos < limit && s[pos]) {
    size_t len = CharLen(s + pos, limit - pos);
    uint32_t cp = Decode(s + pos, len);
    if (cp < kStrayBase) {
      uint32_t m = map(cp);
      if (m != cp && IsScalar(m) && EncodedLen(m) == len) nbp::utf8::Encode(m, reinterpret_cast<char*>(s + pos));
    }
    pos += len;
  }
}

}  // namespace

unsigned char* _mbschr(const unsigned char* str, unsigned int c) {
  if (!str) return nullptr;
  uint32_t want = Normalise(c);
  for (const unsigned char* p = str;; ) {
    Ch ch = At(p);
    if (ch.cp == want) return const_cast<unsigned char*>(p);
    if (ch.cp == 0) return nullptr;
    p += ch.len;
  }
}

unsigned char* _mbsrchr(const unsigned char* str, unsigned int c) {
  if (!str) return nullptr;
  uint32_t want = Normalise(c);
  const unsigned char* found = nullptr;
  for (const unsigned char* p = str;; ) {
    Ch ch = At(p);
    if (ch.cp == want) found = p;
    if (ch.cp == 0) break;
    p += ch.len;
  }
  return const_cast<unsigned char*>(found);
}

unsigned char* _mbsstr(const unsigned char* str, const unsigned char* strSearch) {
  if (!str || !strSearch) return nullptr;
  size_t n = strlen(reinterpret_cast<const char*>(strSearch));
  if (n == 0) return const_cast<unsigned char*>(str);
  // Matches start at character boundaries only, so "\xA4" is not found
  // inside "\xC3\xA4".
  for (const unsigned char* p = str; *p; p += CharLen(p, SIZE_MAX))
    if (strncmp(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(strSearch), n) == 0)
      return const_cast<unsigned char*>(p);
  return nullptr;
}

unsigned char* _mbspbrk(const unsigned char* str, const unsigned char* strCharSet) {
  if (!str || !strCharSet) return nullptr;
  for (const unsigned char* p = str; *p;) {
    Ch c = At(p);
    if (InSet(c.cp, strCharSet)) return const_cast<unsigned char*>(p);
    p += c.len;
  }
  return nullptr;
}

int _mbscmp(const unsigned char* s1, const unsigned char* s2) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  // UTF-8 byte order is code point order; stray bytes sort by their value.
  return Sign(strcmp(reinterpret_cast<const char*>(s1), reinterpret_cast<const char*>(s2)));
}

int _mbsicmp(const unsigned char* s1, const unsigned char* s2) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  return CompareChars(s1, s2, SIZE_MAX, SIZE_MAX, true);
}

int _mbsncmp(const unsigned char* s1, const unsigned char* s2, size_t count) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  return CompareChars(s1, s2, count, SIZE_MAX, false);
}

int _mbsnicmp(const unsigned char* s1, const unsigned char* s2, size_t count) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  return CompareChars(s1, s2, count, SIZE_MAX, true);
}

int _mbsnbcmp(const unsigned char* s1, const unsigned char* s2, size_t count) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  return CompareChars(s1, s2, SIZE_MAX, count, false);
}

int _mbsnbicmp(const unsigned char* s1, const unsigned char* s2, size_t count) {
  if (!s1 || !s2) return s1 == s2 ? 0 : (s1 ? 1 : -1);
  return CompareChars(s1, s2, SIZE_MAX, count, true);
}

size_t _mbslen(const unsigned char* str) {
  if (!str) return 0;
  size_t n = 0;
  for (const unsigned char* p = str; *p; p += CharLen(p, SIZE_MAX)) ++n;
  return n;
}

unsigned char* _mbsinc(const unsigned char* current) {
  if (!current) return nullptr;
  return const_cast<unsigned char*>(current + (*current ? CharLen(current, SIZE_MAX) : 1));
}

unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current) {
  if (!start || !current || current <= start) return nullptr;
  // Every lead byte begins a character (no character holds one inside it),
  // so the nearest lead byte within reach tells whether current - 1 ends a
  // multibyte character or is a stray byte of its own.
  const unsigned char* p = current - 1;
  const unsigned char* q = p;
  while (q > start && q > current - 4 && nbp::utf8::IsContinuation(*q)) --q;
  if (q < p && *q >= 0xC2 && *q <= 0xF4) {
    // Looks no further than current: the text may be a buffer, not a string.
    size_t len = CharLen(q, static_cast<size_t>(current - q));
    if (q + len == current) return const_cast<unsigned char*>(q);
  }
  return const_cast<unsigned char*>(p);
}

unsigned int _mbsnextc(const unsigned char* str) {
  if (!str) return 0;
  return At(str).cp;
}

int _ismbblead(unsigned int c) { return c >= 0xC2 && c <= 0xF4; }
int _ismbbtrail(unsigned int c) { return c >= 0x80 && c <= 0xBF; }

size_t _mbclen(const unsigned char* c) {
  if (!c) return 0;
  return *c ? CharLen(c, SIZE_MAX) : 1;
}

size_t _mbsspn(const unsigned char* str, const unsigned char* strCharSet) {
  if (!str || !strCharSet) return 0;
  const unsigned char* p = str;
  while (*p) {
    Ch c = At(p);
    if (!InSet(c.cp, strCharSet)) break;
    p += c.len;
  }
  return static_cast<size_t>(p - str);
}

size_t _mbscspn(const unsigned char* str, const unsigned char* strCharSet) {
  if (!str) return 0;
  if (!strCharSet) return strlen(reinterpret_cast<const char*>(str));
  const unsigned char* p = str;
  while (*p) {
    Ch c = At(p);
    if (InSet(c.cp, strCharSet)) break;
    p += c.len;
  }
  return static_cast<size_t>(p - str);
}

unsigned char* _mbsupr(unsigned char* str) {
  if (str) MapInPlace(str, SIZE_MAX, Upper);
  return str;
}

unsigned char* _mbslwr(unsigned char* str) {
  if (str) MapInPlace(str, SIZE_MAX, Lower);
  return str;
}

int _ismbcdigit(unsigned int c) { return c >= '0' && c <= '9'; }
int _ismbcspace(unsigned int c) { c = Normalise(c); return c == ' ' || (c >= 0x09 && c <= 0x0D); }
int _ismbcalpha(unsigned int c) {
  c = Normalise(c);
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  return IsScalar(c) && g_unichar_isalpha(c);
}
int _ismbcalnum(unsigned int c) { return _ismbcalpha(c) || _ismbcdigit(c); }
int _ismbcupper(unsigned int c) {
  c = Normalise(c);
  if (c < 0x80) return c >= 'A' && c <= 'Z';
  return IsScalar(c) && g_unichar_isupper(c);
}
int _ismbclower(unsigned int c) {
  c = Normalise(c);
  if (c < 0x80) return c >= 'a' && c <= 'z';
  return IsScalar(c) && g_unichar_islower(c);
}
unsigned int _mbctoupper(unsigned int c) { return Upper(Normalise(c)); }
unsigned int _mbctolower(unsigned int c) { return Lower(Normalise(c)); }

// --- Window-system string functions

int lstrlen(LPCSTR lpString) { return lpString ? static_cast<int>(strlen(lpString)) : 0; }

LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1 || !lpString2) return nullptr;
  return strcpy(lpString1, lpString2);
}

LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (!lpString1 || !lpString2 || iMaxLength <= 0) return nullptr;
  size_t limit = static_cast<size_t>(iMaxLength - 1);
  size_t n = strnlen(lpString2, limit + 1);
  n = nbp::utf8::BoundaryAtOrBefore(lpString2, n, limit);
  memmove(lpString1, lpString2, n);
  lpString1[n] = '\0';
  return lpString1;
}

LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1 || !lpString2) return nullptr;
  return strcat(lpString1, lpString2);
}

namespace {

// Primary: case-folded collation; secondary: lower case before upper case;
// last: bytes, so that different strings never compare equal.
int WordCompare(LPCSTR a, LPCSTR b, bool ignoreCase) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  bool valid = g_utf8_validate(a, -1, nullptr) && g_utf8_validate(b, -1, nullptr);
  int primary;
  if (valid) {
    gchar* fa = g_utf8_casefold(a, -1);
    gchar* fb = g_utf8_casefold(b, -1);
    primary = Sign(g_utf8_collate(fa, fb));
    if (primary == 0) primary = Sign(strcmp(fa, fb));
    g_free(fa);
    g_free(fb);
  } else {
    primary = _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
  }
  if (primary != 0 || ignoreCase) return primary;
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  while (*pa && *pb) {
    Ch ca = At(pa), cb = At(pb);
    if (ca.cp != cb.cp) {
      bool la = _ismbclower(ca.cp), lb = _ismbclower(cb.cp);
      if (la != lb) return la ? -1 : 1;
      return ca.cp < cb.cp ? -1 : 1;
    }
    pa += ca.len;
    pb += cb.len;
  }
  return Sign(strcmp(a, b));
}

}  // namespace

int lstrcmp(LPCSTR lpString1, LPCSTR lpString2) { return WordCompare(lpString1, lpString2, false); }
int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2) { return WordCompare(lpString1, lpString2, true); }

int wvsprintf(LPSTR lpOut, LPCSTR lpFmt, va_list arglist) {
  if (!lpOut || !lpFmt) return 0;
  char buf[1025];
  if (vsnprintf(buf, sizeof buf, lpFmt, arglist) < 0) buf[0] = '\0';
  size_t len = nbp::utf8::BoundaryAtOrBefore(buf, strnlen(buf, 1024), 1024);
  memcpy(lpOut, buf, len);
  lpOut[len] = '\0';
  return static_cast<int>(len);
}

int wsprintf(LPSTR lpOut, LPCSTR lpFmt, ...) {
  va_list ap;
  va_start(ap, lpFmt);
  int n = wvsprintf(lpOut, lpFmt, ap);
  va_end(ap);
  return n;
}

BOOL IsCharAlpha(CHAR ch) { return ch > 0 && _ismbcalpha(static_cast<unsigned char>(ch)); }
BOOL IsCharAlphaNumeric(CHAR ch) { return ch > 0 && _ismbcalnum(static_cast<unsigned char>(ch)); }
BOOL IsCharUpper(CHAR ch) { return ch >= 'A' && ch <= 'Z'; }
BOOL IsCharLower(CHAR ch) { return ch >= 'a' && ch <= 'z'; }

namespace {

LPSTR CaseString(LPSTR lpsz, uint32_t (*map)(uint32_t)) {
  if (!lpsz) return nullptr;
  if (IS_INTRESOURCE(lpsz)) {
    uintptr_t v = reinterpret_cast<uintptr_t>(lpsz);
    uint32_t c = static_cast<unsigned char>(v & 0xFF);
    // Only an ASCII byte is a character on its own.
    if (c < 0x80) c = map(c);
    return reinterpret_cast<LPSTR>((v & ~uintptr_t{0xFF}) | c);
  }
  MapInPlace(reinterpret_cast<unsigned char*>(lpsz), SIZE_MAX, map);
  return lpsz;
}

}  // namespace

LPSTR CharUpper(LPSTR lpsz) { return CaseString(lpsz, Upper); }
LPSTR CharLower(LPSTR lpsz) { return CaseString(lpsz, Lower); }

DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength) {
  if (!lpsz) return 0;
  MapInPlace(reinterpret_cast<unsigned char*>(lpsz), cchLength, Upper);
  return cchLength;
}

DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength) {
  if (!lpsz) return 0;
  MapInPlace(reinterpret_cast<unsigned char*>(lpsz), cchLength, Lower);
  return cchLength;
}

LPSTR CharNext(LPCSTR lpsz) {
  if (!lpsz) return nullptr;
  return const_cast<LPSTR>(*lpsz ? lpsz + CharLen(lpsz) : lpsz);
}

LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent) {
  if (!lpszStart || !lpszCurrent) return nullptr;
  if (lpszCurrent <= lpszStart) return const_cast<LPSTR>(lpszStart);
  return nbp::mbs::C(_mbsdec(nbp::mbs::U(lpszStart), nbp::mbs::U(lpszCurrent)));
}

BOOL IsDBCSLeadByte(BYTE TestChar) { return _ismbblead(TestChar); }
