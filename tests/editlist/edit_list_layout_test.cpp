// The edit list's rows, metrics, geometry and scrolling.
#include "edit_list_fixture.h"

namespace {

const RECT kNone{};

}  // namespace

TEST_F(EditListTest, EmptyListHasNoRangeAndNoRows) {
  MakeList();
  EXPECT_EQ(RangeMax(), 0);
  for (int y : {0, 1, 50, 199}) EXPECT_EQ(list_.PtToItemIndex(CPoint(10, y)), -1);
  EXPECT_EQ(list_.GetItem(0), nullptr);
  EXPECT_EQ(list_.GetFirstSelectedItemPosition(), nullptr);
}

TEST_F(EditListTest, RowsStackFromOneAt96Dpi) {
  MakeList();
  AddRows(3);
  EXPECT_EQ(list_.m_nRowHeight, 18);
  CRect cell;
  for (int i = 0; i < 3; ++i) {
    list_.GetItemCell(i, &cell);
    EXPECT_EQ(cell, CRect(0, 1 + 18 * i, 300, 19 + 18 * i)) << i;
  }
  EXPECT_EQ(RangeMax(), 54);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 0)), -1);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 1)), 0);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 18)), 0);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 19)), 1);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 55)), -1);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(300, 5)), -1);
}

TEST_F(EditListTest, RowsAreTallerAt120Dpi) {
  nbp::display::SetLogPixels(120);
  MakeList();
  AddRows(3);
  EXPECT_EQ(list_.m_nRowHeight, 21);
  CRect cell;
  list_.GetItemCell(1, &cell);
  EXPECT_EQ(cell.top, 22);
  EXPECT_EQ(cell.bottom, 43);
  list_.GetItemCell(2, &cell);
  EXPECT_EQ(cell.bottom, 64);
  // Made again, the list does not add the high-resolution pixels twice.
  list_.DestroyWindow();
  ASSERT_TRUE(list_.CreateEx(0, WS_CHILD | WS_VISIBLE, CRect(10, 40, 310, 240), &host_, kListId));
  EXPECT_EQ(list_.m_nRowHeight, 21);
  EXPECT_EQ(Height(0), 21);
}

TEST_F(EditListTest, LabelColumnIsAThirdUnlessSet) {
  MakeList(300, 200);
  AddRows(1);
  EXPECT_EQ(Rects(0).m_rcLabel, CRect(5, 3, 95, 16));
  EXPECT_EQ(Rects(0).m_rcValue, CRect(102, 2, 298, 17));
  list_.SetLabelWidth(120, TRUE);
  EXPECT_EQ(Rects(0).m_rcLabel.right, 115);
  EXPECT_EQ(Rects(0).m_rcValue.left, 122);
}

TEST_F(EditListTest, ValuesSetTheRowHeightByTheirLines) {
  MakeList(300, 200);
  int line = list_.m_nLineHeight;
  ASSERT_GT(line, 0);
  int twoBreaks = list_.AddItem("Address", "1 High St\r\nLeeds\r\nLS1", 0, FALSE);
  EXPECT_EQ(Height(twoBreaks), 18 + 2 * line);
  int wraps = list_.AddItem("Note", "a long note that goes on and on and on and on and on and on well past one line", 0,
                            FALSE);
  EXPECT_GT(Height(wraps), 18);
  int one = list_.AddItem("Name", "Ann", 0, FALSE);
  EXPECT_EQ(Height(one), 18);
  EXPECT_EQ(RangeMax(), Height(twoBreaks) + Height(wraps) + 18);
  // A minimum above the line count holds the row up; the range waits for a layout.
  list_.SetItemMinRows(one, 3);
  EXPECT_EQ(Height(one), 18 + 2 * line);
  EXPECT_EQ(RangeMax(), Height(twoBreaks) + Height(wraps) + 18);
  list_.UpdateViewInfo();
  EXPECT_EQ(RangeMax(), Height(twoBreaks) + Height(wraps) + Height(one));
  list_.SetItemValue(one, "Bo", FALSE);
  EXPECT_EQ(Height(one), 18 + 2 * line);
}

TEST_F(EditListTest, RowsAddedBeforeTheWindowAreMeasuredWhenItIsMade) {
  list_.AddItem("Address", "1 High St\r\nLeeds", 0, FALSE);
  list_.AddItem("Name", "Ann", 0, FALSE);
  EXPECT_EQ(list_.GetItem(0)->m_nID, 0);
  EXPECT_EQ(list_.GetItem(1)->m_nID, 1);
  MakeList();
  EXPECT_EQ(Height(0), 18 + list_.m_nLineHeight);
  CRect cell;
  list_.GetItemCell(1, &cell);
  EXPECT_EQ(cell.top, 1 + 18 + list_.m_nLineHeight);
}

TEST_F(EditListTest, SizesAndSettingsOfRows) {
  MakeList();
  AddRows(2);
  list_.SetItemSize(1, 0, 40, FALSE);
  int w = 0, h = 0;
  list_.GetItemSize(1, &w, &h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 40);
  EXPECT_EQ(RangeMax(), 58);
  list_.SetItemAcceptEnter(1, TRUE);
  EXPECT_TRUE(list_.GetItemAcceptEnter(1));
  list_.CollapseItem(0, TRUE);
  EXPECT_TRUE(list_.IsItemCollapsed(0));
  // Out of range: nothing happens.
  list_.SetItemValue(5, "x", TRUE);
  list_.SetItemSize(-1, 10, 10, TRUE);
  EXPECT_EQ(list_.GetItemCount(), 2);
  EXPECT_EQ(list_.GetItemMenuIndex(9), -1);
  // A height written through GetItem is seen by the geometry.
  list_.GetItem(0)->m_nHeight = 30;
  CRect cell;
  list_.GetItemCell(1, &cell);
  EXPECT_EQ(cell.top, 31);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, 31)), 1);
  // So is a selected flag, once or many times over.
  EXPECT_EQ(list_.GetSelectedCount(), 0);
  list_.GetItem(1)->m_bSelected = TRUE;
  EXPECT_EQ(list_.GetSelectedCount(), 1);
  EXPECT_EQ(list_.GetFirstSelectedItemIndex(), 1);
  CListItem* again = list_.GetItem(1);
  again->m_bSelected = FALSE;
  list_.GetItem(1)->m_bSelected = TRUE;
  list_.GetItem(1)->m_bSelected = FALSE;
  EXPECT_EQ(list_.GetSelectedCount(), 0);
  for (int k = 0; k < 40; ++k) list_.GetItem(k % 2)->m_bSelected = k % 2 == 0;
  EXPECT_EQ(list_.GetSelectedCount(), 1);
  EXPECT_EQ(list_.GetFirstSelectedItemIndex(), 0);
}

TEST_F(EditListTest, LabelsComeFromTheMenuResource) {
  MakeList();
  int plain = list_.AddItem(kPhoneMenu, 2, nullptr, "+44 7700 900415", 0, FALSE);
  int fixed = list_.AddItem(kPhoneMenu, 1, "Private", "01632 960 000", 0, FALSE);
  EXPECT_EQ(Label(plain), "Mobile");
  EXPECT_EQ(list_.GetItemMenuIndex(plain), 2);
  EXPECT_EQ(Label(fixed), "Private");
  list_.SetItemMenuIndex(plain, 3);
  EXPECT_EQ(Label(plain), "Fax");
  list_.SetItemMenuIndex(fixed, 0);
  EXPECT_EQ(Label(fixed), "Private");
  EXPECT_EQ(list_.GetItemMenuIndex(fixed), 0);
  // A menu that cannot be loaded leaves the label.
  list_.SetItemMenuInfo(plain, 9999, 1, nullptr, FALSE);
  EXPECT_EQ(Label(plain), "Fax");
}

TEST_F(EditListTest, ScrollingByLinesPagesWheelAndKeys) {
  MakeList(300, 100);
  AddRows(20);  // 360 pixels high
  EXPECT_EQ(RangeMax(), 360);
  list_.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5));
  EXPECT_EQ(Pos(), 5);
  list_.SendMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(Pos(), 0);
  list_.SetFocus();  // the wheel turns the focus window
  nbp::test::Wheel(Hwnd(), POINT{50, 50}, -120);
  EXPECT_EQ(Pos(), 18);
  nbp::test::Wheel(Hwnd(), POINT{50, 50}, 60);
  EXPECT_EQ(Pos(), 18);
  nbp::test::Wheel(Hwnd(), POINT{50, 50}, 240);
  EXPECT_EQ(Pos(), 0);
  nbp::test::PressKey(VK_NEXT);
  EXPECT_EQ(Pos(), 100);
  for (int k = 0; k < 5; ++k) nbp::test::PressKey(VK_NEXT);
  EXPECT_EQ(Pos(), 360 - 101 + 1);  // the bar keeps it at max - page + 1
  nbp::test::PressKey(VK_PRIOR);
  EXPECT_EQ(Pos(), 160);
  // The geometry follows the position.
  CRect cell;
  list_.GetItemCell(9, &cell);
  EXPECT_EQ(cell.top, 1 + 162 - 160);
  EXPECT_EQ(list_.PtToItemIndex(CPoint(5, cell.top)), 9);
}

TEST_F(EditListTest, EnsureVisibleScrollsTheLeastDistance) {
  MakeList(300, 100);
  AddRows(20);
  list_.EnsureVisible(10);  // cell 181 .. 199
  EXPECT_EQ(Pos(), 99);
  list_.EnsureVisible(2);  // cell 37 .. 55
  EXPECT_EQ(Pos(), 37);
  list_.EnsureVisible(3);
  EXPECT_EQ(Pos(), 37);
}

TEST_F(EditListTest, SelectionPositionsIterate) {
  MakeList();
  AddRows(5);
  list_.SelectItem(1, TRUE, FALSE);
  nbp::test::Type("typed in row 1");
  list_.SelectItem(3, TRUE, FALSE);
  EXPECT_EQ(list_.GetSelectedCount(), 2);
  // The row that handed the editor over kept its text.
  EXPECT_EQ(Value(1), "typed in row 1");
  POSITION pos = list_.GetFirstSelectedItemPosition();
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(list_.GetNextSelectedItemIndex(pos), 1);
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(list_.GetNextSelectedItemIndex(pos), 3);
  EXPECT_EQ(pos, nullptr);
  // The editor follows the last row opened.
  EXPECT_EQ(list_.m_nEditItem, 3);
}

TEST(EditListLabelParam, SmallRowsKeepTheClassicPackingLargeOnesTravelWhole) {
  EXPECT_EQ(NbEditListLabelParam(5, 2), MAKELONG(5, 2));
  for (auto [row, pos] : {std::pair{5, 2}, {65535, 4}, {65536, 0}, {1000000, 3}, {70000, 70000}, {0, 65536}}) {
    LPARAM p = NbEditListLabelParam(row, pos);
    EXPECT_EQ(NbEditListLabelRow(p), row);
    EXPECT_EQ(NbEditListLabelPosition(p), pos);
  }
}

TEST_F(EditListTest, DraggingTheThumbReachesPositionsPastSixteenBits) {
  MakeList(300, 200);
  for (int i = 0; i < 10000; ++i) list_.AddItem("Field", "", 0, FALSE);
  nbp::test::Pump();
  CRect window, client;
  list_.GetWindowRect(&window);
  list_.GetClientRect(&client);
  int barX = client.right + (window.Width() - client.right) / 2;
  int arrow = window.Width() - client.right;  // square arrows as wide as the bar
  // From the thumb at the top to the end of the track.
  nbp::test::Drag(Hwnd(), POINT{barX, arrow + 3}, POINT{barX, client.bottom - arrow - 1}, 8);
  EXPECT_GT(Pos(), 65535);
  EXPECT_EQ(Pos(), RangeMax() - client.Height());
  CRect cell;
  list_.GetItemCell(9999, &cell);
  EXPECT_EQ(cell.bottom, client.bottom + 1);  // rows start at y = 1
}
