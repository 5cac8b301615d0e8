// The prefix sums behind the edit list's row positions, against a plain
// running sum.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editlist/row_heights.h"

using nbui::editlist::RowHeights;

namespace {

int64_t SlowTop(const std::vector<int>& h, int i) {
  int64_t sum = 0;
  for (int k = 0; k < i && k < static_cast<int>(h.size()); ++k) sum += h[static_cast<size_t>(k)];
  return sum;
}

int SlowIndexAt(const std::vector<int>& h, int64_t y) {
  int64_t top = 0;
  for (size_t k = 0; k < h.size(); ++k) {
    if (y >= top && y < top + h[k]) return static_cast<int>(k);
    top += h[k];
  }
  return -1;
}

}  // namespace

TEST(RowHeights, EmptyHasNoRows) {
  RowHeights r;
  EXPECT_EQ(r.Total(), 0);
  EXPECT_EQ(r.IndexAt(0), -1);
  EXPECT_EQ(r.Top(0), 0);
}

TEST(RowHeights, AppendSetAndAssignAgreeWithARunningSum) {
  std::mt19937 rng(7);
  std::vector<int> plain;
  RowHeights r;
  for (int i = 0; i < 1000; ++i) {
    int h = i % 37 == 0 ? 0 : 18 + static_cast<int>(rng() % 5) * 14;
    plain.push_back(h);
    r.Append(h);
  }
  for (int k = 0; k < 200; ++k) {
    int i = static_cast<int>(rng() % plain.size());
    int h = static_cast<int>(rng() % 60);
    plain[static_cast<size_t>(i)] = h;
    r.Set(i, h);
  }
  for (int k = 0; k < 10; ++k) {
    plain.pop_back();
    r.RemoveLast();
  }
  r.Append(25);
  plain.push_back(25);
  RowHeights assigned;
  assigned.Assign(plain);
  const int n = static_cast<int>(plain.size());
  for (int i = 0; i <= n; i += 7) {
    EXPECT_EQ(r.Top(i), SlowTop(plain, i)) << i;
    EXPECT_EQ(assigned.Top(i), SlowTop(plain, i)) << i;
  }
  EXPECT_EQ(r.Total(), SlowTop(plain, n));
  for (int64_t y = -1; y <= r.Total(); y += 13) {
    EXPECT_EQ(r.IndexAt(y), SlowIndexAt(plain, y)) << y;
    EXPECT_EQ(assigned.IndexAt(y), SlowIndexAt(plain, y)) << y;
  }
}

TEST(RowHeights, NegativeHeightsCountAsZeroAndOutOfRangeIsIgnored) {
  RowHeights r;
  r.Append(10);
  r.Append(-5);
  r.Append(10);
  EXPECT_EQ(r.Total(), 20);
  EXPECT_EQ(r.IndexAt(10), 2);  // the empty row is stepped over
  r.Set(5, 100);
  r.Set(-1, 100);
  EXPECT_EQ(r.Total(), 20);
  EXPECT_EQ(r.Height(9), 0);
}

TEST(RowHeights, TotalsPastTwoGigapixelsStayExact) {
  RowHeights r;
  for (int i = 0; i < 300; ++i) r.Append(10000000);
  EXPECT_EQ(r.Total(), 3000000000LL);
  EXPECT_EQ(r.IndexAt(2999999999LL), 299);
}
