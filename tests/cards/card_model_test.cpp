// The card list, sorting, the selection queries and the layout of a view in
// a window: columns, scroll range, EnsureVisible and scrolling by rows.
#include "card_fixture.h"

#include <algorithm>

namespace {

int CALLBACK ByDataDescending(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(b - a); }
int CALLBACK ByParity(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a % 2) - static_cast<int>(b % 2); }
int CALLBACK Inconsistent(LPARAM a, LPARAM b, LPARAM) { return (a * 7 + b * 3) % 5 - 2; }

void* Data(intptr_t v) { return reinterpret_cast<void*>(v); }
intptr_t Value(void* p) { return reinterpret_cast<intptr_t>(p); }

}  // namespace

TEST_F(CardViewTest, CardsAreAddedInsertedAndDeletedByIndex) {
  MakeView(700, 400, 2);
  EXPECT_EQ(view_.AddCard(Data(3), FALSE), 2);
  EXPECT_EQ(view_.GetCard(2)->m_nId, 2);
  EXPECT_EQ(view_.InsertCard(0, Data(9), FALSE), 0);
  EXPECT_EQ(Value(view_.GetCardData(0)), 9);
  EXPECT_EQ(view_.GetCard(0)->m_nId, 3);
  EXPECT_EQ(Value(view_.GetCardData(1)), 1);
  view_.DeleteCard(0, FALSE);
  EXPECT_EQ(view_.GetCardCount(), 3);
  EXPECT_EQ(Value(view_.GetCardData(0)), 1);
  EXPECT_EQ(view_.FindCardIndexByData(Data(3)), 2);
  EXPECT_EQ(view_.FindCardIndexByData(Data(42)), -1);
  EXPECT_EQ(view_.FindCardIndex(view_.GetCard(1)), 1);
  CCard stranger;
  EXPECT_EQ(view_.FindCardIndex(&stranger), -1);
  EXPECT_EQ(view_.GetCard(3), nullptr);
  EXPECT_EQ(view_.GetCard(-1), nullptr);
  view_.DeleteAllCards(FALSE);
  EXPECT_EQ(view_.GetCardCount(), 0);
  EXPECT_EQ(view_.AddCard(nullptr, FALSE), 0);
  EXPECT_EQ(view_.GetCard(0)->m_nId, 4);  // serial numbers are never reused
}

TEST_F(CardViewTest, InsertingBeyondTheEndFillsWithDefaultCards) {
  MakeView(700, 400, 2);
  view_.SelectCard(1, TRUE, FALSE);
  EXPECT_EQ(view_.InsertCard(5, Data(7), FALSE), 5);
  ASSERT_EQ(view_.GetCardCount(), 6);
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(view_.GetCard(i)->m_nId, -1);
    EXPECT_EQ(view_.GetCardData(i), nullptr);
    EXPECT_FALSE(view_.IsCardSelected(i));
  }
  EXPECT_EQ(Value(view_.GetCardData(5)), 7);
  EXPECT_EQ(view_.GetSelectedCount(), 1);
}

TEST_F(CardViewTest, OutOfRangeRequestsAreRefusedWithoutHarm) {
  MakeView(700, 400, 3);
  view_.DeleteCard(3, FALSE);
  view_.DeleteCard(-1, FALSE);
  view_.DeleteCard(1 << 30, FALSE);
  EXPECT_EQ(view_.GetCardCount(), 3);
  EXPECT_EQ(view_.InsertCard(-1, Data(5), FALSE), -1);
  EXPECT_EQ(view_.InsertCard(INT_MAX, Data(5), FALSE), -1);  // more than memory can hold
  EXPECT_EQ(view_.GetCardCount(), 3);
  EXPECT_EQ(view_.AddCard(Data(4), FALSE), 3);  // and the view still works
  view_.SetCardData(9, Data(1));
  EXPECT_EQ(view_.GetCardData(9), nullptr);
  view_.SelectCard(9, TRUE, TRUE);
  view_.CheckCard(9, TRUE, TRUE);
  EXPECT_TRUE(view_.events.empty());
  EXPECT_EQ(view_.IsCardChecked(9), 0);
}

TEST_F(CardViewTest, SortingKeepsTheFocusRecordAndTheFlagsWithTheirCards) {
  MakeView(700, 400, 6);
  view_.SelectCard(1, TRUE, FALSE);  // data 2; the focus card
  view_.CheckCard(4, TRUE, FALSE);   // data 5
  EXPECT_EQ(view_.SortItems(ByDataDescending, 0), 1);
  std::vector<intptr_t> order;
  for (int i = 0; i < 6; ++i) order.push_back(Value(view_.GetCardData(i)));
  EXPECT_EQ(order, (std::vector<intptr_t>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(view_.GetFocusCardIndex(), 4);
  EXPECT_EQ(Selected(), std::vector<int>{4});
  EXPECT_TRUE(view_.IsCardChecked(1));
  EXPECT_EQ(view_.GetNextSelectedItem(-1), 4);
}

TEST_F(CardViewTest, EqualCardsKeepTheirOrderAndABadCallbackIsHarmless) {
  MakeView(700, 400, 8);
  view_.SortItems(ByParity, 0);
  std::vector<intptr_t> order;
  for (int i = 0; i < 8; ++i) order.push_back(Value(view_.GetCardData(i)));
  EXPECT_EQ(order, (std::vector<intptr_t>{2, 4, 6, 8, 1, 3, 5, 7}));
  for (int i = 0; i < 200; ++i) view_.AddCard(Data(i + 100), FALSE);
  view_.SortItems(Inconsistent, 0);
  EXPECT_EQ(view_.GetCardCount(), 208);
  std::vector<intptr_t> all;
  for (int i = 0; i < 208; ++i) all.push_back(Value(view_.GetCardData(i)));
  std::sort(all.begin(), all.end());
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());  // a permutation, nothing lost
}

namespace {

// Each view's callback sorts the other view (one level deep): each sort must
// keep its own callback and parameter.
struct CrossSort {
  CRecordingCardView* views[2];
  int depth = 0;
  int calls[2] = {0, 0};
};

int CALLBACK CrossCompare(LPARAM a, LPARAM b, LPARAM param) {
  auto* cross = reinterpret_cast<CrossSort*>(param & ~static_cast<LPARAM>(1));
  int which = static_cast<int>(param & 1);
  ++cross->calls[which];
  if (cross->depth == 0) {
    ++cross->depth;
    cross->views[1 - which]->SortItems(CrossCompare, static_cast<DWORD_PTR>(param ^ 1));
    --cross->depth;
  }
  return which == 0 ? static_cast<int>(a - b) : static_cast<int>(b - a);
}

}  // namespace

TEST_F(CardViewTest, TwoViewsSortFromInsideEachOthersCallbacks) {
  MakeView(700, 400, 0);
  CRecordingCardView other;
  ASSERT_TRUE(other.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 300), &host_, 101));
  for (int v : {3, 1, 2}) view_.AddCard(Data(v), FALSE);
  for (int v : {5, 9, 7}) other.AddCard(Data(v), FALSE);
  alignas(2) static CrossSort cross;
  cross = CrossSort{{&view_, &other}};
  view_.SortItems(CrossCompare, reinterpret_cast<DWORD_PTR>(&cross));
  EXPECT_GT(cross.calls[1], 0);
  std::vector<intptr_t> a, b;
  for (int i = 0; i < 3; ++i) a.push_back(Value(view_.GetCardData(i)));
  for (int i = 0; i < 3; ++i) b.push_back(Value(other.GetCardData(i)));
  EXPECT_EQ(a, (std::vector<intptr_t>{1, 2, 3}));  // ascending: the first view's own callback
  EXPECT_EQ(b, (std::vector<intptr_t>{9, 7, 5}));  // descending: the other's
  // And the other way round, after shuffling both.
  view_.SortItems(ByDataDescending, 0);
  other.SortItems(ByParity, 0);
  cross.calls[0] = cross.calls[1] = 0;
  other.SortItems(CrossCompare, reinterpret_cast<DWORD_PTR>(&cross) | 1);
  EXPECT_GT(cross.calls[0], 0);
  a.clear();
  b.clear();
  for (int i = 0; i < 3; ++i) a.push_back(Value(view_.GetCardData(i)));
  for (int i = 0; i < 3; ++i) b.push_back(Value(other.GetCardData(i)));
  EXPECT_EQ(a, (std::vector<intptr_t>{1, 2, 3}));
  EXPECT_EQ(b, (std::vector<intptr_t>{9, 7, 5}));
  other.DestroyWindow();
}

TEST_F(CardViewTest, SelectionQueriesFollowEveryChange) {
  MakeView(700, 400, 300);
  for (int i : {250, 3, 64, 65, 199}) view_.SelectCard(i, TRUE, FALSE);
  EXPECT_EQ(view_.GetSelectedCount(), 5);
  std::vector<int> walked;
  POSITION pos = view_.GetFirstSelectedCardPosition();
  while (pos) walked.push_back(view_.GetNextSelectedCardIndex(pos));
  EXPECT_EQ(walked, (std::vector<int>{3, 64, 65, 199, 250}));
  EXPECT_EQ(view_.GetNextSelectedItem(65), 199);
  EXPECT_EQ(view_.GetNextSelectedItem(250), -1);
  EXPECT_EQ(view_.GetNextSelectedItem(300), -1);
  view_.DeleteCard(3, FALSE);  // the others move down by one
  EXPECT_EQ(view_.GetFirstSelectedCardIndex(), 63);
  view_.InsertCard(0, nullptr, FALSE);
  view_.InsertCard(0, nullptr, FALSE);
  EXPECT_EQ(view_.GetFirstSelectedCardIndex(), 65);
  view_.GetCard(10)->m_bSelected = 1;  // written by the host directly
  EXPECT_EQ(view_.GetSelectedCount(), 5);
  EXPECT_EQ(view_.GetFirstSelectedCardIndex(), 10);
  view_.SelectAllCards(FALSE, FALSE);
  EXPECT_EQ(view_.GetSelectedCount(), 0);
  EXPECT_EQ(view_.GetFirstSelectedCardPosition(), nullptr);
}

TEST_F(CardViewTest, LayoutCountsColumnsRowsAndTheScrollRange) {
  MakeView(700, 400, 10);  // client about 680 x 398: 3 columns, 2 rows
  EXPECT_EQ(view_.GetColumnCount(), 3);
  EXPECT_EQ(view_.GetVisibleRowCount(), 2);
  int lo = -1, hi = -1;
  view_.GetScrollRange(SB_VERT, &lo, &hi);
  EXPECT_EQ(hi, 2);  // 4 rows, 2 shown
  while (view_.GetCardCount() > 6) view_.DeleteCard(0, FALSE);
  view_.GetScrollRange(SB_VERT, &lo, &hi);
  EXPECT_EQ(hi, 0);
  view_.SetCardSize(0, 100, FALSE);  // refused
  int cx = 0, cy = 0;
  view_.GetCardSize(&cx, &cy);
  EXPECT_EQ(cx, 220);
  view_.SetCardSize(100, 100, FALSE);
  EXPECT_EQ(view_.GetColumnCount(), 7);  // (about 700 + 50) / 100
}

TEST_F(CardViewTest, EnsureVisibleScrollsByWholeRows) {
  MakeView(700, 400, 30);  // 3 columns, 2 rows shown, 10 rows
  EXPECT_EQ(view_.EnsureVisible(4), 0);
  EXPECT_EQ(Pos(), 0);
  EXPECT_EQ(view_.EnsureVisible(3 * 3), 1);  // row 3: two below the last shown row 1
  EXPECT_EQ(Pos(), 2);
  CRect cell;
  view_.GetCardCell(9, &cell);
  EXPECT_EQ(cell.top, 170);
  EXPECT_EQ(view_.EnsureVisible(0), 1);
  EXPECT_EQ(Pos(), 0);
}

TEST_F(CardViewTest, ScrollCommandsStopAtTheEnds) {
  MakeView(700, 400, 30);  // range 0 ... 8
  view_.SendMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(Pos(), 0);
  view_.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7));
  EXPECT_EQ(Pos(), 7);
  view_.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(Pos(), 8);
  view_.SendMessage(WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(Pos(), 6);
  view_.SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(Pos(), 6);
  view_.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100));
  EXPECT_EQ(Pos(), 8);
}

TEST_F(CardViewTest, HitTestingAsksForNoDescription) {
  MakeView(700, 400, 1000);
  view_.describe = [](int i, CCardDesc& d) { d.m_bPhoto = i == 4; };
  view_.descriptions = 0;
  EXPECT_EQ(view_.PtToCardIndex(Centre(4)), 4);
  EXPECT_EQ(view_.PtToCardIndex(CPoint(216, 50)), -1);  // the outline's right edge
  EXPECT_EQ(view_.descriptions, 0);
  // Measuring is what sets the header height.
  CCardRects rects;
  view_.GetCardRects(4, rects);
  EXPECT_EQ(view_.GetHeaderHeight(), 32);
  EXPECT_EQ(rects.m_rcBody.top, 170 + 35);
  view_.GetCardRects(5, rects);
  EXPECT_EQ(view_.GetHeaderHeight(), 20);
}

TEST_F(CardViewTest, ThumbDragReachesRowsBeyondSixteenBits) {
  MakeView(700, 400, 1000000);  // 3 columns: 333,332 rows, range 0 ... 333,332
  int lo = 0, hi = 0;
  view_.GetScrollRange(SB_VERT, &lo, &hi);
  ASSERT_GT(hi, 65535);
  CRect wr;
  view_.GetWindowRect(&wr);
  int x = wr.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2;
  int arrow = GetSystemMetrics(SM_CYVSCROLL);
  nbp::test::PressScreen(POINT{x, wr.top + 1 + arrow + 3});
  nbp::test::MoveToScreen(POINT{x, (wr.top + wr.bottom) / 2});
  int middle = Pos();
  nbp::test::MoveToScreen(POINT{x, wr.bottom + 40});
  nbp::test::ReleaseScreen(POINT{x, wr.bottom + 40});
  EXPECT_GT(middle, 65535);
  EXPECT_EQ(Pos(), hi);
  CRect cell;
  view_.GetCardCell(999999, &cell);
  EXPECT_GE(cell.top, 0);  // the last card is shown
  EXPECT_LT(cell.top, 400);
}
