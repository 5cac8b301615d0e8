// Formatting with ICU pictures, and the buffer protocol of the "A" functions.
#include <unicode/dtfmtsym.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "nbp/civil.h"
#include "locale/locale_internal.h"

namespace nbp::locale_internal {
namespace {

// Creating an ICU formatter costs far more than using one, and callers
// format with the same few pictures over and over.
struct CachedFormatter {
  std::string key;
  std::unique_ptr<icu::SimpleDateFormat> format;
};

constexpr size_t kCacheSize = 8;

icu::SimpleDateFormat* Formatter(const regional::Settings& s, bool gregorian, std::string_view picture) {
  thread_local std::vector<CachedFormatter> cache;
  std::string locale = CalendarLocale(s, gregorian);
  std::string key = locale;
  for (std::string_view part : {picture, std::string_view(s.am), std::string_view(s.pm)}) {
    key += '\x1f';
    key += part;
  }
  for (size_t i = 0; i < cache.size(); ++i) {
    if (cache[i].key != key) continue;
    if (i > 0) std::rotate(cache.begin(), cache.begin() + i, cache.begin() + i + 1);
    return cache.front().format.get();
  }

  UErrorCode status = U_ZERO_ERROR;
  auto format = std::make_unique<icu::SimpleDateFormat>(
      icu::UnicodeString::fromUTF8(icu::StringPiece(picture.data(), static_cast<int32_t>(picture.size()))),
      icu::Locale(locale.c_str()), status);
  if (U_FAILURE(status)) return nullptr;
  format->setTimeZone(*icu::TimeZone::getGMT());
  // Dates before 1582 count in the same Gregorian calendar as the rest.
  if (auto* greg = dynamic_cast<const icu::GregorianCalendar*>(format->getCalendar())) {
    std::unique_ptr<icu::GregorianCalendar> proleptic(greg->clone());
    proleptic->setGregorianChange(U_DATE_MIN, status);
    if (U_SUCCESS(status)) format->setCalendar(*proleptic);
    status = U_ZERO_ERROR;
  }
  icu::DateFormatSymbols symbols(*format->getDateFormatSymbols());
  icu::UnicodeString ampm[2] = {icu::UnicodeString::fromUTF8(s.am), icu::UnicodeString::fromUTF8(s.pm)};
  symbols.setAmPmStrings(ampm, 2);
  format->setDateFormatSymbols(symbols);

  if (cache.size() == kCacheSize) cache.pop_back();
  cache.insert(cache.begin(), CachedFormatter{std::move(key), std::move(format)});
  return cache.front().format.get();
}

}  // namespace

std::optional<std::string> Format(const regional::Settings& s, bool gregorian, std::string_view picture,
                                  const SYSTEMTIME& st, bool withDate) {
  if (withDate && !civil::ValidDate(st.wYear, st.wMonth, st.wDay, 1, 30827)) return std::nullopt;
  if (!civil::ValidTime(st.wHour, st.wMinute, st.wSecond)) return std::nullopt;
  icu::SimpleDateFormat* format = Formatter(s, gregorian, picture);
  if (!format) return std::nullopt;

  int64_t days = withDate ? civil::DaysFromCivil(st.wYear, st.wMonth, st.wDay) : 0;
  double ms = static_cast<double>(days) * 86400000.0 +
              ((st.wHour * 60.0 + st.wMinute) * 60.0 + st.wSecond) * 1000.0;
  icu::UnicodeString text;
  format->format(ms, text);
  std::string out;
  text.toUTF8String(out);
  return out;
}

int ReturnString(std::string_view value, LPSTR buffer, int cch) {
  int needed = static_cast<int>(value.size()) + 1;
  if (cch < 0 || (cch > 0 && !buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (cch == 0) return needed;
  if (cch < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, value.data(), value.size());
  buffer[value.size()] = '\0';
  return needed;
}

}  // namespace nbp::locale_internal
