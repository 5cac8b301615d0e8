// The date field, typed into and left as a user does, and driven by its owner.
#include <cmath>

#include "field_fixture.h"
#include "fields/edit_date.h"
#include "mfc/time.h"

namespace {

struct TypedDate {
  const char* locale;
  const char* typed;
  int year, month, day;  // what the field holds after the user leaves it
  int valid;
  const char* shown;  // the text after leaving
};

const TypedDate kTyped[] = {
    // Month/day/year, the default range 1904-2031 and its 1904 pivot.
    {"en_US", "2/3/04", 1904, 2, 3, 1, "2/3/1904"},
    {"en_US", "2/3/2005", 2005, 2, 3, 1, "2/3/2005"},
    {"en_US", "1/1/03", 2003, 1, 1, 1, "1/1/2003"},
    {"en_US", "1/1/10", 1910, 1, 1, 1, "1/1/1910"},
    {"en_US", "1/1/00", 2000, 1, 1, 1, "1/1/2000"},
    {"en_US", "1/1/1903", 2003, 1, 1, 1, "1/1/2003"},
    {"en_US", " 12 / 31 / 2031 ", 2031, 12, 31, 1, "12/31/2031"},
    {"en_US", "1/1/2032", 2032, 1, 1, 0, "1/1/2032"},
    // 29 February and the months' real lengths.
    {"en_US", "2/29/2000", 2000, 2, 29, 1, "2/29/2000"},
    {"en_US", "2/29/2004", 2004, 2, 29, 1, "2/29/2004"},
    {"en_US", "2/29/2003", 2003, 2, 29, 0, "2/29/2003"},
    {"en_US", "4/31/2004", 2004, 4, 31, 0, "4/31/2004"},
    {"en_US", "13/1/2004", 2004, 13, 1, 0, "13/1/2004"},
    // Day.month.year.
    {"de_DE", "3.2.03", 2003, 2, 3, 1, "03.02.2003"},
    {"de_DE", "3.2.2005", 2005, 2, 3, 1, "03.02.2005"},
    {"de_DE", "29.2.04", 1904, 2, 29, 1, "29.02.1904"},
    {"de_DE", "29.02.2003", 2003, 2, 29, 0, "29.02.2003"},
    {"de_DE", "3/2/2005", -1, -1, -1, 0, "3/2/2005"},  // not this locale's separator: no date
};

}  // namespace

class DateFieldTest : public FieldTest {
 protected:
  void Make(DWORD extraStyle = 0) { Place(date_, extraStyle); }
  void TypeAndLeave(const char* text) {
    ClickInto(date_);
    nbp::test::Type(text);
    TabAway();
  }
  CNbEditDate date_;
};

TEST_F(DateFieldTest, TypedDatesAreReadAndRewrittenOnLeaving) {
  for (const TypedDate& c : kTyped) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.typed);
    UseLocale(c.locale);
    CNbEditDate field;
    Place(field);
    ClickInto(field);
    nbp::test::Type(c.typed);
    TabAway();
    EXPECT_EQ(::GetFocus(), other_.m_hWnd);
    EXPECT_EQ(field.Year(), c.year);
    EXPECT_EQ(field.Month(), c.month);
    EXPECT_EQ(field.Day(), c.day);
    EXPECT_EQ(field.IsValidDate(), c.valid);
    EXPECT_EQ(Text(field), c.shown);
    EXPECT_TRUE(Boxes().empty()) << "leaving never shows the message box";
    field.DestroyWindow();
  }
}

TEST_F(DateFieldTest, ADateShownReadsBackAsTheSameDate) {
  // The short form writes two-digit years; the field writes four, so that
  // 2004 does not come back as 1904 (the pivot) the next time it is read.
  Make();
  date_.SetDate(2004, 3, 10);
  EXPECT_EQ(Text(date_), "3/10/2004");
  date_.SetFocus();
  TabAway();
  EXPECT_EQ(date_.Year(), 2004);
  EXPECT_EQ(Text(date_), "3/10/2004");
  date_.SetDate(2031, 12, 31);
  date_.SetFocus();
  TabAway();
  EXPECT_EQ(date_.Year(), 2031);
}

TEST_F(DateFieldTest, TheRangeBoundsValidDates) {
  Make();
  date_.SetMinYear(1600);
  date_.SetDate(1850, 6, 1);
  EXPECT_EQ(Text(date_), "6/1/1850") << "a date before 1900 is written too";
  date_.SetDate(1700, 2, 29);  // every fourth year up to 1752
  EXPECT_EQ(date_.IsValidDate(), 1);
  date_.SetDate(1900, 2, 29);
  EXPECT_EQ(date_.IsValidDate(), 0);
  EXPECT_EQ(date_.GetDate(), -1.0);

  date_.SetMinYear(1800);
  date_.SetFocus();
  ::SetWindowText(date_.m_hWnd, "2/29/1900");
  int y, m, d;
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 0);
  EXPECT_EQ(y, 1900);
  date_.SetMinYear(1904);
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 1) << "below the minimum, 100 years on: 29 February 2000";
  EXPECT_EQ(y, 2000);
}

TEST_F(DateFieldTest, ReadingTheEntryLeavesFieldsAndText) {
  Make();
  ClickInto(date_);
  nbp::test::Type("2/3/2005");
  int y = -7, m = -7, d = -7;
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 1);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20050203);
  long t = 0;
  EXPECT_EQ(date_.GetDateEntered(t), 1);
  EXPECT_EQ(t, Utc(2005, 2, 3, 1)) << "01:00 local time";
  double dt = 0;
  EXPECT_EQ(date_.GetDateEntered(dt), 1);
  EXPECT_DOUBLE_EQ(dt, COleDateTime(2005, 2, 3, 1, 0, 0).m_dt);
  EXPECT_EQ(date_.Year(), -1) << "the fields are untouched until the user leaves";
  EXPECT_EQ(Text(date_), "2/3/2005");

  nbp::test::Type("x");
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(date_.GetDateEntered(t), 0);
  EXPECT_EQ(t, -1);
  EXPECT_EQ(date_.GetDateEntered(dt), 0);
  EXPECT_EQ(dt, -1.0);
}

TEST_F(DateFieldTest, ValuesAndWeekdayOfASetDate) {
  Make();
  date_.SetDate(2004, 3, 10);
  EXPECT_EQ(date_.GetDay(), CString("Wednesday"));
  EXPECT_DOUBLE_EQ(date_.GetDate(), COleDateTime(2004, 3, 10, 1, 0, 0).m_dt);
  date_.SetDate(static_cast<long>(Utc(2005, 6, 1, 9)));
  EXPECT_EQ(Text(date_), "6/1/2005");
  date_.SetDate(COleDateTime(2006, 7, 4, 18, 0, 0).m_dt);
  EXPECT_EQ(Text(date_), "7/4/2006");
  date_.SetEdit(COleDateTime(2007, 8, 5, 0, 0, 0).m_dt);
  EXPECT_EQ(date_.Day(), 5);

  // Out of range: nothing changes, nothing is shown.
  date_.SetDate(2004, 13, 1);
  date_.SetDate(2004, 0, 1);
  date_.SetDate(2004, 1, 32);
  date_.SetDate(0.0);
  date_.SetDate(-3.5);
  date_.SetDate(NAN);
  date_.SetDate(1e300);
  date_.SetDate(0L);
  date_.SetDate(-40L);
  EXPECT_EQ(Text(date_), "8/5/2007");
  EXPECT_EQ(date_.Year() * 10000 + date_.Month() * 100 + date_.Day(), 20070805);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(DateFieldTest, AnEmptyFieldWithoutPlaceholderIsBlank) {
  Make();
  EXPECT_EQ(date_.IsBlank(), 1);
  int y = 5, m = 5, d = 5;
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 0);
  EXPECT_EQ(y + m + d, 0);
  date_.AllowBlank(TRUE);
  EXPECT_EQ(date_.GetDateEntered(y, m, d), 1);
  EXPECT_EQ(date_.GetDate(), -1.0);
  EXPECT_EQ(date_.GetDay(), CString(""));
  EXPECT_EQ(date_.ReadFormat(), 1);
  EXPECT_EQ(date_.Year(), -1);

  // Left empty, with or without blanks allowed, it stays empty and quiet.
  date_.SetFocus();
  TabAway();
  date_.AllowBlank(FALSE);
  date_.SetFocus();
  TabAway();
  EXPECT_EQ(Text(date_), "");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(parent_.Count(WM_NB_DATERESTORED), 0);
}

TEST_F(DateFieldTest, ThePlaceholderComesBackWhenTheTextIsCleared) {
  Make();
  date_.SetBlankString("No due date");
  date_.SetBlank();
  EXPECT_EQ(Text(date_), "No due date");
  EXPECT_EQ(date_.IsBlank(), 1);
  EXPECT_EQ(date_.GetDay(), CString(""));
  ::SetWindowText(date_.m_hWnd, "");
  EXPECT_EQ(date_.IsBlank(), 0) << "an empty text is not blank while a placeholder is set";

  date_.SetDate(2004, 3, 10);
  date_.SetFocus();  // selects the whole text
  nbp::test::PressKey(VK_DELETE);
  EXPECT_EQ(Text(date_), "No due date");
  nbp::test::Type("4/1/2004");
  EXPECT_EQ(Text(date_), "4/1/2004") << "the placeholder is selected, so typing replaces it";
  nbp::test::PressKey(VK_HOME);
  for (int i = 0; i < 8; ++i) nbp::test::PressKey(VK_DELETE);
  EXPECT_EQ(Text(date_), "No due date");
  for (int i = 0; i < 11; ++i) nbp::test::PressKey(VK_BACK);
  EXPECT_EQ(Text(date_), "No due date") << "emptied by Backspace as well";

  ::SetWindowText(date_.m_hWnd, "");
  TabAway();
  EXPECT_EQ(Text(date_), "No due date") << "left empty, blanks not allowed";
  date_.AllowBlank(TRUE);
  date_.SetFocus();
  ::SetWindowText(date_.m_hWnd, "");
  TabAway();
  EXPECT_EQ(Text(date_), "") << "left empty, blanks allowed";
}

TEST_F(DateFieldTest, AnInvalidDateIsRestoredWithTheMessageBox) {
  Make();
  long given = static_cast<long>(Utc(2004, 1, 15, 9));
  date_.SetDate(given);
  EXPECT_EQ(Text(date_), "1/15/2004");
  date_.SetDate(2004, 2, 30);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "The date you entered is not valid. The previous date has been restored.");
  EXPECT_EQ(Boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(Text(date_), "1/15/2004");
  const FieldMessage* restored = parent_.Last(WM_NB_DATERESTORED);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->wParam, 0u);
  EXPECT_EQ(restored->lParam, given);
  EXPECT_EQ(Sel(date_), std::make_pair(0, 9));
  EXPECT_EQ(date_.Month() * 100 + date_.Day(), 230) << "the fields keep what they were given";
  EXPECT_EQ(date_.IsValidDate(), 0);
  EXPECT_EQ(DeliveryOf(WM_NB_DATERESTORED, [&] { date_.SetDate(2004, 4, 31); }), Delivery::kSent)
      << "the parent knows of the restored date before SetDate returns";
}

TEST_F(DateFieldTest, TextThatIsNoDateIsRestoredNotCompletedWithToday) {
  Make();
  long given = static_cast<long>(Utc(2004, 1, 15, 9));
  date_.SetDate(given);
  for (const char* typed : {"soon", "3/10", "//"}) {
    SCOPED_TRACE(typed);
    ClickInto(date_);
    nbp::test::Type(typed);
    EXPECT_EQ(date_.ReadFormat(), 0);
    EXPECT_EQ(date_.Year(), -1) << "no two-digit reading of a year that was not read";
    EXPECT_EQ(date_.Day(), -1);
    size_t boxes = Boxes().size();
    parent_.received.clear();
    EXPECT_EQ(date_.WriteFormat(1), 0);
    EXPECT_EQ(Boxes().size(), boxes + 1);
    EXPECT_EQ(Text(date_), "1/15/2004") << "the given date, not one made of today's parts";
    ASSERT_NE(parent_.Last(WM_NB_DATERESTORED), nullptr);
    EXPECT_EQ(parent_.Last(WM_NB_DATERESTORED)->lParam, given);
    EXPECT_EQ(date_.IsValidDate(), 0);
  }
  // A date the owner sets afterwards is written as before.
  date_.SetDate(2004, 6, 1);
  EXPECT_EQ(Text(date_), "6/1/2004");
}

TEST_F(DateFieldTest, WithoutAGivenTimeTodayIsRestored) {
  Make();
  ClickInto(date_);
  nbp::test::Type("2/30/2004");
  TabAway();
  EXPECT_EQ(Text(date_), "2/30/2004") << "leaving keeps an impossible date for the user to correct";
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(date_.WriteFormat(1), 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Text(date_), "3/10/2004");
  ASSERT_NE(parent_.Last(WM_NB_DATERESTORED), nullptr);
  EXPECT_EQ(parent_.Last(WM_NB_DATERESTORED)->lParam, Utc(2004, 3, 10));

  // Only a report asks; a blank field is never restored.
  date_.SetDate(2004, 2, 30);
  EXPECT_EQ(Boxes().size(), 2u);
  ::SetWindowText(date_.m_hWnd, "2/30/2004");
  EXPECT_EQ(date_.ReadFormat(), 1);
  EXPECT_EQ(date_.WriteFormat(0), 1);
  ::SetWindowText(date_.m_hWnd, "");
  date_.SetDate(2004, 2, 30);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Text(date_), "");
}

TEST_F(DateFieldTest, EveryKeyIsOfferedToTheParentFirst) {
  Make();
  ClickInto(date_);
  nbp::test::Type("3/1/2004");
  parent_.received.clear();
  nbp::test::PressKey(VK_HOME);
  ASSERT_EQ(parent_.Count(WM_NB_DATEKEYDOWN), 1);
  EXPECT_EQ(parent_.Last(WM_NB_DATEKEYDOWN)->wParam, static_cast<WPARAM>(VK_HOME));
  ASSERT_EQ(parent_.Count(WM_NB_DATEKEYUP), 1);
  EXPECT_EQ(parent_.Last(WM_NB_DATEKEYUP)->wParam, static_cast<WPARAM>(VK_HOME));
  EXPECT_EQ(Sel(date_), std::make_pair(0, 0));
  EXPECT_EQ(DeliveryOf(WM_NB_DATEKEYDOWN, [&] { date_.SendMessage(WM_KEYDOWN, VK_RIGHT, 1); }), Delivery::kSent);
  EXPECT_EQ(DeliveryOf(WM_NB_DATEKEYUP, [&] { date_.SendMessage(WM_KEYUP, VK_RIGHT, 0xC0000001); }),
            Delivery::kSent);
  nbp::test::PressKey(VK_HOME);

  // A parent that answers takes the key over: not even Delete is processed.
  parent_.keyDownAnswer = WM_NB_DATEKEYDOWN;
  parent_.keyUpAnswer = WM_NB_DATEKEYUP;
  nbp::test::PressKey(VK_DELETE);
  nbp::test::PressKey(VK_END);
  EXPECT_EQ(Text(date_), "3/1/2004");
  EXPECT_EQ(Sel(date_), std::make_pair(0, 0));
  EXPECT_EQ(parent_.Count(WM_NB_DATEKEYDOWN), 3);

  // Any other answer leaves the key to the field.
  parent_.keyDownAnswer = 1;
  nbp::test::PressKey(VK_DELETE);
  EXPECT_EQ(Text(date_), "/1/2004");
}

TEST_F(DateFieldTest, EnterIsSwallowed) {
  Make(ES_MULTILINE | ES_WANTRETURN);
  ClickInto(date_);
  nbp::test::Type("3/1/2004");
  nbp::test::PressKey(VK_RETURN);
  EXPECT_EQ(Text(date_), "3/1/2004") << "no line break in a multi-line date field either";
}

TEST_F(DateFieldTest, FocusAndDoubleClickSelectTheWholeDate) {
  Make();
  date_.SetDate(2004, 3, 10);
  date_.SetFocus();
  nbp::test::Pump();
  EXPECT_EQ(Sel(date_), std::make_pair(0, 9));
  nbp::test::PressKey(VK_END);
  nbp::test::DoubleClick(date_.m_hWnd, CPoint(20, 12));
  EXPECT_EQ(Sel(date_), std::make_pair(0, 9)) << "not just the word under the mouse";
}

TEST_F(DateFieldTest, PastingAnythingKeepsTheFieldWhole) {
  Make();
  date_.LimitText(12);
  std::string junk = "\xff\xfe" + std::string(5000, '7') + "\r\n2/3/05";
  nbp::CurrentDesktop().SetClipboardText(junk);
  ClickInto(date_);
  nbp::test::PressKey(VK_INSERT, nbp::test::kShift);
  EXPECT_EQ(Text(date_), std::string(12, '7'));
  EXPECT_GE(AllBeeps(), 1) << "the paste had to be cut";
  TabAway();
  EXPECT_EQ(date_.IsValidDate(), 0);
  EXPECT_EQ(Text(date_), std::string(12, '7'));

  nbp::CurrentDesktop().SetClipboardText("2/3/03");
  date_.SetFocus();
  nbp::test::PressKey('V', nbp::test::kCtrl);
  TabAway();
  EXPECT_EQ(Text(date_), "2/3/2003");
}
