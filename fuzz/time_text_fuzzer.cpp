// What the user types into a time field: any bytes read as no time or as a
// time from 0:00 to 23:55 in steps of five minutes. The first two bytes
// choose the conventions and the field's state before the text, the rest is
// the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fields/time_text.h"

namespace {

struct Designators {
  const char* separator;
  const char* am;
  const char* pm;
};

// Separators and designators of real locales, multi-byte ones among them,
// and the empty ones a user may choose.
constexpr Designators kConventions[] = {
    {":", "AM", "PM"}, {".", "vorm.", "nachm."}, {"h", "", ""}, {"\xE6\x97\xB6", "\xE5\x8D\x88\xE5\x89\x8D", "\xE5\x8D\x88\xE5\xBE\x8C"},
    {"", "a", "p"},    {"::", "AM", "AM"},       {"\xC2\xB7", "N", "O"}, {" ", "am", "pm"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const Designators& d = kConventions[data[0] % (sizeof kConventions / sizeof kConventions[0])];
  NbTimeConventions conventions;
  conventions.separator = d.separator;
  conventions.am = d.am;
  conventions.pm = d.pm;
  conventions.h24 = (data[0] & 0x08) != 0;
  conventions.firstAmHour = (data[0] >> 4) % 13;

  NbTimeValue value;
  value.forceAM = (data[1] & 0x01) != 0;
  value.forcePM = (data[1] & 0x02) != 0;
  value.valid = (data[1] & 0x04) != 0;
  value.hours = value.valid ? (data[1] >> 3) % 24 : 0;
  value.mins = value.valid ? 5 * ((data[1] >> 3) % 12) : 0;

  // A copy of exactly the text, so that reading one byte too far is caught.
  std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::string newText;
  NbTimeTextEdit edit = NbReadTimeText(text, conventions, value, &newText);
  if (value.valid) {
    if (value.hours < 0 || value.hours > 23 || value.mins < 0 || value.mins > 55 || value.mins % 5 != 0)
      __builtin_trap();
  }
  if (edit == NbTimeTextEdit::kClear && (value.valid || !newText.empty())) __builtin_trap();
  return 0;
}
