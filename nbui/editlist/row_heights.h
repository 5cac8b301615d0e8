// The edit list's row positions: prefix sums of the row heights in a
// Fenwick tree, so that the top of a row, the row under a point and the
// total height take O(log n), a height change O(log n) and an appended row
// O(log n). Free of any window; the list keeps it in step with its rows.
//
//   offset 0 ......... Top(0) = 0
//   row 0            height h0
//   offset h0 ........ Top(1)
//   row 1            height h1
//   ...
//   Total() = h0 + h1 + ... + h(n-1)
#pragma once

#include <cstdint>
#include <vector>

namespace nbui::editlist {

class RowHeights {
 public:
  int Count() const { return static_cast<int>(heights_.size()); }
  void Clear();
  // Heights below 0 count as 0, so that offsets never run backwards.
  void Append(int height);
  void Set(int index, int height);  // ignored for an index outside the rows
  // Drops the last row in O(1): no other node of the tree covers it.
  void RemoveLast();
  int Height(int index) const;      // 0 outside the rows
  // Replaces every height at once, in O(n).
  void Assign(const std::vector<int>& heights);

  // The offset where row `index` starts (the sum of the heights before it);
  // an index past the end gives Total().
  int64_t Top(int index) const;
  int64_t Total() const { return total_; }
  // The row whose span [Top(i), Top(i) + Height(i)) holds `offset`; -1 when
  // none does (before the first row or past the last).
  int IndexAt(int64_t offset) const;

 private:
  std::vector<int> heights_;
  std::vector<int64_t> tree_{0};  // 1-based; tree_[0] unused
  int64_t total_ = 0;
};

}  // namespace nbui::editlist
