#include "HostShared/settings.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

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

// The file as a key file (comments kept, for writing it back), and what
// state it was found in.
KeyFile Load(NbSettingsFileState* state = nullptr) {
  std::string path = SettingsPath();
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    // Anything but "not there" (a folder we may not enter, say) must not
    // count as missing: a missing file is created on the next write.
    if (state) *state = errno == ENOENT || errno == ENOTDIR ? NB_SETTINGS_FILE_MISSING : NB_SETTINGS_FILE_UNREADABLE;
    return nullptr;
  }
  if (!S_ISREG(st.st_mode) || access(path.c_str(), R_OK) != 0) {
    if (state) *state = NB_SETTINGS_FILE_UNREADABLE;
    return nullptr;
  }
  KeyFile file(g_key_file_new());
  GError* error = nullptr;
  NbSettingsFileState found = NB_SETTINGS_FILE_OK;
  if (!g_key_file_load_from_file(file.get(), path.c_str(),
                                 static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
                                 &error)) {
    if (error->domain == G_FILE_ERROR && error->code == G_FILE_ERROR_NOENT)
      found = NB_SETTINGS_FILE_MISSING;
    else if (error->domain == G_KEY_FILE_ERROR)
      found = NB_SETTINGS_FILE_CORRUPT;
    else
      found = NB_SETTINGS_FILE_UNREADABLE;
    g_error_free(error);
    file.reset();
  }
  if (state) *state = found;
  return file;
}

// The file to change, or null when it must not be written.
KeyFile LoadForWriting() {
  NbSettingsFileState state;
  KeyFile file = Load(&state);
  if (state == NB_SETTINGS_FILE_MISSING) return KeyFile(g_key_file_new());
  return file;
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

BOOL Save(GKeyFile* file) {
  std::string path = SettingsPath();
  std::string dir = path.substr(0, path.rfind('/') == std::string::npos ? 0 : path.rfind('/'));
  if (!dir.empty() && g_mkdir_with_parents(dir.c_str(), 0700) != 0) return FALSE;
  GError* error = nullptr;
  if (!g_key_file_save_to_file(file, path.c_str(), &error)) {
    g_error_free(error);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

CString GetSettingsFilePath() {
  std::string path = SettingsPath();
  return CString(path.c_str(), static_cast<int>(path.size()));
}

BOOL ReadSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, LPCTSTR lpszDefault) {
  strValue = lpszDefault;
  if (!lpszSection || !lpszKey) return FALSE;
  KeyFile file = Load();
  if (!file) return FALSE;
  gchar* value = g_key_file_get_string(file.get(), lpszSection, lpszKey, nullptr);
  if (!value) return FALSE;
  strValue = value;
  g_free(value);
  return TRUE;
}

BOOL ReadSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int& nValue, int nDefault) {
  nValue = nDefault;
  if (!lpszSection || !lpszKey) return FALSE;
  KeyFile file = Load();
  if (!file) return FALSE;
  GError* error = nullptr;
  gint value = g_key_file_get_integer(file.get(), lpszSection, lpszKey, &error);
  if (error) {
    g_error_free(error);
    return FALSE;
  }
  nValue = value;
  return TRUE;
}

NbSettingsFileState GetSettingsFileState() {
  NbSettingsFileState state;
  Load(&state);
  return state;
}

BOOL WriteSettingString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  if (!Writable(lpszSection, lpszKey, lpszValue)) return FALSE;
  KeyFile file = LoadForWriting();
  if (!file) return FALSE;
  g_key_file_set_string(file.get(), lpszSection, lpszKey, lpszValue ? lpszValue : "");
  return Save(file.get());
}

BOOL WriteSettingInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue) {
  if (!Writable(lpszSection, lpszKey, nullptr)) return FALSE;
  KeyFile file = LoadForWriting();
  if (!file) return FALSE;
  g_key_file_set_integer(file.get(), lpszSection, lpszKey, nValue);
  return Save(file.get());
}

int GetWorkWeekBegins() {
  int value = 0;
  ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, value, 0);
  return value;
}
