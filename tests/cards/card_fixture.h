// A card view hosted in a top-level window of the headless desktop, whose
// derived class records every callback the view makes, in order.
#pragma once

#include <gtest/gtest.h>

#include "library_test_env.h"

#include <functional>
#include <string>
#include <vector>

#include "cards/card_view.h"
#include "mfc/app.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"

class CRecordingCardView : public CNbCardView {
 public:
  std::vector<std::string> events;
  int descriptions = 0;  // GetCardDescription calls
  // The description of a card; by default a plain card titled by its index.
  std::function<void(int, CCardDesc&)> describe = [](int i, CCardDesc& d) {
    d.m_strTitle.Format("Card %d", i);
    d.m_strText = "Line\n";
  };

  void GetCardDescription(int nIndex, CCardDesc& desc) override {
    ++descriptions;
    describe(nIndex, desc);
  }
  void OnCardLButtonDblClk(int nIndex, CPoint pt) override { Record("dblclk", nIndex, pt.x); }
  void OnCardOnRButtonDown(int nIndex, CPoint pt) override { Record("rdown", nIndex, pt.x); }
  void OnCardSelected(int nIndex, BOOL bSelected) override { Record("sel", nIndex, bSelected); }
  void OnCardChecked(int nIndex, BOOL bChecked) override { Record("check", nIndex, bChecked); }
  void OnCardReturnKey() override { events.push_back("return"); }

  using CNbCardView::EnsureVisible;
  using CNbCardView::GetCardRects;
  using CNbCardView::PtToCardIndex;

 private:
  void Record(const char* what, int index, int value) {
    events.push_back(std::string(what) + " " + std::to_string(index) + " " + std::to_string(value));
  }
};

class CardViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbtest::QuietLibraryEnvironment();
    ASSERT_TRUE(host_.CreateEx(0, nullptr, "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr));
    app_.m_pMainWnd = &host_;
  }
  void TearDown() override {
    view_.DestroyWindow();
    host_.DestroyWindow();
    nbp::test::Pump();
    nbp::clock::Unpin();
  }

  // A view of width x height (window size, border and scroll bar included),
  // holding `cards` cards whose item data are 1, 2, 3, ...
  void MakeView(int width, int height, int cards, int flags = 0) {
    ASSERT_TRUE(view_.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &host_, 100));
    view_.SetFlags(flags);
    for (int i = 0; i < cards; ++i) view_.AddCard(reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)), FALSE);
    nbp::test::Pump();
    view_.events.clear();
  }

  HWND Hwnd() { return view_.m_hWnd; }
  // The centre of a card's body, in client coordinates.
  CPoint Centre(int index) {
    CRect cell;
    view_.GetCardCell(index, &cell);
    return CPoint(cell.left + cell.Width() / 2, cell.top + cell.Height() / 2);
  }
  std::vector<int> Selected() {
    std::vector<int> out;
    for (int i = 0; i < view_.GetCardCount(); ++i) {
      if (view_.IsCardSelected(i)) out.push_back(i);
    }
    return out;
  }
  int Pos() { return view_.GetScrollPos(SB_VERT); }

  CWinApp app_{"Card test"};
  CWnd host_;
  CRecordingCardView view_;
};
