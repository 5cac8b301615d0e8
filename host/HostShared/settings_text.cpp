#include "HostShared/settings_text.h"

#include <cstring>

#include "HostShared/settings_file.h"

namespace nbhost {

KeyFile ParseSettingsText(std::string_view text) {
  // GKeyFile would cut a line at a zero byte and drop the rest of it from
  // the file at the next write: such a file is not text, and stays as it is.
  if (text.size() > kMaxSettingsFileSize || text.find('\0') != std::string_view::npos) return nullptr;
  // Carriage returns that end a line (before its line feed, or at the end of
  // the file) belong to the line break. GKeyFile drops only the last one
  // before a line feed; the others would stay in the value and lose one more
  // at every write.
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t run = text.find_first_not_of('\r', i);
    if (run == i) {
      lines.push_back(text[i++]);
      continue;
    }
    if (run != std::string_view::npos && text[run] != '\n') lines.append(text.substr(i, run - i));
    i = run == std::string_view::npos ? text.size() : run;
  }
  KeyFile file(g_key_file_new());
  auto flags = static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  if (!g_key_file_load_from_data(file.get(), lines.data(), lines.size(), flags, nullptr)) return nullptr;
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
