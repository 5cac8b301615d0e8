// The regional settings, read from ICU's data for the process locale and
// adjusted by the user's overrides.
#include "nbp/regional.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <cstdlib>
#include <memory>

#include "locale/locale_internal.h"
#include "locale/picture.h"

namespace nbp::regional {
namespace {

struct State {
  bool built = false;
  std::string testLocale;  // empty: the environment's
  Overrides overrides;
  std::function<Overrides()> source;
  Settings current;
  unsigned generation = 1;
};

State& S() {
  static State state;
  return state;
}

std::string ToUtf8(const icu::UnicodeString& u) {
  std::string s;
  u.toUTF8String(s);
  return s;
}

// "de_DE.UTF-8@euro" -> "de_DE"; ICU keywords after '@' are kept.
std::string PosixToIcu(std::string_view posix) {
  std::string_view base = posix.substr(0, posix.find_first_of(".@"));
  std::string keywords;
  size_t at = posix.find('@');
  if (at != std::string_view::npos && posix.find('=', at) != std::string_view::npos)
    keywords = std::string(posix.substr(at));
  if (base.empty() || base == "C" || base == "POSIX") return "en_US" + keywords;
  return std::string(base) + keywords;
}

std::string PatternOf(icu::DateFormat* f) {
  auto* sdf = dynamic_cast<icu::SimpleDateFormat*>(f);
  std::unique_ptr<icu::DateFormat> owner(f);
  if (!sdf) return {};
  icu::UnicodeString pattern;
  sdf->toPattern(pattern);
  return picture::PlainSpaces(ToUtf8(pattern));
}

bool IsSeparator(const std::string& s) {
  if (s.empty() || s.size() > 3) return false;
  for (unsigned char c : s)
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'' || c < 0x20)
      return false;
  return true;
}

bool IsDesignator(const std::string& s) { return s.size() <= 31 && s.find('\0') == std::string::npos; }

void CopyNames(const icu::UnicodeString* names, int32_t count, int32_t first, std::string* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = first + i < count ? ToUtf8(names[first + i]) : std::string();
}

Settings Build(std::string_view localeId, const Overrides* ov) {
  Settings s;
  icu::Locale requested(std::string(localeId).c_str());
  s.locale = requested.getBaseName();
  if (s.locale.empty()) s.locale = "en_US";

  UErrorCode status = U_ZERO_ERROR;
  char calendar[32] = "";
  requested.getKeywordValue("calendar", calendar, sizeof calendar, status);
  s.calendarType = std::string_view(calendar) == "japanese" ? 3 : 1;
  if (ov && ov->calendarType && (*ov->calendarType == 1 || *ov->calendarType == 3)) s.calendarType = *ov->calendarType;

  icu::Locale greg(locale_internal::CalendarLocale(s, true).c_str());
  icu::Locale active(locale_internal::CalendarLocale(s, false).c_str());

  s.gregorianShortDate = PatternOf(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, greg));
  s.gregorianLongDate = PatternOf(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, greg));
  s.shortTime = PatternOf(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, greg));
  s.longTime = PatternOf(icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, greg));
  if (s.calendarType == 1) {
    s.shortDate = s.gregorianShortDate;
    s.longDate = s.gregorianLongDate;
  } else {
    s.shortDate = PatternOf(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, active));
    s.longDate = PatternOf(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, active));
  }
  status = U_ZERO_ERROR;
  std::unique_ptr<icu::DateTimePatternGenerator> gen(icu::DateTimePatternGenerator::createInstance(active, status));
  if (U_SUCCESS(status)) s.yearMonth = picture::PlainSpaces(ToUtf8(gen->getBestPattern("yMMMM", status)));
  if (U_FAILURE(status) || s.yearMonth.empty()) s.yearMonth = "MMMM y";

  status = U_ZERO_ERROR;
  icu::DateFormatSymbols symbols(greg, status);
  if (U_SUCCESS(status)) {
    using DFS = icu::DateFormatSymbols;
    int32_t n = 0;
    const icu::UnicodeString* names = symbols.getWeekdays(n, DFS::FORMAT, DFS::WIDE);
    CopyNames(names, n, 1, s.dayNames, 7);  // ICU counts weekdays from 1
    names = symbols.getWeekdays(n, DFS::FORMAT, DFS::ABBREVIATED);
    CopyNames(names, n, 1, s.abbrevDayNames, 7);
    names = symbols.getMonths(n, DFS::FORMAT, DFS::WIDE);
    CopyNames(names, n, 0, s.monthNames, 12);
    names = symbols.getMonths(n, DFS::FORMAT, DFS::ABBREVIATED);
    CopyNames(names, n, 0, s.abbrevMonthNames, 12);
    names = symbols.getMonths(n, DFS::STANDALONE, DFS::WIDE);
    CopyNames(names, n, 0, s.standaloneMonthNames, 12);
    names = symbols.getMonths(n, DFS::STANDALONE, DFS::ABBREVIATED);
    CopyNames(names, n, 0, s.standaloneAbbrevMonthNames, 12);
    names = symbols.getAmPmStrings(n);
    s.am = n > 0 ? ToUtf8(names[0]) : "AM";
    s.pm = n > 1 ? ToUtf8(names[1]) : "PM";
  }

  status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(greg, status));
  if (U_SUCCESS(status)) s.firstDayOfWeek = (static_cast<int>(cal->getFirstDayOfWeek(status)) + 5) % 7;

  status = U_ZERO_ERROR;
  icu::DecimalFormatSymbols numbers(greg, status);
  s.decimal = U_SUCCESS(status) ? ToUtf8(numbers.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol)) : ".";
  s.thousand = U_SUCCESS(status) ? ToUtf8(numbers.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol)) : ",";
  s.thousand = picture::PlainSpaces(s.thousand);

  // The user's choices, in the order a regional-settings panel applies them:
  // the picture first, then the separators rewrite it.
  if (ov && ov->shortDate && picture::IsNumericDatePicture(*ov->shortDate)) {
    s.gregorianShortDate = *ov->shortDate;
    if (s.calendarType == 1) s.shortDate = *ov->shortDate;
  }
  s.dateSeparator = picture::DateSeparator(s.gregorianShortDate);
  if (ov && ov->dateSeparator && IsSeparator(*ov->dateSeparator) && *ov->dateSeparator != s.dateSeparator) {
    const std::string& to = *ov->dateSeparator;
    s.shortDate = picture::ReplaceDateSeparator(s.shortDate, s.dateSeparator, to);
    s.gregorianShortDate = picture::ReplaceDateSeparator(s.gregorianShortDate, s.dateSeparator, to);
    s.dateSeparator = to;
  }
  if (ov && ov->use24Hour) {
    s.shortTime = *ov->use24Hour ? picture::To24Hour(s.shortTime) : picture::To12Hour(s.shortTime);
    s.longTime = *ov->use24Hour ? picture::To24Hour(s.longTime) : picture::To12Hour(s.longTime);
  }
  s.use24Hour = picture::Is24Hour(s.shortTime);
  s.timeSeparator = picture::TimeSeparator(s.shortTime);
  if (ov && ov->timeSeparator && IsSeparator(*ov->timeSeparator) && *ov->timeSeparator != s.timeSeparator) {
    const std::string& to = *ov->timeSeparator;
    s.shortTime = picture::ReplaceTimeSeparator(s.shortTime, s.timeSeparator, to);
    s.longTime = picture::ReplaceTimeSeparator(s.longTime, s.timeSeparator, to);
    s.timeSeparator = to;
  }
  if (ov && ov->am && IsDesignator(*ov->am)) s.am = *ov->am;
  if (ov && ov->pm && IsDesignator(*ov->pm)) s.pm = *ov->pm;
  return s;
}

void Rebuild() {
  State& st = S();
  st.current = Build(locale_internal::ProcessLocaleId(), &st.overrides);
  st.built = true;
  ++st.generation;
}

}  // namespace

const Settings& Current() {
  if (!S().built) Rebuild();
  return S().current;
}

unsigned Generation() {
  Current();
  return S().generation;
}

Settings ForLocale(std::string_view icuLocale) { return Build(icuLocale, nullptr); }

void SetOverrides(const Overrides& overrides) {
  S().overrides = overrides;
  Rebuild();
}

const Overrides& CurrentOverrides() { return S().overrides; }

void SetOverrideSource(std::function<Overrides()> source) { S().source = std::move(source); }

void Reload() {
  State& st = S();
  if (st.source) st.overrides = st.source();
  Rebuild();
}

void SetLocaleForTest(std::string_view icuLocale) {
  S().testLocale = std::string(icuLocale);
  Rebuild();
}

std::string FormatPicture(std::string_view picture, const SYSTEMTIME& st, bool gregorian) {
  return locale_internal::Format(Current(), gregorian, picture, st, true).value_or(std::string());
}

}  // namespace nbp::regional

namespace nbp::locale_internal {

std::string ProcessLocaleId() {
  const std::string& test = regional::S().testLocale;
  if (!test.empty()) return test;
  for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return regional::PosixToIcu(value);
  }
  return "en_US";
}

std::string CalendarLocale(const regional::Settings& s, bool gregorian) {
  return s.locale + (gregorian || s.calendarType != 3 ? "@calendar=gregorian" : "@calendar=japanese");
}

}  // namespace nbp::locale_internal
