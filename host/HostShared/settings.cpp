#include "HostShared/settings.h"

#include <glib.h>

#include <climits>
#include <cstdlib>
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

KeyFile Load() {
  KeyFile file(g_key_file_new());
  if (!g_key_file_load_from_file(file.get(), SettingsPath().c_str(), G_KEY_FILE_NONE, nullptr)) return nullptr;
  return file;
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
