#include "HostCommon/intl_time.h"

#include <cstring>
#include <string>
#include <string_view>

#include "nbp/regional.h"
#include "nbp/time_parts.h"

namespace {

CString ToCString(const std::string& s) { return CString(s.c_str(), static_cast<int>(s.size())); }

// --- Reading a typed date

// Nobody types a date this long; refusing early keeps the work bounded.
constexpr size_t kMaxText = 256;

struct DateField {
  char kind = 0;  // 'd', 'M' or 'y'
  int width = 0;  // letters in the picture
};

// A numeric date picture: three fields and the text around them (unquoted,
// spaces trimmed): lead, between 0 and 1, between 1 and 2, trail.
struct DatePicture {
  DateField fields[3];
  std::string text[4];
  bool adjacent[2] = {false, false};  // no text at all between two fields
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ReadPicture(std::string_view pic, DatePicture& out) {
  int n = 0;  // fields read so far
  bool seen[3] = {false, false, false};
  bool textSince = false;  // any literal since the last field
  size_t i = 0;
  while (i < pic.size()) {
    char c = pic[i];
    if (IsLetter(c)) {
      size_t j = i;
      while (j < pic.size() && pic[j] == c) ++j;
      int count = static_cast<int>(j - i);
      int slot = c == 'd' ? 0 : c == 'M' ? 1 : c == 'y' ? 2 : -1;
      // Only numbers can be typed back: names, eras and times are refused.
      if (slot < 0 || seen[slot] || n == 3) return false;
      if ((slot < 2 && count > 2) || (slot == 2 && (count == 3 || count > 4))) return false;
      seen[slot] = true;
      if (n > 0) out.adjacent[n - 1] = !textSince;
      out.fields[n++] = DateField{c, count};
      textSince = false;
      i = j;
      continue;
    }
    std::string& text = out.text[n];
    textSince = true;
    if (c != '\'') {
      text += c;
      ++i;
      continue;
    }
    if (i + 1 < pic.size() && pic[i + 1] == '\'') {
      text += '\'';
      i += 2;
      continue;
    }
    for (++i; i < pic.size(); ++i) {
      if (pic[i] != '\'') {
        text += pic[i];
      } else if (i + 1 < pic.size() && pic[i + 1] == '\'') {
        text += '\'';
        ++i;
      } else {
        ++i;
        break;
      }
    }
  }
  if (n != 3) return false;
  for (std::string& t : out.text) {
    size_t b = t.find_first_not_of(' ');
    t = b == std::string::npos ? std::string() : t.substr(b, t.find_last_not_of(' ') - b + 1);
  }
  return true;
}

class DateReader {
 public:
  DateReader(std::string_view text, char separator) : text_(text), sep_(separator) {}

  void SkipSpaces() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }

  // The text between two numbers: spaces, then the picture's text or the
  // separator character, then spaces. A picture that separates by spaces
  // alone is satisfied by spaces. Before the first and after the last
  // number only the picture's own text may stand.
  bool Gap(const std::string& pictureText, bool between) {
    size_t start = pos_;
    SkipSpaces();
    bool spaced = pos_ > start;
    bool matched = false;
    if (!pictureText.empty() && text_.substr(pos_, pictureText.size()) == pictureText) {
      pos_ += pictureText.size();
      matched = true;
    } else if (between && sep_ && pos_ < text_.size() && text_[pos_] == sep_) {
      ++pos_;
      matched = true;
    }
    SkipSpaces();
    return matched || !between || (pictureText.empty() && spaced);
  }

  // One to maxDigits digits, or exactly exactDigits when that is nonzero.
  bool Number(int maxDigits, int exactDigits, int& value) {
    size_t start = pos_;
    int limit = exactDigits ? exactDigits : maxDigits;
    value = 0;
    while (pos_ < text_.size() && IsDigit(text_[pos_]) && static_cast<int>(pos_ - start) < limit)
      value = value * 10 + (text_[pos_++] - '0');
    int digits = static_cast<int>(pos_ - start);
    if (digits == 0 || (exactDigits && digits != exactDigits)) return false;
    return true;
  }

  bool AtEnd() const { return pos_ == text_.size(); }

 private:
  std::string_view text_;
  char sep_;
  size_t pos_ = 0;
};

SYSTEMTIME ToSystemTime(const COleDateTime& dt) {
  SYSTEMTIME st{};
  dt.GetAsSystemTime(st);
  return st;
}

}  // namespace

CIntlTime::CIntlTime() : COleDateTime(COleDateTime::GetCurrentTime()) {}

CIntlTime::CIntlTime(const CTime& time) {
  if (time.GetTime() < 0) {
    m_dt = 0;
    m_status = invalid;
    return;
  }
  struct tm t;
  time.GetLocalTm(&t);
  SetDateTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

CIntlTime::CIntlTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
    : COleDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond) {}

CString CIntlTime::GetDateSeperator() const { return ToCString(nbp::regional::Current().dateSeparator); }

CString CIntlTime::GetTimeSeperator() const { return ToCString(nbp::regional::Current().timeSeparator); }

BOOL CIntlTime::Is24HrFormat() const { return nbp::regional::Current().use24Hour ? TRUE : FALSE; }

CString CIntlTime::GetDateFormatA(int nKind, int nCalendar) const {
  const nbp::regional::Settings& s = nbp::regional::Current();
  bool gregorian = nCalendar == CAL_GREGORIAN;
  if (nKind == kShortDate) return ToCString(gregorian ? s.gregorianShortDate : s.shortDate);
  if (nKind == kLongDate) return ToCString(gregorian ? s.gregorianLongDate : s.longDate);
  return CString();
}

BOOL CIntlTime::ParseDateFromFormat(LPCTSTR lpszPicture, LPCTSTR lpszText, TCHAR chSeparator, int& nYear,
                                    int& nMonth, int& nDay) {
  if (!lpszPicture || !lpszText) return FALSE;
  size_t length = strnlen(lpszText, kMaxText + 1);
  if (length > kMaxText) return FALSE;
  DatePicture pic;
  if (!ReadPicture(lpszPicture, pic)) return FALSE;

  DateReader reader(std::string_view(lpszText, length), chSeparator);
  int values[3] = {0, 0, 0};  // day, month, year
  reader.Gap(pic.text[0], false);
  for (int i = 0; i < 3; ++i) {
    const DateField& f = pic.fields[i];
    bool fixed = (i < 2 && pic.adjacent[i]) || (i > 0 && pic.adjacent[i - 1]);
    int exact = 0;
    if (fixed) exact = f.kind == 'y' ? (f.width == 2 ? 2 : 4) : 2;
    int slot = f.kind == 'd' ? 0 : f.kind == 'M' ? 1 : 2;
    if (!reader.Number(f.kind == 'y' ? 4 : 2, exact, values[slot])) return FALSE;
    if (i < 2 && !pic.adjacent[i] && !reader.Gap(pic.text[i + 1], true)) return FALSE;
  }
  reader.Gap(pic.text[3], false);
  if (!reader.AtEnd()) return FALSE;

  nDay = values[0];
  nMonth = values[1];
  nYear = values[2];
  return TRUE;
}

CString CIntlTime::FormatDate(int nKind) const {
  if (GetStatus() != valid) return CString();
  CString picture = GetDateFormatA(nKind, CAL_GREGORIAN);
  if (picture.IsEmpty()) return CString();
  return ToCString(nbp::regional::FormatPicture(static_cast<LPCTSTR>(picture), ToSystemTime(*this)));
}

CString CIntlTime::FormatTime() const {
  if (GetStatus() != valid) return CString();
  return ToCString(nbp::regional::FormatPicture(nbp::regional::Current().shortTime, ToSystemTime(*this)));
}

CString CIntlTime::GetDayName(int nWeekday, int bAbbreviated) const {
  if (nWeekday < 1 || nWeekday > 7) return CString();
  const nbp::regional::Settings& s = nbp::regional::Current();
  return ToCString(bAbbreviated ? s.abbrevDayNames[nWeekday - 1] : s.dayNames[nWeekday - 1]);
}

long CIntlTime::GetTime() const {
  SYSTEMTIME st{};
  if (GetStatus() != valid || !GetAsSystemTime(st)) return -1;
  struct tm t = nbp::time_parts::ToTm(st);
  return _mktime32(&t);
}
