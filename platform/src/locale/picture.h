// Date and time pictures in ICU's pattern syntax, taken apart into fields and
// literal text so that the regional settings can derive separators from them
// and apply the user's overrides to them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nbp::picture {

struct Token {
  char letter = 0;      // the pattern letter of a field; 0 for literal text
  int count = 0;        // how many times the letter repeats
  std::string literal;  // the text of a literal, unquoted
};

std::vector<Token> Split(std::string_view picture);
// Joins tokens back into a picture, quoting literal text where it needs it.
std::string Join(const std::vector<Token>& tokens);

// Non-breaking and narrow spaces in ICU's data become plain spaces, as the
// rest of the system (and the user typing) writes them.
std::string PlainSpaces(std::string_view text);

// The separator between the numeric date fields (the first literal between
// two of them, without spaces), or "/" when they have none.
std::string DateSeparator(std::string_view picture);
// The separator between hours and minutes, or ":".
std::string TimeSeparator(std::string_view picture);

// Replaces the date (time) separator in the literals that follow date (time)
// fields.
std::string ReplaceDateSeparator(std::string_view picture, std::string_view from, std::string_view to);
std::string ReplaceTimeSeparator(std::string_view picture, std::string_view from, std::string_view to);

// Whether the picture shows hours on a 24-hour clock.
bool Is24Hour(std::string_view picture);
// Hours as 0-23 without a designator, or as 1-12 with one.
std::string To24Hour(std::string_view picture);
std::string To12Hour(std::string_view picture);

// Takes out every field whose letter is in letters, with the literal text
// that joins it to the field before it (or, for a first field, after it).
std::string RemoveFields(std::string_view picture, std::string_view letters);

// A picture the user may choose for short dates: exactly one day (d, dd),
// month (M, MM) and year (y, yy, yyyy) field, literals without digits, at
// most 80 bytes.
bool IsNumericDatePicture(std::string_view picture);

}  // namespace nbp::picture
