#include "pages/categories_page.h"

#include <cstring>

#include "NbThemes/nbthemes.h"
#include "categories/cat_mgmt_dlg.h"
#include "categories/color_cat_menu.h"
#include "categories/color_cat_mgmt_dlg.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace {

constexpr int kAddressViewId = 30028;  // the address conduit's subscriptions apply

void ClickControl(HWND page, UINT id) {
  HWND control = ::GetDlgItem(page, static_cast<int>(id));
  RECT r;
  ::GetClientRect(control, &r);
  nbp::test::Click(control, POINT{r.right / 2, r.bottom / 2});
}

// Clicks the item of the category list (control 140) named `name`.
void ClickCategory(HWND dialog, const char* name) {
  HWND list = ::GetDlgItem(dialog, 140);
  int count = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (strcmp(reinterpret_cast<const char*>(::SendMessage(list, LB_GETITEMDATA, i, 0)), name) != 0) continue;
    RECT r{};
    ::SendMessage(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    nbp::test::Click(list, POINT{r.left + 10, (r.top + r.bottom) / 2});
  }
}

// A state that opens a dialog: its picture is taken once it shows, then
// Escape closes it.
void PictureAndClose() {
  if (nbp::HeadlessDesktop* headless = nbp::Headless()) {
    headless->WhenIdle([] {
      CGalleryPage::SavePicture(::GetActiveWindow(), "dialog");
      nbp::test::PressKey(VK_ESCAPE);
    });
  }
}

}  // namespace

CCategoriesPage::CCategoriesPage() = default;

CCategoriesPage::~CCategoriesPage() = default;

void CCategoriesPage::CreateControls() {
  m_address = OpenSampleAddressBook();
  m_calendar = OpenSampleCalendar();
  auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));

  AddControl(WC_STATIC, "Address book", SS_LEFT, CRect(16, 14, 236, 32), 0xFFFF);
  m_combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                 CRect(16, 36, 236, 236), this, kComboId);
  m_combo.SendMessage(WM_SETFONT, font, FALSE);
  m_combo.SetItemHeight(-1, 16);
  m_combo.SetItemHeight(0, 16);
  m_combo.SetCategoryMgr(m_address->IsOpen() ? &m_address->store : nullptr);
  AddControl(WC_LISTBOX, "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(16, 66, 236, 236), kContactsId);
  AddControl(WC_BUTTON, "&Categories...", BS_PUSHBUTTON | WS_TABSTOP, CRect(250, 36, 420, 62), kEditAddressId);

  AddControl(WC_STATIC, "Calendar event categories", SS_LEFT, CRect(460, 14, 700, 32), 0xFFFF);
  m_events.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LBS_NOTIFY, CRect(460, 36, 640, 196), this,
                  kEventListId);
  m_events.SetItemHeight(0, 18);
  AddControl(WC_BUTTON, "&Event categories...", BS_PUSHBUTTON | WS_TABSTOP, CRect(460, 206, 640, 232), kEditEventsId);
  // Its menu comes with FillEventMenu below, once the chosen category is known.
  m_eventButton.Create(static_cast<CMenu*>(nullptr), 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(460, 242, 640, 268),
                       this, kEventMenuId);
  m_eventButton.SendMessage(WM_SETFONT, font, FALSE);
  m_eventButton.onChoice = [this](int chosen) {
    m_nEventCategory = static_cast<int>(m_eventMenu->GetMenuItemID(chosen)) - NB_CATEGORY_MENU_FIRST_ID;
    FillEventMenu();
    ShowEventCategory();
    Report("Event category chosen from the colored menu");
  };
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX, CRect(460, 276, 760, 294), kEventChosenId);

  if (!m_address->IsOpen()) Report("The address book could not be opened: " + m_address->error);
  if (!m_calendar->IsOpen()) Report("The calendar could not be opened: " + m_calendar->error);
  FillAddressCombo(NB_CATEGORY_ITEM_ALL);
  FillEventList();
  ShowEventCategory();
  FillEventMenu();
}

void CCategoriesPage::FillAddressCombo(int nSelect) {
  m_combo.FillList(TRUE, m_address->IsOpen(), nSelect);
  ShowContacts(m_combo.GetSelectedCategory());
}

// The contacts of a category (all of them for "All"), as the host's view
// would list them.
void CCategoriesPage::ShowContacts(int nCategory) {
  HWND list = ::GetDlgItem(m_hWnd, kContactsId);
  ::SendMessage(list, LB_RESETCONTENT, 0, 0);
  if (!m_address->IsOpen()) return;
  CNbBaseIterator it(m_address->table);
  CNbBaseRecord record(m_address->table, 0);
  for (long end = it.FindFirst(record, 0); !end; end = it.FindNext(record, 0)) {
    int category = -1;
    record.GetCategoryId(category);
    if (nCategory == NB_CATEGORY_ITEM_ALL || category == nCategory)
      ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(record.GetBody())));
  }
}

void CCategoriesPage::FillEventList() {
  m_events.ResetContent();
  if (!m_calendar->IsOpen()) return;
  CCategory* cat = nullptr;
  for (m_calendar->store.FindFirst(cat); cat; m_calendar->store.FindNext(cat))
    if (cat->GetIndex() > 0) m_events.AddItem(cat->GetName(), NbThemeGetCategorySlot(cat->GetIndex()));
}

void CCategoriesPage::EditAddressCategories() {
  if (!m_address->IsOpen()) return;
  int before = m_combo.GetSelectedCategory();
  CNbUICatMgmtDlg dlg(&m_address->store, &m_address->table, "Address", nullptr);
  dlg.SetCurrentUserName(GALLERY_HANDHELD_USER);
  dlg.SetCurrentViewID(kAddressViewId);
  dlg.DoModal();
  int chosen = dlg.GetSelectedCatID();
  FillAddressCombo(chosen != 0xFFFF ? chosen : before);
  CString text;
  text.Format("Address categories: %d, %lld contacts", m_address->store.GetCount(),
              static_cast<long long>(m_address->table.GetRecordCount(FALSE)));
  Report(text);
}

void CCategoriesPage::EditEventCategories() {
  if (!m_calendar->IsOpen()) return;
  CNbUIColorCatMgmtDlg dlg(&m_calendar->store, &m_calendar->table, "Event", nullptr);
  dlg.DoModal();
  FillEventList();
  m_combo.Invalidate();
  ShowEventCategory();
  FillEventMenu();
  Report(dlg.m_bColorChanged ? "Event colors changed" : "Event categories closed");
}

void CCategoriesPage::FillEventMenu() {
  auto menu = std::make_unique<CNbColorCatMenu>();
  menu->CreatePopupMenu();
  int position = 0, count = 0;
  CString name = "Unfiled";
  CCategory* cat = nullptr;
  if (m_calendar->IsOpen()) m_calendar->store.FindFirst(cat);
  for (; cat; m_calendar->store.FindNext(cat)) {
    // The colored menu draws the check it was made with, so it is made
    // again after every choice.
    bool current = cat->GetIndex() == m_nEventCategory;
    if (current) {
      position = count;
      name = cat->GetName();
    }
    menu->AppendMenu(MF_STRING | (current ? MF_CHECKED : 0), NB_CATEGORY_MENU_FIRST_ID + cat->GetIndex(),
                     cat->GetName());
    ++count;
  }
  menu->ChangeToOwnerDraw(menu.get());
  // The button keeps a pointer to the menu: hand it the new one before the
  // old one goes.
  m_eventButton.SetButtonMenu(menu.get(), position);
  m_eventMenu = std::move(menu);
  // Owner-drawn items keep their names in their records, not in the menu,
  // so the button shows the name it is given here.
  m_eventButton.SetWindowText(name);
}

void CCategoriesPage::ShowEventCategory() {
  CString text = "New events go to: ";
  CCategory* cat = nullptr;
  if (m_calendar->IsOpen() && m_calendar->store.FindIndex(m_nEventCategory, cat) == CAT_OK && cat) {
    text += cat->GetName();
  } else {
    m_nEventCategory = 0;
    text += "Unfiled";
  }
  ::SetWindowText(::GetDlgItem(m_hWnd, kEventChosenId), text);
}

BOOL CCategoriesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kComboId && code == CBN_SELENDOK) {
    int category = m_combo.GetSelectedCategory();
    if (category == NB_CATEGORY_ITEM_EDIT) EditAddressCategories();
    else ShowContacts(category);
    return TRUE;
  }
  if (code == BN_CLICKED && lParam) {
    if (id == kEditAddressId) EditAddressCategories();
    else if (id == kEditEventsId) EditEventCategories();
    else return CGalleryPage::OnCommand(wParam, lParam);
    return TRUE;
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

std::vector<CGalleryPage::State> CCategoriesPage::States() {
  return {
      {"combo-dropped", [](CGalleryPage& page) {
         HWND combo = ::GetDlgItem(page.m_hWnd, kComboId);
         nbp::test::Click(combo, POINT{30, 8});
       }},
      {"clubs-chosen", [](CGalleryPage& page) {
         HWND combo = ::GetDlgItem(page.m_hWnd, kComboId);
         nbp::test::Click(combo, POINT{30, 8});
         for (int i = 0; i < 5; ++i) nbp::test::PressKey(VK_DOWN);
         nbp::test::PressKey(VK_RETURN);
       }},
      {"event-menu", [](CGalleryPage& page) { ClickControl(page.m_hWnd, kEventMenuId); }},
      {"categories-dialog", [](CGalleryPage& page) {
         PictureAndClose();
         ClickControl(page.m_hWnd, kEditAddressId);
       }},
      {"delete-subscribed", [](CGalleryPage& page) {
         // Deleting "Clubs", whose records come from a subscription: the
         // delete dialog shows the subscription note. Cancelled twice.
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) {
           headless->WhenIdle([] { ClickCategory(::GetActiveWindow(), "Clubs"); });
           headless->WhenIdle([] { nbp::test::Click(::GetDlgItem(::GetActiveWindow(), 148), POINT{20, 8}); });
           PictureAndClose();
           headless->WhenIdle([] { nbp::test::PressKey(VK_ESCAPE); });
         }
         ClickControl(page.m_hWnd, kEditAddressId);
       }},
      {"event-categories-dialog", [](CGalleryPage& page) {
         PictureAndClose();
         ClickControl(page.m_hWnd, kEditEventsId);
       }},
  };
}
