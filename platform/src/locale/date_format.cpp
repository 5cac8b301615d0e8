// GetDateFormatA and GetTimeFormatA.
#include <bit>
#include <ctime>

#include "nbp/civil.h"
#include "locale/locale_internal.h"
#include "locale/picture.h"
#include "nbp/clock.h"
#include "nbp/time_parts.h"

namespace {

SYSTEMTIME LocalNow() {
  time_t now = nbp::clock::WallTime();
  struct tm t{};
  localtime_r(&now, &t);
  return nbp::time_parts::ToSystemTime(t);
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

int GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr,
                   int cchDate) {
  constexpr DWORD kPictureFlags = DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH;
  constexpr DWORD kKnown =
      kPictureFlags | DATE_USE_ALT_CALENDAR | DATE_LTRREADING | DATE_RTLREADING | LOCALE_NOUSEROVERRIDE;
  if (dwFlags & ~kKnown) return Fail(ERROR_INVALID_FLAGS);
  DWORD picture = dwFlags & kPictureFlags;
  if (std::popcount(picture) > 1 || (lpFormat && picture)) return Fail(ERROR_INVALID_FLAGS);
  const nbp::regional::Settings* s = nbp::locale_internal::SettingsFor(Locale, dwFlags & LOCALE_NOUSEROVERRIDE);
  if (!s) return 0;

  SYSTEMTIME st = lpDate ? *lpDate : LocalNow();
  if (st.wYear < 1601) return Fail(ERROR_INVALID_PARAMETER);
  st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;  // a date picture shows no time

  std::string pic = lpFormat                        ? std::string(lpFormat)
                    : picture == DATE_LONGDATE      ? s->longDate
                    : picture == DATE_YEARMONTH     ? s->yearMonth
                                                    : s->shortDate;
  auto text = nbp::locale_internal::Format(*s, false, pic, st, true);
  if (!text) return Fail(ERROR_INVALID_PARAMETER);
  return nbp::locale_internal::ReturnString(*text, lpDateStr, cchDate);
}

int GetTimeFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCSTR lpFormat, LPSTR lpTimeStr,
                   int cchTime) {
  constexpr DWORD kKnown = TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER |
                           TIME_FORCE24HOURFORMAT | LOCALE_NOUSEROVERRIDE;
  if (dwFlags & ~kKnown) return Fail(ERROR_INVALID_FLAGS);
  const nbp::regional::Settings* s = nbp::locale_internal::SettingsFor(Locale, dwFlags & LOCALE_NOUSEROVERRIDE);
  if (!s) return 0;

  SYSTEMTIME st = lpTime ? *lpTime : LocalNow();
  std::string pic = lpFormat ? std::string(lpFormat) : s->longTime;
  if (dwFlags & TIME_FORCE24HOURFORMAT) pic = nbp::picture::To24Hour(pic);
  if (dwFlags & TIME_NOTIMEMARKER) pic = nbp::picture::RemoveFields(pic, "abB");
  if (dwFlags & TIME_NOMINUTESORSECONDS) pic = nbp::picture::RemoveFields(pic, "ms");
  else if (dwFlags & TIME_NOSECONDS) pic = nbp::picture::RemoveFields(pic, "s");

  auto text = nbp::locale_internal::Format(*s, true, pic, st, false);
  if (!text) return Fail(ERROR_INVALID_PARAMETER);
  return nbp::locale_internal::ReturnString(*text, lpTimeStr, cchTime);
}
