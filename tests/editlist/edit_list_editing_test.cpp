// Editing in place, as a user does it: clicks, typing, Tab, Enter, label
// menus, right clicks, and deleting rows under an open edit.
#include "edit_list_fixture.h"

namespace {

using nbp::test::Click;
using nbp::test::PressKey;
using nbp::test::Type;

}  // namespace

class EditListEditingTest : public EditListTest {
 protected:
  void MakeForm() {
    MakeList(300, 200);
    list_.AddItem("Name", "Ann Lee", 0, FALSE);
    list_.AddItem("Company", "Northwind", 0, FALSE);
    list_.AddItem(kPhoneMenu, 0, nullptr, "01632 960 123", 0, FALSE);
    list_.AddItem("E-mail", "ann@example.org", 0, FALSE);
    nbp::test::Pump();
    list_.events.clear();
  }
  HWND Editor() { return list_.m_edit.m_hWnd; }
  bool EditorShown() { return ::IsWindowVisible(Editor()) != FALSE; }
  std::vector<int> Selected() {
    std::vector<int> out;
    for (int i = 0; i < list_.GetItemCount(); ++i) {
      if (list_.IsItemSelected(i)) out.push_back(i);
    }
    return out;
  }
};

TEST_F(EditListEditingTest, ClickingAValueOpensItAndClickingAnotherWritesTheFirstBack) {
  MakeForm();
  Click(Hwnd(), InValue(0));
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(list_.m_nEditItem, 0);
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(::GetFocus(), Editor());
  EXPECT_EQ(EditorText(), "Ann Lee");
  int start = -1, end = -1;
  list_.m_edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 7);
  CRect editor;
  ::GetWindowRect(Editor(), &editor);
  list_.ScreenToClient(&editor);
  EXPECT_EQ(editor, Rects(0).m_rcValue);

  Type("Ann Lee-Smith");
  Click(Hwnd(), InValue(1));
  EXPECT_EQ(Value(0), "Ann Lee-Smith");
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(EditorText(), "Northwind");
  EXPECT_EQ(list_.events, (std::vector<std::string>{"select 0", "deselect 0", "select 1"}));
}

TEST_F(EditListEditingTest, ClickingALabelWithoutAMenuChangesNothing) {
  MakeForm();
  Click(Hwnd(), InLabel(1));
  EXPECT_TRUE(Selected().empty());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(list_.GetFocusItemIndex(), 1);
}

TEST_F(EditListEditingTest, TypingUntilTheValueWrapsGrowsTheRowAndMovesTheRowsBelow) {
  MakeForm();
  Click(Hwnd(), InValue(1));
  PressKey(VK_END);
  int line = list_.m_nLineHeight;
  CRect below;
  list_.GetItemCell(2, &below);
  std::string typed = "Northwind";
  list_.events.clear();
  while (Height(1) == 18 && typed.size() < 200) {
    Type(" Traders");
    typed += " Traders";
  }
  ASSERT_EQ(Height(1), 18 + line);
  // To the owner the row closed and opened again at its new size.
  EXPECT_EQ(list_.events, (std::vector<std::string>{"deselect 1", "select 1"}));
  EXPECT_EQ(EditorText(), typed);
  // The caret stays at the end of what was typed, and the editor covers the taller value.
  int start = -1, end = -1;
  list_.m_edit.GetSel(start, end);
  EXPECT_EQ(start, static_cast<int>(typed.size()));
  EXPECT_EQ(end, start);
  CRect editor;
  ::GetWindowRect(Editor(), &editor);
  list_.ScreenToClient(&editor);
  EXPECT_EQ(editor, Rects(1).m_rcValue);
  CRect moved;
  list_.GetItemCell(2, &moved);
  EXPECT_EQ(moved.top, below.top + line);
  EXPECT_EQ(RangeMax(), 4 * 18 + line);
  // The row below was repainted at its new place: its value box frame is there.
  COLORREF frame = nbp::WindowPixel(Hwnd(), Rects(2).m_rcValue.left - 1, Rects(2).m_rcValue.top + 3);
  EXPECT_EQ(frame, nbp::WindowPixel(Hwnd(), Rects(3).m_rcValue.left - 1, Rects(3).m_rcValue.top + 3));

  // Deleting back shrinks it again; closing the edit keeps the text.
  for (int k = 0; k < 8; ++k) PressKey(VK_BACK);
  EXPECT_EQ(Height(1), 18);
  PressKey(VK_TAB);
  EXPECT_EQ(Value(1), typed.substr(0, typed.size() - 8));
}

TEST_F(EditListEditingTest, TabGoesThroughTheRowsAndOutPastWhatCannotTakeTheFocus) {
  MakeForm();
  ::SetFocus(Child(kBeforeId));
  ::SetFocus(Hwnd());  // focus arriving from the control before the list
  nbp::test::Pump();
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(::GetFocus(), Editor());
  Type("Ann B. Lee");
  PressKey(VK_TAB);
  EXPECT_EQ(Value(0), "Ann B. Lee");
  EXPECT_EQ(Selected(), std::vector<int>{1});
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_EQ(EditorText(), "ann@example.org");
  PressKey(VK_TAB);  // past the disabled button and the static text
  EXPECT_TRUE(Selected().empty());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(::GetFocus(), Child(kAfterId));
  EXPECT_EQ(Value(1), "Northwind");  // no tab went into a value

  ::SetFocus(Hwnd());  // focus coming back from the control after the list
  nbp::test::Pump();
  EXPECT_EQ(Selected(), std::vector<int>{3});
  PressKey(VK_TAB, nbp::test::kShift);
  EXPECT_EQ(Selected(), std::vector<int>{2});
  PressKey(VK_TAB, nbp::test::kShift);
  PressKey(VK_TAB, nbp::test::kShift);
  PressKey(VK_TAB, nbp::test::kShift);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(::GetFocus(), Child(kBeforeId));
}

TEST_F(EditListEditingTest, TabFromTheNeighboursEntersAtTheFirstOrLastRow) {
  MakeForm();
  ::SetFocus(Child(kBeforeId));
  PressKey(VK_TAB);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(::GetFocus(), Editor());
  ::SetFocus(Child(kAfterId));
  EXPECT_TRUE(Selected().empty());
  PressKey(VK_TAB, nbp::test::kShift);
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_EQ(::GetFocus(), Editor());
}

TEST_F(EditListEditingTest, FocusFromTheParentOpensNoRow) {
  MakeForm();
  ::EnableWindow(Child(kBeforeId), FALSE);  // the list is the parent's first tab stop
  ::SetFocus(host_.m_hWnd);
  list_.SetFocus();
  nbp::test::Pump();
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(::GetFocus(), Hwnd());
  // The list's own keys work on the focus row.
  PressKey(VK_SPACE);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(EditorText(), "Ann Lee");
}

TEST_F(EditListEditingTest, TabInTheListWindowItselfOpensTheFirstRow) {
  MakeForm();
  list_.SetFocus();
  PressKey(VK_TAB);
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(EditListEditingTest, EnterGoesToTheOwnerWithTheTypedTextAlreadyInTheRow) {
  MakeForm();
  Click(Hwnd(), InValue(0));
  Type("Bo Diaz");
  PressKey(VK_RETURN);
  ASSERT_EQ(host_.Count(WM_KEYDOWN), 1);
  EXPECT_EQ(host_.received.back().wParam, static_cast<WPARAM>(VK_RETURN));
  EXPECT_EQ(host_.received.back().value0, "Bo Diaz");
  EXPECT_EQ(EditorText(), "Bo Diaz");
  EXPECT_EQ(Height(0), 18);
}

TEST_F(EditListEditingTest, EnterInARowThatAcceptsItBreaksTheLine) {
  MakeForm();
  list_.SetItemAcceptEnter(3, TRUE);
  Click(Hwnd(), InValue(3));
  PressKey(VK_END);
  PressKey(VK_RETURN);
  Type("ann.lee@example.net");
  EXPECT_EQ(host_.Count(WM_KEYDOWN), 0);
  EXPECT_EQ(EditorText(), "ann@example.org\r\nann.lee@example.net");
  EXPECT_EQ(Height(3), 18 + list_.m_nLineHeight);
}

TEST_F(EditListEditingTest, CtrlEnterIsTheEditorsOwn) {
  MakeForm();
  Click(Hwnd(), InValue(0));
  PressKey(VK_RETURN, nbp::test::kCtrl);
  EXPECT_EQ(host_.Count(WM_KEYDOWN), 0);
  EXPECT_EQ(list_.m_nEditItem, 0);
}

TEST_F(EditListEditingTest, ChoosingALabelPostsTheRowAndThePosition) {
  MakeForm();
  nbp::Headless()->ChooseMenuItem({"Mobile"});
  Click(Hwnd(), InLabel(2));
  ASSERT_EQ(nbp::Headless()->Menus().size(), 1u);
  const nbp::PopupMenuRequest& shown = nbp::Headless()->Menus()[0];
  ASSERT_EQ(shown.items.size(), 5u);
  EXPECT_TRUE(shown.items[0].checked);
  EXPECT_FALSE(shown.items[2].checked);
  EXPECT_EQ(shown.flags & (TPM_CENTERALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD),
            static_cast<UINT>(TPM_CENTERALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD));
  EXPECT_EQ(Label(2), "Mobile");
  EXPECT_EQ(list_.GetItemMenuIndex(2), 2);
  EXPECT_TRUE(Selected().empty());  // a label click does not open the value
  ASSERT_EQ(host_.Count(WM_EDITLIST_LABELCHANGED), 1);
  const ListMessage& m = host_.received.back();
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(kListId));
  EXPECT_EQ(m.lParam, MAKELONG(2, 2));

  // The same choice again: nothing posted; a dismissed menu changes nothing.
  nbp::Headless()->ChooseMenuItem({"Mobile"});
  Click(Hwnd(), InLabel(2));
  Click(Hwnd(), InLabel(2));
  EXPECT_EQ(Label(2), "Mobile");
  EXPECT_EQ(host_.Count(WM_EDITLIST_LABELCHANGED), 1);
  EXPECT_TRUE(nbp::Headless()->Menus().back().items[2].checked);
}

TEST_F(EditListEditingTest, ACallersMenuKeepsAFixedLabel) {
  MakeForm();
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, 501, "Home");
  menu.AppendMenu(MF_STRING, 502, "Work");
  int row = list_.AddItem(&menu, 0, "Main address", "1 High St", 0, TRUE);
  nbp::Headless()->ChooseMenuCommand(502);
  Click(Hwnd(), InLabel(row));
  EXPECT_EQ(Label(row), "Main address");
  EXPECT_EQ(list_.GetItemMenuIndex(row), 1);
  ASSERT_EQ(host_.Count(WM_EDITLIST_LABELCHANGED), 1);
  EXPECT_EQ(host_.received.back().lParam, MAKELONG(row, 1));
  list_.DeleteItem(row, FALSE);
}

TEST_F(EditListEditingTest, RightClicksSelectOrKeepTheSelection) {
  MakeForm();
  for (int i : {1, 2, 3}) list_.SelectItem(i, TRUE, FALSE);
  // The list taking the focus from the editor ends the first selected row's edit.
  list_.SetFocus();
  nbp::test::Pump();
  ASSERT_EQ(Selected(), (std::vector<int>{2, 3}));
  list_.events.clear();
  nbp::test::RightClick(Hwnd(), InLabel(3));
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
  nbp::test::KeyDown(VK_CONTROL);
  nbp::test::RightClick(Hwnd(), InLabel(0));
  nbp::test::KeyUp(VK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
  EXPECT_EQ(list_.GetFocusItemIndex(), 0);
  nbp::test::RightClick(Hwnd(), InLabel(1));
  EXPECT_EQ(Selected(), std::vector<int>{1});
  nbp::test::RightClick(Hwnd(), CPoint(50, 150));  // below the rows
  EXPECT_EQ(list_.events, (std::vector<std::string>{"rdown 3", "rdown 0", "deselect 2", "deselect 3", "select 1",
                                                    "rdown 1", "deselect 1", "rdown -1"}));
}

TEST_F(EditListEditingTest, DeletingTheEditedRowOrOneAboveItClosesTheEditFirst) {
  MakeForm();
  Click(Hwnd(), InValue(2));
  Type("020 7946 0000");
  list_.DeleteItem(0, TRUE);  // a row above the edited one
  EXPECT_EQ(Value(1), "020 7946 0000");
  EXPECT_EQ(Value(0), "Northwind");
  EXPECT_EQ(list_.m_nEditItem, -1);
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(Selected().empty());
  // The row moved up opens again with a click.
  Click(Hwnd(), InValue(1));
  EXPECT_EQ(EditorText(), "020 7946 0000");

  Click(Hwnd(), InValue(2));
  Type("bo@example.org");
  list_.DeleteItem(2, TRUE);  // the edited row, the last one
  EXPECT_EQ(list_.GetItemCount(), 2);
  EXPECT_EQ(Value(1), "020 7946 0000");
  EXPECT_EQ(list_.m_nEditItem, -1);
  EXPECT_LT(list_.GetFocusItemIndex(), 2);
  // A click afterwards opens the right row.
  Click(Hwnd(), InValue(1));
  EXPECT_EQ(EditorText(), "020 7946 0000");
  list_.DeleteAllItems(TRUE);
  EXPECT_EQ(list_.GetFocusItemIndex(), 0);
  EXPECT_FALSE(EditorShown());
}

TEST_F(EditListEditingTest, PastingKeepsTheEditOpen) {
  MakeForm();
  nbp::CurrentDesktop().SetClipboardText("Contoso\nLtd");
  Click(Hwnd(), InValue(1));
  list_.m_edit.SendMessage(WM_PASTE);
  nbp::test::Pump();
  EXPECT_EQ(list_.m_nEditItem, 1);
  EXPECT_EQ(EditorText(), "Contoso\r\nLtd");
  EXPECT_EQ(Height(1), 18 + list_.m_nLineHeight);
}

TEST_F(EditListEditingTest, SpaceOnTheListSelectsAndCtrlSpaceToggles) {
  MakeForm();
  list_.SetFocus();
  list_.m_nFocusItem = 1;
  PressKey(VK_SPACE, nbp::test::kShift);
  EXPECT_TRUE(Selected().empty());
  PressKey(VK_SPACE);
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(::GetFocus(), Editor());
  list_.SetFocus();  // ends the edit
  nbp::test::Pump();
  EXPECT_TRUE(Selected().empty());
  PressKey(VK_SPACE, nbp::test::kCtrl);
  EXPECT_EQ(Selected(), std::vector<int>{1});
}

TEST_F(EditListEditingTest, HidingTheListWritesBackAndCloses) {
  MakeForm();
  Click(Hwnd(), InValue(0));
  Type("Cy");
  list_.ShowWindow(SW_HIDE);
  EXPECT_EQ(Value(0), "Cy");
  EXPECT_TRUE(Selected().empty());
  EXPECT_FALSE(EditorShown());
}

TEST_F(EditListEditingTest, FocusLeavingTheEditorWritesBack) {
  MakeForm();
  Click(Hwnd(), InValue(1));
  Type("Fabrikam");
  Click(Child(kAfterId), POINT{5, 5});
  EXPECT_EQ(Value(1), "Fabrikam");
  EXPECT_TRUE(Selected().empty());
}

TEST_F(EditListEditingTest, ClickingIntoAScrolledListFromAnotherControlOpensTheClickedRow) {
  MakeList(300, 100);
  AddRows(30);
  ::SetFocus(Child(kBeforeId));
  list_.EnsureVisible(20);
  int pos = Pos();
  ASSERT_GT(pos, 0);
  Click(Hwnd(), InValue(20));
  EXPECT_EQ(Selected(), std::vector<int>{20});
  EXPECT_EQ(Pos(), pos);
}

TEST_F(EditListEditingTest, RowsPastSixteenBitsAreReportedWhole) {
  MakeList(300, 200);
  for (int i = 0; i < 70000; ++i) list_.AddItem("Field", "", 0, FALSE);
  int row = list_.AddItem(kPhoneMenu, 0, nullptr, "", 0, FALSE);
  list_.EnsureVisible(row);
  EXPECT_GT(Pos(), 65535);
  nbp::Headless()->ChooseMenuItem({"Fax"});
  Click(Hwnd(), InLabel(row));
  EXPECT_EQ(Label(row), "Fax");
  ASSERT_EQ(host_.Count(WM_EDITLIST_LABELCHANGED), 1);
  EXPECT_EQ(NbEditListLabelRow(host_.received.back().lParam), 70000);
  EXPECT_EQ(NbEditListLabelPosition(host_.received.back().lParam), 3);
  // And the click that opens a value there finds its row.
  Click(Hwnd(), InValue(row - 1));
  EXPECT_EQ(list_.m_nEditItem, row - 1);
}

TEST_F(EditListEditingTest, DeleteShrinksAndTheWheelScrollsTheListWhileEditing) {
  MakeList(300, 100);
  list_.AddItem("Address", "1 High St\r\nLeeds", 0, FALSE);
  AddRows(10);
  Click(Hwnd(), InValue(0));
  ASSERT_EQ(Height(0), 18 + list_.m_nLineHeight);
  nbp::test::PressKey(VK_HOME, nbp::test::kCtrl);
  nbp::test::PressKey(VK_END);
  nbp::test::PressKey(VK_DELETE);  // the line break goes as one
  EXPECT_EQ(EditorText(), "1 High StLeeds");
  EXPECT_EQ(Height(0), 18);
  nbp::test::Wheel(Editor(), POINT{5, 5}, -120);
  EXPECT_EQ(Pos(), 18);
  EXPECT_EQ(list_.m_nEditItem, 0);
}

TEST_F(EditListEditingTest, DoubleClickingALabelTellsTheHookItsRow) {
  MakeForm();
  nbp::test::DoubleClick(Hwnd(), InLabel(1));
  ASSERT_FALSE(list_.events.empty());
  EXPECT_EQ(list_.events.back(), "dblclk 1");
  nbp::test::AdvanceClock(1000);
  nbp::test::DoubleClick(Hwnd(), CPoint(50, 150));  // below the rows
  EXPECT_EQ(list_.events.back(), "dblclk -1");
}
