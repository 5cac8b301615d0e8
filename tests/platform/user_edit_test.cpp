// The edit control driven as a user drives it: typing, editing keys, the
// mouse, the clipboard and undo, the text limit, and the messages an owner
// sends it.
#include <cstring>

#include "nbp/ime.h"
#include "user_edit_fixture.h"
#include "win/imm.h"

namespace t = nbp::test;
using Sel2 = std::pair<DWORD, DWORD>;

TEST_F(EditTest, TypedBytesBecomeWholeCharacters) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  Focus(e);
  t::Type("Grüße, Ω!");
  EXPECT_EQ(Text(e), "Grüße, Ω!");
  DWORD end = static_cast<DWORD>(std::strlen("Grüße, Ω!"));
  EXPECT_EQ(Sel(e), Sel2(end, end));
  // A lone continuation byte or a lead byte cut short types nothing.
  SendMessage(e, WM_CHAR, 0xA9, 1);
  SendMessage(e, WM_CHAR, 0xC3, 1);
  SendMessage(e, WM_CHAR, 'x', 1);
  EXPECT_EQ(Text(e), "Grüße, Ω!x");
}

TEST_F(EditTest, BackspaceAndDeleteRemoveWholeCharacters) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  Focus(e);
  t::Type("aß€z");
  t::PressKey(VK_LEFT);
  t::PressKey(VK_BACK);
  EXPECT_EQ(Text(e), "aßz");
  EXPECT_EQ(Sel(e), Sel2(3, 3));
  t::PressKey(VK_LEFT);
  t::PressKey(VK_DELETE);
  EXPECT_EQ(Text(e), "az");
  t::PressKey(VK_END);
  t::PressKey(VK_BACK, t::kCtrl);
  EXPECT_EQ(Text(e), "") << "Ctrl+Backspace takes the word before the caret";
}

// The notifications come at once; the paint waits for the next paint cycle,
// so that many characters arriving together are painted once.
TEST_F(EditTest, EachChangeIsAnnouncedAndPaintedWithTheNextPaintCycle) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  Focus(e);
  Log().clear();
  std::vector<bool> pendingAtNotice;
  React() = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
    if (msg == WM_COMMAND && (HIWORD(wParam) == EN_UPDATE || HIWORD(wParam) == EN_CHANGE))
      pendingAtNotice.push_back(GetUpdateRect(e, nullptr, FALSE) != 0);
    return false;
  };
  t::Type("ab");
  EXPECT_EQ(Codes(e), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(pendingAtNotice, (std::vector<bool>{true, true, true, true}))
      << "EN_UPDATE and EN_CHANGE come before the repaint";
  EXPECT_EQ(GetUpdateRect(e, nullptr, FALSE), 0) << "painted once the loop ran";
  EXPECT_EQ(SendMessage(e, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(EditTest, SetTextNotifiesSingleLineEditsOnlyAndForgetsTheOldState) {
  HWND single = MakeEdit(ES_AUTOHSCROLL);
  HWND multi = MakeEdit(ES_MULTILINE);
  Focus(single);
  t::Type("abc");
  Log().clear();
  SetWindowText(single, "hello");
  SetWindowText(multi, "hello");
  EXPECT_EQ(Codes(single), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_TRUE(Codes(multi).empty());
  EXPECT_EQ(Sel(single), Sel2(0, 0));
  EXPECT_EQ(SendMessage(single, EM_GETMODIFY, 0, 0), FALSE);
  EXPECT_EQ(SendMessage(single, EM_CANUNDO, 0, 0), FALSE);
  char buffer[4];
  EXPECT_EQ(GetWindowText(single, buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "hel");
}

TEST_F(EditTest, FocusBringsTheCaretAndNotifications) {
  HWND a = MakeEdit(ES_AUTOHSCROLL);
  HWND b = MakeEdit(ES_AUTOHSCROLL);
  Focus(a);
  POINT caret{};
  EXPECT_TRUE(GetCaretPos(&caret));
  Focus(b);
  EXPECT_EQ(Codes(a), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
  EXPECT_EQ(Codes(b), (std::vector<WORD>{EN_SETFOCUS}));
  SetFocus(top_);
  EXPECT_FALSE(GetCaretPos(&caret)) << "the caret goes with the focus";
}

TEST_F(EditTest, TypingAtTheLimitIsRefusedWithMaxTextAndNoBeep) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 30000);
  SendMessage(e, EM_LIMITTEXT, 4, 0);
  Focus(e);
  t::Type("abcde");
  EXPECT_EQ(Text(e), "abcd");
  EXPECT_EQ(Count(e, EN_MAXTEXT), 1u);
  EXPECT_EQ(Beeps(), 0u);
  // Over a selection there is room again; a character never goes in by halves.
  Select(e, 3, 4);
  t::Type("ü");
  EXPECT_EQ(Text(e), "abc") << "two bytes do not fit where one was selected";
  t::Type("!");
  EXPECT_EQ(Text(e), "abc!");
}

TEST_F(EditTest, PastingBeyondTheLimitKeepsWhatFits) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  SendMessage(e, EM_LIMITTEXT, 5, 0);
  Focus(e);
  t::Type("ab");
  nbp::CurrentDesktop().SetClipboardText("cdüfgh");
  Log().clear();
  t::PressKey('V', t::kCtrl);
  EXPECT_EQ(Text(e), "abcd") << "ü would be cut in two and stays out";
  EXPECT_EQ(Codes(e), (std::vector<WORD>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
  // The owner's own text is not bound by the limit.
  SetWindowText(e, "0123456789");
  EXPECT_EQ(Text(e), "0123456789");
}

TEST_F(EditTest, LimitZeroMeansAsMuchAsTheControlHolds) {
  HWND single = MakeEdit(ES_AUTOHSCROLL);
  HWND multi = MakeEdit(ES_MULTILINE);
  SendMessage(single, EM_LIMITTEXT, 0, 0);
  SendMessage(multi, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(static_cast<DWORD>(SendMessage(single, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
  EXPECT_EQ(static_cast<DWORD>(SendMessage(multi, EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
}

// Keys from the caret at 5 (inside "two") of "one two  three".
struct KeyCase {
  const char* name;
  UINT vk;
  unsigned mods;
  DWORD start, end;
};

TEST_F(EditTest, KeysMoveAndExtendTheSelection) {
  const KeyCase cases[] = {
      {"left", VK_LEFT, t::kNoMods, 4, 4},
      {"right", VK_RIGHT, t::kNoMods, 6, 6},
      {"word left", VK_LEFT, t::kCtrl, 4, 4},
      {"word right", VK_RIGHT, t::kCtrl, 9, 9},
      {"home", VK_HOME, t::kNoMods, 0, 0},
      {"end", VK_END, t::kNoMods, 14, 14},
      {"up is left on one line", VK_UP, t::kNoMods, 4, 4},
      {"down is right on one line", VK_DOWN, t::kNoMods, 6, 6},
      {"shift right", VK_RIGHT, t::kShift, 5, 6},
      {"shift left", VK_LEFT, t::kShift, 4, 5},
      {"shift word right", VK_RIGHT, t::kShift | t::kCtrl, 5, 9},
      {"shift home", VK_HOME, t::kShift, 0, 5},
      {"shift end", VK_END, t::kShift, 5, 14},
  };
  HWND e = MakeEdit(ES_AUTOHSCROLL, "one two  three");
  Focus(e);
  for (const KeyCase& c : cases) {
    Select(e, 5, 5);
    t::PressKey(c.vk, c.mods);
    EXPECT_EQ(Sel(e), Sel2(c.start, c.end)) << c.name;
  }
}

TEST_F(EditTest, ASelectionGrowsFromWhereSetSelPutItsStart) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "abcdefgh");
  Focus(e);
  Select(e, 2, 5);
  t::PressKey(VK_RIGHT, t::kShift);
  EXPECT_EQ(Sel(e), Sel2(2, 6));
  Select(e, 5, 2);
  EXPECT_EQ(Sel(e), Sel2(2, 5)) << "EM_GETSEL reports the lower end first";
  t::PressKey(VK_LEFT, t::kShift);
  EXPECT_EQ(Sel(e), Sel2(1, 5)) << "the caret end moved, the start stayed anchored";
  t::PressKey(VK_RIGHT);
  EXPECT_EQ(Sel(e), Sel2(2, 2)) << "a plain arrow moves on from the caret end";
}

TEST_F(EditTest, SetSelSnapsToCharacterStartsAndMinusOneDropsTheSelection) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "aüb€");  // a 0, ü 1-2, b 3, € 4-6
  Select(e, 2, 6);
  EXPECT_EQ(Sel(e), Sel2(1, 4));
  Select(e, 0, -1);
  EXPECT_EQ(Sel(e), Sel2(0, 7));
  Select(e, -1, 0);
  EXPECT_EQ(Sel(e), Sel2(7, 7)) << "the caret stays where it was";
  Select(e, 3, 100);
  LRESULT packed = SendMessage(e, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(packed), 3);
  EXPECT_EQ(HIWORD(packed), 7);
}

TEST_F(EditTest, MouseClicksDragsAndShiftClicksSelect) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "alpha beta gamma");
  t::Click(e, Inside(e, 3));
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(Sel(e), Sel2(3, 3));
  t::AdvanceClock(1000);
  t::Drag(e, Inside(e, 1), Inside(e, 8));
  EXPECT_EQ(Sel(e), Sel2(1, 8));
  EXPECT_EQ(GetCapture(), nullptr);
  t::AdvanceClock(1000);
  t::Click(e, Inside(e, 2));
  t::KeyDown(VK_SHIFT);
  t::Click(e, Inside(e, 12));
  t::KeyUp(VK_SHIFT);
  EXPECT_EQ(Sel(e), Sel2(2, 12));
  t::AdvanceClock(1000);
  t::Click(e, POINT{195, 5});
  EXPECT_EQ(Sel(e), Sel2(16, 16)) << "past the text is its end";
}

TEST_F(EditTest, DoubleClickSelectsTheWordAndTheBlanksAfterIt) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "alpha beta  gamma");
  t::DoubleClick(e, Inside(e, 7));
  EXPECT_EQ(Sel(e), Sel2(6, 12));
  t::AdvanceClock(1000);
  t::DoubleClick(e, Inside(e, 14));
  EXPECT_EQ(Sel(e), Sel2(12, 17));
  t::AdvanceClock(1000);
  t::DoubleClick(e, Inside(e, 1));
  EXPECT_EQ(Sel(e), Sel2(0, 6));
}

TEST_F(EditTest, CutCopyPasteAndClearGoThroughTheDesktopClipboard) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "hello world");
  Focus(e);
  Select(e, 0, 5);
  t::PressKey('C', t::kCtrl);
  EXPECT_EQ(Clipboard(), "hello");
  EXPECT_EQ(Text(e), "hello world");
  Select(e, 5, 11);
  t::PressKey('X', t::kCtrl);
  EXPECT_EQ(Clipboard(), " world");
  EXPECT_EQ(Text(e), "hello");
  t::PressKey(VK_HOME);
  t::PressKey('V', t::kCtrl);
  EXPECT_EQ(Text(e), " worldhello");
  EXPECT_EQ(Sel(e), Sel2(6, 6));

  // The same through the editing keys and the messages.
  Select(e, 0, 1);
  t::PressKey(VK_DELETE, t::kShift);
  EXPECT_EQ(Clipboard(), " ");
  Select(e, 0, 5);
  t::PressKey(VK_INSERT, t::kCtrl);
  EXPECT_EQ(Clipboard(), "world");
  t::PressKey(VK_END);
  t::PressKey(VK_INSERT, t::kShift);
  EXPECT_EQ(Text(e), "worldhelloworld");
  Select(e, 5, 10);
  SendMessage(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), "worldworld");
  SendMessage(e, WM_CUT, 0, 0);
  EXPECT_EQ(Clipboard(), "world") << "cutting nothing leaves the clipboard alone";
  nbp::CurrentDesktop().SetClipboardText("one\r\ntwo");
  SendMessage(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), "worldoneworld") << "a single-line edit takes the first line";
}

TEST_F(EditTest, UndoRevertsTheLastEditAndUndoingAgainRedoes) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  Focus(e);
  EXPECT_EQ(SendMessage(e, EM_CANUNDO, 0, 0), FALSE);
  t::Type("abc");
  EXPECT_EQ(SendMessage(e, EM_CANUNDO, 0, 0), TRUE);
  t::PressKey('Z', t::kCtrl);
  EXPECT_EQ(Text(e), "") << "the typing was one step";
  t::PressKey('Z', t::kCtrl);
  EXPECT_EQ(Text(e), "abc");
  EXPECT_EQ(Sel(e), Sel2(0, 3)) << "what came back is selected";

  Select(e, 1, 2);
  t::Type("XY");
  EXPECT_EQ(Text(e), "aXYc");
  Log().clear();
  EXPECT_EQ(SendMessage(e, WM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Text(e), "abc");
  EXPECT_EQ(Sel(e), Sel2(1, 2));
  EXPECT_EQ(Count(e, EN_CHANGE), 1u);

  // Backspaces in a row are one step too.
  t::PressKey(VK_END);
  t::PressKey(VK_BACK);
  t::PressKey(VK_BACK);
  EXPECT_EQ(Text(e), "a");
  EXPECT_EQ(SendMessage(e, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Text(e), "abc");

  SendMessage(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(SendMessage(e, EM_CANUNDO, 0, 0), FALSE);
  EXPECT_EQ(SendMessage(e, EM_UNDO, 0, 0), FALSE);
  EXPECT_EQ(Text(e), "abc");
}

TEST_F(EditTest, ReplaceSelUndoableOrNot) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "abcdef");
  Select(e, 2, 4);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XYZ"));
  EXPECT_EQ(Text(e), "abXYZef");
  EXPECT_EQ(Sel(e), Sel2(5, 5));
  EXPECT_EQ(Codes(e), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), "abcdef");
  SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
  EXPECT_EQ(SendMessage(e, EM_CANUNDO, 0, 0), FALSE);
}

TEST_F(EditTest, NumberStyleRefusesAllButDigitsWithABeep) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_NUMBER);
  Focus(e);
  t::Type("12a3-ü4");
  EXPECT_EQ(Text(e), "1234");
  EXPECT_EQ(Beeps(), 3u);
  // Pasting is not typing: the owner sees to it.
  nbp::CurrentDesktop().SetClipboardText("x9");
  t::PressKey('V', t::kCtrl);
  EXPECT_EQ(Text(e), "1234x9");
}

TEST_F(EditTest, CaseStylesConvertEverythingThatGoesIn) {
  HWND upper = MakeEdit(ES_AUTOHSCROLL | ES_UPPERCASE);
  HWND lower = MakeEdit(ES_AUTOHSCROLL | ES_LOWERCASE, "MiXeD");
  Focus(upper);
  t::Type("Grüße");
  EXPECT_EQ(Text(upper), "GRÜSSE");
  EXPECT_EQ(Text(lower), "mixed");
}

TEST_F(EditTest, ReadOnlyRefusesEditingButLetsTheUserCopy) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, "fixed");
  Focus(e);
  t::Type("x");
  t::PressKey(VK_BACK);
  t::PressKey(VK_DELETE);
  nbp::CurrentDesktop().SetClipboardText("pasted");
  t::PressKey('V', t::kCtrl);
  EXPECT_EQ(Text(e), "fixed");
  EXPECT_EQ(Beeps(), 1u) << "a typed character beeps";
  Select(e, 0, 3);
  t::PressKey('C', t::kCtrl);
  EXPECT_EQ(Clipboard(), "fix");
  EXPECT_EQ(SendMessage(e, EM_SETREADONLY, FALSE, 0), TRUE);
  EXPECT_EQ(GetWindowLong(e, GWL_STYLE) & ES_READONLY, 0);
  t::Type("y");
  EXPECT_EQ(Text(e), "yed");
}

TEST_F(EditTest, PasswordShowsStarsAndNeverLeavesTheField) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD);
  EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), '*');
  Focus(e);
  t::Type("sécret");
  EXPECT_EQ(Text(e), "sécret");
  nbp::CurrentDesktop().SetClipboardText("before");
  Select(e, 0, -1);
  t::PressKey('C', t::kCtrl);
  t::PressKey('X', t::kCtrl);
  EXPECT_EQ(Clipboard(), "before");
  EXPECT_EQ(Text(e), "sécret");
  // Each character is one star wide, whatever its bytes.
  POINT first = CharPoint(e, 1), second = CharPoint(e, 3), third = CharPoint(e, 4);
  EXPECT_EQ(second.x - first.x, third.x - second.x);
  t::DoubleClick(e, Inside(e, 3, 4));
  EXPECT_EQ(Sel(e), Sel2(0, 7)) << "a password has no words to pick";
  SendMessage(e, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(GetWindowLong(e, GWL_STYLE) & ES_PASSWORD, 0);
  EXPECT_EQ(SendMessage(e, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditTest, CharFromPosPacksTheCharacterAndTheLine) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "abcdef");
  POINT p = Inside(e, 2);
  auto packed = static_cast<DWORD>(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y)));
  EXPECT_EQ(LOWORD(packed), 2);
  EXPECT_EQ(HIWORD(packed), 0);
  packed = static_cast<DWORD>(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(190, 5)));
  EXPECT_EQ(LOWORD(packed), 6);
  EXPECT_EQ(SendMessage(e, EM_POSFROMCHAR, 6, 0), -1) << "no character there";
  EXPECT_LT(CharPoint(e, 0).x, CharPoint(e, 1).x);
}

TEST_F(EditTest, DialogCodesAskForCharactersArrowsAndMultiLineForAllKeys) {
  HWND single = MakeEdit(ES_AUTOHSCROLL);
  HWND multi = MakeEdit(ES_MULTILINE);
  EXPECT_EQ(SendMessage(single, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
  EXPECT_EQ(SendMessage(multi, WM_GETDLGCODE, 0, 0),
            DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS);
}

TEST_F(EditTest, FontAndRectangleMessages) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "text");
  EXPECT_EQ(SendMessage(e, WM_GETFONT, 0, 0), 0);
  HFONT font = CreateFont(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
  SendMessage(e, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(e, WM_GETFONT, 0, 0)), font);
  RECT r{};
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 0);
  EXPECT_LE(r.left, 2);
  RECT want{20, 3, 150, 20};
  SendMessage(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&want));
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 3);
  EXPECT_GE(r.left, 20);
  EXPECT_EQ(CharPoint(e, 0).y, 3);
  EXPECT_GE(CharPoint(e, 0).x, 20);
  DestroyWindow(e);
  DeleteObject(font);
}

TEST_F(EditTest, AnOwnerThatDestroysTheEditOnChangeIsSafe) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  Focus(e);
  React() = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) DestroyWindow(e);
    return false;
  };
  t::Type("ab");
  EXPECT_FALSE(IsWindow(e));
}

TEST_F(EditTest, TextFromTheInputMethodArrivesAsTyping) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "ab");
  Focus(e);
  Select(e, 1, 1);
  t::ImeType("日本語");
  EXPECT_EQ(Text(e), "a日本語b");
  EXPECT_EQ(Sel(e), Sel2(10, 10));
  HIMC imc = ImmGetContext(e);
  ASSERT_NE(imc, nullptr);
  char buffer[16] = {};
  EXPECT_EQ(ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0), 9);
  EXPECT_EQ(ImmGetCompositionStringA(imc, GCS_RESULTSTR, buffer, 4), 3) << "never half a character";
  EXPECT_EQ(std::string(buffer, 3), "日");
  EXPECT_TRUE(ImmReleaseContext(e, imc));
  EXPECT_EQ(ImmGetContext(nullptr), nullptr);
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  t::ImeType("x");
  EXPECT_EQ(Text(e), "a日本語b");
}

TEST_F(EditTest, ALongCommitIsOneChangeWithOneNotification) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "<>", 200, 100);
  SendMessage(e, EM_LIMITTEXT, 0, 0);
  Focus(e);
  Select(e, 1, 1);
  std::string commit;
  for (int i = 0; i < 2000; ++i) commit += i % 7 == 6 ? "\xc3\xa9 " : "word ";
  Log().clear();
  t::ImeType(commit);
  EXPECT_EQ(Text(e), "<" + commit + ">");
  EXPECT_EQ(Count(e, EN_UPDATE), 1u);
  EXPECT_EQ(Count(e, EN_CHANGE), 1u);
  EXPECT_EQ(Codes(e), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), "<>") << "undone as one change";
}

// A control whose procedure another has taken over (a field filtering what
// is typed) sees an input method's text as typed characters.
TEST_F(EditTest, ASubclassedEditSeesACommitAsCharacters) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "");
  static WNDPROC original = nullptr;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
      e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_CHAR && !(wParam >= '0' && wParam <= '9')) return 0;  // digits only
        return CallWindowProc(original, h, msg, wParam, lParam);
      })));
  Focus(e);
  t::ImeType("1a2\xc3\xa9" "3");
  EXPECT_EQ(Text(e), "123");
}

// A long commit into a filtering field is measured once at the end, yet
// whatever the field asks in between is answered from the text as it is then,
// and the caret ends in view.
TEST_F(EditTest, AFilteringFieldSeesCurrentGeometryDuringALongCommit) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "", 120, 20);
  SendMessage(e, EM_LIMITTEXT, 0, 0);
  static WNDPROC original = nullptr;
  static std::vector<int> lastX;
  lastX.clear();
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
      e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_CHAR && wParam == 'x') return 0;  // the field refuses x
        LRESULT r = CallWindowProc(original, h, msg, wParam, lParam);
        if (msg == WM_CHAR && wParam == '|') {
          int end = static_cast<int>(SendMessage(h, WM_GETTEXTLENGTH, 0, 0));
          lastX.push_back(CharPoint(h, end - 1).x);
        }
        return r;
      })));
  Focus(e);
  std::string commit;
  for (int i = 0; i < 300; ++i) commit += i % 10 == 9 ? "|" : i % 3 ? "\xc3\xa9" : "x";
  t::ImeType(commit);
  std::string want;
  for (int i = 0; i < 300; ++i) want += i % 10 == 9 ? "|" : i % 3 ? "\xc3\xa9" : "";
  EXPECT_EQ(Text(e), want);
  ASSERT_EQ(lastX.size(), 30u);
  // Asked mid-feed, the character just typed is where the line so far puts
  // it: further right each time until the line fills, and then in view.
  RECT client{};
  GetClientRect(e, &client);
  EXPECT_GT(lastX[1], lastX[0]);
  for (int x : lastX) {
    EXPECT_GE(x, 0);
    EXPECT_LT(x, client.right);
  }
  int end = GetWindowTextLength(e);
  POINT last = CharPoint(e, end - 1);
  EXPECT_GE(last.x, 0);
  EXPECT_LT(last.x, client.right) << "the caret ends in view";
  EXPECT_EQ(Sel(e), Sel2(end, end));
}

// Several characters the desktop delivers at once (an input method's commit)
// are one change in an edit; a window that does not read input-method text
// gets them as typed bytes.
TEST_F(EditTest, TextFromTheDesktopIsOneCommit) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "");
  Focus(e);
  Log().clear();
  nbp::input::Text("h\xc3\xa9llo");
  t::Pump();
  EXPECT_EQ(Text(e), "h\xc3\xa9llo");
  EXPECT_EQ(Count(e, EN_CHANGE), 1u);
  SetFocus(top_);
  Log().clear();
  nbp::input::Text("a\xc3\xa9");
  t::Pump();
  std::vector<WPARAM> chars;
  for (const Recorded& r : Log()) {
    if (r.hwnd == top_ && r.msg == WM_CHAR) chars.push_back(r.wParam);
  }
  EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 0xC3, 0xA9}));
}

TEST_F(EditTest, TheRightButtonOpensTheEditingMenu) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, "one two");
  Select(e, 0, 3);
  nbp::Headless()->ChooseMenuCommand(WM_CUT);
  t::RightClick(e, Inside(e, 5));
  ASSERT_EQ(nbp::Headless()->Menus().size(), 1u);
  const nbp::PopupMenuRequest& shown = nbp::Headless()->Menus()[0];
  std::vector<std::pair<std::string, bool>> items;
  for (const nbp::MenuItemShown& item : shown.items) {
    if (!item.separator) items.emplace_back(item.text, item.grayed);
  }
  EXPECT_EQ(items, (std::vector<std::pair<std::string, bool>>{
                       {"&Undo", true}, {"Cu&t", false}, {"&Copy", false}, {"&Paste", true}, {"&Delete", false},
                       {"Select &All", false}}));
  EXPECT_EQ(Text(e), " two");
  EXPECT_EQ(Clipboard(), "one");
  EXPECT_EQ(GetFocus(), e);

  nbp::Headless()->ChooseMenuCommand(EM_SETSEL);
  t::AdvanceClock(1000);
  t::RightClick(e, Inside(e, 1));
  EXPECT_EQ(Sel(e), Sel2(0, 4));
  nbp::Headless()->ChooseMenuCommand(EM_UNDO);
  t::AdvanceClock(1000);
  t::RightClick(e, Inside(e, 1));
  EXPECT_EQ(Text(e), "one two");

  // A read-only edit offers copying only; a rich edit has no menu of its own.
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  t::AdvanceClock(1000);
  t::RightClick(e, Inside(e, 1));
  const nbp::PopupMenuRequest& readOnly = nbp::Headless()->Menus().back();
  for (const nbp::MenuItemShown& item : readOnly.items) {
    if (item.text == "&Copy") {
      EXPECT_FALSE(item.grayed);
    } else if (!item.separator && item.text != "Select &All") {
      EXPECT_TRUE(item.grayed) << item.text;
    }
  }
  size_t menus = nbp::Headless()->Menus().size();
  HWND rich = MakeEdit(ES_MULTILINE, "rich", 200, 40, "RichEdit20A");
  t::RightClick(rich, POINT{5, 5});
  EXPECT_EQ(nbp::Headless()->Menus().size(), menus);
  EXPECT_NE(Find(top_, WM_CONTEXTMENU), nullptr) << "the parent may show one";
}
