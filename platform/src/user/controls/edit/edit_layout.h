// The edit control's lines: the text split at its line breaks and, in a
// multi-line edit without horizontal scrolling, wrapped at blanks to the
// formatting rectangle's width.
//
//   text:  "One two three\r\nfour"          width: 9 characters
//   lines: [0] "One two "   soft (break 0)
//          [1] "three"      hard (break 2: CR LF)
//          [2] "four"       last (break 0)
//
// A change re-wraps only the paragraphs around it and shifts the lines after
// it, so typing costs what its own line costs to measure.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nbp::user::edit {

struct Line {
  size_t start = 0;
  size_t length = 0;       // without the break
  size_t breakLength = 0;  // 0: wrapped here, or the last line
  int width = 0;           // pixels of the line's text
  size_t End() const { return start + length; }
  size_t Next() const { return start + length + breakLength; }
};

// Measures text: edges[i] is the x (from 0) of the right edge of the
// character holding byte i. Every byte of one character has the same edge.
class Measurer {
 public:
  virtual ~Measurer() = default;
  virtual void Edges(std::string_view text, std::vector<int>* edges) const = 0;
};

class Layout {
 public:
  // A single-line edit shows the whole text as one line; wrapWidth <= 0
  // turns wrapping off.
  void Configure(bool singleLine, int wrapWidth);
  bool SingleLine() const { return singleLine_; }
  int WrapWidth() const { return wrapWidth_; }

  void Rebuild(std::string_view text, const Measurer& measurer);
  // `text` is the new text, in which `inserted` bytes at `pos` replaced
  // `removed` bytes of the old one.
  void Update(std::string_view text, size_t pos, size_t removed, size_t inserted, const Measurer& measurer);

  size_t Count() const { return lines_.size(); }
  const Line& At(size_t index) const { return lines_[index]; }
  // The line that shows position `pos`. A position where a line wraps is the
  // start of the next line, unless `afterWrap` asks for the end of the one
  // before.
  size_t LineOf(size_t pos, bool afterWrap = false) const;
  int MaxWidth() const;

 private:
  // Lines of [from, to); `toEnd`: the range runs to the end of the text, so a
  // final break is followed by the empty last line.
  void WrapRange(std::string_view text, size_t from, size_t to, bool toEnd, const Measurer& measurer,
                 std::vector<Line>* out) const;
  void WrapParagraph(std::string_view text, size_t start, size_t end, const Measurer& measurer,
                     std::vector<Line>* out) const;

  bool singleLine_ = true;
  int wrapWidth_ = 0;
  std::vector<Line> lines_{Line{}};
};

}  // namespace nbp::user::edit
