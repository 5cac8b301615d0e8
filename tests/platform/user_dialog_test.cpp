// The dialog manager, driven as a user would: dialogs from templates in
// memory, run modally while idle steps press keys and click, or modelessly.
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "nbp/dialog_template.h"
#include "user_fixture.h"
#include "win/controls.h"
#include "win/dialogs.h"

// fontconfig keeps caches for the life of the process.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

namespace drive = nbp::test;
using nbp::DialogClass;
using nbp::DialogItem;
using nbp::DialogTemplateWriter;

enum : WORD {
  kLabel = 100,
  kField = 101,
  kDisabled = 102,
  kHidden = 103,
  kRadio1 = 110,
  kRadio2 = 111,
  kRadio3 = 112,
  kCheck = 120,
  kApply = 130,
  kPicture = 140,
};

// An edit-like field: it selects its text on EM_SETSEL, takes characters,
// and answers WM_GETDLGCODE with what the test sets.
DWORD& FieldCode() {
  static DWORD code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
  return code;
}

LRESULT FieldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Log().push_back({hwnd, msg, wParam, lParam});
  if (msg == WM_GETDLGCODE) return FieldCode();
  if (msg == EM_SETSEL) return 0;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

DialogItem Field(WORD id, short x, short y, short cx, short cy) {
  DialogItem item;
  item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  item.windowClass.text = "TestField";
  return item;
}

// What the dialog procedure saw, and how it answers WM_INITDIALOG.
struct Script {
  HWND dialog = nullptr;
  HWND initFocus = nullptr;
  LPARAM initParam = 0;
  INT_PTR initAnswer = TRUE;
  std::function<void(HWND)> onInit;
  std::vector<std::pair<WORD, WORD>> commands;  // (id, notification)
  std::vector<HFONT> fontsSet;
};
Script& S() {
  static Script script;
  return script;
}

INT_PTR ScriptProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      S().dialog = hwnd;
      S().initFocus = reinterpret_cast<HWND>(wParam);
      S().initParam = lParam;
      if (S().onInit) S().onInit(hwnd);
      return S().initAnswer;
    case WM_SETFONT:
      S().fontsSet.push_back(reinterpret_cast<HFONT>(wParam));
      return TRUE;
    case WM_COMMAND:
      S().commands.push_back({LOWORD(wParam), HIWORD(wParam)});
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

// A form: a label and a field, a disabled and a hidden button, a group of
// three radio buttons, a check box, and OK (default), Cancel and Apply.
DialogTemplateWriter Form(DWORD extraStyle = 0) {
  DialogTemplateWriter w(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | extraStyle, 10, 10, 180, 140, "Form");
  w.Font(8, "MS Shell Dlg");
  w.LText("&Name:", kLabel, 8, 10, 40, 8);
  w.Control(Field(kField, 50, 8, 100, 12));
  w.PushButton("Disabled", kDisabled, 8, 28, 50, 14, WS_DISABLED);
  w.Control(DialogClass::Button, "Hidden", kHidden, 60, 28, 50, 14, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON);
  w.AutoRadioButton("One", kRadio1, 8, 50, 50, 10, WS_GROUP | WS_TABSTOP);
  w.AutoRadioButton("Two", kRadio2, 8, 62, 50, 10);
  w.AutoRadioButton("Three", kRadio3, 8, 74, 50, 10);
  w.AutoCheckBox("&Check", kCheck, 8, 90, 60, 10, WS_GROUP);
  w.DefPushButton("OK", IDOK, 40, 118, 40, 14, WS_GROUP);
  w.PushButton("Cancel", IDCANCEL, 84, 118, 40, 14);
  w.PushButton("&Apply", kApply, 128, 118, 40, 14);
  return w;
}

HWND Item(WORD id) { return GetDlgItem(S().dialog, id); }
DWORD TypeOf(HWND button) { return static_cast<DWORD>(GetWindowLong(button, GWL_STYLE)) & BS_TYPEMASK; }
bool HasTabStop(HWND h) { return (GetWindowLong(h, GWL_STYLE) & WS_TABSTOP) != 0; }

class DialogTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    static bool registered = false;
    if (!registered) {
      WNDCLASS wc{};
      wc.lpfnWndProc = FieldProc;
      wc.lpszClassName = "TestField";
      RegisterClass(&wc);
      registered = true;
    }
    FieldCode() = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    S() = Script{};
  }

  // Runs the dialog modally; each step runs when the loop waits for the
  // user, and every step must have run by the time the dialog ends.
  INT_PTR RunModal(const std::vector<uint8_t>& bytes, std::vector<std::function<void()>> steps,
                   size_t leftOver = 0) {
    for (auto& step : steps) nbp::Headless()->WhenIdle(std::move(step));
    bytes_ = bytes;
    INT_PTR result =
        DialogBoxIndirectParam(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(bytes_.data()), top_, ScriptProc, 77);
    EXPECT_EQ(nbp::Headless()->PendingIdleSteps(), leftOver);
    return result;
  }

  HWND Modeless(const std::vector<uint8_t>& bytes) {
    bytes_ = bytes;
    HWND dialog = CreateDialogIndirectParam(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(bytes_.data()), top_,
                                            ScriptProc, 0);
    drive::Pump();
    return dialog;
  }

  bool Got(HWND hwnd, UINT msg, WPARAM wParam) {
    for (const Recorded& r : Log()) {
      if (r.hwnd == hwnd && r.msg == msg && r.wParam == wParam) return true;
    }
    return false;
  }

  bool SentTo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (const Recorded& r : Log()) {
      if (r.hwnd == hwnd && r.msg == msg && r.wParam == wParam && r.lParam == lParam) return true;
    }
    return false;
  }

  std::vector<uint8_t> bytes_;
};

SIZE MeasuredBaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE letters{};
  GetTextExtentPoint32(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{(letters.cx / 26 + 1) / 2, tm.tmHeight};
}

}  // namespace

TEST_F(DialogTest, DialogUnitsAreQuartersAndEighthsOfTheFontsBaseUnits) {
  DialogTemplateWriter w(WS_POPUP | WS_VISIBLE | DS_MODALFRAME, 8, 16, 160, 80, "Units");
  w.Font(8, "MS Shell Dlg");
  w.PushButton("Button", kApply, 8, 16, 40, 24);
  HWND dialog = Modeless(w.Bytes());
  ASSERT_TRUE(dialog);

  // The dialog's font is 8 points at the display's 96 pixels per inch.
  HFONT font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
  ASSERT_TRUE(font);
  LOGFONT lf{};
  GetObject(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -11);
  SIZE base = MeasuredBaseUnits(font);
  EXPECT_GE(base.cx, 5);
  EXPECT_LE(base.cx, 8);
  EXPECT_GE(base.cy, 12);
  EXPECT_LE(base.cy, 16);

  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 40 * base.cx);
  EXPECT_EQ(client.bottom, 10 * base.cy);

  HWND button = GetDlgItem(dialog, kApply);
  RECT r;
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 2 * base.cx);
  EXPECT_EQ(r.top, 2 * base.cy);
  EXPECT_EQ(r.right - r.left, 10 * base.cx);
  EXPECT_EQ(r.bottom - r.top, 3 * base.cy);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(button, WM_GETFONT, 0, 0)), font) << "every control gets the font";
  EXPECT_EQ(S().fontsSet, std::vector<HFONT>{font}) << "the dialog procedure hears of it too";

  // The template's position is in dialog units from the owner's client origin.
  RECT placed, frame{0, 0, 0, 0};
  GetWindowRect(dialog, &placed);
  POINT origin{0, 0};
  ClientToScreen(top_, &origin);
  AdjustWindowRectEx(&frame, WS_POPUP | DS_MODALFRAME, FALSE, WS_EX_DLGMODALFRAME);
  EXPECT_EQ(placed.left, origin.x + 2 * base.cx + frame.left);
  EXPECT_EQ(placed.top, origin.y + 2 * base.cy + frame.top);

  RECT units{1, 3, 6, 11};
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_EQ(units.left, (base.cx + 2) / 4);
  EXPECT_EQ(units.right, (6 * base.cx + 2) / 4);
  EXPECT_EQ(units.top, (3 * base.cy + 4) / 8);
  EXPECT_EQ(units.bottom, (11 * base.cy + 4) / 8);
  RECT notDialog{0, 0, 4, 8};
  EXPECT_FALSE(MapDialogRect(top_, &notDialog));

  // Without DS_SETFONT the system font's units apply.
  SIZE system = MeasuredBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(system.cx, system.cy));
}

TEST_F(DialogTest, CenteredDialogSitsInTheMiddleOfTheWorkArea) {
  DialogTemplateWriter w(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_CENTER, 0, 0, 120, 60, "Centered");
  HWND dialog = Modeless(w.Bytes());
  ASSERT_TRUE(dialog);
  RECT work, r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r.left, (work.right - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (work.bottom - (r.bottom - r.top)) / 2);
}

TEST_F(DialogTest, InitDialogReturningTrueFocusesTheFirstTabStop) {
  HWND dialog = Modeless(Form(WS_VISIBLE).Bytes());
  ASSERT_TRUE(dialog);
  EXPECT_EQ(S().initFocus, Item(kField)) << "WM_INITDIALOG names the control it will focus";
  EXPECT_EQ(GetFocus(), Item(kField));
  EXPECT_TRUE(SentTo(Item(kField), EM_SETSEL, 0, -1)) << "an edit-like control gets its text selected";
  EXPECT_EQ(GetActiveWindow(), dialog);
  DestroyWindow(dialog);

  // Returning FALSE leaves the focus where the procedure put it.
  S() = Script{};
  S().initAnswer = FALSE;
  S().onInit = [](HWND dlg) { SetFocus(GetDlgItem(dlg, kCheck)); };
  dialog = Modeless(Form(WS_VISIBLE).Bytes());
  ASSERT_TRUE(dialog);
  EXPECT_EQ(GetFocus(), Item(kCheck));
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerUntilItEnds) {
  HWND dialog = nullptr;
  INT_PTR result = RunModal(Form().Bytes(), {[&] {
    dialog = S().dialog;
    EXPECT_FALSE(IsWindowEnabled(top_));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "shown once the loop waits for the user";
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(S().initParam, 77);
    Log().clear();
    drive::Click(top_, POINT{5, 5});
  },
                                             [&] {
    EXPECT_EQ(Find(top_, WM_LBUTTONDOWN), nullptr) << "the disabled owner takes no clicks";
    drive::PressKey(VK_ESCAPE);
  }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(IsWindowEnabled(top_));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetActiveWindow(), top_);
}

TEST_F(DialogTest, TabAndShiftTabVisitEnabledVisibleTabStopsAndWrap) {
  // The disabled and the hidden button are passed over; the radio group is
  // one stop.
  struct Step {
    UINT key;
    unsigned mods;
    WORD focus;
  };
  const Step steps[] = {
      {VK_TAB, drive::kNoMods, kRadio1}, {VK_TAB, drive::kNoMods, kCheck},   {VK_TAB, drive::kNoMods, IDOK},
      {VK_TAB, drive::kNoMods, IDCANCEL}, {VK_TAB, drive::kNoMods, kApply},  {VK_TAB, drive::kNoMods, kField},
      {VK_TAB, drive::kShift, kApply},    {VK_TAB, drive::kShift, IDCANCEL},
  };
  std::vector<std::function<void()>> script;
  script.push_back([&] {
    EXPECT_EQ(GetFocus(), Item(kField));
    drive::PressKey(steps[0].key, steps[0].mods);
  });
  for (size_t i = 0; i < std::size(steps); ++i) {
    script.push_back([&, i] {
      EXPECT_EQ(GetDlgCtrlID(GetFocus()), steps[i].focus) << "after step " << i;
      if (steps[i].focus == kField) {
        EXPECT_TRUE(SentTo(Item(kField), EM_SETSEL, 0, -1)) << "tabbing into the field selects its text";
      }
      Log().clear();
      if (i + 1 < std::size(steps)) drive::PressKey(steps[i + 1].key, steps[i + 1].mods);
      else drive::PressKey(VK_ESCAPE);
    });
  }
  EXPECT_EQ(RunModal(Form().Bytes(), script), IDCANCEL);
}

TEST_F(DialogTest, ArrowsMoveTheFocusAndTheCheckThroughARadioGroup) {
  S().onInit = [](HWND dlg) { CheckRadioButton(dlg, kRadio1, kRadio3, kRadio1); };
  INT_PTR result = RunModal(
      Form().Bytes(),
      {[] {
         EXPECT_EQ(IsDlgButtonChecked(S().dialog, kRadio1), BST_CHECKED);
         drive::PressKey(VK_TAB);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kRadio1));
         drive::PressKey(VK_DOWN, drive::kNoMods, true);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kRadio2));
         EXPECT_EQ(IsDlgButtonChecked(S().dialog, kRadio2), BST_CHECKED);
         EXPECT_EQ(IsDlgButtonChecked(S().dialog, kRadio1), BST_UNCHECKED);
         EXPECT_TRUE(HasTabStop(Item(kRadio2)));
         EXPECT_FALSE(HasTabStop(Item(kRadio1))) << "the tab stop follows the check";
         drive::PressKey(VK_DOWN, drive::kNoMods, true);
         drive::PressKey(VK_DOWN, drive::kNoMods, true);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kRadio1)) << "the group wraps at its end";
         EXPECT_EQ(IsDlgButtonChecked(S().dialog, kRadio1), BST_CHECKED);
         EXPECT_EQ(IsDlgButtonChecked(S().dialog, kRadio3), BST_UNCHECKED);
         drive::PressKey(VK_UP, drive::kNoMods, true);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kRadio3)) << "and at its start";
         drive::PressKey(VK_TAB);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kCheck)) << "arrows stay in the group; Tab leaves it";
         drive::PressKey(VK_TAB, drive::kShift);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kRadio3)) << "Shift+Tab comes back to the checked button";
         drive::PressKey(VK_ESCAPE);
       }});
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOrTheFocusedPushButton) {
  INT_PTR result = RunModal(
      Form().Bytes(),
      {[] {
         EXPECT_EQ(SendMessage(S().dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
         EXPECT_EQ(TypeOf(Item(IDOK)), static_cast<DWORD>(BS_DEFPUSHBUTTON));
         drive::PressKey(VK_TAB, drive::kShift);
       },
       [] {
         ASSERT_EQ(GetFocus(), Item(kApply));
         EXPECT_EQ(TypeOf(Item(kApply)), static_cast<DWORD>(BS_DEFPUSHBUTTON)) << "the focused push button looks default";
         EXPECT_EQ(TypeOf(Item(IDOK)), static_cast<DWORD>(BS_PUSHBUTTON));
         EXPECT_EQ(SendMessage(S().dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID)) << "the default id stays";
         drive::PressKey(VK_RETURN);
       },
       [] {
         EXPECT_EQ(S().commands, (std::vector<std::pair<WORD, WORD>>{{kApply, BN_CLICKED}}));
         drive::PressKey(VK_TAB);
       },
       [] {
         EXPECT_EQ(GetFocus(), Item(kField));
         EXPECT_EQ(TypeOf(Item(IDOK)), static_cast<DWORD>(BS_DEFPUSHBUTTON)) << "back on OK once the focus leaves";
         EXPECT_EQ(TypeOf(Item(kApply)), static_cast<DWORD>(BS_PUSHBUTTON));
         // A new default: Enter from the field presses it.
         SendMessage(S().dialog, DM_SETDEFID, kApply, 0);
         EXPECT_EQ(TypeOf(Item(kApply)), static_cast<DWORD>(BS_DEFPUSHBUTTON));
         EXPECT_EQ(TypeOf(Item(IDOK)), static_cast<DWORD>(BS_PUSHBUTTON));
         drive::PressKey(VK_RETURN);
       },
       [] {
         EXPECT_EQ(S().commands.back(), (std::pair<WORD, WORD>{kApply, BN_CLICKED}));
         // A disabled default button only beeps.
         EnableWindow(Item(kApply), FALSE);
         nbp::Headless()->ClearRecords();
         drive::PressKey(VK_RETURN);
       },
       [] {
         EXPECT_EQ(S().commands.size(), 2u);
         EXPECT_EQ(nbp::Headless()->Beeps().size(), 1u);
         SendMessage(S().dialog, DM_SETDEFID, IDOK, 0);
         drive::PressKey(VK_RETURN);
       }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(S().commands.back(), (std::pair<WORD, WORD>{IDOK, BN_CLICKED}));
}

TEST_F(DialogTest, EnterWithoutADefaultButtonSendsIdOk) {
  DialogTemplateWriter w(WS_POPUP | WS_CAPTION, 0, 0, 100, 40, "No default");
  w.Control(Field(kField, 4, 4, 60, 12));
  w.PushButton("Close", IDOK, 4, 20, 40, 14);
  INT_PTR result = RunModal(w.Bytes(), {[] {
    EXPECT_EQ(SendMessage(S().dialog, DM_GETDEFID, 0, 0), 0);
    drive::PressKey(VK_RETURN);
  }});
  EXPECT_EQ(result, IDOK);
}

TEST_F(DialogTest, ControlsThatAskForKeysKeepThem) {
  INT_PTR result = RunModal(Form().Bytes(), {[] {
                                               FieldCode() |= DLGC_WANTTAB;
                                               Log().clear();
                                               drive::PressKey(VK_TAB);
                                             },
                                             [this] {
                                               EXPECT_EQ(GetFocus(), Item(kField));
                                               EXPECT_TRUE(Got(Item(kField), WM_CHAR, '\t'));
                                               drive::PressKey(VK_DOWN, drive::kNoMods, true);
                                             },
                                             [this] {
                                               EXPECT_EQ(GetFocus(), Item(kField)) << "the field wants arrows";
                                               EXPECT_TRUE(Got(Item(kField), WM_KEYDOWN, VK_DOWN));
                                               FieldCode() |= DLGC_WANTALLKEYS;
                                               drive::PressKey(VK_RETURN);
                                               drive::PressKey(VK_ESCAPE);
                                             },
                                             [this] {
                                               EXPECT_TRUE(S().commands.empty()) << "the field took Enter and Escape";
                                               EXPECT_TRUE(Got(Item(kField), WM_KEYDOWN, VK_RETURN));
                                               EXPECT_TRUE(Got(Item(kField), WM_KEYDOWN, VK_ESCAPE));
                                               FieldCode() = DLGC_HASSETSEL | DLGC_WANTCHARS;
                                               drive::PressKey(VK_ESCAPE);
                                             }});
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, AccessKeysPressButtonsAndLabelsLeadToTheirControl) {
  INT_PTR result = RunModal(Form().Bytes(), {[] {
                                               drive::PressKey(VK_TAB);  // to the radio group: no characters wanted
                                             },
                                             [] {
                                               drive::PressKey('C');
                                             },
                                             [] {
                                               EXPECT_EQ(GetFocus(), Item(kCheck));
                                               EXPECT_EQ(IsDlgButtonChecked(S().dialog, kCheck), BST_CHECKED);
                                               drive::PressKey('A', drive::kAlt);
                                             },
                                             [] {
                                               EXPECT_EQ(S().commands.back(), (std::pair<WORD, WORD>{kApply, BN_CLICKED}));
                                               drive::PressKey('N', drive::kAlt);
                                             },
                                             [] {
                                               EXPECT_EQ(GetFocus(), Item(kField)) << "the label's key leads to the field";
                                               Log().clear();
                                               drive::PressKey('A');
                                             },
                                             [this] {
                                               EXPECT_EQ(GetFocus(), Item(kField)) << "the field takes the letter";
                                               EXPECT_TRUE(Got(Item(kField), WM_CHAR, 'a'));
                                               drive::PressKey(VK_ESCAPE);
                                             }});
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, ClosingIsCancelAndEndDialogInInitDialogEndsAtOnce) {
  INT_PTR result = RunModal(Form().Bytes(), {[] { SendMessage(S().dialog, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(S().commands, (std::vector<std::pair<WORD, WORD>>{{IDCANCEL, BN_CLICKED}}));

  S() = Script{};
  S().onInit = [](HWND dlg) { EndDialog(dlg, 42); };
  EXPECT_EQ(RunModal(Form().Bytes(), {[] { ADD_FAILURE() << "the dialog ran its loop"; }}, 1), 42);
  EXPECT_TRUE(IsWindowEnabled(top_));
}

TEST_F(DialogTest, AMissingControlClassFailsTheDialogUnlessAskedNotTo) {
  DialogItem stranger = Field(kPicture, 4, 30, 40, 12);
  stranger.windowClass.text = "NoSuchClass";
  DialogTemplateWriter strict = Form();
  strict.Control(stranger);
  EXPECT_EQ(RunModal(strict.Bytes(), {}), -1);
  EXPECT_TRUE(IsWindowEnabled(top_)) << "the owner is given back";
  EXPECT_EQ(S().dialog, nullptr) << "no WM_INITDIALOG";

  DialogTemplateWriter lenient = Form(DS_NOFAILCREATE | WS_VISIBLE);
  lenient.Control(stranger);
  HWND dialog = Modeless(lenient.Bytes());
  ASSERT_TRUE(dialog);
  EXPECT_EQ(GetDlgItem(dialog, kPicture), nullptr);
  EXPECT_NE(GetDlgItem(dialog, kApply), nullptr);
}

TEST_F(DialogTest, ReactivatedDialogGivesTheFocusBackToItsControl) {
  HWND dialog = Modeless(Form(WS_VISIBLE).Bytes());
  ASSERT_TRUE(dialog);
  SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kCheck)), TRUE);
  EXPECT_EQ(GetFocus(), Item(kCheck));
  SendMessage(dialog, WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), Item(IDOK));
  SendMessage(dialog, WM_NEXTDLGCTL, 1, 0);
  EXPECT_EQ(GetFocus(), Item(kCheck));

  SetActiveWindow(top_);
  EXPECT_FALSE(IsChild(dialog, GetFocus()));
  SetActiveWindow(dialog);
  EXPECT_EQ(GetFocus(), Item(kCheck));
  SetFocus(dialog);
  EXPECT_EQ(GetFocus(), Item(kCheck)) << "the dialog passes the focus on to its control";
}

TEST_F(DialogTest, NextTabAndGroupItemsAsTheWindowSystemFindsThem) {
  HWND dialog = Modeless(Form(WS_VISIBLE).Bytes());
  ASSERT_TRUE(dialog);
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), Item(kField));
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), Item(kApply));
  EXPECT_EQ(GetNextDlgTabItem(dialog, Item(kApply), FALSE), Item(kField));
  EXPECT_EQ(GetNextDlgTabItem(dialog, Item(kDisabled), FALSE), Item(kRadio1)) << "from a control that can't stop";
  EXPECT_EQ(GetNextDlgGroupItem(dialog, Item(kRadio2), FALSE), Item(kRadio3));
  EXPECT_EQ(GetNextDlgGroupItem(dialog, Item(kRadio3), FALSE), Item(kRadio1));
  EXPECT_EQ(GetNextDlgGroupItem(dialog, Item(kRadio1), TRUE), Item(kRadio3));
  EXPECT_EQ(GetNextDlgGroupItem(dialog, Item(kCheck), FALSE), Item(kCheck)) << "alone in its group";
  ShowWindow(Item(kRadio2), SW_HIDE);
  EXPECT_EQ(GetNextDlgGroupItem(dialog, Item(kRadio1), FALSE), Item(kRadio3));

  CheckRadioButton(dialog, kRadio1, kRadio3, kRadio2);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadio2), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadio1), BST_UNCHECKED);
  CheckDlgButton(dialog, kCheck, BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), BST_CHECKED);
}

TEST_F(DialogTest, OwnerDrawnButtonKeepsItsStyleWhenItTakesTheFocus) {
  DialogTemplateWriter w(WS_POPUP | WS_VISIBLE, 0, 0, 100, 40, "Owner drawn");
  w.DefPushButton("OK", IDOK, 4, 4, 40, 14);
  w.Control(DialogClass::Button, "", kPicture, 50, 4, 40, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW);
  HWND dialog = Modeless(w.Bytes());
  ASSERT_TRUE(dialog);
  SendMessage(dialog, WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), Item(kPicture));
  EXPECT_EQ(TypeOf(Item(kPicture)), static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(TypeOf(Item(IDOK)), static_cast<DWORD>(BS_DEFPUSHBUTTON)) << "OK stays the default";
}

TEST_F(DialogTest, DialogBackgroundComesFromWmCtlColorDlg) {
  HWND dialog = Modeless(Form(WS_VISIBLE).Bytes());
  ASSERT_TRUE(dialog);
  drive::Pump();
  RECT c;
  GetClientRect(dialog, &c);
  EXPECT_EQ(nbp::WindowPixel(dialog, c.right - 2, c.bottom - 2), GetSysColor(COLOR_BTNFACE));
}
