#include "pages/address_book_page.h"

#include "cards/image_geometry.h"
#include "frame/password_dlg.h"
#include "host_password.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "pages/address_book_data.h"
#include "pages/picture_maker.h"
#include "win/controls.h"

namespace {

int Record(CNbCardView& view, int index) { return static_cast<int>(reinterpret_cast<intptr_t>(view.GetCardData(index))); }

int CALLBACK ByName(LPARAM a, LPARAM b, LPARAM) {
  return CompareByName(ContactFor(static_cast<int>(a)), ContactFor(static_cast<int>(b)));
}

int CALLBACK ByCompany(LPARAM a, LPARAM b, LPARAM) {
  return CompareByCompany(ContactFor(static_cast<int>(a)), ContactFor(static_cast<int>(b)));
}

void ClickButton(HWND page, UINT id) {
  HWND button = ::GetDlgItem(page, static_cast<int>(id));
  RECT r;
  ::GetClientRect(button, &r);
  nbp::test::Click(button, POINT{r.right / 2, r.bottom / 2});
}

// A point in a card's body, in the view's client coordinates.
POINT InCard(CNbCardView& view, int index) {
  CRect cell;
  view.GetCardCell(index, &cell);
  return POINT{cell.left + cell.Width() / 2, cell.top + cell.Height() / 2};
}

}  // namespace

void CAddressCardView::GetCardDescription(int nIndex, CCardDesc& desc) {
  Contact c = ContactFor(Record(*this, nIndex));
  desc.m_strTitle = c.Name();
  desc.m_strText = c.Body();
  desc.m_strCategory = c.Category();
  desc.m_bPrivate = c.IsPrivate();
  // A private contact shows only its name until the user's password is given.
  if (desc.m_bPrivate && !m_bPrivateShown) desc.m_strText = "Private contact.\n\nPress Enter and give your\npassword to see it.";
  desc.m_bNote = c.HasNote();
  desc.m_bPhoto = c.HasPhoto();
}

void CAddressCardView::DrawPhoto(CDC* pDC, int nIndex, RECT* pRect) {
  CRect r(pRect);
  r.DeflateRect(2, 2);
  NBDrawRectImage(pDC, ContactPortrait(Record(*this, nIndex)), &r);
}

CString CAddressCardView::NameOf(int nIndex) { return ContactFor(Record(*this, nIndex)).Name(); }

void CAddressCardView::OnCardSelected(int nIndex, BOOL bSelected) {
  if (bSelected) m_pPage->Tell("Selected: " + NameOf(nIndex));
}

void CAddressCardView::OnCardChecked(int nIndex, BOOL bChecked) {
  m_pPage->Tell((bChecked ? "Checked: " : "Unchecked: ") + NameOf(nIndex));
}

// Opening a private contact (Enter, or a double click when the view has no
// check boxes) asks for the user's password first; once given, every private
// contact shows its content.
void CAddressCardView::Open(int nIndex) {
  Contact c = ContactFor(Record(*this, nIndex));
  if (c.IsPrivate() && !m_bPrivateShown) {
    if (!NbPromptForPassword(kHostUserName, this, 0)) {
      m_pPage->Tell("Private contact stays hidden: " + NameOf(nIndex));
      return;
    }
    m_bPrivateShown = true;
    Invalidate();
  }
  m_pPage->Tell("Open: " + NameOf(nIndex));
}

void CAddressCardView::OnCardLButtonDblClk(int nIndex, CPoint) {
  if (nIndex >= 0) Open(nIndex);
}

void CAddressCardView::OnCardOnRButtonDown(int nIndex, CPoint) {
  CString text;
  text.Format("Context menu for %d selected contact(s)", GetSelectedCount());
  if (nIndex >= 0) m_pPage->Tell(text);
}

void CAddressCardView::OnCardReturnKey() {
  if (GetFocusCardIndex() >= 0 && GetFocusCardIndex() < GetCardCount()) Open(GetFocusCardIndex());
}

void CAddressBookPage::CreateControls() {
  CRect client;
  GetClientRect(&client);
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX, CRect(12, 14, 260, 32), kCountId);
  // The sort order is a choice between two menu items, which the button
  // shows and drops down.
  m_sortMenu.CreatePopupMenu();
  m_sortMenu.AppendMenu(MF_STRING, kSortNameId, "Sort by name");
  m_sortMenu.AppendMenu(MF_STRING, kSortCompanyId, "Sort by company");
  m_sort.Create(&m_sortMenu, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(270, 9, 430, 35), this, kSortId);
  m_sort.onChoice = [this](int position) { SortBy(m_sortMenu.GetMenuItemID(position)); };
  AddControl(WC_BUTTON, "&1,000,000 cards", BS_AUTOCHECKBOX | WS_TABSTOP, CRect(546, 12, 720, 32), kMillionId);
  // A column beside the view for the photo fetched from an address.
  m_view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(8, 42, client.right - 144, client.bottom - 8), this,
                  kViewId);
  m_view.SetFlags(CVF_CHECKBOXES);
  m_photoFromAddress.Create(this, kPhotoId, CRect(client.right - 138, 42, client.right - 8, 68),
                            CRect(client.right - 138, 74, client.right - 8, 234),
                            [this](const CString& text) { Report(text); });
  Fill(kContacts);
}

void CAddressBookPage::Fill(int count) {
  m_view.DeleteAllCards(FALSE);
  for (int i = 0; i < count; ++i) m_view.AddCard(reinterpret_cast<void*>(static_cast<intptr_t>(i)), FALSE);
  m_view.SortItems(ByName, 0);
  CString text;
  text.Format("%d contacts", count);
  ::SetWindowText(::GetDlgItem(m_hWnd, kCountId), text);
}

BOOL CAddressBookPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || !lParam) return CGalleryPage::OnCommand(wParam, lParam);
  switch (LOWORD(wParam)) {
    case kPhotoId:
      m_photoFromAddress.Ask(this);
      return TRUE;
    case kMillionId: {
      bool million = ::SendMessage(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
      Fill(million ? 1000000 : kContacts);
      Report(million ? "A million contacts" : "A few thousand contacts");
      return TRUE;
    }
    default:
      return CGalleryPage::OnCommand(wParam, lParam);
  }
}

void CAddressBookPage::SortBy(UINT id) {
  bool company = id == kSortCompanyId;
  m_view.SortItems(company ? ByCompany : ByName, 0);
  Report(company ? "Sorted by company" : "Sorted by name");
}

std::vector<CGalleryPage::State> CAddressBookPage::States() {
  auto view = [](CGalleryPage& page) -> CNbCardView& { return static_cast<CAddressBookPage&>(page).m_view; };
  return {
      {"selection", [view](CGalleryPage& page) {
         CNbCardView& v = view(page);
         nbp::test::Click(v.m_hWnd, InCard(v, 0));
         nbp::test::AdvanceClock(1000);
         nbp::test::KeyDown(VK_SHIFT);
         nbp::test::Click(v.m_hWnd, InCard(v, 4));
         nbp::test::KeyUp(VK_SHIFT);
         nbp::test::AdvanceClock(1000);
         nbp::test::KeyDown(VK_CONTROL);
         nbp::test::Click(v.m_hWnd, InCard(v, 1));
         nbp::test::KeyUp(VK_CONTROL);
       }},
      {"resize-drag", [view](CGalleryPage& page) {
         CNbCardView& v = view(page);
         nbp::test::Press(v.m_hWnd, POINT{218, 60});
         nbp::test::MoveTo(v.m_hWnd, POINT{236, 60});
         nbp::test::MoveTo(v.m_hWnd, POINT{258, 60});
       }},
      {"private-contact", [view](CGalleryPage& page) {
         // The first private contact on screen, opened with a password set.
         CNbCardView& v = view(page);
         int index = 0;
         while (index < v.GetCardCount() && !ContactFor(Record(v, index)).IsPrivate()) ++index;
         if (index == v.GetCardCount()) return;
         CHostPassword::Instance().Set("tulip");
         nbp::Headless()->WhenIdle([] { nbp::test::Type("tulip"); });
         nbp::Headless()->WhenIdle([] {
           CGalleryPage::SavePicture(::GetActiveWindow(), "dialog");
           nbp::test::PressKey(VK_RETURN);
         });
         // With check boxes on, a double click belongs to the check box rule:
         // Enter opens the focused contact.
         v.EnsureVisible(index);
         nbp::test::Click(v.m_hWnd, InCard(v, index));
         nbp::test::PressKey(VK_RETURN);
         CHostPassword::Instance().Clear();
       }},
      {"sort-menu", [](CGalleryPage& page) {
         // Sorted by company from the sort button's menu, then the menu
         // open again with the new order checked.
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) headless->ChooseMenuItem({"Sort by company"});
         HWND sort = ::GetDlgItem(page.m_hWnd, kSortId);
         nbp::test::Click(sort, POINT{20, 10});
         nbp::test::AdvanceClock(1000);
         nbp::test::Click(sort, POINT{20, 10});
       }},
      {"empty", [view](CGalleryPage& page) { view(page).DeleteAllCards(TRUE); }},
      {"million", [view](CGalleryPage& page) {
         ClickButton(page.m_hWnd, kMillionId);
         CNbCardView& v = view(page);
         v.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30000));
       }},
      CPhotoFromAddress::SnapshotState(kPhotoId),
  };
}
