#include "user/controls/edit/edit_text.h"

#include <glib.h>

#include <algorithm>
#include <cctype>

#include "nbp/utf8_step.h"

namespace nbp::user::edit {

bool IsContinuation(unsigned char c) { return nbp::utf8::IsContinuation(c); }

size_t CharSizeAt(std::string_view text, size_t pos) {
  if (pos >= text.size()) return 0;
  auto lead = static_cast<unsigned char>(text[pos]);
  size_t n = nbp::utf8::LeadLength(lead);
  if (n == 1 || pos + n > text.size()) return 1;
  for (size_t i = 1; i < n; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 1;
  }
  return n;
}

size_t SnapToChar(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size();
  if (!IsContinuation(static_cast<unsigned char>(text[pos]))) return pos;
  // A continuation byte belongs to the lead up to three bytes back, when that
  // lead's character reaches this far.
  for (size_t back = 1; back <= 3 && back <= pos; ++back) {
    size_t start = pos - back;
    if (IsContinuation(static_cast<unsigned char>(text[start]))) continue;
    return CharSizeAt(text, start) > back ? start : pos;
  }
  return pos;
}

size_t NextChar(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size();
  return pos + CharSizeAt(text, pos);
}

size_t PrevChar(std::string_view text, size_t pos) {
  if (pos == 0) return 0;
  pos = std::min(pos, text.size());
  return SnapToChar(text, pos - 1);
}

size_t CountChars(std::string_view text) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); i = NextChar(text, i)) ++n;
  return n;
}

size_t FitBytes(std::string_view text, size_t maxBytes) {
  if (maxBytes >= text.size()) return text.size();
  size_t n = SnapToChar(text, maxBytes);
  if (n > 0 && text[n - 1] == '\r' && text[n] == '\n') --n;
  return n;
}

std::string EncodeUtf8(unsigned c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  char out[4];
  return std::string(out, nbp::utf8::Encode(c, out));
}

size_t BreakAt(std::string_view text, size_t pos) {
  if (pos >= text.size()) return 0;
  if (text[pos] == '\r') return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
  return text[pos] == '\n' ? 1 : 0;
}

size_t FindBreak(std::string_view text, size_t pos) {
  size_t at = text.find_first_of("\r\n", pos);
  return at == std::string_view::npos ? text.size() : at;
}

size_t NextPosition(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n') return pos + 2;
  return NextChar(text, pos);
}

size_t PrevPosition(std::string_view text, size_t pos) {
  if (pos >= 2 && pos <= text.size() && text[pos - 2] == '\r' && text[pos - 1] == '\n') return pos - 2;
  return PrevChar(text, pos);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t WordStartBefore(std::string_view text, size_t lineStart, size_t pos) {
  size_t i = pos;
  while (i > lineStart && IsBlank(text[i - 1])) --i;
  while (i > lineStart && !IsBlank(text[i - 1])) --i;
  return i;
}

size_t WordStartAfter(std::string_view text, size_t lineEnd, size_t pos) {
  size_t i = pos;
  while (i < lineEnd && !IsBlank(text[i])) ++i;
  while (i < lineEnd && IsBlank(text[i])) ++i;
  return i;
}

Range WordAt(std::string_view text, size_t lineStart, size_t lineEnd, size_t pos) {
  if (pos >= lineEnd) return Range{pos, pos};
  if (IsBlank(text[pos])) {
    size_t end = pos;
    while (end < lineEnd && IsBlank(text[end])) ++end;
    return Range{WordStartBefore(text, lineStart, pos), end};
  }
  size_t start = pos;
  while (start > lineStart && !IsBlank(text[start - 1])) --start;
  return Range{start, WordStartAfter(text, lineEnd, pos)};
}

namespace {
std::string ConvertCase(std::string_view text, bool upper) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    gchar* converted = upper ? g_utf8_strup(text.data(), static_cast<gssize>(text.size()))
                             : g_utf8_strdown(text.data(), static_cast<gssize>(text.size()));
    std::string out(converted);
    g_free(converted);
    return out;
  }
  // Invalid text keeps its bytes; only ASCII letters change.
  std::string out(text);
  for (char& c : out) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x80) c = static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
  }
  return out;
}
}  // namespace

std::string ToUpper(std::string_view text) { return ConvertCase(text, true); }
std::string ToLower(std::string_view text) { return ConvertCase(text, false); }

void UndoBuffer::Clear() {
  position_ = 0;
  insertCount_ = 0;
  deleted_.clear();
}

void UndoBuffer::RecordDelete(size_t start, std::string_view removed) {
  if (removed.empty()) return;
  if (insertCount_ == 0 && !deleted_.empty() && start == position_) {
    deleted_.append(removed);  // Delete pressed again: the removal grows to the right
  } else if (insertCount_ == 0 && !deleted_.empty() && start + removed.size() == position_) {
    deleted_.insert(0, removed);  // Backspace again: it grows to the left
    position_ = start;
  } else {
    deleted_.assign(removed);
    position_ = start;
  }
  // Whatever was inserted before is no longer where undo would look for it.
  insertCount_ = 0;
}

void UndoBuffer::RecordInsert(size_t start, size_t length) {
  if (length == 0) return;
  if (start == position_ || (insertCount_ > 0 && start == position_ + insertCount_)) {
    insertCount_ += length;
  } else {
    position_ = start;
    insertCount_ = length;
    deleted_.clear();
  }
}

}  // namespace nbp::user::edit
