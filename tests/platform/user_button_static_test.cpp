// The built-in Button and Static controls, used with the mouse and the
// keyboard inside a recording parent window.
#include <vector>

#include "user_fixture.h"
#include "win/controls.h"

namespace {

namespace drive = nbp::test;

class ButtonTest : public UserTest {
 protected:
  HWND Button(DWORD style, const char* text, int id, RECT r) {
    return CreateWindowEx(0, WC_BUTTON, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, top_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                          nullptr);
  }
  HWND Static(DWORD style, const char* text, int id, RECT r) {
    return CreateWindowEx(0, WC_STATIC, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, top_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                          nullptr);
  }
  // The notifications the parent received, as (id, code) pairs.
  std::vector<std::pair<int, int>> Notifications() {
    std::vector<std::pair<int, int>> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && r.msg == WM_COMMAND) out.push_back({LOWORD(r.wParam), HIWORD(r.wParam)});
    }
    return out;
  }
  static UINT Check(HWND button) { return static_cast<UINT>(SendMessage(button, BM_GETCHECK, 0, 0)); }
  static bool Pushed(HWND button) { return (SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
  using Clicks = std::vector<std::pair<int, int>>;
};

}  // namespace

TEST_F(ButtonTest, ClickNotifiesAndTakesTheFocus) {
  HWND button = Button(BS_PUSHBUTTON, "Go", 7, RECT{10, 10, 90, 35});
  drive::Pump();
  Log().clear();
  drive::Press(button, POINT{20, 10});
  EXPECT_TRUE(Pushed(button));
  EXPECT_EQ(GetFocus(), button);
  EXPECT_TRUE(Notifications().empty()) << "nothing happens before the release";
  drive::Release(button, POINT{20, 10});
  EXPECT_FALSE(Pushed(button));
  EXPECT_EQ(Notifications(), (Clicks{{7, BN_CLICKED}}));
  const Recorded* command = Find(top_, WM_COMMAND);
  ASSERT_TRUE(command);
  EXPECT_EQ(reinterpret_cast<HWND>(command->lParam), button);
}

TEST_F(ButtonTest, ReleasingOffTheButtonCancelsTheClick) {
  HWND button = Button(BS_PUSHBUTTON, "Go", 7, RECT{10, 10, 90, 35});
  drive::Pump();
  Log().clear();
  drive::Press(button, POINT{20, 10});
  drive::MoveTo(button, POINT{200, 10});
  EXPECT_FALSE(Pushed(button)) << "drawn up while the mouse is off it";
  drive::MoveTo(button, POINT{30, 10});
  EXPECT_TRUE(Pushed(button)) << "and down again when it comes back";
  drive::MoveTo(button, POINT{30, 100});
  drive::Release(button, POINT{30, 100});
  EXPECT_FALSE(Pushed(button));
  EXPECT_TRUE(Notifications().empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, SpaceBarPressesTheFocusedButton) {
  HWND button = Button(BS_PUSHBUTTON, "Go", 7, RECT{10, 10, 90, 35});
  SetFocus(button);
  drive::Pump();
  Log().clear();
  drive::KeyDown(VK_SPACE);
  EXPECT_TRUE(Pushed(button));
  EXPECT_TRUE(Notifications().empty());
  drive::KeyUp(VK_SPACE);
  EXPECT_FALSE(Pushed(button));
  EXPECT_EQ(Notifications(), (Clicks{{7, BN_CLICKED}}));
  SendMessage(button, BM_CLICK, 0, 0);
  EXPECT_EQ(Notifications().size(), 2u) << "BM_CLICK clicks too";
}

TEST_F(ButtonTest, AutomaticCheckBoxesChangeThemselves) {
  HWND box = Button(BS_AUTOCHECKBOX, "Box", 1, RECT{10, 10, 120, 30});
  HWND three = Button(BS_AUTO3STATE, "Three", 2, RECT{10, 40, 120, 60});
  HWND manual = Button(BS_CHECKBOX, "Manual", 3, RECT{10, 70, 120, 90});
  drive::Pump();
  std::vector<UINT> seen;
  for (int i = 0; i < 3; ++i) {
    drive::Click(three, POINT{5, 5});
    seen.push_back(Check(three));
  }
  EXPECT_EQ(seen, (std::vector<UINT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
  drive::Click(box, POINT{5, 5});
  EXPECT_EQ(Check(box), static_cast<UINT>(BST_CHECKED));
  drive::Click(box, POINT{5, 5});
  EXPECT_EQ(Check(box), static_cast<UINT>(BST_UNCHECKED));
  Log().clear();
  drive::Click(manual, POINT{5, 5});
  EXPECT_EQ(Check(manual), static_cast<UINT>(BST_UNCHECKED)) << "a plain check box leaves it to its parent";
  EXPECT_EQ(Notifications(), (Clicks{{3, BN_CLICKED}}));
  SendMessage(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(box), static_cast<UINT>(BST_CHECKED)) << "a two-state box has no third state";
}

TEST_F(ButtonTest, AutomaticRadioButtonsUncheckTheirGroupAndCarryTheTabStop) {
  HWND a = Button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "A", 1, RECT{10, 10, 100, 30});
  HWND b = Button(BS_AUTORADIOBUTTON, "B", 2, RECT{10, 40, 100, 60});
  HWND c = Button(BS_AUTORADIOBUTTON, "C", 3, RECT{10, 70, 100, 90});
  HWND other = Button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "Other", 4, RECT{10, 100, 100, 120});
  drive::Pump();
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  drive::Click(a, POINT{5, 5});
  drive::Click(b, POINT{5, 5});
  EXPECT_EQ(Check(a), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(Check(b), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(Check(other), static_cast<UINT>(BST_CHECKED)) << "another group is left alone";

  SendMessage(c, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(b), static_cast<UINT>(BST_UNCHECKED));
  auto tabStop = [](HWND h) { return (GetWindowLong(h, GWL_STYLE) & WS_TABSTOP) != 0; };
  EXPECT_TRUE(tabStop(c));
  EXPECT_FALSE(tabStop(a));
  EXPECT_FALSE(tabStop(b));

  // A double click on an automatic radio button is two clicks; a plain
  // radio button reports it.
  HWND plain = Button(BS_RADIOBUTTON | WS_GROUP, "Plain", 5, RECT{150, 10, 240, 30});
  drive::Pump();
  Log().clear();
  drive::DoubleClick(a, POINT{5, 5});
  drive::DoubleClick(plain, POINT{5, 5});
  EXPECT_EQ(Notifications(), (Clicks{{1, BN_CLICKED}, {1, BN_CLICKED}, {5, BN_CLICKED}, {5, BN_DOUBLECLICKED}}));
}

TEST_F(ButtonTest, OwnerDrawnButtonIsDrawnSelectedWhilePressed) {
  std::vector<UINT> states;
  React() = [&](HWND hwnd, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
    if (hwnd != top_ || msg != WM_DRAWITEM) return false;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(dis->CtlID, 9u);
    states.push_back(dis->itemState);
    FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    *result = TRUE;
    return true;
  };
  HWND button = Button(BS_OWNERDRAW, "", 9, RECT{10, 10, 60, 40});
  drive::Pump();
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(nbp::WindowPixel(button, 5, 5), RGB(0, 0, 0)) << "the parent's drawing shows";
  states.clear();
  drive::Press(button, POINT{5, 5});
  ASSERT_FALSE(states.empty());
  EXPECT_TRUE(states.back() & ODS_SELECTED);
  EXPECT_TRUE(states.back() & ODS_FOCUS);
  drive::Release(button, POINT{5, 5});
  drive::Pump();
  EXPECT_FALSE(states.back() & ODS_SELECTED);
  EXPECT_EQ(SendMessage(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(ButtonTest, GroupBoxLetsClicksThroughToWhatItFrames) {
  // The group box comes first, so it lies above the check box it frames.
  HWND group = Button(BS_GROUPBOX, "Options", 1, RECT{10, 10, 200, 120});
  HWND box = Button(BS_AUTOCHECKBOX, "Inside", 2, RECT{20, 40, 150, 60});
  drive::Pump();
  drive::Click(box, POINT{5, 5});
  EXPECT_EQ(Check(box), static_cast<UINT>(BST_CHECKED));
  Log().clear();
  drive::Click(group, POINT{100, 90});
  EXPECT_NE(Find(top_, WM_LBUTTONDOWN), nullptr) << "an empty part of the frame belongs to the parent";
  EXPECT_NE(GetFocus(), group);
}

TEST_F(ButtonTest, SetStyleSwitchesTheDefaultLookAndKeepsOtherStyles) {
  HWND button = Button(BS_DEFPUSHBUTTON | BS_NOTIFY, "OK", 1, RECT{10, 10, 90, 35});
  drive::Pump();
  EXPECT_EQ(nbp::WindowPixel(button, 0, 0), RGB(0, 0, 0)) << "a default button has a black frame";
  SendMessage(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  drive::Pump();
  EXPECT_NE(nbp::WindowPixel(button, 0, 0), RGB(0, 0, 0));
  DWORD style = static_cast<DWORD>(GetWindowLong(button, GWL_STYLE));
  EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
  EXPECT_TRUE(style & BS_NOTIFY);
}

TEST_F(ButtonTest, StaticTextUsesTheParentsColors) {
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  HWND label = nullptr;
  React() = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (hwnd != top_ || msg != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != label) return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 0));
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 128, 0));
    *result = reinterpret_cast<LRESULT>(green);
    return true;
  };
  label = Static(SS_LEFT, "MMMM WWWW", 5, RECT{10, 10, 150, 40});
  drive::Pump();
  EXPECT_EQ(nbp::WindowPixel(label, 135, 25), RGB(0, 128, 0)) << "the background is the parent's brush";
  EXPECT_TRUE(Contains(label, RECT{0, 0, 80, 20}, RGB(255, 255, 0))) << "the text is in the parent's color";
  EnableWindow(label, FALSE);
  drive::Pump();
  EXPECT_FALSE(Contains(label, RECT{0, 0, 80, 20}, RGB(255, 255, 0)));
  EXPECT_TRUE(Contains(label, RECT{0, 0, 80, 20}, GetSysColor(COLOR_GRAYTEXT))) << "disabled text is gray";
  React() = nullptr;
  DestroyWindow(label);
  DeleteObject(green);
}

TEST_F(ButtonTest, OnlyANotifyingStaticTakesClicks) {
  HWND quiet = Static(SS_LEFT, "Quiet", 1, RECT{10, 10, 100, 30});
  HWND notifying = Static(SS_LEFT | SS_NOTIFY, "Notifying", 2, RECT{10, 40, 100, 60});
  drive::Pump();
  Log().clear();
  drive::Click(quiet, POINT{5, 5});
  EXPECT_NE(Find(top_, WM_LBUTTONDOWN), nullptr) << "the parent under the quiet static gets the click";
  EXPECT_TRUE(Notifications().empty());
  Log().clear();
  drive::Click(notifying, POINT{5, 5});
  EXPECT_EQ(Find(top_, WM_LBUTTONDOWN), nullptr);
  EXPECT_EQ(Notifications(), (Clicks{{2, STN_CLICKED}}));
}

TEST_F(ButtonTest, BitmapStaticTakesItsBitmapsSizeAndRefusesIcons) {
  HWND picture = Static(SS_BITMAP, "", 1, RECT{10, 10, 100, 100});
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 24, 16);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
  RECT r;
  GetClientRect(picture, &r);
  EXPECT_EQ(r.right, 24);
  EXPECT_EQ(r.bottom, 16);
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), bitmap);
  EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_ICON, 1234), 0) << "an icon does not fit a bitmap static";
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), bitmap);
  DestroyWindow(picture);
  DeleteObject(bitmap);
}
