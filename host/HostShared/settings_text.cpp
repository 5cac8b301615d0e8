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
    size_t cr = text.find('\r', i);
    lines.append(text.substr(i, cr == std::string_view::npos ? std::string_view::npos : cr - i));
    if (cr == std::string_view::npos) break;
    size_t run = text.find_first_not_of('\r', cr);
    if (run != std::string_view::npos && text[run] != '\n') lines.append(text.substr(cr, run - cr));
    i = run == std::string_view::npos ? text.size() : run;
  }
  KeyFile file(g_key_file_new());
  auto flags = static_cast<GKeyFileFlags>(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS);
  if (!g_key_file_load_from_data(file.get(), lines.data(), lines.size(), flags, nullptr)) return nullptr;
  return file;
}

namespace {

bool IsEscape(char c) { return c == 's' || c == 'n' || c == 't' || c == 'r' || c == '\\'; }

bool HasBadEscape(std::string_view raw) {
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') continue;
    if (i + 1 == raw.size() || !IsEscape(raw[i + 1])) return true;
    ++i;
  }
  return false;
}

// What GKeyFile reads from a value with bad escapes: the good ones decoded,
// a bad one kept as written, a backslash at the end dropped. GKeyFile itself
// reports a second bad escape by overwriting its own error, which prints a
// warning on the program's standard error for a mere typo in the file.
std::string Unescape(std::string_view raw) {
  std::string out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      out.push_back(raw[i]);
      continue;
    }
    if (i + 1 == raw.size()) break;
    char c = raw[++i];
    switch (c) {
      case 's': out.push_back(' '); break;
      case 'n': out.push_back('\n'); break;
      case 't': out.push_back('\t'); break;
      case 'r': out.push_back('\r'); break;
      case '\\': out.push_back('\\'); break;
      default: out.push_back('\\'); out.push_back(c); break;
    }
  }
  return out;
}

}  // namespace

bool GetSettingText(GKeyFile* file, const char* section, const char* key, std::string& value) {
  if (!file || !section || !key) return false;
  gchar* raw = g_key_file_get_value(file, section, key, nullptr);
  if (!raw) return false;
  bool bad = HasBadEscape(raw);
  std::string decoded = bad ? Unescape(raw) : std::string();
  g_free(raw);
  if (bad) {
    if (!g_utf8_validate(decoded.data(), static_cast<gssize>(decoded.size()), nullptr)) return false;
    value = std::move(decoded);
    return true;
  }
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
