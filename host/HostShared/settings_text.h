// The settings file's text as a GLib key file: parsing it, reading values
// from it and writing it back, apart from the file on disk, so that the same
// steps serve the settings functions and can be tried on any text directly.
#pragma once

#include <glib.h>

#include <memory>
#include <string>
#include <string_view>

namespace nbhost {

struct KeyFileDeleter {
  void operator()(GKeyFile* f) const { g_key_file_free(f); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

// The key file the text holds, with its comments (so that writing it back
// keeps them); null for text that is no key file, holds a zero byte or is
// over kMaxSettingsFileSize, which counts as a corrupt file.
KeyFile ParseSettingsText(std::string_view text);

// The value of a key, as UTF-8 text (escapes such as "\s" undone) or as a
// decimal int; false, and `value` untouched, when there is no such value.
bool GetSettingText(GKeyFile* file, const char* section, const char* key, std::string& value);
bool GetSettingNumber(GKeyFile* file, const char* section, const char* key, int& value);

// Whether a section, key and text value (null: none) can be stored and read
// back: names with brackets, "=" in a key, line breaks or a key with white
// space at either end would be dropped, as would a form feed that begins a
// text, and text that is not UTF-8 would make the whole file unreadable.
bool CanStoreSetting(const char* section, const char* key, const char* value);

// The key file as text to write.
std::string SettingsText(GKeyFile* file);

}  // namespace nbhost
