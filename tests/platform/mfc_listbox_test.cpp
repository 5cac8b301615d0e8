// CListBox in a framework window: the owner's item messages come back to the
// control's virtual functions, and notifications reach reflection handlers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "mfc/app.h"
#include "mfc/listbox.h"
#include "nbp/clock.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

namespace {

// An owner-drawn sorted list whose items are C strings kept by the caller.
class NameList : public CListBox {
 public:
  std::vector<std::string> trace;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    cs.style |= LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    return CListBox::PreCreateWindow(cs);
  }
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    trace.push_back("measure");
    mis->itemHeight = 19;
  }
  int CompareItem(LPCOMPAREITEMSTRUCT cis) override {
    int order = std::strcmp(reinterpret_cast<const char*>(cis->itemData1), reinterpret_cast<const char*>(cis->itemData2));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    if (dis->itemID != static_cast<UINT>(-1) && dis->itemAction == ODA_DRAWENTIRE)
      trace.push_back(std::string("draw ") + reinterpret_cast<const char*>(dis->itemData));
  }
  void DeleteItem(LPDELETEITEMSTRUCT dis) override {
    trace.push_back(std::string("delete ") + reinterpret_cast<const char*>(dis->itemData));
  }
  void OnSelChange() { trace.push_back("selchange " + std::to_string(GetCurSel())); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NameList, CListBox)
  ON_CONTROL_REFLECT(LBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class ListBoxFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Main", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
  }
  void TearDown() override {
    main_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }
  CWinApp app_{"List box test"};
  CWnd main_;
};

}  // namespace

TEST_F(ListBoxFrameworkTest, OwnerMessagesReachTheControlsVirtuals) {
  NameList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 110), &main_, 5));
  EXPECT_EQ(list.trace, (std::vector<std::string>{"measure"}));
  EXPECT_EQ(list.GetItemHeight(0), 19);
  static const char* names[] = {"pear", "apple", "fig"};
  for (const char* n : names) EXPECT_GE(list.AddString(n), 0);
  EXPECT_STREQ(static_cast<const char*>(list.GetItemDataPtr(0)), "apple");
  EXPECT_STREQ(static_cast<const char*>(list.GetItemDataPtr(2)), "pear");
  std::string fig = "fig";
  EXPECT_EQ(list.FindStringExact(-1, fig.c_str()), 1);
  list.trace.clear();
  nbp::test::Pump();
  EXPECT_EQ(list.trace, (std::vector<std::string>{"draw apple", "draw fig", "draw pear"}));
  list.trace.clear();
  nbp::test::Click(list.m_hWnd, CPoint(5, 19 + 5));
  EXPECT_EQ(list.trace, (std::vector<std::string>{"selchange 1"}));
  list.trace.clear();
  EXPECT_EQ(list.DeleteString(0), 2);
  list.ResetContent();
  EXPECT_EQ(list.trace, (std::vector<std::string>{"delete apple", "delete fig", "delete pear"}));
  CString text;
  list.GetText(5, text);
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(ListBoxFrameworkTest, PlainListKeepsStrings) {
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT, CRect(10, 10, 150, 110), &main_, 6));
  list.AddString("Banana");
  list.AddString("apple");
  list.InsertString(0, "zeta");
  CString text;
  list.GetText(1, text);
  EXPECT_EQ(text, "apple");
  EXPECT_EQ(list.GetTextLen(2), 6);
  EXPECT_EQ(list.SelectString(-1, "BAN"), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  BOOL outside = FALSE;
  EXPECT_EQ(list.ItemFromPoint(CPoint(5, 1), outside), 0u);
  EXPECT_FALSE(outside);
}

namespace {

// A combo box of colors drawn by itself.
class ColorCombo : public CComboBox {
 public:
  std::vector<std::string> trace;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    trace.push_back("measure " + std::to_string(static_cast<int>(mis->itemID)));
    mis->itemHeight = 17;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    if (dis->itemState & ODS_COMBOBOXEDIT) trace.push_back("field " + std::to_string(static_cast<int>(dis->itemID)));
  }
  void OnSelEndOk() { trace.push_back("ok " + std::to_string(GetCurSel())); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColorCombo, CComboBox)
  ON_CONTROL_REFLECT(CBN_SELENDOK, OnSelEndOk)
END_MESSAGE_MAP()

}  // namespace

TEST_F(ListBoxFrameworkTest, ComboBoxMeasuresDrawsAndReflects) {
  ColorCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(10, 10, 150, 150),
                           &main_, 7));
  EXPECT_EQ(combo.trace, (std::vector<std::string>{"measure -1", "measure 0"}));
  for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0)}) combo.AddString(reinterpret_cast<LPCTSTR>(static_cast<uintptr_t>(c)));
  EXPECT_EQ(combo.GetItemData(1), RGB(0, 255, 0));
  combo.trace.clear();
  combo.SetCurSel(0);
  nbp::test::Pump();
  EXPECT_EQ(combo.trace, (std::vector<std::string>{"field 0"}));
  combo.trace.clear();
  combo.SetFocus();
  nbp::test::PressKey(VK_F4);
  EXPECT_TRUE(combo.GetDroppedState());
  nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
  nbp::test::PressKey(VK_RETURN);
  EXPECT_FALSE(combo.GetDroppedState());
  EXPECT_EQ(std::count(combo.trace.begin(), combo.trace.end(), "ok 1"), 1);
  CRect dropped;
  combo.GetDroppedControlRect(&dropped);
  EXPECT_EQ(dropped.Height(), 140);
}
