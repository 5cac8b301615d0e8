#include "user/controls/edit/edit_layout.h"

#include <algorithm>

#include "user/controls/edit/edit_text.h"

namespace nbp::user::edit {

void Layout::Configure(bool singleLine, int wrapWidth) {
  singleLine_ = singleLine;
  wrapWidth_ = singleLine ? 0 : wrapWidth;
}

void Layout::Rebuild(std::string_view text, const Measurer& measurer) {
  lines_.clear();
  WrapRange(text, 0, text.size(), true, measurer, &lines_);
}

void Layout::Update(std::string_view text, size_t pos, size_t removed, size_t inserted, const Measurer& measurer) {
  if (singleLine_ || lines_.empty()) {
    Rebuild(text, measurer);
    return;
  }
  // The paragraphs that held the old range, and one more on each side: a
  // change next to a break can join a CR with an LF across the boundary.
  auto paragraphStart = [&](size_t i) {
    while (i > 0 && lines_[i - 1].breakLength == 0) --i;
    return i;
  };
  auto paragraphLast = [&](size_t i) {
    while (i + 1 < lines_.size() && lines_[i].breakLength == 0) ++i;
    return i;
  };
  size_t first = paragraphStart(LineOf(pos));
  if (first > 0) first = paragraphStart(first - 1);
  size_t last = paragraphLast(LineOf(pos + removed));
  if (last + 1 < lines_.size()) last = paragraphLast(last + 1);

  size_t oldStart = lines_[first].start;
  size_t oldEnd = lines_[last].Next();
  bool toEnd = last + 1 == lines_.size();
  size_t newEnd = toEnd ? text.size() : oldEnd + inserted - removed;

  std::vector<Line> fresh;
  WrapRange(text, oldStart, newEnd, toEnd, measurer, &fresh);
  if (!toEnd) {
    // Lines after the region keep their shape and move with the text.
    for (size_t i = last + 1; i < lines_.size(); ++i) lines_[i].start = lines_[i].start + inserted - removed;
  }
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(first), fresh.begin(), fresh.end());
}

size_t Layout::LineOf(size_t pos, bool afterWrap) const {
  // The last line starting at or before pos.
  auto it = std::upper_bound(lines_.begin(), lines_.end(), pos, [](size_t p, const Line& l) { return p < l.start; });
  size_t index = it == lines_.begin() ? 0 : static_cast<size_t>(it - lines_.begin()) - 1;
  if (afterWrap && index > 0 && lines_[index].start == pos && lines_[index - 1].breakLength == 0) --index;
  return index;
}

int Layout::MaxWidth() const {
  int widest = 0;
  for (const Line& l : lines_) widest = std::max(widest, l.width);
  return widest;
}

void Layout::WrapRange(std::string_view text, size_t from, size_t to, bool toEnd, const Measurer& measurer,
                       std::vector<Line>* out) const {
  if (singleLine_) {
    WrapParagraph(text, 0, text.size(), measurer, out);
    return;
  }
  bool endsWithBreak = true;  // an empty range is an empty line
  size_t p = from;
  while (p < to) {
    size_t e = std::min(FindBreak(text, p), to);
    size_t breakLength = BreakAt(text, e);
    WrapParagraph(text, p, e, measurer, out);
    out->back().breakLength = breakLength;
    endsWithBreak = breakLength > 0;
    p = e + breakLength;
  }
  // After a final break the caret still has a line to stand on.
  if (toEnd && endsWithBreak) out->push_back(Line{to, 0, 0, 0});
}

void Layout::WrapParagraph(std::string_view text, size_t start, size_t end, const Measurer& measurer,
                           std::vector<Line>* out) const {
  size_t n = end - start;
  if (n == 0) {
    out->push_back(Line{start, 0, 0, 0});
    return;
  }
  std::vector<int> edges;
  measurer.Edges(text.substr(start, n), &edges);
  if (wrapWidth_ <= 0) {
    out->push_back(Line{start, n, 0, edges[n - 1]});
    return;
  }
  std::string_view para = text.substr(start, n);
  size_t s = 0;
  while (true) {
    int base = s > 0 ? edges[s - 1] : 0;
    size_t k = s;
    while (k < n && edges[k] - base <= wrapWidth_) ++k;
    if (k >= n) {
      out->push_back(Line{start + s, n - s, 0, edges[n - 1] - base});
      return;
    }
    size_t lineEnd;
    if (IsBlank(para[k])) {
      // Blanks at the margin hang past it and stay on this line.
      lineEnd = k;
      while (lineEnd < n && IsBlank(para[lineEnd])) ++lineEnd;
    } else {
      size_t j = k;
      while (j > s && !IsBlank(para[j - 1])) --j;
      // A word longer than the line is broken where the line is full.
      lineEnd = j > s ? j : std::max(k, NextChar(para, s));
    }
    if (lineEnd >= n) {
      out->push_back(Line{start + s, n - s, 0, edges[n - 1] - base});
      return;
    }
    out->push_back(Line{start + s, lineEnd - s, 0, edges[lineEnd - 1] - base});
    s = lineEnd;
  }
}

}  // namespace nbp::user::edit
