// Typing through an input method into the in-place editor: the composition
// shows inline at the caret while it is composed, the result goes in as
// typed text, and a cancelled composition leaves nothing behind.
#include "edit_list_fixture.h"
#include "nbp/ime.h"
#include "win/syscolors.h"

class EditListImeTest : public EditListTest {
 protected:
  void SetUp() override {
    EditListTest::SetUp();
    MakeList(300, 200);
    list_.AddItem("Name", "Ann", 0, FALSE);
    list_.AddItem("Note", "", 0, FALSE);
    nbp::test::Pump();
    nbp::test::Click(Hwnd(), InValue(0));
    nbp::test::PressKey(VK_END);
  }
  void Compose(const std::string& text) {
    nbp::ime::Compose(text);
    nbp::test::Pump();
  }
  int Caret() {
    int start = -1, end = -1;
    list_.m_edit.GetSel(start, end);
    return end;
  }
};

TEST_F(EditListImeTest, CompositionShowsInlineAndCommitsAsTyped) {
  Compose("に");
  EXPECT_TRUE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Annに");
  EXPECT_EQ(Caret(), 6);
  Compose("日本");
  EXPECT_EQ(EditorText(), "Ann日本");
  nbp::ime::Commit("日本");
  nbp::test::Pump();
  EXPECT_FALSE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Ann日本");
  EXPECT_EQ(Caret(), 9);
  nbp::test::PressKey(VK_TAB);
  EXPECT_EQ(Value(0), "Ann日本");
}

TEST_F(EditListImeTest, CancelledCompositionLeavesTheTextAsItWas) {
  Compose("ka");
  Compose("か");
  nbp::ime::Cancel();
  nbp::test::Pump();
  EXPECT_FALSE(list_.m_edit.IsComposing());
  EXPECT_EQ(EditorText(), "Ann");
  EXPECT_EQ(Caret(), 3);
}

TEST_F(EditListImeTest, CompositionReplacesTheSelection) {
  list_.m_edit.SetSel(0, -1);
  Compose("李");
  EXPECT_EQ(EditorText(), "李");
  nbp::ime::Commit("李");
  nbp::test::Pump();
  EXPECT_EQ(EditorText(), "李");
}

TEST_F(EditListImeTest, ALongCompositionGrowsTheRow) {
  std::string text;
  while (Height(0) == 18 && text.size() < 600) {
    text += "東京都";
    Compose(text);
  }
  EXPECT_EQ(Height(0), 18 + list_.m_nLineHeight);
  EXPECT_EQ(EditorText(), "Ann" + text);
  nbp::ime::Cancel();
  nbp::test::Pump();
  EXPECT_EQ(Height(0), 18);
}

TEST_F(EditListImeTest, TextStillComposedIsNotWrittenWhenTheFocusLeaves) {
  Compose("日");
  nbp::test::Click(Child(kAfterId), POINT{5, 5});
  EXPECT_EQ(Value(0), "Ann");
  EXPECT_EQ(list_.m_nEditItem, -1);
}

TEST_F(EditListImeTest, ClosingTheEditWhileComposingLeavesTheCompositionOut) {
  Compose("日");
  list_.SelectAllItems(FALSE, TRUE);
  EXPECT_EQ(Value(0), "Ann");
}

TEST_F(EditListImeTest, TheCompositionIsUnderlinedUntilCommitted) {
  HWND editor = list_.m_edit.m_hWnd;
  CDC* dc = list_.m_edit.GetDC();
  CFont* old = dc->SelectObject(list_.m_edit.GetFont());
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  dc->SelectObject(old);
  list_.m_edit.ReleaseDC(dc);
  auto underlined = [&] {
    CPoint at = list_.m_edit.PosFromChar(3);
    int y = at.y + tm.tmHeight - 1;
    int inked = 0;
    for (int x = at.x; x < at.x + 20; ++x) inked += nbp::WindowPixel(editor, x, y) == ::GetSysColor(COLOR_WINDOWTEXT);
    return inked;
  };
  Compose("日本");
  EXPECT_GE(underlined(), 18);
  nbp::ime::Commit("日本");
  nbp::test::Pump();
  EXPECT_LT(underlined(), 18);
}
