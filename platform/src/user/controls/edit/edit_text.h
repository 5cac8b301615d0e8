// The edit control's text model: UTF-8 positions, line breaks, words, and the
// single-level undo the window system's edit control keeps. Pure functions of
// the text, with no window behind them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nbp::user::edit {

// Positions are byte offsets into UTF-8 text. A position is "on a boundary"
// when it does not fall inside a character; invalid bytes count as characters
// of their own so that any text can be walked.
bool IsContinuation(unsigned char c);
// Bytes of the character that starts at `pos` (1 for a stray or invalid byte).
size_t CharSizeAt(std::string_view text, size_t pos);
// The start of the character that holds byte `pos`; `pos` beyond the text
// becomes the text's size.
size_t SnapToChar(std::string_view text, size_t pos);
size_t NextChar(std::string_view text, size_t pos);
size_t PrevChar(std::string_view text, size_t pos);
size_t CountChars(std::string_view text);
// Cuts `text` to at most `maxBytes` without splitting a character or a CR LF.
size_t FitBytes(std::string_view text, size_t maxBytes);
// The UTF-8 form of a code point (an invalid one becomes U+FFFD).
std::string EncodeUtf8(unsigned codePoint);

// Line breaks are CR LF, or a lone LF or CR. Returns the break's length at
// `pos` (0 when no break starts there).
size_t BreakAt(std::string_view text, size_t pos);
// The first break at or after `pos`, or the text's size.
size_t FindBreak(std::string_view text, size_t pos);
// Caret steps: a CR LF pair is passed over as one unit.
size_t NextPosition(std::string_view text, size_t pos);
size_t PrevPosition(std::string_view text, size_t pos);

// Words, as the window system's default word-break procedure sees them:
// runs of characters separated by blanks (space and tab), inside one line
// [lineStart, lineEnd).
bool IsBlank(char c);
// Ctrl+Left: back over blanks, then to the start of the word.
size_t WordStartBefore(std::string_view text, size_t lineStart, size_t pos);
// Ctrl+Right: over the rest of the word and the blanks after it.
size_t WordStartAfter(std::string_view text, size_t lineEnd, size_t pos);
struct Range {
  size_t start;
  size_t end;
};
// What a double click on the character at `pos` selects: the word with the
// blanks that follow it; on a blank, the word before with its blanks.
Range WordAt(std::string_view text, size_t lineStart, size_t lineEnd, size_t pos);

// Case conversion of the ES_UPPERCASE and ES_LOWERCASE styles.
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// The single undo step of the edit control: the text inserted by the last
// run of contiguous insertions and the text deleted at the same place. Typing
// extends it; undoing swaps it, so a second undo redoes.
class UndoBuffer {
 public:
  void Clear();
  bool CanUndo() const { return insertCount_ > 0 || !deleted_.empty(); }
  // Records the removal of `removed`, which started at `start`.
  void RecordDelete(size_t start, std::string_view removed);
  // Records an insertion of `length` bytes at `start`.
  void RecordInsert(size_t start, size_t length);
  size_t Position() const { return position_; }
  size_t InsertCount() const { return insertCount_; }
  const std::string& Deleted() const { return deleted_; }

 private:
  size_t position_ = 0;
  size_t insertCount_ = 0;
  std::string deleted_;
};

}  // namespace nbp::user::edit
