#include "HostShared/settings.h"

#include <glib.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "HostShared/settings_file.h"
#include "HostShared/settings_text.h"

namespace {

using nbhost::KeyFile;

std::string SettingsPath() {
  const char* file = std::getenv("NBUI_SETTINGS_FILE");
  if (file && *file) return file;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string dir = config && config[0] == '/' ? std::string(config) : std::string(g_get_home_dir()) + "/.config";
  return dir + "/NbUI/settings.ini";
}

// The file as last parsed. Readers come often (one per calendar of a
// picker), so the file is parsed again only when its stamp changed, or when
// it changed so recently that a further change might not show in its stamp.
struct Parsed {
  std::string path;
  nbhost::FileStamp stamp;
  bool trusted = false;  // the stamp alone tells whether the file changed
  NbSettingsFileState state = NB_SETTINGS_FILE_MISSING;
  KeyFile file;          // comments kept, for writing it back; null unless OK
};

std::mutex g_lock;

Parsed& Cache() {
  static Parsed parsed;
  return parsed;
}

NbSettingsFileState StateOf(nbhost::FileRead read) {
  switch (read) {
    case nbhost::FileRead::kMissing: return NB_SETTINGS_FILE_MISSING;
    case nbhost::FileRead::kUnreadable: return NB_SETTINGS_FILE_UNREADABLE;
    case nbhost::FileRead::kTooLarge: return NB_SETTINGS_FILE_CORRUPT;
    case nbhost::FileRead::kRead: return NB_SETTINGS_FILE_OK;
  }
  return NB_SETTINGS_FILE_UNREADABLE;
}

// Reads and parses the file at c.path into c.
void Parse(Parsed& c) {
  std::string bytes;
  nbhost::FileStamp stamp;
  nbhost::FileRead read = nbhost::ReadFileCapped(c.path, bytes, stamp);
  c.stamp = stamp;
  c.trusted = read != nbhost::FileRead::kMissing && read != nbhost::FileRead::kUnreadable && !nbhost::IsRecent(stamp);
  c.state = StateOf(read);
  c.file.reset();
  if (read != nbhost::FileRead::kRead) return;
  c.file = nbhost::ParseSettingsText(bytes);
  if (!c.file) c.state = NB_SETTINGS_FILE_CORRUPT;
}

// The settings file as it is now; call with g_lock held.
Parsed& Current() {
  Parsed& c = Cache();
  std::string path = SettingsPath();
  nbhost::FileStamp stamp;
  nbhost::FileRead found = nbhost::StampFile(path, stamp);
  if (found == nbhost::FileRead::kMissing || found == nbhost::FileRead::kUnreadable) {
    // Nothing to parse; nothing kept that could outlive the file.
    c = Parsed{path, stamp, false, StateOf(found), nullptr};
    return c;
  }
  if (c.path != path || !c.trusted || !(c.stamp == stamp)) {
    c.path = path;
    Parse(c);
  }
  return c;
}

// The key file to change, or null when the file must not be written.
GKeyFile* ForWriting(Parsed& c) {
  if (c.state == NB_SETTINGS_FILE_MISSING) c.file.reset(g_key_file_new());
  return c.state == NB_SETTINGS_FILE_MISSING || c.state == NB_SETTINGS_FILE_OK ? c.file.get() : nullptr;
}

// Writes the changed key file. The kept copy then holds what the file holds
// (it is parsed again at the next read all the same, as the file is new); a
// copy that could not be written is dropped, so the next read sees the file.
BOOL Save(Parsed& c) {
  bool ok = nbhost::ReplaceFile(c.path, nbhost::SettingsText(c.file.get()));
  c.trusted = false;
  if (!ok) c = Parsed{};
  else c.state = NB_SETTINGS_FILE_OK;
  return ok ? TRUE : FALSE;
}

}  // namespace

CString GetSettingsFilePath() {
  std::string path = SettingsPath();
  return CString(path.c_str(), static_cast<int>(path.size()));
}

BOOL ReadSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault) {
  strValue = lpszDefault;
  std::string value;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    if (!nbhost::GetSettingText(Current().file.get(), lpszSection, lpszKey, value)) return FALSE;
  }
  strValue = CString(value.data(), static_cast<int>(value.size()));
  return TRUE;
}

BOOL ReadSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int& nValue, int nDefault) {
  nValue = nDefault;
  std::lock_guard<std::mutex> hold(g_lock);
  return nbhost::GetSettingNumber(Current().file.get(), lpszSection, lpszKey, nValue) ? TRUE : FALSE;
}

NbSettingsFileState GetSettingsFileState() {
  std::lock_guard<std::mutex> hold(g_lock);
  return Current().state;
}

BOOL WriteSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  if (!nbhost::CanStoreSetting(lpszSection, lpszKey, lpszValue)) return FALSE;
  std::lock_guard<std::mutex> hold(g_lock);
  Parsed& c = Current();
  GKeyFile* file = ForWriting(c);
  if (!file) return FALSE;
  g_key_file_set_string(file, lpszSection, lpszKey, lpszValue ? lpszValue : "");
  return Save(c);
}

BOOL WriteSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue) {
  if (!nbhost::CanStoreSetting(lpszSection, lpszKey, nullptr)) return FALSE;
  std::lock_guard<std::mutex> hold(g_lock);
  Parsed& c = Current();
  GKeyFile* file = ForWriting(c);
  if (!file) return FALSE;
  g_key_file_set_integer(file, lpszSection, lpszKey, nValue);
  return Save(c);
}

int GetWorkWeekBegins() {
  int value = 0;
  ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, value, 0);
  return value;
}
