// The rich edit control: its limit and beep, its event mask, its selection
// messages and its manners where they differ from the edit control's.
#include "user_edit_fixture.h"
#include "win/richedit.h"

namespace t = nbp::test;
using Sel2 = std::pair<DWORD, DWORD>;

class RichEditTest : public EditTest {
 protected:
  HWND MakeRich(DWORD style = ES_MULTILINE | ES_AUTOVSCROLL, const char* text = "", int width = 200, int height = 60) {
    return MakeEdit(style, text, width, height, RICHEDIT_CLASS);
  }
  static CHARRANGE GetRange(HWND h) {
    CHARRANGE r{-5, -5};
    SendMessage(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

TEST_F(RichEditTest, TypingPastTheLimitIsRefusedAndBeepsWhenAsked) {
  HWND r = MakeRich();
  EXPECT_EQ(SendMessage(r, EM_GETLIMITTEXT, 0, 0), 32767);
  SendMessage(r, EM_EXLIMITTEXT, 0, 3);
  EXPECT_EQ(SendMessage(r, EM_GETLIMITTEXT, 0, 0), 3);
  Focus(r);
  t::Type("abcd");
  EXPECT_EQ(Text(r), "abc");
  EXPECT_EQ(Beeps(), 0u) << "silent unless SES_BEEPONMAXTEXT";
  EXPECT_EQ(SendMessage(r, EM_SETEDITSTYLE, SES_BEEPONMAXTEXT, SES_BEEPONMAXTEXT), SES_BEEPONMAXTEXT);
  t::Type("e");
  EXPECT_EQ(Text(r), "abc");
  EXPECT_EQ(Beeps(), 1u) << "one beep for each refused character";
  EXPECT_EQ(Count(r, EN_MAXTEXT), 2u);
  // Within the limit nothing beeps.
  t::PressKey(VK_BACK);
  t::Type("z");
  EXPECT_EQ(Text(r), "abz");
  EXPECT_EQ(Beeps(), 1u);
  SendMessage(r, EM_EXLIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessage(r, EM_GETLIMITTEXT, 0, 0), 65536) << "zero: the rich edit's own maximum";
}

TEST_F(RichEditTest, ChangesAreReportedOnlyWhenTheEventMaskAsks) {
  HWND r = MakeRich();
  Focus(r);
  t::Type("a");
  EXPECT_EQ(Codes(r), (std::vector<WORD>{EN_SETFOCUS})) << "no EN_CHANGE or EN_UPDATE by default";
  EXPECT_EQ(SendMessage(r, EM_SETEVENTMASK, 0, ENM_CHANGE), ENM_NONE);
  EXPECT_EQ(SendMessage(r, EM_GETEVENTMASK, 0, 0), ENM_CHANGE);
  Log().clear();
  t::Type("b");
  SetWindowText(r, "new");
  EXPECT_EQ(Codes(r), (std::vector<WORD>{EN_CHANGE, EN_CHANGE}));
  SendMessage(r, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_UPDATE);
  Log().clear();
  t::Type("c");
  EXPECT_EQ(Codes(r), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
}

TEST_F(RichEditTest, FocusNotificationsNeedNoMask) {
  HWND r = MakeRich();
  HWND other = MakeEdit(ES_AUTOHSCROLL);
  Focus(r);
  Focus(other);
  EXPECT_EQ(Codes(r), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(RichEditTest, CharRangeSelection) {
  HWND r = MakeRich(ES_MULTILINE, "hello world");
  CHARRANGE range{2, 7};
  EXPECT_EQ(SendMessage(r, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)), 7);
  CHARRANGE got = GetRange(r);
  EXPECT_EQ(got.cpMin, 2);
  EXPECT_EQ(got.cpMax, 7);
  char selected[16] = {};
  EXPECT_EQ(SendMessage(r, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(selected)), 5);
  EXPECT_STREQ(selected, "llo w");
  range = {0, -1};
  SendMessage(r, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(Sel(r), Sel2(0, 11));
  range = {-1, 0};
  SendMessage(r, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(Sel(r), Sel2(11, 11)) << "cpMin -1 drops the selection";
}

TEST_F(RichEditTest, DoubleClickSelectsAWordAndLongTextWraps) {
  HWND r = MakeRich(ES_MULTILINE, "first second third fourth fifth sixth", 100, 80);
  EXPECT_GT(SendMessage(r, EM_GETLINECOUNT, 0, 0), 1);
  t::DoubleClick(r, Inside(r, 8));
  CHARRANGE got = GetRange(r);
  EXPECT_EQ(got.cpMin, 6);
  EXPECT_EQ(got.cpMax, 13);
  EXPECT_EQ(SendMessage(r, EM_EXLINEFROMCHAR, 0, 36), SendMessage(r, EM_GETLINECOUNT, 0, 0) - 1);
}

TEST_F(RichEditTest, PositionsGoByAddress) {
  HWND r = MakeRich(ES_MULTILINE, "abc\r\ndef");
  POINTL at{};
  EXPECT_EQ(SendMessage(r, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 6), 0);
  EXPECT_GT(at.y, 0);
  POINTL probe{at.x + 1, at.y + 2};
  EXPECT_EQ(SendMessage(r, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&probe)), 6) << "the position alone";
}

TEST_F(RichEditTest, DialogCodesAndTheOlderClassName) {
  HWND r = MakeRich();
  EXPECT_EQ(SendMessage(r, WM_GETDLGCODE, 0, 0),
            DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTMESSAGE);
  HWND single = MakeRich(ES_AUTOHSCROLL, "", 200, 22);
  EXPECT_EQ(SendMessage(single, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS | DLGC_HASSETSEL);
  HWND old = MakeEdit(ES_MULTILINE, "", 200, 40, RICHEDIT_CLASS10A);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(SendMessage(old, EM_GETLIMITTEXT, 0, 0), 32767);
}
