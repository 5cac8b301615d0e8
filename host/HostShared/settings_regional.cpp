// The user's regional choices from the settings file, handed to the
// platform's regional settings.
#include "HostShared/settings.h"
#include "nbp/regional.h"

namespace {

void ReadText(LPCTSTR key, std::optional<std::string>& out) {
  CString value;
  if (ReadSettingString(NB_SETTINGS_INTERNATIONAL, key, value)) out = std::string(value, value.GetLength());
}

nbp::regional::Overrides ReadOverrides() {
  nbp::regional::Overrides o;
  ReadText("sShortDate", o.shortDate);
  ReadText("sDate", o.dateSeparator);
  ReadText("sTime", o.timeSeparator);
  ReadText("s1159", o.am);
  ReadText("s2359", o.pm);
  int value = 0;
  if (ReadSettingInt(NB_SETTINGS_INTERNATIONAL, "iTime", value) && (value == 0 || value == 1)) o.use24Hour = value == 1;
  if (ReadSettingInt(NB_SETTINGS_INTERNATIONAL, "iCalendarType", value)) o.calendarType = value;
  return o;
}

}  // namespace

void ApplyRegionalSettings() {
  nbp::regional::SetOverrideSource(ReadOverrides);
  nbp::regional::Reload();
}
