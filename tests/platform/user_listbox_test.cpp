// The built-in list box inside a recording parent window: its messages and
// their error values, sorting (by text and through the owner), owner
// drawing, and the user's mouse, keys and wheel.
#include <cstring>
#include <string>
#include <vector>

#include "user_fixture.h"
#include "win/controls.h"

namespace {

namespace drive = nbp::test;

constexpr int kId = 40;

class ListBoxTest : public UserTest {
 protected:
  HWND List(DWORD style, RECT r = RECT{10, 10, 160, 110}, int id = kId) {
    HWND list = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, top_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                               nullptr);
    drive::Pump();
    return list;
  }
  static void Add(HWND list, std::initializer_list<const char*> texts) {
    for (const char* t : texts) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
  }
  static void AddNumbered(HWND list, int count) {
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    char text[32];
    for (int i = 0; i < count; ++i) {
      snprintf(text, sizeof text, "Item %06d", i);
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
  }
  static std::string Text(HWND list, int index) {
    char buf[256] = {};
    if (SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf)) == LB_ERR) return "<err>";
    return buf;
  }
  static int Sel(HWND list) { return static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)); }
  static int Top(HWND list) { return static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0)); }
  static int ItemHeight(HWND list) { return static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)); }
  // A point inside item `index` as it is shown now.
  static POINT At(HWND list, int index) {
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 5, (r.top + r.bottom) / 2};
  }
  // The LBN_ codes the parent received, in order.
  std::vector<int> Codes() {
    std::vector<int> out;
    for (const Recorded& r : Log()) {
      if (r.hwnd == top_ && r.msg == WM_COMMAND && LOWORD(r.wParam) == kId) out.push_back(HIWORD(r.wParam));
    }
    return out;
  }
};

// The owner's order of items whose data are C strings.
bool CompareNames(HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
  if (msg != WM_COMPAREITEM) return false;
  auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
  int order = std::strcmp(reinterpret_cast<const char*>(cis->itemData1), reinterpret_cast<const char*>(cis->itemData2));
  *result = order < 0 ? -1 : order > 0 ? 1 : 0;
  return true;
}

}  // namespace

TEST_F(ListBoxTest, IndexMessagesAnswerErrorOutOfRange) {
  HWND list = List(WS_BORDER);
  Add(list, {"one", "two"});
  char buf[64];
  RECT r;
  for (WPARAM bad : {WPARAM(2), WPARAM(-2), WPARAM(1000)}) {
    SCOPED_TRACE(static_cast<int>(bad));
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, bad, reinterpret_cast<LPARAM>(buf)), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, bad, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, bad, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, bad, 5), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, bad, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, bad, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETITEMRECT, bad, reinterpret_cast<LPARAM>(&r)), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, bad, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETSEL, bad, 0), LB_ERR);
  }
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 3, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 2) << "nothing was added or removed";
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("three")), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("z")), LB_ERR);
  EXPECT_EQ(Sel(list), -1);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR) << "clearing reports LB_ERR too";
}

TEST_F(ListBoxTest, ItemsAddInsertDeleteAndKeepData) {
  HWND list = List(WS_BORDER);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 0);
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a")), 1) << "unsorted: appended";
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first")), 0);
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("last")), 3);
  SendMessage(list, LB_SETITEMDATA, 1, 77);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 3) << "the count left";
  EXPECT_EQ(Text(list, 0), "b");
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 0, 0), 77);
  EXPECT_EQ(Sel(list), 1) << "the selection stays on its item";
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 2, 0), 4);
  EXPECT_EQ(SendMessage(list, LB_SETCARETINDEX, 2, 0), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 2);
  EXPECT_EQ(Sel(list), 1) << "the caret moves without the selection";
  SendMessage(list, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(Sel(list), -1) << "deleting the selected item clears the selection";
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("LA")), 1) << "prefix, any case";
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("")), 0) << "from after the start, wrapping";
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, SortedListOrdersTextIgnoringCase) {
  HWND list = List(LBS_SORT | WS_BORDER);
  Add(list, {"pear", "Apple", "banana", "apple"});
  EXPECT_EQ(Text(list, 0), "Apple");
  EXPECT_EQ(Text(list, 1), "apple") << "equal texts keep the order they came in";
  EXPECT_EQ(Text(list, 2), "banana");
  EXPECT_EQ(Text(list, 3), "pear");
  EXPECT_EQ(SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Cherry")), 3);
  EXPECT_EQ(SendMessage(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("ch")), 3);
  EXPECT_EQ(Sel(list), 3);
  EXPECT_TRUE(Codes().empty()) << "messages from the program raise no notification";
}

TEST_F(ListBoxTest, OwnerDrawnListWithoutStringsSortsAndFindsThroughTheOwner) {
  static const char* names[] = {"delta", "alpha", "charlie", "bravo"};
  int measured = 0;
  std::vector<ULONG_PTR> deleted;
  React() = [&](HWND h, UINT msg, WPARAM w, LPARAM l, LRESULT* result) {
    if (msg == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      EXPECT_EQ(mis->CtlType, static_cast<UINT>(ODT_LISTBOX));
      ++measured;
      mis->itemHeight = 21;
      *result = TRUE;
      return true;
    }
    if (msg == WM_DELETEITEM) {
      deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(l)->itemData);
      *result = TRUE;
      return true;
    }
    return CompareNames(h, msg, w, l, result);
  };
  HWND list = List(LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL);
  EXPECT_EQ(measured, 1) << "measured once, at creation";
  EXPECT_EQ(ItemHeight(list), 21);
  for (const char* n : names) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n));
  EXPECT_EQ(measured, 1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(reinterpret_cast<const char*>(SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)),
                 (std::vector<const char*>{"alpha", "bravo", "charlie", "delta"}[static_cast<size_t>(i)]));
  }
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 0, 0), static_cast<LRESULT>(sizeof(ULONG_PTR)));
  // Another copy of the same text: the owner says they are equal.
  std::string charlie = "charlie";
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(charlie.c_str())), 2);
  EXPECT_EQ(SendMessage(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(charlie.c_str())), 2);
  EXPECT_EQ(Sel(list), 2);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 0, 0), 3);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{reinterpret_cast<ULONG_PTR>(names[1])}));
  DestroyWindow(list);
  EXPECT_EQ(deleted.size(), 4u) << "the rest go with the window";
}

TEST_F(ListBoxTest, ClickSelectsAndNotifiesOnlyWithNotifyStyle) {
  HWND quiet = List(WS_BORDER, RECT{200, 10, 350, 110}, kId + 1);
  Add(quiet, {"a", "b", "c"});
  drive::Click(quiet, At(quiet, 1));
  EXPECT_EQ(Sel(quiet), 1);
  EXPECT_EQ(GetFocus(), quiet);
  EXPECT_TRUE(Codes().empty()) << "another list";
  EXPECT_TRUE(Find(top_, WM_COMMAND)) << "focus is told always, the selection only with LBS_NOTIFY";
  EXPECT_EQ(HIWORD(Find(top_, WM_COMMAND)->wParam), LBN_SETFOCUS);

  HWND list = List(LBS_NOTIFY | WS_BORDER);
  Add(list, {"a", "b", "c"});
  Log().clear();
  drive::Click(list, At(list, 2));
  EXPECT_EQ(Sel(list), 2);
  EXPECT_EQ(Codes(), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));
  Log().clear();
  drive::AdvanceClock(1000);
  drive::Click(list, At(list, 2));
  EXPECT_TRUE(Codes().empty()) << "the same item again changes nothing";
  drive::AdvanceClock(1000);
  drive::DoubleClick(list, At(list, 0));
  EXPECT_EQ(Codes(), (std::vector<int>{LBN_SELCHANGE, LBN_DBLCLK}));
  Log().clear();
  drive::AdvanceClock(1000);
  drive::Click(list, POINT{20, 90});
  EXPECT_EQ(Sel(list), 2) << "below the items, the last one";
  SetFocus(top_);
  EXPECT_EQ(Codes().back(), LBN_KILLFOCUS);
}

TEST_F(ListBoxTest, DragSelectsAndScrollsPastTheEdge) {
  HWND list = List(LBS_NOTIFY | WS_VSCROLL | WS_BORDER);
  AddNumbered(list, 50);
  int h = ItemHeight(list);
  drive::Press(list, At(list, 1));
  drive::MoveTo(list, At(list, 3));
  EXPECT_EQ(Sel(list), 3);
  drive::MoveTo(list, POINT{20, 100 + h});
  int below = Sel(list);
  EXPECT_GT(Top(list), 0) << "the list scrolled to show the item below";
  drive::AdvanceClock(500);
  EXPECT_GT(Sel(list), below) << "holding the mouse below keeps scrolling";
  drive::Release(list, POINT{20, 100 + h});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListBoxTest, KeysMoveTheSelectionByItemsAndPages) {
  HWND list = List(LBS_NOTIFY | WS_VSCROLL | WS_BORDER);
  AddNumbered(list, 40);
  SetFocus(list);
  int page = 0;
  RECT client;
  GetClientRect(list, &client);
  page = client.bottom / ItemHeight(list);
  struct Step {
    UINT vk;
    int sel;
  };
  const Step steps[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_UP, 0}, {VK_UP, 0},
                        {VK_NEXT, page - 1}, {VK_NEXT, 2 * page - 2}, {VK_END, 39}, {VK_PRIOR, 39 - page + 1},
                        {VK_HOME, 0}};
  for (const Step& s : steps) {
    drive::PressKey(s.vk, drive::kNoMods, true);
    EXPECT_EQ(Sel(list), s.sel) << "key " << s.vk;
    EXPECT_LE(Top(list), Sel(list));
    EXPECT_GT(Top(list) + page, Sel(list)) << "the selection stays in view";
  }
  EXPECT_EQ(SendMessage(list, WM_GETDLGCODE, 0, 0) & (DLGC_WANTARROWS | DLGC_WANTCHARS),
            DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxTest, TypingSelectsByFirstLettersAndCycles) {
  HWND list = List(LBS_NOTIFY | LBS_SORT | WS_BORDER);
  Add(list, {"Banana", "blueberry", "Cherry", "Bilberry", "cranberry"});
  SetFocus(list);
  drive::Type("b");
  EXPECT_EQ(Text(list, Sel(list)), "Banana");
  drive::Type("b");
  EXPECT_EQ(Text(list, Sel(list)), "Bilberry") << "the same letter steps on";
  drive::AdvanceClock(2000);
  drive::Type("cr");
  EXPECT_EQ(Text(list, Sel(list)), "cranberry") << "letters typed together form a prefix";
  drive::AdvanceClock(2000);
  drive::Type("z");
  EXPECT_EQ(Text(list, Sel(list)), "cranberry") << "no match leaves the selection";
}

TEST_F(ListBoxTest, WheelAndScrollBarScrollByWholeItems) {
  HWND list = List(WS_VSCROLL | WS_BORDER);
  AddNumbered(list, 30);
  SetFocus(list);
  drive::Wheel(list, POINT{20, 20}, -WHEEL_DELTA);
  EXPECT_EQ(Top(list), 3);
  drive::Wheel(list, POINT{20, 20}, -60);
  EXPECT_EQ(Top(list), 3) << "half a notch waits for the other half";
  drive::Wheel(list, POINT{20, 20}, -60);
  EXPECT_EQ(Top(list), 6);
  drive::Wheel(list, POINT{20, 20}, 10 * WHEEL_DELTA);
  EXPECT_EQ(Top(list), 0);
  SendMessage(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Top(list), 1);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 1);
  SendMessage(list, WM_VSCROLL, SB_BOTTOM, 0);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(Top(list), 30 - client.bottom / ItemHeight(list)) << "the last page is full";
  EXPECT_EQ(Sel(list), -1) << "scrolling does not select";
}

TEST_F(ListBoxTest, EmptyListIgnoresTheUser) {
  HWND list = List(LBS_NOTIFY | WS_VSCROLL | WS_BORDER);
  drive::Click(list, POINT{20, 20});
  drive::PressKey(VK_DOWN, drive::kNoMods, true);
  drive::Type("a");
  drive::Wheel(list, POINT{20, 20}, -WHEEL_DELTA);
  EXPECT_EQ(Sel(list), -1);
  EXPECT_EQ(Codes(), (std::vector<int>{LBN_SETFOCUS}));
  RECT r;
  EXPECT_EQ(SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)), 1) << "the place of a first item";
}

TEST_F(ListBoxTest, ItemFromPointAndItemRect) {
  HWND list = List(WS_BORDER);
  Add(list, {"a", "b", "c"});
  int h = ItemHeight(list);
  RECT r;
  SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, h);
  EXPECT_EQ(r.bottom, 2 * h);
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, h + 1)), MAKELONG(1, 0));
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 3 * h + 2)), MAKELONG(2, 1)) << "below the items";
}

TEST_F(ListBoxTest, HeightIsWholeItemsUnlessAskedOtherwise) {
  HWND integral = List(WS_BORDER, RECT{10, 10, 160, 113});
  RECT client;
  GetClientRect(integral, &client);
  EXPECT_EQ(client.bottom % ItemHeight(integral), 0);
  HWND free = List(LBS_NOINTEGRALHEIGHT | WS_BORDER, RECT{200, 10, 350, 113});
  GetClientRect(free, &client);
  EXPECT_EQ(client.bottom, 103 - 2 * GetSystemMetrics(SM_CYBORDER));
}

TEST_F(ListBoxTest, ThumbDragReachesItemsPastSixteenBits) {
  HWND list = List(WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, RECT{10, 10, 160, 210});
  AddNumbered(list, 100000);
  RECT client;
  GetClientRect(list, &client);
  int x = client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
  int arrow = GetSystemMetrics(SM_CYVSCROLL);
  drive::Drag(list, POINT{x, arrow + 3}, POINT{x, client.bottom + 50});
  EXPECT_EQ(Top(list), 100000 - client.bottom / ItemHeight(list));
  EXPECT_GT(Top(list), 65535);
}

TEST_F(ListBoxTest, OwnerDrawActionsCarryTheItemState) {
  struct Draw {
    UINT item, action, state;
  };
  std::vector<Draw> draws;
  React() = [&](HWND, UINT msg, WPARAM, LPARAM l, LRESULT* result) {
    if (msg != WM_DRAWITEM) return false;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    draws.push_back({dis->itemID, dis->itemAction, dis->itemState & (ODS_SELECTED | ODS_FOCUS | ODS_DISABLED)});
    *result = TRUE;
    return true;
  };
  HWND list = List(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_BORDER);
  SetFocus(list);
  EXPECT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws.back().item, static_cast<UINT>(-1)) << "an empty list with the focus shows it";
  EXPECT_EQ(draws.back().action, static_cast<UINT>(ODA_FOCUS));
  Add(list, {"a", "b", "c"});
  drive::Pump();
  draws.clear();
  drive::Click(list, At(list, 1));
  drive::Pump();
  std::vector<std::tuple<UINT, UINT, UINT>> got;
  for (const Draw& d : draws) got.emplace_back(d.item, d.action, d.state);
  std::vector<std::tuple<UINT, UINT, UINT>> want = {
      {0u, UINT(ODA_FOCUS), 0u},
      {1u, UINT(ODA_SELECT), UINT(ODS_SELECTED | ODS_FOCUS)},
      {1u, UINT(ODA_FOCUS), UINT(ODS_SELECTED | ODS_FOCUS)},
  };
  EXPECT_EQ(got, want);
  draws.clear();
  EnableWindow(list, FALSE);
  drive::Pump();
  int entire = 0;
  for (const Draw& d : draws) {
    if (d.action != ODA_DRAWENTIRE) continue;
    ++entire;
    EXPECT_TRUE(d.state & ODS_DISABLED);
  }
  EXPECT_EQ(entire, 3);
}

TEST_F(ListBoxTest, SelectedItemIsHighlightedAndFocusIsFramed) {
  HWND list = List(WS_BORDER | LBS_NOINTEGRALHEIGHT);
  Add(list, {"alpha", "beta"});
  SendMessage(list, LB_SETCURSEL, 1, 0);
  drive::Pump();
  int h = ItemHeight(list);
  POINT toTop{0, 0};
  ClientToScreen(list, &toTop);
  ScreenToClient(top_, &toTop);
  auto pixel = [&](int x, int y) { return nbp::WindowPixel(top_, toTop.x + x, toTop.y + y); };
  EXPECT_EQ(pixel(100, h + h / 2), GetSysColor(COLOR_HIGHLIGHT)) << "right of the text, inside the item";
  EXPECT_EQ(pixel(100, h / 2), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(100, 3 * h), GetSysColor(COLOR_WINDOW)) << "below the items";
  SetFocus(list);
  drive::Pump();
  EXPECT_NE(pixel(100, h), GetSysColor(COLOR_HIGHLIGHT)) << "the focus rectangle's dots on the top edge";
  EXPECT_EQ(pixel(100, h + 1), GetSysColor(COLOR_HIGHLIGHT)) << "inside the frame";
}
