// Reading a time of day from what the user typed into a time field: the
// parser behind CNbEditTime::ReadTime, kept free of windows so that it can
// be tried on any text directly.
#pragma once

#include <string>
#include <string_view>

#include "frame/nbui_export.h"

// The field's value and the flags the parser reads and writes.
struct NBUI_API NbTimeValue {
  int hours = 0;  // 0-23 after a parse
  int mins = 0;   // 0-55, a multiple of 5, after a parse
  bool valid = false;
  bool forceAM = false;
  bool forcePM = false;
  bool hasSeparator = false;
};

// The conventions the parser follows.
struct NBUI_API NbTimeConventions {
  std::string separator = ":";  // its first character is the one looked for
  std::string am = "AM";        // designators; an empty one is never found
  std::string pm = "PM";
  bool h24 = false;
  int firstAmHour = 0;  // 12-hour clock: an hour below this, unforced, is an afternoon hour
};

// What the parse asks of the field's text.
enum class NbTimeTextEdit {
  kKeep,     // leave the text as typed
  kReplace,  // set *newText (the separator was put in, or the text cut) with the caret at its end
  kClear,    // the text was only the separator: empty it
};

// Reads `text` into `value`:
//  - an empty text reads 0:00 and clears `valid`;
//  - a text holding any of the letters N, O or E (a placeholder such as
//    "NONE") changes nothing;
//  - one digit is the hour; two digits are the hour when they make one
//    (up to 12, or up to 24 on a 24-hour clock), else hour and tens of
//    minutes ("25" reads 2:50, and the separator is put between them);
//    three or more digits without a separator are two hour digits and the
//    minutes, read as the text then shows them ("123" is "12:3", 12:30;
//    "0959" is "09:59"); with a separator, the hours before it and up to two
//    minute digits after it (one digit counts as tens);
//  - a text without any digit (other than the lone separator) is no time:
//    0:00 with `valid` cleared, the text kept;
//  - on a 12-hour clock the designators in the text and the forcing flags
//    choose the half of the day, and an hour below firstAmHour without a
//    forced half is an afternoon hour;
//  - minutes are rounded to a multiple of 5, carried into the hours, and
//    anything past 23:55 reads 23:55.
// Numbers are the leading digits of their part (0 when there are none),
// however long the text.
NBUI_API NbTimeTextEdit NbReadTimeText(std::string_view text, const NbTimeConventions& conventions,
                                       NbTimeValue& value, std::string* newText);

// Rounds minutes to a multiple of 5 in place: 7 to 5, 8 to 10, 58 to 60.
NBUI_API void NbRoundMinutes(int& nMins);
