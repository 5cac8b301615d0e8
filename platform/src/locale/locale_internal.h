// What the locale functions, the date types and the regional settings share
// inside the locale part of the platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "nbp/regional.h"
#include "win/locale.h"

namespace nbp::locale_internal {

// The locale id the process runs in (an ICU id, keywords kept), before the
// user's overrides.
std::string ProcessLocaleId();

// The settings an LCID stands for, or null for an LCID ICU does not know
// (the last error is then set). The pointer stays valid until the regional
// settings change.
const regional::Settings* SettingsFor(LCID lcid, DWORD flags);

// The ICU id of a settings' locale with its calendar as a keyword.
std::string CalendarLocale(const regional::Settings& s, bool gregorian);

// Formats with an ICU picture in the settings' language, designators and
// (unless gregorian) calendar. Null for an unreadable picture or a date or
// time out of range; withDate false checks only the time of day.
std::optional<std::string> Format(const regional::Settings& s, bool gregorian, std::string_view picture,
                                  const SYSTEMTIME& st, bool withDate);

// The Windows buffer protocol of the "A" functions: copies value and its
// terminating zero, or with cch 0 only measures. Returns the bytes counted
// with the zero, or 0 with ERROR_INSUFFICIENT_BUFFER.
int ReturnString(std::string_view value, LPSTR buffer, int cch);

}  // namespace nbp::locale_internal
