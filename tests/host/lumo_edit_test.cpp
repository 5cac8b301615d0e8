// The host's edit control: its character limit for typing and pasting, and
// the cleaning of pasted text, driven as a user drives it.
#include <gtest/gtest.h>

#include <string>

#include "HostCommon/lumo_edit.h"
#include "mfc/app.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/controls.h"

class LumoEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    nbp::CurrentDesktop().SetClipboardText("");
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 400, 300, nullptr, nullptr));
    app_.m_pMainWnd = &parent_;
  }
  void TearDown() override {
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetTopWindow(nullptr)) ::DestroyWindow(h);
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  void Make(DWORD style = ES_AUTOHSCROLL, int maxChars = 0) {
    ASSERT_TRUE(edit_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | style, CRect(10, 10, 300, 100), &parent_, 7));
    edit_.SetMaxChars(maxChars);
    ::SetFocus(edit_.m_hWnd);
    nbp::test::Pump();
    nbp::Headless()->ClearRecords();
  }
  std::string Text() const {
    CString s;
    edit_.GetWindowText(s);
    return std::string(s, static_cast<size_t>(s.GetLength()));
  }
  void PasteByKeys(const std::string& clipboard) {
    nbp::CurrentDesktop().SetClipboardText(clipboard);
    nbp::test::PressKey('V', nbp::test::kCtrl);
  }
  static size_t Beeps() { return nbp::Headless()->Beeps().size(); }

  CWinApp app_{"Lumo edit test"};
  CWnd parent_;
  CLumoEdit edit_;
};

TEST_F(LumoEditTest, TypingStopsAtTheCharacterLimit) {
  Make(ES_AUTOHSCROLL, 5);
  nbp::test::Type("abcdefg");
  EXPECT_EQ(Text(), "abcde");
  EXPECT_EQ(Beeps(), 2u);
  nbp::test::PressKey(VK_HOME);
  nbp::test::PressKey(VK_RIGHT, nbp::test::kShift);
  nbp::test::Type("Z");
  EXPECT_EQ(Text(), "Zbcde") << "replacing the selection stays within the limit";
  nbp::test::PressKey(VK_BACK);
  nbp::test::Type("xy");
  EXPECT_EQ(Text(), "xbcde");
}

TEST_F(LumoEditTest, TheLimitCountsCharactersNotBytes) {
  Make(ES_AUTOHSCROLL, 3);
  nbp::test::Type("\xc3\xa4\xc3\xb6\xe2\x82\xac\xf0\x9f\x98\x80");  // a, o umlaut, euro sign, a face
  EXPECT_EQ(Text(), "\xc3\xa4\xc3\xb6\xe2\x82\xac");
  EXPECT_EQ(Beeps(), 1u);
}

TEST_F(LumoEditTest, PastedTextIsCleanedAndCut) {
  struct Case {
    DWORD style;
    int maxChars;
    std::string clipboard;
    const char* text;
    bool beep;
  } const cases[] = {
      {ES_AUTOHSCROLL, 0, "first line\r\nsecond line", "first line", false},
      {ES_AUTOHSCROLL, 0, "a\tb\x01" "c\x7f" "d\xc2\x85" "e", "abcde", false},
      {ES_AUTOHSCROLL, 0, "\xff\xfeok\xc3(\xed\xa0\x80!\xe2\x82", "ok(!", false},
      {ES_AUTOHSCROLL, 4, "123456789", "1234", true},
      {ES_AUTOHSCROLL, 2, "\xc3\xa4\xc3\xb6\xc3\xbc", "\xc3\xa4\xc3\xb6", true},
      {ES_MULTILINE | ES_AUTOVSCROLL, 0, "one\ntwo\rthree\r\n\tfour", "one\r\ntwo\r\nthree\r\n\tfour", false},
      {ES_MULTILINE | ES_AUTOVSCROLL, 6, "ab\ncd\nef", "ab\r\ncd", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clipboard);
    Make(c.style, c.maxChars);
    PasteByKeys(c.clipboard);
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(Beeps() > 0, c.beep);
    edit_.DestroyWindow();
  }
}

TEST_F(LumoEditTest, EveryWayOfPastingIsFiltered) {
  Make(ES_AUTOHSCROLL, 3);
  nbp::CurrentDesktop().SetClipboardText("abcdef");
  nbp::test::PressKey(VK_INSERT, nbp::test::kShift, true);
  EXPECT_EQ(Text(), "abc");
  ::SetWindowText(edit_.m_hWnd, "");
  edit_.SendMessage(WM_PASTE);
  EXPECT_EQ(Text(), "abc");
  ::SetWindowText(edit_.m_hWnd, "");
  // The edit control's own menu sends WM_PASTE as well.
  nbp::Headless()->AnswerMenu([](const nbp::PopupMenuRequest& menu) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
      if (menu.items[i].id == WM_PASTE) return static_cast<int>(i);
    }
    return -1;
  });
  nbp::test::RightClick(edit_.m_hWnd, CPoint(10, 8));
  EXPECT_EQ(Text(), "abc");
  edit_.Paste();
  EXPECT_EQ(Text(), "abc") << "no room left";
}

TEST_F(LumoEditTest, PastingRespectsTheByteLimitInWholeCharacters) {
  Make();
  edit_.LimitText(5);
  PasteByKeys("\xc3\xa9\xc3\xa9\xc3\xa9");  // three e-acute, six bytes
  EXPECT_EQ(Text(), "\xc3\xa9\xc3\xa9");
  EXPECT_EQ(Beeps(), 1u);
}

TEST_F(LumoEditTest, AnEnormousClipboardCostsOnlyWhatFits) {
  Make(ES_MULTILINE | ES_AUTOVSCROLL, 10);
  std::string huge(8 << 20, 'x');
  PasteByKeys(huge);
  EXPECT_EQ(Text(), "xxxxxxxxxx");
}

TEST_F(LumoEditTest, AReadOnlyControlTakesNoPaste) {
  Make(ES_AUTOHSCROLL | ES_READONLY, 0);
  PasteByKeys("text");
  edit_.Paste();
  EXPECT_EQ(Text(), "");
}
