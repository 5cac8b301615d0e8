// CString's printf and message formatting, and the framework's string
// helpers built on them.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/cstring_internal.h"
#include "mfc/cstring.h"
#include "nbp/diag.h"
#include "nbp/utf8_step.h"
#include "win/resources.h"

using nbp::cstring_detail::IsAscii;
using nbp::cstring_detail::Len;
using nbp::cstring_detail::Safe;
using nbp::cstring_detail::SafeLen;

// --- Formatting

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  if (!lpszFormat || IS_INTRESOURCE(lpszFormat)) {
    Empty();
    return;
  }
  va_list probe;
  va_copy(probe, argList);
  int n = vsnprintf(nullptr, 0, lpszFormat, probe);
  va_end(probe);
  if (n <= 0) {
    Empty();
    return;
  }
  CString result;
  result.Alloc(n);
  vsnprintf(result.m_pchData, static_cast<size_t>(n) + 1, lpszFormat, argList);
  *this = std::move(result);
}

void CString::Format(LPCTSTR lpszFormat, ...) {
  va_list ap;
  va_start(ap, lpszFormat);
  FormatV(lpszFormat, ap);
  va_end(ap);
}

void CString::Format(UINT nFormatID, ...) {
  CString format;
  format.LoadString(nFormatID);
  va_list ap;
  va_start(ap, nFormatID);
  FormatV(format, ap);
  va_end(ap);
}

namespace {

// One %n insert of a message format, with its printf conversion.
struct MsgInsert {
  int number = 0;
  std::string conversion = "s";  // between the exclamation marks
};

enum class ArgKind { kString, kInt, kLong, kLongLong, kSize, kDouble, kPointer };

ArgKind KindOf(const std::string& conversionText) {
  char conv = conversionText.empty() ? 's' : conversionText.back();
  if (conv == 's' || conv == 'S') return ArgKind::kString;
  if (conv == 'p') return ArgKind::kPointer;
  if (strchr("eEfFgGaA", conv)) return ArgKind::kDouble;
  if (conversionText.find("I64") != std::string::npos || conversionText.find("ll") != std::string::npos) return ArgKind::kLongLong;
  if (conversionText.find('z') != std::string::npos || conversionText.find('I') != std::string::npos) return ArgKind::kSize;
  if (conversionText.find('l') != std::string::npos) return ArgKind::kLong;
  return ArgKind::kInt;
}

// The printf form of a message conversion: I64 becomes ll, I becomes z.
std::string PrintfConversion(const std::string& conversionText) {
  std::string out = "%";
  for (size_t i = 0; i < conversionText.size(); ++i) {
    if (conversionText.compare(i, 3, "I64") == 0) {
      out += "ll";
      i += 2;
    } else if (conversionText[i] == 'I') {
      out += 'z';
    } else if (conversionText[i] == 'S') {
      out += 's';
    } else if (conversionText[i] != '*') {  // widths from the argument list are not supported
      out += conversionText[i];
    }
  }
  return out;
}

struct ArgValue {
  ArgKind kind = ArgKind::kString;
  const char* s = nullptr;
  long long i = 0;
  double d = 0;
  const void* p = nullptr;
};

bool ValidConversion(const std::string& conversionText) {
  if (conversionText.empty()) return false;
  for (char c : conversionText)
    if (!strchr("-+ #0123456789.hlLzjtI64diouxXcsSpeEfFgGaA", c)) return false;
  return strchr("diouxXcsSpeEfFgGaA", conversionText.back()) != nullptr;
}

// Reads "%12!conversionText!" starting after the '%'; returns false when it is not an
// insert (the caller then treats the character after '%' literally).
bool ParseInsert(const char*& p, MsgInsert& ins) {
  if (*p < '1' || *p > '9') return false;
  int n = *p++ - '0';
  if (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
  ins.number = n;
  ins.conversion.assign(1, 's');  // (a plain literal assignment trips a false -Wrestrict in GCC 12)
  if (*p == '!') {
    const char* close = strchr(p + 1, '!');
    if (close) {
      std::string conversionText(p + 1, static_cast<size_t>(close - p - 1));
      if (ValidConversion(conversionText)) {
        ins.conversion = conversionText;
        p = close + 1;
      }
    }
  }
  return true;
}

std::string FormatArg(const std::string& conversionText, const ArgValue& v) {
  std::string fmt = PrintfConversion(conversionText);
  char small[64];
  auto run = [&](auto value) {
    int n = snprintf(small, sizeof small, fmt.c_str(), value);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    snprintf(big.data(), big.size(), fmt.c_str(), value);
    big.resize(static_cast<size_t>(n));
    return big;
  };
  switch (v.kind) {
    case ArgKind::kString: return run(v.s ? v.s : "(null)");
    case ArgKind::kInt: return run(static_cast<int>(v.i));
    case ArgKind::kLong: return run(static_cast<long>(v.i));
    case ArgKind::kLongLong: return run(v.i);
    case ArgKind::kSize: return run(static_cast<size_t>(v.i));
    case ArgKind::kDouble: return run(v.d);
    case ArgKind::kPointer: return run(v.p);
  }
  return std::string();
}

std::string FormatMessageText(const char* format, va_list args) {
  // First pass: which inserts exist and how each argument is to be read.
  // Arguments come in numeric order; an unreferenced one is read as a
  // pointer-sized string argument so the following ones line up.
  std::vector<std::string> specs;
  for (const char* p = format; *p;) {
    if (*p++ != '%') continue;
    MsgInsert ins;
    if (ParseInsert(p, ins)) {
      if (specs.size() < static_cast<size_t>(ins.number)) specs.resize(static_cast<size_t>(ins.number));
      if (specs[ins.number - 1].empty()) specs[ins.number - 1] = ins.conversion;
    } else if (*p) {
      ++p;
    }
  }
  std::vector<ArgValue> values(specs.size());
  for (size_t i = 0; i < specs.size(); ++i) {
    ArgValue& v = values[i];
    v.kind = KindOf(specs[i].empty() ? "s" : specs[i]);
    switch (v.kind) {
      case ArgKind::kString: v.s = va_arg(args, const char*); break;
      case ArgKind::kInt: v.i = va_arg(args, int); break;
      case ArgKind::kLong: v.i = va_arg(args, long); break;
      case ArgKind::kLongLong: v.i = va_arg(args, long long); break;
      case ArgKind::kSize: v.i = static_cast<long long>(va_arg(args, size_t)); break;
      case ArgKind::kDouble: v.d = va_arg(args, double); break;
      case ArgKind::kPointer: v.p = va_arg(args, const void*); break;
    }
  }
  // Second pass: the text.
  std::string out;
  for (const char* p = format; *p;) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    ++p;
    MsgInsert ins;
    if (ParseInsert(p, ins)) {
      // Each insert is read with the conversion of its first occurrence.
      const std::string& conversionText = specs[ins.number - 1];
      out += FormatArg(conversionText, values[ins.number - 1]);
      continue;
    }
    char c = *p;
    if (c == '\0') break;
    ++p;
    switch (c) {
      case '0': return out;
      case 'n': out += "\r\n"; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'b': out += ' '; break;
      default: out += c; break;
    }
  }
  return out;
}

}  // namespace

void CString::FormatMessage(LPCTSTR lpszFormat, ...) {
  va_list ap;
  va_start(ap, lpszFormat);
  std::string text = FormatMessageText(Safe(lpszFormat), ap);
  va_end(ap);
  Assign(text.data(), SafeLen(text.size()));
}

void CString::FormatMessage(UINT nFormatID, ...) {
  CString format;
  format.LoadString(nFormatID);
  va_list ap;
  va_start(ap, nFormatID);
  std::string text = FormatMessageText(format, ap);
  va_end(ap);
  Assign(text.data(), SafeLen(text.size()));
}

// --- String helpers

void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString) {
  const char* p = Safe(lpszFormat);
  std::string out;
  while (*p) {
    char c1 = p[1];
    if (p[0] == '%' && ((c1 >= '0' && c1 <= '9') || (c1 >= 'A' && c1 <= 'Z'))) {
      int i = c1 > '9' ? 9 + (c1 - 'A') : c1 - '1';
      p += 2;
      if (i < 0 || i >= nString || !rglpsz)
        out += '?';
      else if (rglpsz[i])
        out += rglpsz[i];
      continue;
    }
    size_t clen = nbp::utf8::CharLen(p);
    out.append(p, clen);
    p += clen;
  }
  rString = CString(out.data(), SafeLen(out.size()));
}

void AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString) {
  CString format;
  if (!format.LoadString(nIDS)) {
#if NBP_DEBUG_CHECKS
    nbp::diag::Trace("Error: failed to load AfxFormatString string 0x%04x.\n", nIDS);
#endif
    return;
  }
  AfxFormatStrings(rString, format, rglpsz, nString);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) { AfxFormatStrings(rString, nIDS, &lpsz1, 1); }

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  LPCTSTR strings[2] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, nIDS, strings, 2);
}

BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep) {
  if (!lpszFullString || IS_INTRESOURCE(lpszFullString)) return FALSE;
  if (iSubString < 0) {
    rString.Empty();
    return FALSE;
  }
  const char* p = lpszFullString;
  // The separator is a single byte; stepping by characters keeps it from
  // matching inside a multibyte character.
  auto next = [chSep](const char* s) -> const char* {
    for (; *s; s += nbp::utf8::CharLen(s))
      if (*s == chSep && (IsAscii(chSep) || nbp::utf8::CharLen(s) == 1)) return s;
    return nullptr;
  };
  while (iSubString-- > 0) {
    p = next(p);
    if (!p) {
      rString.Empty();
      return FALSE;
    }
    ++p;
  }
  const char* end = next(p);
  int n = end ? static_cast<int>(end - p) : Len(p);
  rString = CString(p, n);
  return TRUE;
}
