// Selected-card counts in a Fenwick tree of 64-card blocks.
#include "cards/selection_index.h"

#include <algorithm>

namespace nbui::cards {

void SelectionIndex::Add(int block, int delta) {
  for (size_t k = static_cast<size_t>(block) + 1; k < tree_.size(); k += k & (~k + 1)) tree_[k] += delta;
}

int SelectionIndex::Prefix(int blocks) const {
  int sum = 0;
  for (size_t k = static_cast<size_t>(blocks); k > 0; k &= k - 1) sum += tree_[k];
  return sum;
}

int SelectionIndex::BlockWithRank(int rank) const {
  size_t pos = 0;
  size_t step = 1;
  while (step * 2 < tree_.size()) step *= 2;
  for (; step > 0; step /= 2) {
    if (pos + step < tree_.size() && tree_[pos + step] <= rank) {
      pos += step;
      rank -= tree_[pos];
    }
  }
  return static_cast<int>(pos);  // 0-based block
}

void SelectionIndex::Set(int i, bool selected) {
  if (stale_ || i < 0 || i >= count_) return;
  Add(i / kBlock, selected ? 1 : -1);
  total_ += selected ? 1 : -1;
}

void SelectionIndex::Rebuild(int count, const FlagReader& selected) {
  count_ = count < 0 ? 0 : count;
  size_t blocks = (static_cast<size_t>(count_) + kBlock - 1) / kBlock;
  tree_.assign(blocks + 1, 0);
  total_ = 0;
  for (int i = 0; i < count_; ++i) {
    if (selected(i)) {
      ++tree_[static_cast<size_t>(i / kBlock) + 1];
      ++total_;
    }
  }
  // Linear construction: each node passes its sum to its parent.
  for (size_t k = 1; k < tree_.size(); ++k) {
    size_t parent = k + (k & (~k + 1));
    if (parent < tree_.size()) tree_[parent] += tree_[k];
  }
  stale_ = false;
}

int SelectionIndex::Count(int count, const FlagReader& selected) {
  if (stale_ || count != count_) Rebuild(count, selected);
  return total_;
}

int SelectionIndex::Next(int after, int count, const FlagReader& selected) {
  if (stale_ || count != count_) Rebuild(count, selected);
  int start = after < 0 ? 0 : after + 1;
  if (start >= count_) return -1;
  // The rest of start's own block first, then the block holding the next
  // selected card by rank.
  int block = start / kBlock;
  int end = std::min((block + 1) * kBlock, count_);
  for (int i = start; i < end; ++i) {
    if (selected(i)) return i;
  }
  int before = Prefix(block + 1);
  if (before >= total_) return -1;
  int next = BlockWithRank(before);
  for (int i = next * kBlock, e = std::min(i + kBlock, count_); i < e; ++i) {
    if (selected(i)) return i;
  }
  return -1;
}

}  // namespace nbui::cards
