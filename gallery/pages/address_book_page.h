// The address book: every contact as a card with check boxes, sorting by
// name or company, and a switch to a million contacts, which the card view
// shows as quickly as a few thousand.
#pragma once

#include "cards/card_view.h"
#include "gallery_page.h"
#include "mfc/menu.h"
#include "pages/choice_button.h"
#include "pages/photo_from_address.h"

class CAddressBookPage;

// The host's card view: describes each card from its contact and draws the
// contact's portrait, one of the gallery's drawn pictures.
class CAddressCardView : public CNbCardView {
 public:
  explicit CAddressCardView(CAddressBookPage* page) : m_pPage(page) {}
  void GetCardDescription(int nIndex, CCardDesc& desc) override;
  void DrawPhoto(CDC* pDC, int nIndex, RECT* pRect) override;
  void OnCardSelected(int nIndex, BOOL bSelected) override;
  void OnCardChecked(int nIndex, BOOL bChecked) override;
  void OnCardLButtonDblClk(int nIndex, CPoint pt) override;
  void OnCardOnRButtonDown(int nIndex, CPoint pt) override;
  void OnCardReturnKey() override;

 private:
  CString NameOf(int nIndex);
  void Open(int nIndex);
  CAddressBookPage* m_pPage;
  bool m_bPrivateShown = false;
};

class CAddressBookPage : public CGalleryPage {
 public:
  enum : UINT { kViewId = 7001, kSortNameId = 7002, kSortCompanyId = 7003, kMillionId = 7004, kCountId = 7005, kPhotoId = 7006,
                kSortId = 7007 };
  static constexpr int kContacts = 3000;

  const char* Title() const override { return "Address book"; }
  std::vector<State> States() override;
  // The contacts shown: kContacts, or a million.
  void Fill(int count);
  void Tell(const CString& text) { Report(text); }
  CAddressCardView m_view{this};
  CPhotoFromAddress m_photoFromAddress;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void SortBy(UINT id);

  CMenu m_sortMenu;
  CChoiceButton m_sort;
};
