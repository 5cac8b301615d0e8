// Stepping over UTF-8 characters the way the multibyte functions count them:
// a well-formed sequence (lead byte 0xC2-0xF4, no overlong forms, surrogates
// or values past U+10FFFF) is one character; any other byte is a character
// of its own. Stepping never passes a terminating zero or the given end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nbp::utf8 {

inline bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
inline bool IsContinuation(char c) { return IsContinuation(static_cast<unsigned char>(c)); }

// The length a lead byte announces: 2 to 4 for 0xC2-0xF4, 1 for any other
// byte. It looks at nothing after the lead; CharLen checks the whole form.
inline size_t LeadLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

// Length in bytes of the character starting at p, looking at no more than
// `avail` bytes (pass SIZE_MAX for zero-terminated text: a zero byte is never
// a continuation byte, so the walk stops there). 0 only when avail is 0.
inline size_t CharLen(const unsigned char* p, size_t avail) {
  if (avail == 0) return 0;
  unsigned char c = p[0];
  size_t len;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (c < 0xC2 || c > 0xF4) return 1;
  if (c <= 0xDF) {
    len = 2;
  } else if (c <= 0xEF) {
    len = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else {
    len = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  }
  if (avail < len) return 1;
  if (p[1] < lo || p[1] > hi) return 1;
  for (size_t i = 2; i < len; ++i)
    if ((p[i] & 0xC0) != 0x80) return 1;
  return len;
}

inline size_t CharLen(const char* p, size_t avail = SIZE_MAX) {
  return CharLen(reinterpret_cast<const unsigned char*>(p), avail);
}

// The code point of the character at p (whose length is len, from CharLen).
// A stray byte b yields kStrayBase + b, which is no code point, so stray
// bytes never compare equal to a real character.
constexpr uint32_t kStrayBase = 0x110000;
inline uint32_t Decode(const unsigned char* p, size_t len) {
  if (len == 1) return p[0] < 0x80 ? p[0] : kStrayBase + p[0];
  uint32_t cp = p[0] & (0xFF >> (len + 1));
  for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3F);
  return cp;
}
inline uint32_t Decode(const char* p, size_t len) {
  return Decode(reinterpret_cast<const unsigned char*>(p), len);
}

// Writes code point cp (must be a valid scalar value) and returns its length.
inline size_t Encode(uint32_t cp, char* out) {
  if (cp < 0x80) { out[0] = static_cast<char>(cp); return 1; }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// The largest character boundary <= limit in s[0, size).
inline size_t BoundaryAtOrBefore(const char* s, size_t size, size_t limit) {
  if (limit >= size) return size;
  size_t pos = 0;
  while (pos < limit) {
    size_t len = CharLen(s + pos, size - pos);
    if (pos + len > limit) break;
    pos += len;
  }
  return pos;
}

// n moved back to the start of the character byte n belongs to, counting
// every byte that does not continue a sequence as a start. A position at or
// past size is the end and stays. This is how text is cut to a buffer
// without leaving half a character behind.
inline size_t BackToCharStart(const char* s, size_t size, size_t n) {
  while (n > 0 && n < size && IsContinuation(s[n])) --n;
  return n;
}
inline size_t BackToCharStart(std::string_view s, size_t n) { return BackToCharStart(s.data(), s.size(), n); }

// The bytes from s[i] up to the next byte that does not continue a
// sequence: one character when the text is well formed, one stray byte
// (with any continuation bytes after it) when not.
inline size_t RunLength(std::string_view s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && IsContinuation(s[i + n])) ++n;
  return n;
}

// Characters as the user counts them: every byte that does not continue a
// sequence starts one, so a stray byte counts as a character of its own.
inline size_t CountChars(std::string_view s) {
  size_t n = 0;
  for (char c : s) n += !IsContinuation(c);
  return n;
}

// The first `count` characters of s, as CountChars counts them.
inline std::string_view FirstChars(std::string_view s, size_t count) {
  size_t i = 0;
  for (size_t k = 0; k < count && i < s.size(); ++k) i += RunLength(s, i);
  return s.substr(0, i);
}

}  // namespace nbp::utf8
