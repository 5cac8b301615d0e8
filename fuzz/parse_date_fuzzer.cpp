// libFuzzer target for CIntlTime::ParseDateFromFormat: the input is split at
// its first zero byte into a picture and a typed text (no zero: the text alone,
// read with the picture "M/d/yy"); the first byte also chooses the separator.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "HostCommon/intl_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string picture = "M/d/yy";
  std::string text = input;
  size_t zero = input.find('\0');
  if (zero != std::string::npos) {
    picture = input.substr(0, zero);
    text = input.substr(zero + 1);
    text = text.substr(0, text.find('\0'));
  }
  char separator = size > 0 ? static_cast<char>(data[0]) : '/';
  int year = -1, month = -1, day = -1;
  BOOL ok = CIntlTime::ParseDateFromFormat(picture.c_str(), text.c_str(), separator, year, month, day);
  if (ok) {
    // Numbers come from at most four digits each.
    if (year < 0 || year > 9999 || month < 0 || month > 99 || day < 0 || day > 99) __builtin_trap();
  } else if (year != -1 || month != -1 || day != -1) {
    __builtin_trap();  // a refused text must leave the numbers alone
  }
  return 0;
}
