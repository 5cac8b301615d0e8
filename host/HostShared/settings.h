// The host's settings file: an INI-style key file read with GLib's GKeyFile,
// at $NBUI_SETTINGS_FILE when that is set (tests point it at their own
// file), otherwise at $XDG_CONFIG_HOME/NbUI/settings.ini (~/.config when
// XDG_CONFIG_HOME is unset or not absolute).
//
// The file is read on every call, so a change to it shows at once. A missing
// or unreadable file, a missing key or a value of the wrong kind gives the
// default.
#pragma once

#include "mfc/cstring.h"

#ifndef NBHOST_API
#define NBHOST_API __attribute__((visibility("default")))
#endif

NBHOST_API CString GetSettingsFilePath();

// TRUE when the key was found; strValue (nValue) then holds its value,
// otherwise the default. Text values are UTF-8 (GKeyFile's escapes such as
// "\s" for a leading space are understood); integers are decimal.
NBHOST_API BOOL ReadSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault = "");
NBHOST_API BOOL ReadSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int& nValue, int nDefault = 0);

// The user's regional choices live in section "International", under the
// names a regional-settings panel gives them:
//   sShortDate     short date picture ("dd.MM.yyyy"; d, M and y fields only)
//   sDate, sTime   date and time separators
//   iTime          0 for a 12-hour clock, 1 for a 24-hour clock
//   s1159, s2359   morning and afternoon designators
//   iCalendarType  1 Gregorian, 3 Japanese era
// ApplyRegionalSettings makes the platform's regional settings read them
// (now, and whenever nbp::regional::Reload runs); a host program calls it
// once at start-up.
#define NB_SETTINGS_INTERNATIONAL "International"
NBHOST_API void ApplyRegionalSettings();
