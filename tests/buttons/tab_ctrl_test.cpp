// The tab control as a user and its host meet it: layout numbers, clicks,
// keys, accelerators, deleting tabs, and the pixels of tabs and page.
#include "buttons_fixture.h"

#include "NbThemes/nbthemes.h"
#include "buttons/tab_ctrl.h"
#include "mfc/gdiobj.h"

namespace {

// What the control's font makes of a text.
int TextWidth(const char* text) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(NbThemeGetFont());
  int width = dc.GetTextExtent(text).cx;
  dc.SelectObject(old);
  return width;
}

COLORREF ItemColor(int which) {
  COLORREF c[4] = {};
  NbThemeGetItemColors(19, &c[0], &c[1], &c[2], &c[3]);
  return c[which];
}

// A 16 x 16 icon of one color.
HICON SolidIcon(COLORREF color) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap colorBits, maskBits;
  colorBits.CreateBitmap(16, 16, 1, 32, nullptr);
  maskBits.CreateBitmap(16, 16, 1, 1, nullptr);
  CBitmap* old = dc.SelectObject(&colorBits);
  dc.FillSolidRect(0, 0, 16, 16, color);
  dc.SelectObject(&maskBits);
  dc.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 0));
  dc.SelectObject(old);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = static_cast<HBITMAP>(maskBits.GetSafeHandle());
  info.hbmColor = static_cast<HBITMAP>(colorBits.GetSafeHandle());
  return CreateIconIndirect(&info);
}

class TabCtrlTest : public ButtonsTest {
 protected:
  void TearDown() override {
    tabs_.DestroyWindow();
    ButtonsTest::TearDown();
  }
  void Make(int width, std::initializer_list<const char*> texts, UINT style = NBTCS_TOP) {
    ASSERT_TRUE(tabs_.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, CRect(10, 10, 10 + width, 110), &host_, 300));
    for (const char* t : texts) tabs_.AddItem(t, 0, nullptr);
    nbp::test::Pump();
    host_.told.clear();
  }
  CPoint Centre(int i) { return tabs_.Item(i)->GetItemRect().CenterPoint(); }
  std::vector<WPARAM> Activations() {
    std::vector<WPARAM> out;
    for (const Told& t : host_.told)
      if (t.msg == WM_TABCTRL_ACTIVATE) out.push_back(t.wParam);
    return out;
  }
  HWND Hwnd() { return tabs_.m_hWnd; }

  CNbTabCtrl tabs_;
};

}  // namespace

TEST_F(TabCtrlTest, StyleChoosesPlacementAndHeight) {
  Make(300, {"One"}, 0);
  EXPECT_EQ(tabs_.GetStyle(), static_cast<UINT>(NBTCS_TOP));
  EXPECT_EQ(tabs_.GetItemHeight(), 22);
  EXPECT_EQ(tabs_.Item(0)->GetItemRect().top, 0);
  CNbTabCtrl bottom;
  ASSERT_TRUE(bottom.Create(WS_CHILD | WS_VISIBLE | NBTCS_BOTTOM, CRect(0, 150, 200, 250), &host_, 301));
  bottom.AddItem("Low", 0, nullptr);
  EXPECT_EQ(bottom.GetItemHeight(), 24);
  EXPECT_EQ(bottom.Item(0)->GetItemRect(), CRect(0, 100 - 24 - 1, bottom.Item(0)->m_nWidth, 100 - 1));
  EXPECT_EQ(bottom.GetActiveItem(), -1) << "adding activates nothing";
}

TEST_F(TabCtrlTest, TabsTakeNaturalWidthsWhenTheyFit) {
  Make(400, {"Calendar", "Address book", "Notes"});
  int x = 0;
  for (int i = 0; i < 3; ++i) {
    const char* text = i == 0 ? "Calendar" : i == 1 ? "Address book" : "Notes";
    EXPECT_EQ(tabs_.Item(i)->m_nLeft, x) << i;
    EXPECT_EQ(tabs_.Item(i)->m_nWidth, TextWidth(text) + 18) << i;
    x += tabs_.Item(i)->m_nWidth;
  }
  EXPECT_EQ(tabs_.ItemSize(-1), CSize(x, 22));
  EXPECT_EQ(tabs_.ItemSize(7), CSize(x, 22));
  EXPECT_EQ(tabs_.ItemSize(1), CSize(tabs_.Item(1)->m_nWidth, 22));
}

TEST_F(TabCtrlTest, TabsAreSqueezedWhenTheyDontFitAndSpreadAgainOnResize) {
  Make(150, {"Calendar", "Address book", "Notes"});
  EXPECT_EQ(tabs_.Item(0)->GetItemRect(), CRect(1, 0, 51, 22));
  EXPECT_EQ(tabs_.Item(1)->GetItemRect(), CRect(51, 0, 101, 22));
  EXPECT_EQ(tabs_.Item(2)->GetItemRect(), CRect(101, 0, 150, 22));
  tabs_.MoveWindow(10, 10, 400, 100);
  EXPECT_EQ(tabs_.Item(0)->m_nLeft, 0);
  EXPECT_EQ(tabs_.Item(2)->m_nWidth, TextWidth("Notes") + 18);
}

TEST_F(TabCtrlTest, AnIconWidensTheTabAndIsDrawnBesideTheText) {
  HICON icon = SolidIcon(RGB(200, 30, 40));
  Make(400, {});
  tabs_.AddItem("Mail", 0, icon);
  tabs_.AddItem("Mail", 0, nullptr);
  EXPECT_EQ(tabs_.Item(0)->m_nWidth, tabs_.Item(1)->m_nWidth + 19);
  tabs_.SetActiveItem(0);
  nbp::test::Pump();
  // The icon's 16 pixels start at the margin plus 6, centred in the height.
  EXPECT_EQ(Px(Hwnd(), 3 + 6 + 8, 11), RGB(200, 30, 40));
  EXPECT_EQ(Px(Hwnd(), 3 + 6 + 8, 3 + 16 + 1), ItemColor(0)) << "not stretched past 16 pixels";
  EXPECT_NE(Px(Hwnd(), tabs_.Item(1)->m_nLeft + 17, 13), RGB(200, 30, 40));
  DestroyIcon(icon);
}

TEST_F(TabCtrlTest, ClickingATabActivatesItAndReportsTheClick) {
  Make(400, {"One", "Two", "Three"});
  nbp::test::Click(Hwnd(), Centre(1));
  ASSERT_EQ(host_.told.size(), 2u);
  EXPECT_EQ(host_.told[0].msg, static_cast<UINT>(WM_TABCTRL_ACTIVATE));
  EXPECT_EQ(host_.told[0].wParam, 1u);
  EXPECT_EQ(host_.told[1].msg, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(host_.told[1].wParam, 300u);
  EXPECT_EQ(host_.told[1].lParam, 0);
  EXPECT_EQ(CWnd::GetFocus(), &tabs_);
  host_.told.clear();
  nbp::test::AdvanceClock(1000);
  nbp::test::Click(Hwnd(), Centre(1));
  ASSERT_EQ(host_.told.size(), 1u) << "the active tab: a click, no activation";
  EXPECT_EQ(host_.told[0].msg, static_cast<UINT>(WM_COMMAND));
  host_.told.clear();
  nbp::test::AdvanceClock(1000);
  nbp::test::Click(Hwnd(), CPoint(390, 10));
  EXPECT_TRUE(host_.told.empty()) << "beside the tabs";
}

TEST_F(TabCtrlTest, KeysActOnReleaseAndWrapAround) {
  Make(400, {"One", "Two", "Three"});
  tabs_.SetFocus();
  nbp::test::KeyDown(VK_LEFT, true);
  EXPECT_TRUE(Activations().empty()) << "nothing on press";
  nbp::test::KeyUp(VK_LEFT, true);
  EXPECT_TRUE(Activations().empty()) << "Left with no active tab";
  nbp::test::PressKey(VK_RIGHT, nbp::test::kNoMods, true);
  EXPECT_EQ(tabs_.GetActiveItem(), 0) << "Right with no active tab";
  nbp::test::PressKey(VK_LEFT, nbp::test::kNoMods, true);
  EXPECT_EQ(tabs_.GetActiveItem(), 2) << "Left from the first wraps to the last";
  nbp::test::PressKey(VK_RIGHT, nbp::test::kNoMods, true);
  EXPECT_EQ(tabs_.GetActiveItem(), 0) << "Right from the last wraps to the first";
  nbp::test::PressKey(VK_END, nbp::test::kNoMods, true);
  EXPECT_EQ(tabs_.GetActiveItem(), 2);
  nbp::test::PressKey(VK_HOME, nbp::test::kNoMods, true);
  EXPECT_EQ(Activations(), (std::vector<WPARAM>{0, 2, 0, 2, 0}));
  nbp::test::PressKey(VK_HOME, nbp::test::kNoMods, true);
  EXPECT_EQ(Activations().size(), 5u) << "Home on the first tab posts nothing";
}

TEST_F(TabCtrlTest, KeysWithoutTabsDoNothing) {
  Make(400, {});
  tabs_.SetFocus();
  for (UINT key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END}) nbp::test::PressKey(key, nbp::test::kNoMods, true);
  EXPECT_TRUE(host_.told.empty());
  EXPECT_EQ(tabs_.GetActiveItem(), -1);
}

TEST_F(TabCtrlTest, AcceleratorsReachTheParentAsTabKeyDown) {
  Make(400, {"One", "Two"});
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, static_cast<WORD>('T'), 900}};
  tabs_.m_hAccel = CreateAcceleratorTable(keys, 1);
  tabs_.SetFocus();
  nbp::test::PressKey('T', nbp::test::kCtrl);
  int notices = 0;
  for (const Told& t : host_.told) {
    if (t.msg != WM_NOTIFY) continue;
    ++notices;
    EXPECT_EQ(t.wParam, 300u);
    EXPECT_EQ(static_cast<int>(t.lParam), static_cast<int>(TCN_KEYDOWN));
    EXPECT_EQ(t.vkey, 'T');
  }
  EXPECT_EQ(notices, 1);
  while (tabs_.GetCount()) tabs_.DeleteItem(0);
  host_.told.clear();
  nbp::test::PressKey('T', nbp::test::kCtrl);
  EXPECT_EQ(host_.Count(WM_NOTIFY), 0) << "no tabs, no accelerators";
  DestroyAcceleratorTable(tabs_.m_hAccel);
}

TEST_F(TabCtrlTest, DeletingTabsKeepsTheActiveIndexWithinTheTabs) {
  Make(400, {"A", "B", "C", "D"});
  tabs_.SetActiveItem(2);
  nbp::test::Pump();
  host_.told.clear();
  EXPECT_FALSE(tabs_.DeleteItem(4));
  EXPECT_TRUE(tabs_.DeleteItem(0));  // before the active one
  EXPECT_EQ(tabs_.GetActiveItem(), 2) << "the index is left alone";
  EXPECT_TRUE(tabs_.DeleteItem(2));  // the active one, which was last
  EXPECT_EQ(tabs_.GetActiveItem(), 1) << "never past the tabs";
  EXPECT_EQ(std::string(tabs_.Item(1)->m_strText), "C");
  EXPECT_TRUE(tabs_.DeleteItem(0));
  EXPECT_EQ(tabs_.GetActiveItem(), 0);
  nbp::test::Pump();
  EXPECT_TRUE(Activations().empty()) << "deleting activates nothing";
  EXPECT_TRUE(tabs_.DeleteItem(0));
  EXPECT_EQ(tabs_.GetActiveItem(), -1);
  EXPECT_EQ(tabs_.Item(0), nullptr);
  nbp::test::Pump();  // painting with no tabs
}

TEST_F(TabCtrlTest, TheActiveTabJoinsThePage) {
  Make(400, {"One", "Two"});
  tabs_.SetActiveItem(0);
  nbp::test::Pump();
  int pageTop = 22 - 1;
  EXPECT_EQ(Px(Hwnd(), Centre(0).x, pageTop), ItemColor(0)) << "the page's edge is open under the active tab";
  EXPECT_EQ(Px(Hwnd(), Centre(1).x, pageTop), ItemColor(1)) << "and runs on under the others";
  EXPECT_EQ(Px(Hwnd(), Centre(1).x, 0), NbThemeShadeColor(ItemColor(0), -64)) << "the strip's bevel above it";
  EXPECT_EQ(Px(Hwnd(), Centre(1).x, pageTop - 2), NbThemeShadeColor(ItemColor(0), 32)) << "inactive fill";
  EXPECT_EQ(Px(Hwnd(), tabs_.Item(0)->m_nLeft, 10), ItemColor(1)) << "light left edge";
  EXPECT_EQ(Px(Hwnd(), tabs_.Item(0)->m_nWidth - 1, 10), RGB(0, 0, 0)) << "black right edge";
  EXPECT_EQ(Px(Hwnd(), 200, 99), RGB(0, 0, 0)) << "the page's black bottom line";
}

TEST_F(TabCtrlTest, FocusFrameOnlyOnTheActiveTabWhileFocused) {
  Make(400, {"One", "Two"});
  tabs_.SetActiveItem(1);
  nbp::test::Pump();
  CRect r = tabs_.Item(1)->GetItemRect();
  int x = r.left + r.Width() / 2;
  COLORREF before = Px(Hwnd(), x, r.top + 2);
  tabs_.SetFocus();
  nbp::test::Pump();
  // The dotted frame alternates ink and fill along its top row.
  COLORREF a = Px(Hwnd(), x, r.top + 2), b = Px(Hwnd(), x + 1, r.top + 2);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a == before || b == before);
}

TEST_F(TabCtrlTest, LongTextsAreShortenedAndNeverSpillIntoTheNextTab) {
  Make(160, {"Appointments and meetings of the whole department", ""});
  tabs_.SetActiveItem(1);
  nbp::test::Pump();
  CRect next = tabs_.Item(1)->GetItemRect();
  auto dark = [this](int x, int y) {
    COLORREF c = Px(Hwnd(), x, y);
    return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
  };
  int inked = 0;
  for (int x = next.left + 2; x < next.right - 3; ++x)
    for (int y = 4; y < next.bottom - 2; ++y) inked += dark(x, y);
  EXPECT_EQ(inked, 0);
  int firstInk = 0;
  CRect first = tabs_.Item(0)->GetItemRect();
  for (int x = first.left + 2; x < first.right - 3; ++x)
    for (int y = 4; y < first.bottom - 2; ++y) firstInk += dark(x, y);
  EXPECT_GT(firstInk, 10) << "the shortened text shows";
}

TEST_F(TabCtrlTest, TabsAddedBeforeTheWindowKeepNaturalWidthsAndTellNobody) {
  tabs_.AddItem("Calendar", 7, nullptr);
  tabs_.AddItem("Notes", 8, nullptr);
  tabs_.SetActiveItem(1);
  int natural = TextWidth("Calendar") + 18 + TextWidth("Notes") + 18;
  EXPECT_EQ(tabs_.ItemSize(-1).cx, natural) << "the width a host makes the control";
  ASSERT_TRUE(tabs_.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 80), &host_, 302));
  nbp::test::Pump();
  EXPECT_TRUE(host_.told.empty());
  EXPECT_EQ(tabs_.GetActiveItem(), 1);
  EXPECT_EQ(tabs_.Item(1)->m_lParam, 8);
  EXPECT_EQ(tabs_.Item(1)->GetItemRect(), CRect(31, 0, 60, 22)) << "squeezed once the window has a size";
}

TEST_F(TabCtrlTest, AtTheBottomTheActiveTabJoinsThePageFromBelow) {
  Make(400, {"One", "Two"}, NBTCS_BOTTOM);
  tabs_.SetActiveItem(0);
  nbp::test::Pump();
  // 100 pixels high: the page ends at 77, its shadow and black lines at 75
  // and 76, which the tabs' rectangles (75 to 98) overlap.
  EXPECT_EQ(Px(Hwnd(), Centre(0).x, 76), ItemColor(0)) << "open under the active tab";
  EXPECT_EQ(Px(Hwnd(), Centre(1).x, 76), RGB(0, 0, 0)) << "closed under the others";
  EXPECT_EQ(Px(Hwnd(), Centre(0).x, 97), ItemColor(2)) << "the active tab's shadow";
  EXPECT_EQ(Px(Hwnd(), Centre(0).x, 98), RGB(0, 0, 0)) << "and its black bottom edge";
  EXPECT_EQ(Px(Hwnd(), Centre(1).x, 77), NbThemeShadeColor(ItemColor(0), -16)) << "the seam of an inactive tab";
}
