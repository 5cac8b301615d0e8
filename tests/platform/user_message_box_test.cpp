// Message boxes as a user meets them: a window of its own over its owner,
// with the text, the icon and the buttons of its type, answered by keys or
// the mouse, while the owner takes no input.
#include <string>

#include "nbp/ime.h"
#include "user_fixture.h"
#include "win/controls.h"
#include "win/dialogs.h"

namespace {

std::string TextOf(HWND hwnd) {
  char buffer[512] = {};
  GetWindowText(hwnd, buffer, sizeof buffer);
  return buffer;
}

// What the box showed, read while it is up.
struct Seen {
  HWND box = nullptr;
  std::string caption, text;
  std::vector<std::string> buttons;
  int focusId = 0;
  int defaultId = 0;
  bool ownerEnabled = true;
  COLORREF iconCenter = CLR_INVALID;
  int textHeight = 0;
};

Seen Look(HWND owner) {
  Seen s;
  s.box = GetActiveWindow();
  s.caption = TextOf(s.box);
  s.text = TextOf(GetDlgItem(s.box, 0xFFFF));
  for (HWND h = GetWindow(s.box, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(h) == 0xFFFF) continue;
    s.buttons.push_back(TextOf(h));
    if ((GetWindowLong(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) s.defaultId = GetDlgCtrlID(h);
  }
  s.focusId = GetDlgCtrlID(GetFocus());
  s.ownerEnabled = IsWindowEnabled(owner) != 0;
  s.iconCenter = nbp::WindowPixel(s.box, 28, 28);
  RECT r{};
  GetClientRect(GetDlgItem(s.box, 0xFFFF), &r);
  s.textHeight = r.bottom;
  return s;
}

}  // namespace

class MessageBoxTest : public UserTest {
 protected:
  // The box stays up for the user: `keys` run once it shows, after a look at it.
  int AskUser(const char* text, UINT type, std::function<void()> keys) {
    nbp::Headless()->AnswerMessageBox([this](const nbp::MessageBoxRequest&) {
      seen_ = Look(top_);
      return 0;
    });
    nbp::Headless()->WhenIdle(std::move(keys));
    return MessageBox(top_, text, "Title", type);
  }
  Seen seen_;
};

TEST_F(MessageBoxTest, ShowsTextIconAndTheButtonsOfItsType) {
  struct Case {
    UINT type;
    std::vector<std::string> buttons;
    int defaultId;
  } const cases[] = {
      {MB_OK | MB_ICONEXCLAMATION, {"OK"}, IDOK},
      {MB_OKCANCEL | MB_ICONHAND | MB_DEFBUTTON2, {"OK", "Cancel"}, IDCANCEL},
      {MB_YESNOCANCEL | MB_ICONQUESTION, {"&Yes", "&No", "Cancel"}, IDYES},
      {MB_YESNO | MB_ICONASTERISK | MB_DEFBUTTON2, {"&Yes", "&No"}, IDNO},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {"&Abort", "&Retry", "&Ignore"}, IDIGNORE},
      {MB_RETRYCANCEL, {"&Retry", "Cancel"}, IDRETRY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    std::string text = "A long explanation that has to be wrapped over several lines to stay readable in a box.";
    EXPECT_EQ(AskUser(text.c_str(), c.type, [] { nbp::test::PressKey(VK_RETURN); }), c.defaultId)
        << "Enter answers the default button";
    EXPECT_EQ(seen_.caption, "Title");
    EXPECT_EQ(seen_.text, text);
    EXPECT_EQ(seen_.buttons, c.buttons);
    EXPECT_EQ(seen_.defaultId, c.defaultId);
    EXPECT_EQ(seen_.focusId, c.defaultId);
    EXPECT_FALSE(seen_.ownerEnabled) << "the owner takes no input while the box runs";
    if (c.type & MB_ICONMASK) {
      EXPECT_NE(seen_.iconCenter, GetSysColor(COLOR_BTNFACE)) << "an icon is drawn";
    } else {
      EXPECT_EQ(seen_.iconCenter, GetSysColor(COLOR_BTNFACE)) << "no icon";
    }
    EXPECT_GT(seen_.textHeight, 20) << "the text is wrapped over two lines";
    EXPECT_TRUE(IsWindowEnabled(top_));
    EXPECT_FALSE(IsWindow(seen_.box));
  }
  EXPECT_EQ(nbp::Headless()->MessageBoxes().size(), 6u) << "each box is recorded";
}

TEST_F(MessageBoxTest, EscapeAnswersCancelOrOkAndNothingWhereTheUserMustChoose) {
  auto escape = [] { nbp::test::PressKey(VK_ESCAPE); };
  EXPECT_EQ(AskUser("x", MB_YESNOCANCEL, escape), IDCANCEL);
  EXPECT_EQ(AskUser("x", MB_OK, escape), IDOK);
  // Yes/No has no answer for Escape: the box stays until a button is chosen.
  int answer = AskUser("x", MB_YESNO, [] {
    nbp::test::PressKey(VK_ESCAPE);
    nbp::Headless()->WhenIdle([] {
      EXPECT_TRUE(IsWindowVisible(GetActiveWindow())) << "Escape did not close it";
      nbp::test::PressKey('N');
    });
  });
  EXPECT_EQ(answer, IDNO) << "the underlined letter presses its button";
}

TEST_F(MessageBoxTest, TabArrowsAndClicksChooseAButton) {
  EXPECT_EQ(AskUser("x", MB_YESNOCANCEL, [] {
              nbp::test::PressKey(VK_TAB);
              nbp::test::PressKey(VK_RETURN);
            }),
            IDNO);
  EXPECT_EQ(AskUser("x", MB_ABORTRETRYIGNORE, [] {
              nbp::test::PressKey(VK_RIGHT);
              nbp::test::PressKey(VK_RIGHT);
              nbp::test::PressKey(VK_SPACE);
            }),
            IDIGNORE);
  EXPECT_EQ(AskUser("x", MB_OKCANCEL, [] {
              HWND cancel = GetDlgItem(GetActiveWindow(), IDCANCEL);
              nbp::test::Click(cancel, POINT{5, 5});
            }),
            IDCANCEL);
}

TEST_F(MessageBoxTest, TheOwnerKeepsItsFocusAfterwards) {
  HWND edit = Child("Edit", 10, 10, 100, 20, WS_BORDER, 7);
  SetFocus(edit);
  EXPECT_EQ(MessageBox(top_, "x", "y", MB_OK), IDOK);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_TRUE(IsWindowEnabled(top_));
  EXPECT_EQ(nbp::Headless()->MessageBoxes().size(), 1u) << "a box answered from the script is still recorded";
}
