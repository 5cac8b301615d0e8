#include "HostShared/settings.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "HostShared/settings_file.h"

namespace {

struct KeyFileDeleter {
  void operator()(GKeyFile* f) const { g_key_file_free(f); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

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
  KeyFile file(g_key_file_new());
  if (!g_key_file_load_from_data(file.get(), bytes.data(), bytes.size(),
                                 static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
                                 nullptr)) {
    c.state = NB_SETTINGS_FILE_CORRUPT;
    return;
  }
  c.file = std::move(file);
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

// Names GKeyFile can write and read back. Anything else would be dropped
// (or, for text that is not UTF-8, would make the whole file unreadable).
bool Writable(LPCTSTR section, LPCTSTR key, LPCTSTR value) {
  if (!section || !key || !*section || !*key) return false;
  if (std::strpbrk(section, "[]\r\n") || std::strpbrk(key, "[]=\r\n")) return false;
  if (g_ascii_isspace(key[0]) || g_ascii_isspace(key[std::strlen(key) - 1])) return false;
  return g_utf8_validate(section, -1, nullptr) && g_utf8_validate(key, -1, nullptr) &&
         (!value || g_utf8_validate(value, -1, nullptr));
}

// Writes the changed key file. The kept copy then holds what the file holds
// (it is parsed again at the next read all the same, as the file is new); a
// copy that could not be written is dropped, so the next read sees the file.
BOOL Save(Parsed& c) {
  gsize length = 0;
  gchar* data = g_key_file_to_data(c.file.get(), &length, nullptr);
  bool ok = data && nbhost::ReplaceFile(c.path, std::string_view(data, length));
  g_free(data);
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
  if (!lpszSection || !lpszKey) return FALSE;
  std::lock_guard<std::mutex> hold(g_lock);
  GKeyFile* file = Current().file.get();
  if (!file) return FALSE;
  gchar* value = g_key_file_get_string(file, lpszSection, lpszKey, nullptr);
  if (!value) return FALSE;
  strValue = value;
  g_free(value);
  return TRUE;
}

BOOL ReadSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int& nValue, int nDefault) {
  nValue = nDefault;
  if (!lpszSection || !lpszKey) return FALSE;
  std::lock_guard<std::mutex> hold(g_lock);
  GKeyFile* file = Current().file.get();
  if (!file) return FALSE;
  GError* error = nullptr;
  gint value = g_key_file_get_integer(file, lpszSection, lpszKey, &error);
  if (error) {
    g_error_free(error);
    return FALSE;
  }
  nValue = value;
  return TRUE;
}

NbSettingsFileState GetSettingsFileState() {
  std::lock_guard<std::mutex> hold(g_lock);
  return Current().state;
}

BOOL WriteSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  if (!Writable(lpszSection, lpszKey, lpszValue)) return FALSE;
  std::lock_guard<std::mutex> hold(g_lock);
  Parsed& c = Current();
  GKeyFile* file = ForWriting(c);
  if (!file) return FALSE;
  g_key_file_set_string(file, lpszSection, lpszKey, lpszValue ? lpszValue : "");
  return Save(c);
}

BOOL WriteSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue) {
  if (!Writable(lpszSection, lpszKey, nullptr)) return FALSE;
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
