// The built-in combo box (drop-down list) inside a recording parent window:
// opening, choosing and cancelling with the mouse and the keys, and the
// order of the notifications the parent hears.
#include <string>
#include <vector>

#include "user_fixture.h"
#include "win/controls.h"

namespace {

namespace drive = nbp::test;

constexpr int kId = 50;

class ComboTest : public UserTest {
 protected:
  HWND Combo(DWORD style, std::initializer_list<const char*> items = {"alpha", "bravo", "charlie", "delta"}) {
    HWND combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | style, 10,
                                10, 150, 120, top_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)), nullptr,
                                nullptr);
    for (const char* t : items) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    drive::Pump();
    Log().clear();
    return combo;
  }
  static int Sel(HWND combo) { return static_cast<int>(SendMessage(combo, CB_GETCURSEL, 0, 0)); }
  static bool Dropped(HWND combo) { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
  // The dropped list: the window just under the combo box on the screen.
  static HWND List(HWND combo) {
    RECT r;
    GetWindowRect(combo, &r);
    HWND list = WindowFromPoint(POINT{r.left + 5, r.bottom + 5});
    return list && list != GetParent(combo) ? list : nullptr;
  }
  static POINT ItemPoint(HWND list, int index) {
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 5, (r.top + r.bottom) / 2};
  }
  std::vector<int> Codes() {
    std::vector<int> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && r.msg == WM_COMMAND && LOWORD(r.wParam) == kId) out.push_back(HIWORD(r.wParam));
    }
    return out;
  }
};

using CodeList = std::vector<int>;

}  // namespace

TEST_F(ComboTest, ClickOpensAndClickingAnItemChoosesIt) {
  HWND combo = Combo(0);
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_LT(r.bottom - r.top, 40) << "the window is as high as the field; the rest is for the list";
  drive::Click(combo, POINT{20, 5});
  EXPECT_TRUE(Dropped(combo));
  HWND list = List(combo);
  ASSERT_TRUE(list);
  EXPECT_TRUE(IsWindowVisible(list));
  RECT lr;
  GetWindowRect(list, &lr);
  EXPECT_EQ(lr.top, r.bottom) << "the list opens under the combo box";
  EXPECT_EQ(GetFocus(), combo) << "the combo box keeps the focus";
  drive::AdvanceClock(1000);
  drive::Click(list, ItemPoint(list, 2));
  EXPECT_FALSE(Dropped(combo));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(Codes(), (CodeList{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  char text[32];
  GetWindowText(combo, text, sizeof text);
  EXPECT_STREQ(text, "charlie");
}

TEST_F(ComboTest, EscapeAndClickOutsideCancelAndRestoreTheSelection) {
  HWND combo = Combo(0);
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  SetFocus(combo);
  Log().clear();
  drive::PressKey(VK_F4);
  EXPECT_TRUE(Dropped(combo));
  drive::PressKey(VK_DOWN, drive::kNoMods, true);
  EXPECT_EQ(Sel(combo), 2) << "the highlight moves in the open list";
  drive::PressKey(VK_ESCAPE);
  EXPECT_FALSE(Dropped(combo));
  EXPECT_EQ(Sel(combo), 1) << "and goes back on a cancel";
  EXPECT_EQ(Codes(), (CodeList{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));

  Log().clear();
  drive::PressKey(VK_DOWN, drive::kAlt, true);
  EXPECT_TRUE(Dropped(combo));
  drive::AdvanceClock(1000);
  drive::Click(top_, POINT{300, 250});
  EXPECT_FALSE(Dropped(combo));
  EXPECT_EQ(Codes(), (CodeList{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboTest, EnterTakesTheHighlightedItem) {
  HWND combo = Combo(0);
  SetFocus(combo);
  Log().clear();
  drive::PressKey(VK_F4);
  drive::PressKey(VK_END, drive::kNoMods, true);
  drive::PressKey(VK_RETURN);
  EXPECT_EQ(Sel(combo), 3);
  EXPECT_EQ(Codes(), (CodeList{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  Log().clear();
  drive::PressKey(VK_F4);
  drive::PressKey(VK_F4);
  EXPECT_EQ(Codes(), (CodeList{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP})) << "the same item: no change";
}

TEST_F(ComboTest, ArrowsAndLettersChangeTheSelectionWhileClosed) {
  HWND combo = Combo(CBS_SORT, {"pear", "apple", "banana"});
  SetFocus(combo);
  Log().clear();
  drive::PressKey(VK_DOWN, drive::kNoMods, true);
  EXPECT_EQ(Sel(combo), 0);
  drive::PressKey(VK_DOWN, drive::kNoMods, true);
  EXPECT_EQ(Sel(combo), 1);
  drive::Type("p");
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_FALSE(Dropped(combo));
  EXPECT_EQ(Codes(), (CodeList{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}));
  char text[32];
  SendMessage(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "apple") << "sorted";
}

TEST_F(ComboTest, MessagesAnswerAsTheListDoes) {
  HWND combo = Combo(0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("Delta")), 3);
  EXPECT_EQ(SendMessage(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("br")), 1);
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(SendMessage(combo, CB_DELETESTRING, 1, 0), 3);
  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_SETITEMDATA, 0, 99), TRUE);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 0, 0), 99);
  EXPECT_TRUE(Codes().empty()) << "the program's changes raise no notification";
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(Dropped(combo));
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(Dropped(combo));
}

TEST_F(ComboTest, OwnerDrawsTheFieldWithComboBoxEditState) {
  std::vector<std::pair<UINT, UINT>> draws;  // item, state
  std::vector<UINT> measured;
  React() = [&](HWND, UINT msg, WPARAM, LPARAM l, LRESULT* result) {
    if (msg == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      measured.push_back(mis->itemID);
      mis->itemHeight = 18;
      *result = TRUE;
      return true;
    }
    if (msg != WM_DRAWITEM) return false;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(dis->CtlID, static_cast<UINT>(kId));
    EXPECT_TRUE(GetDlgItem(top_, kId) == dis->hwndItem) << "the list's items speak for the combo box too";
    draws.emplace_back(dis->itemID, dis->itemState & (ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS));
    *result = TRUE;
    return true;
  };
  HWND combo = Combo(CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL);
  RECT client, window;
  GetClientRect(combo, &client);
  GetWindowRect(combo, &window);
  EXPECT_EQ(client.right, window.right - window.left) << "no scroll bar of its own";
  EXPECT_EQ(measured.size(), 2u) << "the field and the list's items";
  EXPECT_EQ(SendMessage(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), 18);
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  draws.clear();
  SetFocus(combo);
  drive::Pump();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back(), (std::pair<UINT, UINT>{1u, UINT(ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS)}));
  draws.clear();
  drive::PressKey(VK_F4);
  drive::Pump();
  bool listItem = false;
  for (auto& d : draws) listItem |= !(d.second & ODS_COMBOBOXEDIT);
  EXPECT_TRUE(listItem) << "the open list's items are owner-drawn too";
}

TEST_F(ComboTest, ArrowButtonIsDrawnAtTheRight) {
  HWND combo = Combo(0);
  RECT client;
  GetClientRect(combo, &client);
  POINT origin{0, 0};
  ClientToScreen(combo, &origin);
  ScreenToClient(top_, &origin);
  int arrowX = origin.x + client.right - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2;
  int midY = origin.y + client.bottom / 2;
  bool dark = false;
  for (int dx = -3; dx <= 3; ++dx) dark |= nbp::WindowPixel(top_, arrowX + dx, midY) == GetSysColor(COLOR_BTNTEXT);
  EXPECT_TRUE(dark) << "the arrow's glyph in the middle of the button";
  EXPECT_EQ(nbp::WindowPixel(top_, origin.x + 20, midY), GetSysColor(COLOR_WINDOW)) << "the empty field";
}
