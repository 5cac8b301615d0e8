#include "HostShared/settings_text.h"

#include <cstring>

#include "HostShared/settings_file.h"

namespace nbhost {

KeyFile ParseSettingsText(std::string_view text) {
  if (text.size() > kMaxSettingsFileSize) return nullptr;
  KeyFile file(g_key_file_new());
  auto flags = static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), flags, nullptr)) return nullptr;
  return file;
}

bool GetSettingText(GKeyFile* file, const char* section, const char* key, std::string& value) {
  if (!file || !section || !key) return false;
  gchar* text = g_key_file_get_string(file, section, key, nullptr);
  if (!text) return false;
  value = text;
  g_free(text);
  return true;
}

bool GetSettingNumber(GKeyFile* file, const char* section, const char* key, int& value) {
  if (!file || !section || !key) return false;
  GError* error = nullptr;
  gint number = g_key_file_get_integer(file, section, key, &error);
  if (error) {
    g_error_free(error);
    return false;
  }
  value = number;
  return true;
}

bool CanStoreSetting(const char* section, const char* key, const char* value) {
  if (!section || !key || !*section || !*key) return false;
  if (std::strpbrk(section, "[]\r\n") || std::strpbrk(key, "[]=\r\n")) return false;
  if (g_ascii_isspace(key[0]) || g_ascii_isspace(key[std::strlen(key) - 1])) return false;
  // GKeyFile has no escape for a form feed and drops one that begins a value.
  if (value && value[0] == '\f') return false;
  return g_utf8_validate(section, -1, nullptr) && g_utf8_validate(key, -1, nullptr) &&
         (!value || g_utf8_validate(value, -1, nullptr));
}

std::string SettingsText(GKeyFile* file) {
  gsize length = 0;
  gchar* data = g_key_file_to_data(file, &length, nullptr);
  std::string text = data ? std::string(data, length) : std::string();
  g_free(data);
  return text;
}

}  // namespace nbhost
