// A contact's details in the edit list: name, company, phones whose labels
// come from a menu resource, e-mail, a multi-line address, birthday and a
// long note, edited in place; a switch adds 100,000 rows, which the list
// scrolls, hit-tests and edits as quickly as the form alone.
#pragma once

#include "editlist/edit_list.h"
#include "gallery_page.h"

class CContactPage;

class CContactList : public CNbEditList {
 public:
  explicit CContactList(CContactPage* page) : m_pPage(page) {}
  void OnItemSelected(int nIndex, int bSelect) override;

 private:
  CContactPage* m_pPage;
};

class CContactPage : public CGalleryPage {
 public:
  enum : UINT { kListId = 9001, kManyId = 9002, kCountId = 9003 };
  // The menu resource of phone labels: Work, Home, Mobile, Fax, Other.
  static constexpr int kPhoneMenuId = 9100;
  static constexpr int kManyRows = 100000;

  const char* Title() const override { return "Contact"; }
  std::vector<State> States() override;
  void Tell(const CString& text) { Report(text); }
  // The form's rows, and with `many` the 100,000 extra ones after them.
  void Fill(bool many);

  CContactList m_list{this};

 protected:
  void CreateControls() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
