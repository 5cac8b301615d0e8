// The edit control's pure logic without a window: UTF-8 positions, words,
// the undo step, and the line layout with its incremental re-wrapping.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "../../platform/src/user/controls/edit/edit_layout.h"
#include "../../platform/src/user/controls/edit/edit_text.h"

using namespace nbp::user::edit;

namespace {

// Every character is 10 pixels wide; a tab reaches the next multiple of 40.
class FixedMeasurer : public Measurer {
 public:
  void Edges(std::string_view text, std::vector<int>* edges) const override {
    edges->assign(text.size(), 0);
    int x = 0;
    for (size_t i = 0; i < text.size(); i = NextChar(text, i)) {
      x = text[i] == '\t' ? (x / 40 + 1) * 40 : x + 10;
      for (size_t j = i; j < NextChar(text, i); ++j) (*edges)[j] = x;
    }
  }
};

struct Shape {
  size_t start, length, breakLength;
  bool operator==(const Shape&) const = default;
};
void PrintTo(const Shape& s, std::ostream* os) { *os << "{" << s.start << "," << s.length << "," << s.breakLength << "}"; }

std::vector<Shape> Shapes(const Layout& layout) {
  std::vector<Shape> out;
  for (size_t i = 0; i < layout.Count(); ++i) out.push_back({layout.At(i).start, layout.At(i).length, layout.At(i).breakLength});
  return out;
}

std::vector<std::string> Texts(const Layout& layout, const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < layout.Count(); ++i) out.push_back(text.substr(layout.At(i).start, layout.At(i).length));
  return out;
}

Layout Wrapped(const std::string& text, int width) {
  Layout layout;
  layout.Configure(false, width);
  layout.Rebuild(text, FixedMeasurer());
  return layout;
}

}  // namespace

TEST(EditTextTest, PositionsNeverSplitACharacter) {
  std::string text = "aü€😀b\xFFz";  // a 0, ü 1, € 3, 😀 6, b 10, stray 11, z 12
  EXPECT_EQ(SnapToChar(text, 2), 1u);
  EXPECT_EQ(SnapToChar(text, 5), 3u);
  EXPECT_EQ(SnapToChar(text, 9), 6u);
  EXPECT_EQ(SnapToChar(text, 11), 11u);
  EXPECT_EQ(SnapToChar(text, 99), text.size());
  EXPECT_EQ(NextChar(text, 6), 10u);
  EXPECT_EQ(PrevChar(text, 10), 6u);
  EXPECT_EQ(PrevChar(text, 12), 11u) << "an invalid byte is a character of its own";
  EXPECT_EQ(CountChars(text), 7u);
  EXPECT_EQ(FitBytes(text, 5), 3u);
  EXPECT_EQ(FitBytes("ab\r\ncd", 3), 2u) << "CR LF stays together";
  EXPECT_EQ(EncodeUtf8(0x20AC), "€");
  EXPECT_EQ(EncodeUtf8(0xD800), "\xEF\xBF\xBD");
}

TEST(EditTextTest, LineBreaksAndCaretSteps) {
  std::string text = "a\r\nb\nc\rd";
  EXPECT_EQ(BreakAt(text, 1), 2u);
  EXPECT_EQ(BreakAt(text, 4), 1u);
  EXPECT_EQ(BreakAt(text, 6), 1u);
  EXPECT_EQ(BreakAt(text, 0), 0u);
  EXPECT_EQ(FindBreak(text, 2), 2u) << "the LF of a CR LF is still a break when searched from it";
  EXPECT_EQ(NextPosition(text, 1), 3u);
  EXPECT_EQ(PrevPosition(text, 3), 1u);
  EXPECT_EQ(PrevPosition(text, 5), 4u);
}

TEST(EditTextTest, WordsAreSeparatedByBlanks) {
  std::string text = "one two\t three";
  EXPECT_EQ(WordStartBefore(text, 0, 9), 4u);
  EXPECT_EQ(WordStartBefore(text, 0, 4), 0u);
  EXPECT_EQ(WordStartAfter(text, text.size(), 1), 4u);
  EXPECT_EQ(WordStartAfter(text, text.size(), 5), 9u);
  Range word = WordAt(text, 0, text.size(), 5);
  EXPECT_EQ(word.start, 4u);
  EXPECT_EQ(word.end, 9u);
  word = WordAt(text, 0, text.size(), 7);  // on the tab: the word before with its blanks
  EXPECT_EQ(word.start, 4u);
  EXPECT_EQ(word.end, 9u);
  word = WordAt(text, 0, text.size(), 12);
  EXPECT_EQ(word.start, 9u);
  EXPECT_EQ(word.end, text.size());
}

TEST(EditTextTest, TheUndoStepGrowsWithContiguousEditing) {
  UndoBuffer undo;
  EXPECT_FALSE(undo.CanUndo());
  undo.RecordInsert(3, 1);
  undo.RecordInsert(4, 1);
  undo.RecordInsert(5, 2);
  EXPECT_EQ(undo.Position(), 3u);
  EXPECT_EQ(undo.InsertCount(), 4u);
  undo.RecordInsert(0, 1);  // typing elsewhere starts a new step
  EXPECT_EQ(undo.Position(), 0u);
  EXPECT_EQ(undo.InsertCount(), 1u);
  // Backspaces grow the deleted text to the left, Deletes to the right.
  undo.RecordDelete(5, "c");
  undo.RecordDelete(4, "b");
  EXPECT_EQ(undo.Deleted(), "bc");
  EXPECT_EQ(undo.Position(), 4u);
  undo.RecordDelete(4, "d");
  EXPECT_EQ(undo.Deleted(), "bcd");
  // Replacing: the deletion and the insertion at one place are one step.
  undo.RecordDelete(8, "xy");
  undo.RecordInsert(8, 3);
  EXPECT_EQ(undo.Deleted(), "xy");
  EXPECT_EQ(undo.InsertCount(), 3u);
  undo.Clear();
  EXPECT_FALSE(undo.CanUndo());
}

TEST(EditLayoutTest, HardBreaksMakeLinesAndAFinalBreakAnEmptyLine) {
  Layout layout;
  layout.Configure(false, 0);
  std::string text = "ab\r\ncd\nef\r\r\n";
  layout.Rebuild(text, FixedMeasurer());
  EXPECT_EQ(Shapes(layout), (std::vector<Shape>{{0, 2, 2}, {4, 2, 1}, {7, 2, 1}, {10, 0, 2}, {12, 0, 0}}));
  EXPECT_EQ(layout.At(0).width, 20);
  EXPECT_EQ(layout.LineOf(3), 0u) << "a position inside a break belongs to its line";
  EXPECT_EQ(layout.LineOf(4), 1u);
  EXPECT_EQ(layout.LineOf(12), 4u);
  layout.Rebuild("", FixedMeasurer());
  EXPECT_EQ(Shapes(layout), (std::vector<Shape>{{0, 0, 0}}));
}

TEST(EditLayoutTest, WrapsAtBlanksWithBlanksHangingAtTheMargin) {
  std::string text = "aaa bbb   ccc";
  Layout layout = Wrapped(text, 70);
  EXPECT_EQ(Texts(layout, text), (std::vector<std::string>{"aaa bbb   ", "ccc"}));
  EXPECT_EQ(layout.At(0).breakLength, 0u);
  // A word longer than the line breaks where the line is full, a character
  // at a time when nothing fits.
  text = "abcdefghij";
  EXPECT_EQ(Texts(Wrapped(text, 45), text), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Texts(Wrapped(text, 5), text).size(), 10u);
  // Multibyte characters are measured and broken whole.
  text = "üüüüü";
  EXPECT_EQ(Texts(Wrapped(text, 25), text), (std::vector<std::string>{"üü", "üü", "ü"}));
  // Tabs jump to their stops.
  text = "a\tb";
  EXPECT_EQ(Wrapped(text, 200).At(0).width, 50);
}

TEST(EditLayoutTest, APositionAtAWrapBelongsToTheNextLineUnlessAfterWrap) {
  std::string text = "aaa bbb";
  Layout layout = Wrapped(text, 40);
  ASSERT_EQ(layout.Count(), 2u);
  EXPECT_EQ(layout.LineOf(4), 1u);
  EXPECT_EQ(layout.LineOf(4, true), 0u);
  EXPECT_EQ(layout.LineOf(3, true), 0u);
}

TEST(EditLayoutTest, SingleLineKeepsEverythingOnOneLine) {
  Layout layout;
  layout.Configure(true, 50);
  layout.Rebuild("one two\r\nthree four", FixedMeasurer());
  EXPECT_EQ(layout.Count(), 1u);
  EXPECT_EQ(layout.At(0).length, 19u);
}

// Whatever is inserted or removed, updating gives the lines a full rebuild
// of the new text gives.
TEST(EditLayoutTest, IncrementalUpdatesMatchARebuild) {
  std::mt19937 random(12345);
  const std::vector<std::string> pieces = {"a", "bb ", " ", "\r", "\n", "\r\n", "ü", "word ", "\t", "longerword"};
  for (int width : {0, 35, 60}) {
    std::string text = "start text\r\nsecond line here\rthird\nlast";
    Layout layout;
    layout.Configure(false, width);
    layout.Rebuild(text, FixedMeasurer());
    for (int step = 0; step < 400; ++step) {
      size_t pos = SnapToChar(text, random() % (text.size() + 1));
      size_t removed = 0;
      if (random() % 3 == 0 && pos < text.size()) removed = SnapToChar(text, pos + random() % 6) - pos;
      std::string inserted;
      for (int n = static_cast<int>(random() % 3); n > 0; --n) inserted += pieces[random() % pieces.size()];
      if (text.size() > 300) {
        removed = text.size() - pos;
        inserted.clear();
      }
      std::string before = text;
      text.replace(pos, removed, inserted);
      layout.Update(text, pos, removed, inserted.size(), FixedMeasurer());
      Layout fresh;
      fresh.Configure(false, width);
      fresh.Rebuild(text, FixedMeasurer());
      ASSERT_EQ(Shapes(layout), Shapes(fresh)) << "width " << width << " step " << step << " pos " << pos << " removed "
                                               << removed << " inserted '" << inserted << "' into '" << before << "'";
      for (size_t i = 0; i < layout.Count(); ++i) ASSERT_EQ(layout.At(i).width, fresh.At(i).width);
    }
  }
}
