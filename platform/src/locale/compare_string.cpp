// CompareStringA over ICU collation.
#include <unicode/coll.h>

#include <cstring>
#include <map>
#include <memory>

#include "locale/locale_internal.h"

namespace {

constexpr DWORD kKnownFlags = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS | NORM_IGNOREKANATYPE |
                              NORM_IGNOREWIDTH | SORT_STRINGSORT | LOCALE_NOUSEROVERRIDE;

icu::Collator* CollatorFor(const std::string& locale, DWORD flags) {
  thread_local std::map<std::string, std::unique_ptr<icu::Collator>> cache;
  std::string key = locale + '#' + std::to_string(flags & ~(SORT_STRINGSORT | LOCALE_NOUSEROVERRIDE));
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();

  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale(locale.c_str()), status));
  if (U_FAILURE(status)) return nullptr;
  // Case, width and kana type are tertiary differences; accents secondary.
  bool ignoreTertiary = flags & (NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE);
  if (flags & NORM_IGNORENONSPACE) {
    c->setStrength(icu::Collator::PRIMARY);
  } else if (ignoreTertiary) {
    c->setStrength(icu::Collator::SECONDARY);
  }
  if (!(flags & NORM_IGNORECASE) && (flags & (NORM_IGNORENONSPACE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE)))
    c->setAttribute(UCOL_CASE_LEVEL, UCOL_ON, status);
  if (flags & NORM_IGNORESYMBOLS) {
    c->setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, status);
    c->setMaxVariable(UCOL_REORDER_CODE_SYMBOL, status);
    if (c->getStrength() > icu::Collator::TERTIARY) c->setStrength(icu::Collator::TERTIARY);
  }
  if (U_FAILURE(status)) return nullptr;
  return cache.emplace(key, std::move(c)).first->second.get();
}

std::string WithoutHyphens(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s)
    if (ch != '-' && ch != '\'') out += ch;
  return out;
}

}  // namespace

int CompareStringA(LCID Locale, DWORD dwCmpFlags, LPCSTR lpString1, int cchCount1, LPCSTR lpString2,
                   int cchCount2) {
  if (!lpString1 || !lpString2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (dwCmpFlags & ~kKnownFlags) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const nbp::regional::Settings* s = nbp::locale_internal::SettingsFor(Locale, LOCALE_NOUSEROVERRIDE);
  if (!s) return 0;
  icu::Collator* coll = CollatorFor(s->locale, dwCmpFlags);
  if (!coll) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string_view a(lpString1, cchCount1 < 0 ? std::strlen(lpString1) : static_cast<size_t>(cchCount1));
  std::string_view b(lpString2, cchCount2 < 0 ? std::strlen(lpString2) : static_cast<size_t>(cchCount2));

  auto compare = [coll](std::string_view x, std::string_view y) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = coll->compareUTF8(icu::StringPiece(x.data(), static_cast<int32_t>(x.size())),
                                           icu::StringPiece(y.data(), static_cast<int32_t>(y.size())), status);
    return U_FAILURE(status) ? UCOL_EQUAL : r;
  };
  UCollationResult r = UCOL_EQUAL;
  // A word sort weighs hyphens and apostrophes only when the words are
  // otherwise equal.
  if (!(dwCmpFlags & SORT_STRINGSORT) && (a.find_first_of("-'") != a.npos || b.find_first_of("-'") != b.npos))
    r = compare(WithoutHyphens(a), WithoutHyphens(b));
  if (r == UCOL_EQUAL) r = compare(a, b);
  return r == UCOL_LESS ? CSTR_LESS_THAN : r == UCOL_EQUAL ? CSTR_EQUAL : CSTR_GREATER_THAN;
}
