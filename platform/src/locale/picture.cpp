#include "locale/picture.h"

#include <algorithm>

namespace nbp::picture {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDateField(char c) { return c == 'd' || c == 'M' || c == 'L' || c == 'y' || c == 'u'; }
bool IsHourField(char c) { return c == 'h' || c == 'H' || c == 'k' || c == 'K'; }
bool IsDayPeriod(char c) { return c == 'a' || c == 'b' || c == 'B'; }

std::string Trim(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return std::string(s.substr(b, e - b + 1));
}

void AppendLiteral(std::vector<Token>& out, std::string_view text) {
  if (text.empty()) return;
  if (out.empty() || out.back().letter != 0) out.push_back(Token{});
  out.back().literal.append(text);
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  for (size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
    s.replace(pos, from.size(), to);
}

void DropEmptyLiterals(std::vector<Token>& tokens) {
  std::erase_if(tokens, [](const Token& t) { return t.letter == 0 && t.literal.empty(); });
}

}  // namespace

std::vector<Token> Split(std::string_view picture) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (IsLetter(c)) {
      size_t j = i;
      while (j < picture.size() && picture[j] == c) ++j;
      out.push_back(Token{c, static_cast<int>(j - i), {}});
      i = j;
    } else if (c == '\'') {
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        AppendLiteral(out, "'");
        i += 2;
        continue;
      }
      // Quoted text runs to the next lone quote; an unterminated quote takes
      // the rest of the picture.
      std::string text;
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            text += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text += picture[i++];
      }
      AppendLiteral(out, text);
    } else {
      size_t j = i;
      while (j < picture.size() && !IsLetter(picture[j]) && picture[j] != '\'') ++j;
      AppendLiteral(out, picture.substr(i, j - i));
      i = j;
    }
  }
  return out;
}

std::string Join(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (t.letter) {
      out.append(static_cast<size_t>(t.count), t.letter);
      continue;
    }
    bool quote = std::any_of(t.literal.begin(), t.literal.end(), [](char c) { return IsLetter(c) || c == '\''; });
    if (!quote) {
      out += t.literal;
      continue;
    }
    out += '\'';
    for (char c : t.literal) {
      if (c == '\'') out += '\'';
      out += c;
    }
    out += '\'';
  }
  return out;
}

std::string PlainSpaces(std::string_view text) {
  std::string s(text);
  ReplaceAll(s, "\xE2\x80\xAF", " ");  // narrow no-break space
  ReplaceAll(s, "\xC2\xA0", " ");      // no-break space
  ReplaceAll(s, "\xE2\x80\x89", " ");  // thin space
  return s;
}

std::string DateSeparator(std::string_view picture) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 0; i + 2 < t.size(); ++i) {
    if (!IsDateField(t[i].letter) || t[i + 1].letter != 0 || !IsDateField(t[i + 2].letter)) continue;
    std::string sep = Trim(t[i + 1].literal);
    return sep.empty() ? std::string(" ") : sep;
  }
  return "/";
}

std::string TimeSeparator(std::string_view picture) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 0; i + 2 < t.size(); ++i) {
    if (!IsHourField(t[i].letter) || t[i + 1].letter != 0 || t[i + 2].letter != 'm') continue;
    std::string sep = Trim(t[i + 1].literal);
    return sep.empty() ? std::string(" ") : sep;
  }
  return ":";
}

std::string ReplaceDateSeparator(std::string_view picture, std::string_view from, std::string_view to) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 1; i < t.size(); ++i)
    if (t[i].letter == 0 && IsDateField(t[i - 1].letter)) ReplaceAll(t[i].literal, from, to);
  return Join(t);
}

std::string ReplaceTimeSeparator(std::string_view picture, std::string_view from, std::string_view to) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 1; i + 1 < t.size(); ++i) {
    bool afterTime = IsHourField(t[i - 1].letter) || t[i - 1].letter == 'm';
    bool beforeTime = t[i + 1].letter == 'm' || t[i + 1].letter == 's';
    if (t[i].letter == 0 && afterTime && beforeTime) ReplaceAll(t[i].literal, from, to);
  }
  return Join(t);
}

bool Is24Hour(std::string_view picture) {
  bool h24 = false, h12 = false;
  for (const Token& t : Split(picture)) {
    h24 |= t.letter == 'H' || t.letter == 'k';
    h12 |= t.letter == 'h' || t.letter == 'K';
  }
  return h24 && !h12;
}

std::string To24Hour(std::string_view picture) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i].letter == 'h' || t[i].letter == 'K' || t[i].letter == 'k') t[i].letter = 'H';
    if (!IsDayPeriod(t[i].letter)) continue;
    // The designator goes, and with it the space that set it apart.
    if (i > 0 && t[i - 1].letter == 0) {
      size_t e = t[i - 1].literal.find_last_not_of(' ');
      t[i - 1].literal.erase(e == std::string::npos ? 0 : e + 1);
    } else if (i + 1 < t.size() && t[i + 1].letter == 0) {
      size_t b = t[i + 1].literal.find_first_not_of(' ');
      t[i + 1].literal.erase(0, b == std::string::npos ? t[i + 1].literal.size() : b);
    }
    t[i] = Token{};
  }
  DropEmptyLiterals(t);
  return Join(t);
}

std::string To12Hour(std::string_view picture) {
  std::vector<Token> t = Split(picture);
  bool hasPeriod = false;
  for (Token& tok : t) {
    if (tok.letter == 'H' || tok.letter == 'k') tok.letter = 'h';
    if (tok.letter == 'K') tok.letter = 'h';
    hasPeriod |= IsDayPeriod(tok.letter);
  }
  if (!hasPeriod) {
    AppendLiteral(t, " ");
    t.push_back(Token{'a', 1, {}});
  }
  return Join(t);
}

std::string RemoveFields(std::string_view picture, std::string_view letters) {
  std::vector<Token> t = Split(picture);
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].letter || letters.find(t[i].letter) == std::string_view::npos) continue;
    if (i > 1 && t[i - 1].letter == 0)
      t[i - 1] = Token{};
    else if (i + 1 < t.size() && t[i + 1].letter == 0)
      t[i + 1] = Token{};
    t[i] = Token{};
  }
  DropEmptyLiterals(t);
  return Join(t);
}

bool IsNumericDatePicture(std::string_view picture) {
  if (picture.empty() || picture.size() > 80) return false;
  int days = 0, months = 0, years = 0;
  for (const Token& t : Split(picture)) {
    switch (t.letter) {
      case 0:
        if (std::any_of(t.literal.begin(), t.literal.end(), [](char c) { return c >= '0' && c <= '9'; }))
          return false;
        break;
      case 'd':
        if (t.count > 2) return false;
        ++days;
        break;
      case 'M':
        if (t.count > 2) return false;
        ++months;
        break;
      case 'y':
        if (t.count == 3 || t.count > 4) return false;
        ++years;
        break;
      default:
        return false;
    }
  }
  return days == 1 && months == 1 && years == 1;
}

}  // namespace nbp::picture
