#include "fields/time_text.h"

#include <cstdlib>

#include "nbp/utf8_step.h"

namespace {

// Larger numbers read as this one: anything past it is far beyond 23:55,
// and the arithmetic on it (times 100, plus carries) stays within int.
constexpr int kNumberCap = 1000000;

using nbp::utf8::CountChars;
using nbp::utf8::FirstChars;

// As atoi reads a number: white space, then the leading digits; 0 when
// there are none. No sign: a time field's parts are never negative.
int LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < kNumberCap) value = value * 10 + (text[i] - '0');
  }
  return value < kNumberCap ? value : kNumberCap;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool HoldsAnyOf(std::string_view upper, std::string_view letters) {
  return upper.find_first_of(letters) != std::string_view::npos;
}

bool HoldsDesignator(std::string_view upper, const std::string& designator) {
  return !designator.empty() && upper.find(UpperAscii(designator)) != std::string_view::npos;
}

// The minutes written after a separator: none read 0, one digit counts as
// tens ("1:3" is 1:30), two or more give the number in the first two.
int MinutesAfterSeparator(std::string_view after) {
  size_t afterChars = CountChars(after);
  if (afterChars == 0) return 0;
  if (afterChars == 1) return LeadingNumber(after) * 10;
  return LeadingNumber(FirstChars(after, 2));
}

}  // namespace

void NbRoundMinutes(int& nMins) {
  div_t d = div(nMins, 5);
  if (d.rem == 1 || d.rem == 2) nMins = 5 * d.quot;
  else if (d.rem == 3 || d.rem == 4) nMins = 5 * d.quot + 5;
}

NbTimeTextEdit NbReadTimeText(std::string_view text, const NbTimeConventions& conventions, NbTimeValue& value,
                              std::string* newText) {
  std::string upper = UpperAscii(text);
  std::string_view sepChar = FirstChars(conventions.separator, 1);
  size_t sepAt = sepChar.empty() ? std::string_view::npos : text.find(sepChar);
  value.hasSeparator = sepAt != std::string_view::npos;

  if (text.empty()) {
    value.hours = 0;
    value.mins = 0;
    value.valid = false;
    return NbTimeTextEdit::kKeep;
  }
  if (HoldsAnyOf(upper, "NOE")) return NbTimeTextEdit::kKeep;
  // A text without a single digit names no hour: reading it as 0:00 (12:00
  // on a 12-hour clock) would invent a time the user never typed.
  if (text != sepChar && text.find_first_of("0123456789") == std::string_view::npos) {
    value.hours = 0;
    value.mins = 0;
    value.valid = false;
    return NbTimeTextEdit::kKeep;
  }

  if (HoldsDesignator(upper, conventions.pm) && !value.forceAM) value.forcePM = true;
  if (HoldsDesignator(upper, conventions.am) && !value.forcePM) value.forceAM = true;

  NbTimeTextEdit edit = NbTimeTextEdit::kKeep;
  auto replace = [&](std::string replacement) {
    if (newText) *newText = std::move(replacement);
    value.hasSeparator = true;
    edit = NbTimeTextEdit::kReplace;
  };
  size_t chars = CountChars(text);
  int hours = 0, mins = 0;
  if (chars == 1) {
    if (text == sepChar) {
      value.valid = false;
      if (newText) newText->clear();
      return NbTimeTextEdit::kClear;
    }
    hours = LeadingNumber(text);
  } else if (!value.hasSeparator && chars == 2) {
    int number = LeadingNumber(text);
    std::string_view first = FirstChars(text, 1);
    std::string_view second = text.substr(first.size());
    if (number <= 12) {
      hours = number;
    } else if (conventions.h24 && number <= 24) {
      hours = number;
      value.hasSeparator = false;
    } else {
      hours = LeadingNumber(first);
      mins = LeadingNumber(second) * 10;
      replace(std::string(first) + conventions.separator + std::string(second));
    }
  } else if (!value.hasSeparator) {
    std::string_view first = FirstChars(text, 1);
    if (HoldsAnyOf(upper, "AMP")) {
      hours = LeadingNumber(first);
      replace(std::string(first));
    } else {
      std::string_view hourPart = FirstChars(text, 2);
      std::string_view rest = text.substr(hourPart.size());
      hours = LeadingNumber(hourPart);
      // The minutes are read as the text now shows them ("0959" shows
      // "09:59"), so that the time held is the time shown.
      mins = MinutesAfterSeparator(rest);
      replace(std::string(hourPart) + conventions.separator + std::string(rest));
    }
  } else {
    hours = LeadingNumber(text.substr(0, sepAt));
    mins = MinutesAfterSeparator(text.substr(sepAt + sepChar.size()));
  }

  if (!conventions.h24) {
    if (!value.forceAM && !value.forcePM && hours < conventions.firstAmHour) hours += 12;
    if (value.forceAM && hours >= 12) hours -= 12;
    else if (value.forcePM && hours < 12) hours += 12;
  }
  value.valid = true;

  NbRoundMinutes(mins);
  // Every whole hour in the minutes goes into the hours, so that no reading
  // ever leaves 60 minutes or more ("0012" reads 0:120, that is 2:00).
  if (mins >= 60) {
    hours += mins / 60;
    mins %= 60;
  }
  if (hours * 100 + mins > 2355) {
    hours = 23;
    mins = 55;
  }
  value.hours = hours;
  value.mins = mins;
  return edit;
}
