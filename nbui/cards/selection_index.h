// Which cards are selected, answered without walking the card list: counts
// per block of 64 cards in a Fenwick tree, so that the number selected and
// the next selected card after an index take O(log n).
//
// The owner tells it every change of a selected flag it makes (Set) and
// marks it stale whenever the list may have changed behind its back
// (insertions, deletions, sorting, a card handed out for writing); a stale
// index is rebuilt from the flags on the next question, once.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace nbui::cards {

class SelectionIndex {
 public:
  // Reads the selected flag of card i (0 <= i < count).
  using FlagReader = std::function<bool(int)>;

  void Invalidate() { stale_ = true; }
  bool Stale() const { return stale_; }
  // Records that card i changed to selected or not. Ignored while stale.
  void Set(int i, bool selected);
  // Builds the counts from the flags.
  void Rebuild(int count, const FlagReader& selected);

  // Both rebuild first when stale.
  int Count(int count, const FlagReader& selected);
  // The lowest selected index greater than after, or -1.
  int Next(int after, int count, const FlagReader& selected);

 private:
  static constexpr int kBlock = 64;
  void Add(int block, int delta);
  int Prefix(int blocks) const;  // selected cards in blocks [0, blocks)
  int BlockWithRank(int rank) const;  // first block where the running count exceeds rank

  std::vector<int32_t> tree_;  // Fenwick tree over the blocks, 1-based
  int count_ = 0;
  int total_ = 0;
  bool stale_ = true;
};

}  // namespace nbui::cards
