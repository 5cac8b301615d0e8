// The gallery's main window: page tabs on top, the current page, and the
// status line with what the controls send.
#pragma once

#include <memory>
#include <vector>

#include "gallery_page.h"
#include "page_tabs.h"
#include "status_line.h"

class CGalleryWindow : public CWnd {
 public:
  static constexpr int kWidth = 780;
  static constexpr int kHeight = 540;

  BOOL CreateGallery();
  int PageCount() const { return static_cast<int>(m_pages.size()); }
  CGalleryPage* Page(int index) const;
  void ShowPage(int index);
  int CurrentPage() { return m_tabs.GetCurSel(); }
  CPageTabs& Tabs() { return m_tabs; }
  CStatusLine& Status() { return m_status; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDestroy();
  LRESULT OnTabActivate(WPARAM wParam, LPARAM lParam);

  CPageTabs m_tabs;
  CStatusLine m_status;
  std::vector<std::unique_ptr<CGalleryPage>> m_pages;
  DECLARE_MESSAGE_MAP()
};
