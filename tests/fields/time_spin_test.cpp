// The spinning time field: its fixed form, part selection by click, stepping
// part by part, the locale switch, and the spin button beside it.
#include <memory>
#include <string>

#include "field_fixture.h"
#include "fields/time_spin.h"
#include "nbp/desktop.h"

class TimeSpinTest : public FieldTest {
 protected:
  static constexpr UINT kSpinId = 103;

  void Make(bool h24) {
    nbp::regional::Overrides o;
    o.use24Hour = h24;
    UseLocale("en_US", o);
    field_ = std::make_unique<CNbEditTimeSpinCtrl>(8, 0);
    Place(*field_, 0, 120);
  }
  // A point inside character `index` of the field's text.
  CPoint Inside(int index) {
    auto at = [&](int i) {
      auto packed = static_cast<DWORD>(::SendMessage(field_->m_hWnd, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0));
      return CPoint(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed)));
    };
    CPoint a = at(index);
    // The last character has no next one to measure against.
    CPoint b = index + 1 < field_->GetWindowTextLength() ? at(index + 1) : CPoint(a.x + 8, a.y);
    return CPoint(a.x + (b.x - a.x) / 4, a.y + 5);
  }
  // Puts the caret at `pos` and steps.
  void StepAt(int pos, int delta) {
    field_->SetSel(pos, pos);
    field_->ChangeValue(delta);
  }
  std::unique_ptr<CNbEditTimeSpinCtrl> field_;
};

TEST_F(TimeSpinTest, AClickSelectsThePartUnderTheMouse) {
  Make(false);
  field_->SetTime(11, 30, TRUE);  // "11:30 AM"
  struct Part {
    int charIndex;
    std::pair<int, int> selected;
  } const parts[] = {{0, {0, 2}}, {1, {0, 2}}, {3, {3, 5}}, {4, {3, 5}}, {6, {6, 8}}, {7, {6, 8}}};
  for (const Part& p : parts) {
    SCOPED_TRACE(p.charIndex);
    nbp::test::AdvanceClock(1000);  // separate clicks, not double clicks
    nbp::test::Click(field_->m_hWnd, Inside(p.charIndex));
    EXPECT_EQ(Sel(*field_), p.selected);
  }
  // A drag over everything keeps its selection.
  nbp::test::AdvanceClock(1000);
  nbp::test::Drag(field_->m_hWnd, CPoint(1, 12), CPoint(118, 12));
  EXPECT_EQ(Sel(*field_), std::make_pair(0, 8));
  // A double click does not select everything, as the plain time field does.
  nbp::test::AdvanceClock(1000);
  nbp::test::DoubleClick(field_->m_hWnd, Inside(4));
  EXPECT_EQ(Sel(*field_), std::make_pair(3, 5));
}

TEST_F(TimeSpinTest, HoursWrapWithinTheirRange) {
  struct Case {
    bool h24, forcePM;
    int hours, delta;
    const char* text;
    int toHours;
  } const cases[] = {
      {false, false, 11, -1, "12:30 AM", 0},  // up from 11 in the morning wraps to 0
      {false, false, 0, 1, "11:30 AM", 11},
      {false, true, 23, -1, "12:30 PM", 12},  // the afternoon half wraps to its start
      {false, true, 12, 1, "11:30 PM", 23},
      {true, false, 23, -1, "00:30", 0},
      {true, false, 0, 1, "23:30", 23},
      {true, false, 9, 0, "09:30", 9},  // a step of 0 keeps the hour
      {true, false, 9, -3, "12:30", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    Make(c.h24);
    field_->ForcePM(c.forcePM);
    field_->SetTime(c.hours, 30, TRUE);
    StepAt(1, c.delta);
    EXPECT_EQ(Text(*field_), c.text);
    EXPECT_EQ(field_->GetHours(), c.toHours);
    EXPECT_EQ(field_->GetMins(), 30);
    EXPECT_EQ(Sel(*field_), std::make_pair(0, 2));
    EXPECT_EQ(::GetFocus(), field_->m_hWnd);
    EXPECT_EQ(AllBeeps(), 0) << "stepping never beeps";
  }
}

// On a 12-hour clock every hour steps to its neighbour within the half of
// the day it is in, whatever the forcing flags say (an afternoon hour typed
// without "P" sets none).
TEST_F(TimeSpinTest, EveryHourStepsWithinItsHalfOfTheDay) {
  for (int flags = 0; flags < 3; ++flags) {  // none, the hour's own half, the other half
    for (int hour = 0; hour < 24; ++hour) {
      SCOPED_TRACE("flags " + std::to_string(flags) + " hour " + std::to_string(hour));
      int low = hour >= 12 ? 12 : 0;
      Make(false);
      bool pm = (flags == 1) == (hour >= 12);
      field_->ForcePM(flags != 0 && pm);
      field_->ForceAM(flags != 0 && !pm);
      field_->SetTime(hour, 30, TRUE);
      StepAt(1, -1);
      EXPECT_EQ(field_->GetHours(), low + (hour - low + 1) % 12);
      StepAt(1, 1);
      StepAt(1, 1);
      EXPECT_EQ(field_->GetHours(), low + (hour - low + 11) % 12);
      EXPECT_EQ(field_->GetMins(), 30);
      field_->DestroyWindow();
    }
  }
}

TEST_F(TimeSpinTest, ATypedAfternoonTimeStepsInTheAfternoon) {
  Make(false);  // first morning hour 8
  ClickInto(*field_);
  nbp::test::Type("230");
  ASSERT_EQ(field_->GetHours() * 100 + field_->GetMins(), 1430);
  StepAt(0, -1);
  EXPECT_EQ(Text(*field_), "03:30 PM");
  EXPECT_EQ(field_->GetHours(), 15);
  StepAt(0, 1);
  StepAt(0, 1);
  EXPECT_EQ(Text(*field_), "01:30 PM");
  EXPECT_EQ(field_->GetHours(), 13);
}

TEST_F(TimeSpinTest, MinutesStepByFiveAndWrap) {
  Make(true);
  field_->SetTime(10, 55, TRUE);
  StepAt(4, -1);
  EXPECT_EQ(Text(*field_), "10:00") << "the hour stays";
  EXPECT_EQ(Sel(*field_), std::make_pair(3, 5));
  StepAt(3, 1);
  EXPECT_EQ(Text(*field_), "10:55");
  StepAt(5, 0);
  EXPECT_EQ(Text(*field_), "10:00") << "a step of 0 adds five minutes in the minutes";
  StepAt(5, -7);
  EXPECT_EQ(field_->GetMins(), 5) << "the size of the step does not matter";
}

TEST_F(TimeSpinTest, TheMarkerSwitchesTheHalfOfTheDay) {
  Make(false);
  field_->SetTime(9, 0, TRUE);
  StepAt(7, -1);
  EXPECT_EQ(Text(*field_), "09:00 PM");
  EXPECT_EQ(field_->GetHours(), 21);
  EXPECT_TRUE(field_->IsForcePM());
  EXPECT_FALSE(field_->IsForceAM()) << "only the half now shown is forced";
  EXPECT_EQ(Sel(*field_), std::make_pair(6, 8));
  // Typing into the minutes keeps the afternoon the marker shows.
  nbp::test::AdvanceClock(1000);
  nbp::test::Click(field_->m_hWnd, Inside(4));
  ASSERT_EQ(Sel(*field_), std::make_pair(3, 5));
  nbp::test::Type("15");
  EXPECT_EQ(field_->GetHours() * 100 + field_->GetMins(), 2115);
  field_->FormatTime();
  StepAt(6, 1);
  EXPECT_EQ(Text(*field_), "09:15 AM");
  EXPECT_FALSE(field_->IsForcePM());
  EXPECT_TRUE(field_->IsForceAM());
}

TEST_F(TimeSpinTest, ASwitchTo24HoursReformatsTheField) {
  Make(false);
  field_->SetTime(21, 0, TRUE);
  EXPECT_EQ(Text(*field_), "09:00 PM");
  nbp::regional::Overrides o;
  o.use24Hour = true;
  nbp::regional::SetOverrides(o);
  nbp::BroadcastSettingChange(0, "intl");
  EXPECT_EQ(Text(*field_), "21:00");
  StepAt(1, -1);
  EXPECT_EQ(field_->GetHours(), 22) << "the 24-hour range applies at once";
}

TEST_F(TimeSpinTest, TheSpinButtonPostsItsStepsForTheParentToApply) {
  Make(false);
  field_->SetTime(10, 30, TRUE);
  CNbTimeSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(132, 10, 148, 34), &parent_, kSpinId));
  nbp::test::Pump();
  field_->SetSel(4, 4);  // in the minutes
  parent_.received.clear();
  for (int y : {4, 20, 4}) {  // up, down, up
    nbp::test::AdvanceClock(1000);
    nbp::test::Click(spin.m_hWnd, CPoint(8, y));
  }
  EXPECT_EQ(parent_.Steps(kSpinId), (std::vector<int>{-1, 1, -1}));
  // What a parent does with them.
  for (int step : parent_.Steps(kSpinId)) field_->ChangeValue(step);
  EXPECT_EQ(Text(*field_), "10:35 AM");
  nbp::test::AdvanceClock(1000);
  EXPECT_EQ(DeliveryOf(WM_NB_TIMESTEP,
                       [&] {
                         spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 4));
                         spin.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(8, 4));
                       }),
            Delivery::kPosted);
}

TEST_F(TimeSpinTest, VerticalKeysInTheFieldAreStepRequestsToo) {
  Make(true);
  field_->SetTime(10, 30, TRUE);
  ClickInto(*field_);
  parent_.received.clear();
  nbp::test::PressKey(VK_UP, nbp::test::kNoMods, true);
  nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
  EXPECT_EQ(parent_.Steps(kFieldId), (std::vector<int>{-1, 1}));
  EXPECT_EQ(Text(*field_), "10:30");
}
