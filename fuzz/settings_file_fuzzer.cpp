// The settings file is the user's to edit: any bytes read as defaults or as
// values, never crash the reader, and a write after a read keeps every entry
// of a well-formed file. Most inputs go through the text steps in memory; one
// in 128 (by size) goes through the settings functions and a file on disk as
// well, which costs far more.
#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "HostShared/settings.h"
#include "HostShared/settings_text.h"

namespace {

using nbhost::KeyFile;

constexpr const char* kSection = "NbFuzz";
constexpr const char* kKey = "Written";

// Calls f(group, key) for every entry of the file.
template <typename F>
void ForEachEntry(GKeyFile* file, F f) {
  gchar** groups = g_key_file_get_groups(file, nullptr);
  for (gchar** g = groups; *g; ++g) {
    gchar** keys = g_key_file_get_keys(file, *g, nullptr, nullptr);
    for (gchar** k = keys; keys && *k; ++k) f(*g, *k);
    g_strfreev(keys);
  }
  g_strfreev(groups);
}

bool SameValue(GKeyFile* a, GKeyFile* b, const char* group, const char* key) {
  gchar* x = g_key_file_get_value(a, group, key, nullptr);
  gchar* y = g_key_file_get_value(b, group, key, nullptr);
  bool same = x && y && std::strcmp(x, y) == 0;
  g_free(x);
  g_free(y);
  return same;
}

// Every entry of `before` but the one written is in `after`, unchanged.
void CheckKept(GKeyFile* before, GKeyFile* after, const char* section, const char* key) {
  ForEachEntry(before, [&](const char* g, const char* k) {
    if (std::strcmp(g, section) == 0 && std::strcmp(k, key) == 0) return;
    if (!SameValue(before, after, g, k)) __builtin_trap();
  });
}

// Values reach the program as UTF-8 text, or not at all.
void CheckReads(GKeyFile* file) {
  ForEachEntry(file, [&](const char* g, const char* k) {
    std::string text = "untouched";
    if (nbhost::GetSettingText(file, g, k, text)) {
      if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) __builtin_trap();
    } else if (text != "untouched") {
      __builtin_trap();
    }
    int number = -7;
    if (!nbhost::GetSettingNumber(file, g, k, number) && number != -7) __builtin_trap();
  });
}

// The text the input ends with, when it can be stored; else a fixed text
// that needs escapes.
std::string ValueFrom(const uint8_t* data, size_t size) {
  size_t n = size < 48 ? size : 48;
  std::string tail(reinterpret_cast<const char*>(data + size - n), n);
  bool usable = tail.find('\0') == std::string::npos && nbhost::CanStoreSetting(kSection, kKey, tail.c_str());
  return usable ? tail : std::string(" a value;\twith\\escapes\n ");
}

void InMemory(std::string_view text, const std::string& value) {
  KeyFile file = nbhost::ParseSettingsText(text);
  if (!file) return;  // reads as defaults
  CheckReads(file.get());
  KeyFile before = nbhost::ParseSettingsText(text);
  // Change an entry the file has (its first), or add one.
  std::string section = kSection, key = kKey;
  if (gchar* first = g_key_file_get_start_group(file.get())) {
    gchar** keys = g_key_file_get_keys(file.get(), first, nullptr, nullptr);
    if (keys && keys[0] && nbhost::CanStoreSetting(first, keys[0], nullptr)) {
      section = first;
      key = keys[0];
    }
    g_strfreev(keys);
    g_free(first);
  }
  g_key_file_set_string(file.get(), section.c_str(), key.c_str(), value.c_str());
  KeyFile after = nbhost::ParseSettingsText(nbhost::SettingsText(file.get()));
  if (!after) __builtin_trap();  // what was written must read again
  CheckKept(before.get(), after.get(), section.c_str(), key.c_str());
  std::string back;
  if (!nbhost::GetSettingText(after.get(), section.c_str(), key.c_str(), back) || back != value) __builtin_trap();
}

void WriteFile(const std::string& path, std::string_view text) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) __builtin_trap();
  if (!text.empty() && write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) __builtin_trap();
  close(fd);
}

KeyFile ParseFile(const std::string& path) {
  gchar* text = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &text, &length, nullptr)) __builtin_trap();
  KeyFile file = nbhost::ParseSettingsText(std::string_view(text, length));
  g_free(text);
  return file;
}

// The same through the settings functions and a file of these bytes.
void OnDisk(std::string_view text, const std::string& value) {
  static const std::string path = [] {
    std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : g_get_tmp_dir();
    std::string p = dir + "/nbui-settings-fuzz-" + std::to_string(getpid()) + ".ini";
    setenv("NBUI_SETTINGS_FILE", p.c_str(), 1);
    return p;
  }();
  WriteFile(path, text);
  KeyFile expected = nbhost::ParseSettingsText(text);
  if (GetSettingsFileState() != (expected ? NB_SETTINGS_FILE_OK : NB_SETTINGS_FILE_CORRUPT)) __builtin_trap();
  if (!expected) {
    int n = 5;
    if (ReadSettingInt(NB_SETTINGS_DAYLEAF, NB_SETTINGS_WORK_WEEK_BEGINS, n, 5) || n != 5) __builtin_trap();
    if (WriteSettingString(kSection, kKey, value.c_str())) __builtin_trap();
    if (ParseFile(path)) __builtin_trap();  // left as it was
    return;
  }
  ForEachEntry(expected.get(), [&](const char* g, const char* k) {
    std::string want;
    CString got;
    bool found = nbhost::GetSettingText(expected.get(), g, k, want);
    if (ReadSettingString(g, k, got, "default") != (found ? TRUE : FALSE)) __builtin_trap();
    if (std::string(got, got.GetLength()) != (found ? want : "default")) __builtin_trap();
  });
  if (!WriteSettingString(kSection, kKey, value.c_str())) __builtin_trap();
  KeyFile after = ParseFile(path);
  if (!after) __builtin_trap();
  CheckKept(expected.get(), after.get(), kSection, kKey);
  CString back;
  if (!ReadSettingString(kSection, kKey, back) || std::string(back, back.GetLength()) != value) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the given size, so that reading one byte too far is caught.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string_view text(bytes.data(), bytes.size());
  std::string value = ValueFrom(data, size);
  InMemory(text, value);
  if (size % 128 == 0) OnDisk(text, value);
  return 0;
}
