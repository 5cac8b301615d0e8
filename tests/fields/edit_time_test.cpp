// The time field as a user types into it, and its parser on its own.
#include <memory>

#include "field_fixture.h"
#include "fields/edit_time.h"
#include "nbp/ime.h"
#include "fields/time_text.h"

namespace {

struct Typing {
  bool h24;
  int firstAm;
  const char* keys;  // typed into an empty field; 'a' and 'p' choose the half
  const char* text;  // what the field shows afterwards
  int hours, mins;
};

const Typing kTyping[] = {
    // 12-hour clock, first morning hour 8.
    {false, 8, "9", "9", 9, 0},
    {false, 8, "7", "7", 19, 0},
    {false, 8, "12", "12", 12, 0},
    {false, 8, "0", "0", 12, 0},
    {false, 8, "12a", "12:00 AM", 0, 0},
    {false, 8, "9p", "9:00 PM", 21, 0},
    {false, 8, "13", "1:3", 13, 30},
    {false, 0, "13", "1:3", 1, 30},
    {false, 8, "123", "12:3", 12, 30},
    {false, 8, "1045", "10:45", 10, 45},
    // 24-hour clock.
    {true, 0, "13", "13", 13, 0},
    {true, 0, "25", "2:5", 2, 50},
    {true, 0, "24", "24", 23, 55},
    {true, 0, "1:07", "1:07", 1, 5},
    {true, 0, "1:08", "1:08", 1, 10},
    {true, 0, "1:58", "1:58", 2, 0},
    {true, 0, "23:58", "23:58", 23, 55},
    {true, 0, "1:", "1:", 1, 0},
    {true, 0, "1:3", "1:3", 1, 30},
    {true, 0, "1:3 ", "1:3 ", 1, 5},  // the two characters after the separator: "3 "
};

}  // namespace

class TimeFieldTest : public FieldTest {
 protected:
  // The field reads the clock and the separator when it is made.
  void Make(bool h24, int firstAm = 8) {
    nbp::regional::Overrides o;
    o.use24Hour = h24;
    UseLocale("en_US", o);
    time_ = std::make_unique<CNbEditTime>(firstAm, 0);
    Place(*time_);
    ClickInto(*time_);
    parent_.received.clear();
  }
  std::unique_ptr<CNbEditTime> time_;
};

TEST_F(TimeFieldTest, TypingSequences) {
  for (const Typing& c : kTyping) {
    SCOPED_TRACE(std::string(c.h24 ? "24h " : "12h ") + c.keys);
    Make(c.h24, c.firstAm);
    nbp::test::Type(c.keys);
    EXPECT_EQ(Text(*time_), c.text);
    EXPECT_EQ(time_->GetHours(), c.hours);
    EXPECT_EQ(time_->GetMins(), c.mins);
    EXPECT_TRUE(time_->IsValid());
    time_->DestroyWindow();
  }
}

TEST_F(TimeFieldTest, EmptyAndLoneSeparatorAreNoTime) {
  Make(true);
  time_->SetTime(10, 30, FALSE);
  time_->SetValid(TRUE);
  time_->ReadTime(0);
  EXPECT_EQ(time_->GetHours() + time_->GetMins(), 0);
  EXPECT_FALSE(time_->IsValid());
  nbp::test::Type(":");
  EXPECT_EQ(Text(*time_), "");
  EXPECT_FALSE(time_->IsValid());
}

TEST_F(TimeFieldTest, APlaceholderIsNotReadAndTheFirstKeyReplacesIt) {
  Make(false);
  time_->SetTime(10, 30, FALSE);
  time_->SetValid(TRUE);
  ::SetWindowText(time_->m_hWnd, "NONE");
  time_->ReadTime(0);
  EXPECT_EQ(time_->GetHours() * 100 + time_->GetMins(), 1030);
  nbp::test::PressKey(VK_END);
  nbp::test::Type("5");
  EXPECT_EQ(Text(*time_), "5");
  EXPECT_EQ(time_->GetHours(), 17);
}

TEST_F(TimeFieldTest, TheHalfOfTheDay) {
  Make(false);
  time_->SetTime(9, 0, TRUE);
  EXPECT_EQ(Text(*time_), "9:00 AM");
  nbp::test::Type("p");
  EXPECT_EQ(Text(*time_), "9:00 PM");
  EXPECT_EQ(time_->GetHours(), 21);
  EXPECT_TRUE(time_->IsForcePM());
  EXPECT_FALSE(time_->IsForceAM());
  EXPECT_EQ(Sel(*time_), std::make_pair(0, 7));
  // Editing a shown afternoon time keeps it in the afternoon.
  time_->SetNoTime();
  nbp::test::PressKey(VK_END);
  nbp::test::PressKey(VK_LEFT);
  nbp::test::PressKey(VK_LEFT);
  nbp::test::PressKey(VK_LEFT);
  nbp::test::PressKey(VK_BACK);
  nbp::test::Type("5");
  EXPECT_EQ(Text(*time_), "9:05 PM");
  EXPECT_EQ(time_->GetHours() * 100 + time_->GetMins(), 2105);
  nbp::test::Type("A");
  EXPECT_EQ(Text(*time_), "9:05 AM");
  EXPECT_EQ(AllBeeps(), 0);

  time_->SetTime(-1, 0, FALSE);
  nbp::test::Type("p");
  EXPECT_EQ(Beeps(MB_ICONEXCLAMATION), 1) << "no time to choose a half of";
}

TEST_F(TimeFieldTest, NoHalvesOnA24HourClock) {
  Make(true);
  time_->SetTime(9, 0, TRUE);
  EXPECT_EQ(Text(*time_), "9:00");
  nbp::test::Type("ap");
  EXPECT_EQ(Text(*time_), "9:00");
  EXPECT_EQ(time_->GetHours(), 9);
  EXPECT_EQ(Beeps(MB_ICONEXCLAMATION), 2);
}

TEST_F(TimeFieldTest, QuarterHourSteps) {
  struct Step {
    int hours, mins;
    char key;
    int toHours, toMins;
    bool beep;
  } const steps[] = {
      {23, 50, '+', 23, 55, false}, {23, 55, '+', 23, 55, true}, {23, 55, '=', 23, 55, true},
      {0, 10, '-', 0, 0, false},    {0, 0, '-', 0, 0, true},     {10, 7, '+', 10, 22, false},
      {10, 50, '=', 11, 5, false},  {11, 5, '-', 10, 50, false}, {-1, 30, '-', -1, 30, true},
      {-1, 0, '+', -1, 0, true},
  };
  Make(true);
  for (const Step& s : steps) {
    SCOPED_TRACE(std::to_string(s.hours) + ":" + std::to_string(s.mins) + " " + s.key);
    nbp::Headless()->ClearRecords();
    time_->SetTime(s.hours, s.mins, FALSE);
    time_->SetValid(TRUE);
    nbp::test::Type(std::string(1, s.key));
    EXPECT_EQ(time_->GetHours(), s.toHours);
    EXPECT_EQ(time_->GetMins(), s.toMins);
    EXPECT_EQ(Beeps(MB_ICONEXCLAMATION), s.beep ? 1 : 0);
    EXPECT_TRUE(time_->IsValid()) << "stepping leaves the valid flag";
  }
  time_->SetTime(10, 7, FALSE);
  nbp::test::Type("+");
  EXPECT_EQ(Text(*time_), "10:22");
}

TEST_F(TimeFieldTest, SpaceStepsUnlessATimeIsBeingTyped) {
  Make(true);
  time_->SetTime(10, 0, TRUE);
  time_->SetValid(FALSE);
  nbp::test::Type(" ");
  EXPECT_EQ(Text(*time_), "10:15");
  time_->SetValid(TRUE);
  time_->ReadTime(0);  // the text holds the separator now
  nbp::test::PressKey(VK_END);
  nbp::test::Type(" ");
  EXPECT_EQ(Text(*time_), "10:15 ");
  EXPECT_EQ(time_->GetMins(), 15);
}

TEST_F(TimeFieldTest, OnlyDigitsAndTheSeparatorEnterTheText) {
  Make(true);
  nbp::test::Type("1x/.,;!?#~b0");
  EXPECT_EQ(Text(*time_), "10");
  EXPECT_EQ(AllBeeps(), 0) << "dropped silently";
  nbp::CurrentDesktop().SetClipboardText("12:30");
  nbp::test::PressKey('V', nbp::test::kCtrl);
  nbp::test::PressKey(VK_ESCAPE);
  nbp::test::PressKey(VK_RETURN);
  EXPECT_EQ(Text(*time_), "10") << "no clipboard key or control character reaches the text";
  // Text from an input method is filtered as typing is, and read as typed.
  ::SetWindowText(time_->m_hWnd, "");
  nbp::test::ImeType("9x:3\xc3\xa9" "0");
  EXPECT_EQ(Text(*time_), "9:30");
  EXPECT_EQ(time_->GetHours() * 100 + time_->GetMins(), 930);
}

TEST_F(TimeFieldTest, BackspaceAndDeleteClearTheValidFlagOnly) {
  Make(true);
  nbp::test::Type("10:3");
  ASSERT_TRUE(time_->IsValid());
  nbp::test::PressKey(VK_BACK);
  EXPECT_EQ(Text(*time_), "10:");
  EXPECT_FALSE(time_->IsValid());
  EXPECT_EQ(time_->GetMins(), 30) << "not read again";
  nbp::test::Type("4");
  EXPECT_TRUE(time_->IsValid());
  EXPECT_EQ(time_->GetMins(), 40);
  nbp::test::PressKey(VK_HOME);
  nbp::test::PressKey(VK_DELETE);
  EXPECT_EQ(Text(*time_), "0:4");
  EXPECT_FALSE(time_->IsValid());
  EXPECT_EQ(time_->GetHours(), 10);
}

TEST_F(TimeFieldTest, VerticalKeysAreStepRequestsForTheParent) {
  Make(true);
  nbp::test::Type("10:30");
  nbp::test::PressKey(VK_LEFT);
  parent_.received.clear();
  for (UINT vk : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}) nbp::test::PressKey(vk, nbp::test::kNoMods, true);
  EXPECT_EQ(parent_.Steps(kFieldId), (std::vector<int>{-1, 1, -1, 1}));
  EXPECT_EQ(Sel(*time_), std::make_pair(4, 4)) << "the vertical keys never move the caret";
  EXPECT_EQ(Text(*time_), "10:30");
  parent_.received.clear();
  nbp::test::PressKey(VK_HOME, nbp::test::kNoMods, true);
  EXPECT_EQ(parent_.Steps(kFieldId), std::vector<int>{0});
  EXPECT_EQ(Sel(*time_), std::make_pair(0, 0)) << "every other key reaches the edit control";
  EXPECT_EQ(DeliveryOf(WM_NB_TIMESTEP, [&] { time_->SendMessage(WM_KEYDOWN, VK_UP, 1); }), Delivery::kPosted);
}

TEST_F(TimeFieldTest, MouseSelectsAllAndOpensNoMenu) {
  Make(false);
  time_->SetTime(14, 30, TRUE);
  nbp::test::DoubleClick(time_->m_hWnd, CPoint(8, 12));
  EXPECT_EQ(Sel(*time_), std::make_pair(0, 7));
  nbp::test::RightClick(time_->m_hWnd, CPoint(8, 12));
  EXPECT_TRUE(nbp::Headless()->Menus().empty());
}

TEST_F(TimeFieldTest, FormattingRefusesImpossibleTimes) {
  Make(false);
  time_->SetTime(21, 30, TRUE);
  EXPECT_EQ(Text(*time_), "9:30 PM");
  time_->SetTime(25, 0, FALSE);
  EXPECT_EQ(time_->FormatTime(), 0);
  time_->SetTime(10, 61, FALSE);
  EXPECT_EQ(time_->FormatTime(), 0);
  EXPECT_EQ(Text(*time_), "9:30 PM");
}

TEST_F(TimeFieldTest, PastedTextOfAnyKindLeavesATimeOfDay) {
  Make(true);
  const std::string pastes[] = {
      std::string(20000, '9'),
      "\xff\xfe\xc3(12\x80:\xed\xa0\x80" "45",
      "0012",
      "12:34:56:78",
      "\t-5:-30",
      std::string(3000, ':') + "7",
  };
  for (const std::string& paste : pastes) {
    SCOPED_TRACE(paste.substr(0, 20));
    ::SetWindowText(time_->m_hWnd, "");
    nbp::CurrentDesktop().SetClipboardText(paste);
    nbp::test::PressKey(VK_INSERT, nbp::test::kShift, true);
    nbp::test::PressKey(VK_END, nbp::test::kNoMods, true);
    nbp::test::Type("0");
    EXPECT_GE(time_->GetHours(), 0);
    EXPECT_LE(time_->GetHours() * 100 + time_->GetMins(), 2355);
    EXPECT_GE(time_->GetMins(), 0);
    EXPECT_LT(time_->GetMins(), 60);
    EXPECT_EQ(time_->GetMins() % 5, 0);
    EXPECT_LE(time_->GetWindowTextLength(), 30000);
  }
}

// The parser on its own, for texts typing cannot produce.
TEST(TimeTextTest, ReadsWhatAPasteCanLeave) {
  struct Case {
    const char* text;
    bool h24;
    int hours, mins;
    NbTimeTextEdit edit;
    const char* newText;
  } const cases[] = {
      {"0012", true, 0, 10, NbTimeTextEdit::kReplace, "00:12"},
      {"00120", true, 0, 10, NbTimeTextEdit::kReplace, "00:120"},
      {"0945", true, 9, 45, NbTimeTextEdit::kReplace, "09:45"},
      {"1230", false, 12, 30, NbTimeTextEdit::kReplace, "12:30"},
      {"::", false, 0, 0, NbTimeTextEdit::kKeep, ""},  // no digit: no time
      {"9:99", true, 10, 40, NbTimeTextEdit::kKeep, ""},
      {"5AM", false, 5, 0, NbTimeTextEdit::kReplace, "5"},
      {"7:15 pm", false, 19, 15, NbTimeTextEdit::kKeep, ""},
      {"99999999999999999999", true, 23, 55, NbTimeTextEdit::kReplace, nullptr},
      {":", true, 0, 0, NbTimeTextEdit::kClear, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    NbTimeConventions conventions;
    conventions.h24 = c.h24;
    NbTimeValue value;
    std::string replaced;
    EXPECT_EQ(NbReadTimeText(c.text, conventions, value, &replaced), c.edit);
    if (c.edit != NbTimeTextEdit::kClear) {
      EXPECT_EQ(value.hours, c.hours);
      EXPECT_EQ(value.mins, c.mins);
    }
    if (c.newText) {
      EXPECT_EQ(replaced, c.newText);
    }
  }
}

// Whatever the parser puts into the text reads back as the time it holds,
// and a text without a digit holds none.
TEST(TimeTextTest, TheTimeHeldIsTheTimeShown) {
  for (bool h24 : {false, true}) {
    for (const char* text : {"0959", "0945", "1230", "123", "2359", "12345", "0730", "13", "25", "7:5"}) {
      SCOPED_TRACE(std::string(h24 ? "24h " : "12h ") + text);
      NbTimeConventions conventions;
      conventions.h24 = h24;
      conventions.firstAmHour = 8;
      NbTimeValue typed;
      std::string shown = text;
      if (NbReadTimeText(text, conventions, typed, &shown) == NbTimeTextEdit::kReplace) {
        EXPECT_NE(shown.find(':'), std::string::npos);
      }
      NbTimeValue reread;
      NbReadTimeText(shown, conventions, reread, nullptr);
      EXPECT_EQ(typed.hours * 100 + typed.mins, reread.hours * 100 + reread.mins) << "shown: " << shown;
      EXPECT_TRUE(typed.valid);
    }
  }
  for (const char* text : {"::", "PM", " ", "\xc3\xa9:"}) {
    SCOPED_TRACE(text);
    NbTimeConventions conventions;
    NbTimeValue value;
    value.hours = 10;
    value.valid = true;
    EXPECT_EQ(NbReadTimeText(text, conventions, value, nullptr), NbTimeTextEdit::kKeep);
    EXPECT_FALSE(value.valid);
    EXPECT_FALSE(value.forcePM);
  }
}

TEST_F(TimeFieldTest, APastedTimeHoldsWhatItShows) {
  struct Case {
    const char* pasted;
    const char* typed;
    const char* shown;
    int hours, mins;
  } const cases[] = {{"094", "5", "09:45", 9, 45}, {"125", "0", "12:50", 12, 50}, {"095", "9", "09:59", 10, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted);
    Make(true);
    nbp::CurrentDesktop().SetClipboardText(c.pasted);
    nbp::test::PressKey(VK_INSERT, nbp::test::kShift, true);
    nbp::test::PressKey(VK_END, nbp::test::kNoMods, true);
    nbp::test::Type(c.typed);
    EXPECT_EQ(Text(*time_), c.shown);
    EXPECT_EQ(time_->GetHours(), c.hours);
    EXPECT_EQ(time_->GetMins(), c.mins);
    time_->DestroyWindow();
  }
}

TEST(TimeTextTest, AnEmptyDesignatorIsNeverFound) {
  NbTimeConventions conventions;
  conventions.am = "";
  conventions.pm = "";
  conventions.firstAmHour = 0;
  NbTimeValue value;
  NbReadTimeText("9:30", conventions, value, nullptr);
  EXPECT_FALSE(value.forcePM);
  EXPECT_FALSE(value.forceAM);
  EXPECT_EQ(value.hours, 9);
}
