// The host's settings file: an INI-style key file read with GLib's GKeyFile,
// at $NBUI_SETTINGS_FILE when that is set (tests point it at their own
// file), otherwise at $XDG_CONFIG_HOME/NbUI/settings.ini (~/.config when
// XDG_CONFIG_HOME is unset or not absolute).
//
// The parsed file is kept and parsed again only when the file changed (its
// identity, size or modification time did, or it changed in the last two
// seconds, when a further change might not show in them), so a change shows
// at the next read. A missing or unreadable file, a missing key or a value of
// the wrong kind gives the default. A corrupt file (one GKeyFile cannot
// parse, one holding a zero byte, or one over 1 MiB, which is never read)
// also reads as defaults, and it is never written over: the writers below
// refuse, so the program keeps running on defaults and the file stays for
// the user to repair. Carriage returns at the end of a line (before its
// line feed or at the end of the file) are part of the line break.
#pragma once

#include "mfc/cstring.h"
#include "nbhost_export.h"

NBHOST_API CString GetSettingsFilePath();

// TRUE when the key was found; strValue (nValue) then holds its value,
// otherwise the default. Text values are UTF-8 (GKeyFile's escapes such as
// "\s" for a leading space are understood); integers are decimal.
NBHOST_API BOOL ReadSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault = "");
NBHOST_API BOOL ReadSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int& nValue, int nDefault = 0);

// What the settings file is like right now.
enum NbSettingsFileState {
  NB_SETTINGS_FILE_MISSING,     // no file: defaults; the first write creates it
  NB_SETTINGS_FILE_OK,          // read and written normally
  NB_SETTINGS_FILE_UNREADABLE,  // there but not readable (permissions): defaults, never written
  NB_SETTINGS_FILE_CORRUPT,     // there but not a key file: defaults, never written
};
NBHOST_API NbSettingsFileState GetSettingsFileState();

// Stores a value, keeping everything else in the file (other keys, comments)
// and creating the file and its folder when there are none. The file is
// replaced in one step, so a crash leaves either the old or the new file;
// when the path is a symbolic link, the file it leads to is replaced (in its
// own folder) and the link stays. The file keeps its mode and owner; when
// the owner cannot be kept, the write is refused.
// FALSE, and nothing written, when the file is unreadable or corrupt, when
// it cannot be written, for a section or key the file cannot hold (empty,
// or with brackets, "=" in a key, line breaks, or a key with white space at
// either end) and for text that is not UTF-8 or begins with a form feed.
NBHOST_API BOOL WriteSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue);
NBHOST_API BOOL WriteSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue);

// The week start the date picker reads: nonzero low 16 bits of
// "WorkWeekBegins" in section "Dayleaf" mean the week begins on Monday. A
// missing setting is 0 (Sunday).
#define NB_SETTINGS_DAYLEAF "Dayleaf"
#define NB_SETTINGS_WORK_WEEK_BEGINS "WorkWeekBegins"
NBHOST_API int GetWorkWeekBegins();

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
