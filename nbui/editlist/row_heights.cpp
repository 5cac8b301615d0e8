// Prefix sums of row heights in a Fenwick tree.
#include "editlist/row_heights.h"

#include <algorithm>
#include <bit>

namespace nbui::editlist {
namespace {

size_t LowBit(size_t k) { return k & (~k + 1); }

}  // namespace

void RowHeights::Clear() {
  heights_.clear();
  tree_.assign(1, 0);
  total_ = 0;
}

void RowHeights::Append(int height) {
  height = std::max(height, 0);
  heights_.push_back(height);
  size_t k = heights_.size();
  // Node k covers rows (k - lowbit(k), k]: the new row plus the ones before
  // it in that span, read from the tree as it stands.
  tree_.push_back(height + Top(static_cast<int>(k - 1)) - Top(static_cast<int>(k - LowBit(k))));
  total_ += height;
}

void RowHeights::Set(int index, int height) {
  if (index < 0 || index >= Count()) return;
  height = std::max(height, 0);
  int64_t delta = static_cast<int64_t>(height) - heights_[static_cast<size_t>(index)];
  if (delta == 0) return;
  heights_[static_cast<size_t>(index)] = height;
  for (size_t k = static_cast<size_t>(index) + 1; k < tree_.size(); k += LowBit(k)) tree_[k] += delta;
  total_ += delta;
}

void RowHeights::RemoveLast() {
  if (heights_.empty()) return;
  total_ -= heights_.back();
  heights_.pop_back();
  tree_.pop_back();
}

int RowHeights::Height(int index) const {
  return index >= 0 && index < Count() ? heights_[static_cast<size_t>(index)] : 0;
}

void RowHeights::Assign(const std::vector<int>& heights) {
  heights_.resize(heights.size());
  tree_.assign(heights.size() + 1, 0);
  total_ = 0;
  for (size_t i = 0; i < heights.size(); ++i) {
    heights_[i] = std::max(heights[i], 0);
    tree_[i + 1] = heights_[i];
    total_ += heights_[i];
  }
  // Linear construction: each node passes its sum on to its parent.
  for (size_t k = 1; k < tree_.size(); ++k) {
    size_t parent = k + LowBit(k);
    if (parent < tree_.size()) tree_[parent] += tree_[k];
  }
}

int64_t RowHeights::Top(int index) const {
  if (index <= 0) return 0;
  if (index >= Count()) return total_;
  int64_t sum = 0;
  for (size_t k = static_cast<size_t>(index); k > 0; k &= k - 1) sum += tree_[k];
  return sum;
}

int RowHeights::IndexAt(int64_t offset) const {
  if (offset < 0 || offset >= total_) return -1;
  // The most rows whose heights together stay at or below the offset: the
  // row after them holds it (rows of height 0 are stepped over). Written
  // without branches on the data, which a hit test cannot predict.
  const size_t size = tree_.size();
  const int64_t* tree = tree_.data();
  size_t pos = 0;
  for (size_t step = std::bit_floor(size - 1); step > 0; step >>= 1) {
    size_t next = pos + step;
    int64_t node = tree[std::min(next, size - 1)];
    bool take = next < size && node <= offset;
    offset -= take ? node : 0;
    pos = take ? next : pos;
  }
  return pos < heights_.size() ? static_cast<int>(pos) : -1;
}

}  // namespace nbui::editlist
