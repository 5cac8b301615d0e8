#include "pages/private_page.h"

#include "frame/password_dlg.h"
#include "host_password.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "pages/set_password_dlg.h"
#include "win/controls.h"

namespace {

constexpr const char* kUser = kHostUserName;

struct Record {
  const char* text;
  bool isPrivate;
};
constexpr Record kRecords[] = {
    {"Berg, Carl \u2013 Carl Berg Joinery \u2013 +46 31 711 20 45", false},
    {"Dahl, Maria \u2013 family doctor \u2013 +46 31 802 11 00", true},
    {"Eklund, Sara \u2013 Saga Design AB \u2013 +46 8 555 012 34", false},
    {"Holm, Jonas \u2013 lawyer \u2013 +46 8 410 220 19", true},
    {"Nilsson, Eva \u2013 Nilsson Bakery \u2013 +46 40 611 93 00", false},
};

CString RecordsText(bool privateShown) {
  CString text;
  for (const Record& r : kRecords) {
    if (!text.IsEmpty()) text += "\n";
    text += r.isPrivate && !privateShown ? CString("(private record)") : CString(r.text);
  }
  return text;
}

void PictureOfActiveDialog() { CGalleryPage::SavePicture(::GetActiveWindow(), "dialog"); }

void ClickButton(HWND page, UINT id) {
  HWND button = ::GetDlgItem(page, static_cast<int>(id));
  RECT r;
  ::GetClientRect(button, &r);
  nbp::test::Click(button, POINT{r.right / 2, r.bottom / 2});
}

}  // namespace

void CPrivatePage::CreateControls() {
  AddControl(WC_STATIC, "Records marked private stay hidden until the user's password is entered.",
             SS_LEFT | SS_NOPREFIX, CRect(16, 14, 700, 32), 0xFFFF);
  AddControl(WC_STATIC, "User:", SS_LEFT, CRect(16, 44, 80, 62), 0xFFFF);
  AddControl(WC_STATIC, kUser, SS_LEFT | SS_NOPREFIX, CRect(84, 44, 400, 62), 0xFFFF);
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX, CRect(84, 66, 400, 84), kStateId);
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX | WS_BORDER, CRect(16, 96, 520, 200), kRecordsId);
  AddControl(WC_BUTTON, "Set &password...", BS_PUSHBUTTON | WS_TABSTOP, CRect(540, 96, 740, 122), kSetPasswordId);
  AddControl(WC_BUTTON, "&Show private records...", BS_PUSHBUTTON | WS_TABSTOP, CRect(540, 130, 740, 156), kShowId);
  AddControl(WC_BUTTON, "&Edit a private record...", BS_PUSHBUTTON | WS_TABSTOP, CRect(540, 164, 740, 190), kEditId);
  AddControl(WC_BUTTON, "&Hide private records...", BS_PUSHBUTTON | WS_TABSTOP, CRect(540, 198, 740, 224), kHideId);
  ShowRecords(false);
  ShowPasswordState();
}

void CPrivatePage::ShowRecords(bool privateShown) {
  m_bPrivateShown = privateShown;
  ::SetWindowText(::GetDlgItem(m_hWnd, kRecordsId), RecordsText(privateShown));
}

void CPrivatePage::ShowPasswordState() {
  ::SetWindowText(::GetDlgItem(m_hWnd, kStateId),
                  CHostPassword::Instance().IsSet() ? "A password is set." : "No password is set.");
}

void CPrivatePage::SetPassword() {
  CSetPasswordDlg dlg(this);
  if (dlg.DoModal() != IDOK) {
    Report("Password unchanged");
    return;
  }
  ShowPasswordState();
  Report(CHostPassword::Instance().IsSet() ? "Password set (the host keeps its MD5 digest)" : "Password removed");
}

BOOL CPrivatePage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || !lParam) return CGalleryPage::OnCommand(wParam, lParam);
  switch (LOWORD(wParam)) {
    case kSetPasswordId:
      SetPassword();
      return TRUE;
    case kShowId:
    case kEditId: {
      int granted = NbPromptForPassword(kUser, this, LOWORD(wParam) == kEditId);
      Report(granted ? "NbPromptForPassword: access granted" : "NbPromptForPassword: access refused");
      if (granted) ShowRecords(true);
      return TRUE;
    }
    case kHideId: {
      if (!m_bPrivateShown) {
        Report("Private records are hidden already");
        return TRUE;
      }
      int granted = NbPromptForPasswordWhileMasking(kUser, this);
      Report(granted ? "NbPromptForPasswordWhileMasking: records hidden" : "NbPromptForPasswordWhileMasking: refused");
      if (granted) ShowRecords(false);
      return TRUE;
    }
    default:
      return CGalleryPage::OnCommand(wParam, lParam);
  }
}

std::vector<CGalleryPage::State> CPrivatePage::States() {
  return {
      {"password-prompt", [](CGalleryPage& page) {
         CHostPassword::Instance().Set("tulip");
         static_cast<CPrivatePage&>(page).ShowPasswordState();
         nbp::Headless()->WhenIdle([] { nbp::test::Type("tulip"); });
         nbp::Headless()->WhenIdle([] {
           PictureOfActiveDialog();
           nbp::test::PressKey(VK_RETURN);
         });
         ClickButton(page.m_hWnd, kShowId);
         // Later pictures start without a password again.
         CHostPassword::Instance().Clear();
       }},
      {"set-password", [](CGalleryPage& page) {
         nbp::Headless()->WhenIdle([] { nbp::test::Type("tulip"); });
         nbp::Headless()->WhenIdle([] {
           PictureOfActiveDialog();
           nbp::test::PressKey(VK_ESCAPE);
         });
         ClickButton(page.m_hWnd, kSetPasswordId);
       }},
  };
}
