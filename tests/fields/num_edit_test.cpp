// The numeric field: digits only, and never left below its minimum.
#include <climits>

#include "field_fixture.h"
#include "fields/num_edit.h"

class NumEditTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    Place(num_);
    ClickInto(num_);
  }
  // Types (or pastes) text into the emptied field and leaves it.
  std::string Leave(const std::string& text, bool paste = false) {
    ::SetWindowText(num_.m_hWnd, "");
    num_.SetFocus();
    if (paste) {
      nbp::CurrentDesktop().SetClipboardText(text);
      nbp::test::PressKey(VK_INSERT, nbp::test::kShift, true);
    } else {
      nbp::test::Type(text);
    }
    TabAway();
    return Text(num_);
  }
  static constexpr UINT kRefused = 0x0FFFFFFF;
  CNbNumEdit num_;
};

TEST_F(NumEditTest, OnlyDigitsCanBeTyped) {
  nbp::test::Type("1a2-b.3");
  EXPECT_EQ(Text(num_), "123");
  EXPECT_EQ(Beeps(kRefused), 4);
  EXPECT_EQ(AllBeeps(), 4);
  nbp::test::PressKey(VK_BACK);
  nbp::test::PressKey(VK_BACK);
  EXPECT_EQ(Text(num_), "1");
  EXPECT_EQ(AllBeeps(), 4) << "Backspace always works";
}

TEST_F(NumEditTest, LeavingNeverKeepsLessThanTheMinimum) {
  EXPECT_EQ(Leave(""), "0") << "the default minimum";
  num_.SetMinRequireValue(5);
  struct Case {
    const char* typed;
    const char* left;
  } const cases[] = {{"", "5"}, {"3", "5"}, {"5", "5"}, {"07", "07"}, {"12", "12"}, {"0004", "5"}};
  for (const Case& c : cases) EXPECT_EQ(Leave(c.typed), c.left) << c.typed;
}

TEST_F(NumEditTest, TheMinimumTakesEffectAtTheNextFocusLoss) {
  nbp::test::Type("2");
  num_.SetMinRequireValue(9);
  EXPECT_EQ(Text(num_), "2");
  TabAway();
  EXPECT_EQ(Text(num_), "9");
}

TEST_F(NumEditTest, PastedTextIsReadSafely) {
  num_.SetMinRequireValue(1);
  struct Case {
    std::string pasted;
    const char* left;
  } const cases[] = {
      {"99999999999999999999", "2147483647"},  // beyond int: the largest int
      {"2147483648", "2147483647"},
      {"2147483647", "2147483647"},
      {"-99999999999999999999", "1"},  // below the minimum
      {"-4", "1"},
      {"abc", "1"},  // no number at all: as below the minimum
      {"\xff\xfe", "1"},
      {"   ", "1"},
      {"12abc", "12abc"},  // a number first: as typed
      {" +8", " +8"},
      {std::string(20000, '9'), "2147483647"},
  };
  for (const Case& c : cases) EXPECT_EQ(Leave(c.pasted, true), c.left) << c.pasted.substr(0, 24);
}
