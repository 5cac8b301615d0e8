#include "pages/buttons_page.h"

#include "mfc/gdiobj.h"
#include "nbp/test_driver.h"
#include "pages/picture_maker.h"
#include "win/controls.h"

namespace {

// Which of the gallery's pictures each picture button shows: landscapes,
// flowers and portraits, flat ones first.
const size_t kPictureOf[] = {6, 10, 0, 7, 11, 1, 8};
constexpr size_t kDisabledPicture = 10;
const char* const kFolders[] = {"Inbox", "Sent", "Drafts", "Mail from the old address book, 1998 to 2004"};
const COLORREF kFolderColors[] = {RGB(40, 110, 190), RGB(40, 150, 90), RGB(210, 150, 40), RGB(150, 90, 170)};

// A 16 x 16 folder icon: a tab and a body in the color, on a transparent
// background.
HICON FolderIcon(COLORREF color) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap colorBits, maskBits;
  colorBits.CreateBitmap(16, 16, 1, 32, nullptr);
  maskBits.CreateBitmap(16, 16, 1, 1, nullptr);
  CBitmap* old = dc.SelectObject(&maskBits);
  dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));  // transparent by default
  dc.FillSolidRect(1, 2, 6, 2, RGB(0, 0, 0));
  dc.FillSolidRect(1, 4, 14, 10, RGB(0, 0, 0));
  dc.SelectObject(&colorBits);
  dc.FillSolidRect(0, 0, 16, 16, RGB(0, 0, 0));
  dc.FillSolidRect(1, 2, 6, 2, color);
  dc.FillSolidRect(1, 4, 14, 10, color);
  dc.FillSolidRect(2, 6, 12, 1, RGB(255, 255, 255));
  dc.SelectObject(old);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = static_cast<HBITMAP>(maskBits.GetSafeHandle());
  info.hbmColor = static_cast<HBITMAP>(colorBits.GetSafeHandle());
  return CreateIconIndirect(&info);
}

}  // namespace

CButtonsPage::~CButtonsPage() {
  if (m_hWnd) DestroyWindow();
  for (HICON icon : m_icons) DestroyIcon(icon);
}

void CButtonsPage::CreateControls() {
  CFont* font = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  auto make = [&](CNbBitmapButton& b, const char* text, const CRect& r, UINT id) {
    b.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, r, this, id);
    b.SetFont(font, FALSE);
  };
  std::vector<GalleryPicture>& pictures = GalleryPictures();
  AddControl(WC_STATIC, "Flat: the border shows while the mouse is over a button", SS_LEFT | SS_NOPREFIX,
             CRect(16, 12, 380, 30), 0xFFFF);
  AddControl(WC_STATIC, "3-D", SS_LEFT, CRect(16, 132, 380, 150), 0xFFFF);
  for (int i = 0; i < kFlat + kRaised; ++i) {
    bool flat = i < kFlat;
    int col = flat ? i : i - kFlat;
    CRect r(16 + col * 90, flat ? 34 : 154, 16 + col * 90 + 84, (flat ? 34 : 154) + 84);
    GalleryPicture* picture = kPictureOf[i] < pictures.size() ? &pictures[kPictureOf[i]] : nullptr;
    make(m_buttons[i], picture ? static_cast<LPCTSTR>(picture->name) : "", r, kFirstPictureId + static_cast<UINT>(i));
    if (picture) m_buttons[i].SetCxImage(&picture->image);
    m_buttons[i].SetFlat(flat, FALSE);
  }
  AddControl(WC_STATIC, "A caption, the default picture, disabled", SS_LEFT, CRect(16, 252, 380, 270), 0xFFFF);
  make(m_buttons[kFlat + kRaised], "Send the card by e-mail", CRect(16, 274, 100, 358), kCaptionId);
  m_buttons[kFlat + kRaised].SetFlat(FALSE, FALSE);
  make(m_buttons[kFlat + kRaised + 1], "", CRect(106, 274, 190, 358), kDefaultId);
  make(m_buttons[kFlat + kRaised + 2], "Unavailable", CRect(196, 274, 280, 358), kDisabledId);
  if (kDisabledPicture < pictures.size()) m_buttons[kFlat + kRaised + 2].SetCxImage(&pictures[kDisabledPicture].image);
  m_buttons[kFlat + kRaised + 2].EnableWindow(FALSE);

  // Filled before its window exists, the control starts on its first tab
  // without telling the page.
  for (size_t i = 0; i < std::size(kFolders); ++i) {
    m_icons.push_back(FolderIcon(kFolderColors[i]));
    m_folders.AddItem(kFolders[i], static_cast<long>(i), i == 2 ? nullptr : m_icons.back());
  }
  m_folders.SetActiveItem(0);
  m_folders.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | NBTCS_BOTTOM, CRect(400, 34, 760, 250), this, kFoldersId);
  AddControl(WC_STATIC, kFolders[0], SS_LEFT | SS_NOPREFIX, CRect(420, 54, 740, 72), kFolderTextId);
  // The text lies on the tab control's page area: the control goes below it
  // in the z-order, so that it leaves the text out when it paints.
  ::SetWindowPos(m_folders.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CButtonsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NB_BITMAPBUTTON_CLICKED) {
    // The button takes the focus before it tells: that is how its parent
    // knows which one was clicked.
    CString name, text;
    if (HWND focus = ::GetFocus()) CWnd::FromHandle(focus)->GetWindowText(name);
    text.Format("Clicked: %s", static_cast<LPCTSTR>(name));
    Report(text);
    return 0;
  }
  if (message == WM_TABCTRL_ACTIVATE) {
    CNbTabCtrl::CTabItem* tab = m_folders.Item(static_cast<int>(wParam));
    if (tab) {
      ::SetWindowText(::GetDlgItem(m_hWnd, kFolderTextId), tab->m_strText);
      Report("Folder: " + tab->m_strText);
    }
    return 0;
  }
  return CGalleryPage::WindowProc(message, wParam, lParam);
}

std::vector<CGalleryPage::State> CButtonsPage::States() {
  return {
      {"hover", [](CGalleryPage& page) {
         nbp::test::MoveTo(::GetDlgItem(page.m_hWnd, kFirstPictureId + 1), POINT{40, 40});
       }},
      {"pressed", [](CGalleryPage& page) {
         nbp::test::Press(::GetDlgItem(page.m_hWnd, kFirstPictureId + kFlat), POINT{40, 40});
       }},
      {"clicked", [](CGalleryPage& page) {
         nbp::test::Click(::GetDlgItem(page.m_hWnd, kFirstPictureId + 2), POINT{40, 40});
       }},
      {"folder-keys", [](CGalleryPage& page) {
         // A click on the second folder, then Right twice on the keyboard:
         // the long name's tab, shortened with "...".
         auto& self = static_cast<CButtonsPage&>(page);
         nbp::test::Click(self.m_folders.m_hWnd, self.m_folders.Item(1)->GetItemRect().CenterPoint());
         nbp::test::PressKey(VK_RIGHT, nbp::test::kNoMods, true);
         nbp::test::PressKey(VK_RIGHT, nbp::test::kNoMods, true);
       }},
  };
}
