#include "pages/contact_page.h"

#include <string>

#include "nbp/headless.h"
#include "nbp/ime.h"
#include "nbp/menu_template.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/dialogs.h"
#include "win/resources.h"

namespace {

enum : UINT { kWork = 9101, kHome, kMobile, kFax, kOther };

// The page's own resources, in a module of the resource chain as a host
// application's would be.
void AddPhoneMenu() {
  static bool added = false;
  if (added) return;
  HINSTANCE module = nbp::res::CreateModule("gallery contact resources");
  nbp::res::AddData(module, RT_MENU, MAKEINTRESOURCE(CContactPage::kPhoneMenuId),
                    nbp::PopupMenuTemplate("Phone", {{kWork, "Work"},
                                                     {kHome, "Home"},
                                                     {kMobile, "Mobile"},
                                                     {kFax, "Fax"},
                                                     {kOther, "Other"}}));
  nbp::res::AppendToChain(module);
  added = true;
}

constexpr int kNoteRow = 8;

CPoint InValue(CNbEditList& list, int row) {
  CListItemRects rects;
  list.GetItemRects(row, rects);
  return CPoint(rects.m_rcValue.left + 12, rects.m_rcValue.top + 6);
}

CPoint InLabel(CNbEditList& list, int row) {
  CListItemRects rects;
  list.GetItemRects(row, rects);
  return rects.m_rcLabel.CenterPoint();
}

}  // namespace

void CContactList::OnItemSelected(int nIndex, int bSelect) {
  if (!bSelect) return;
  CString label, text;
  GetItemLabel(nIndex, label);
  text.Format("Editing row %d: %s", nIndex + 1, static_cast<LPCTSTR>(label));
  m_pPage->Tell(text);
}

void CContactPage::CreateControls() {
  AddPhoneMenu();
  CRect client;
  GetClientRect(&client);
  AddControl(WC_STATIC, "Ann Lindqvist: click a value to edit it, a phone label to change it", SS_LEFT | SS_NOPREFIX,
             CRect(16, 12, 560, 30), 0xFFFF);
  m_list.CreateEx(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE, CRect(16, 36, 496, client.bottom - 12), this, kListId);
  m_list.SetLabelWidth(130, FALSE);
  AddControl(WC_BUTTON, "&100,000 rows", BS_AUTOCHECKBOX | WS_TABSTOP, CRect(512, 36, 700, 56), kManyId);
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX, CRect(512, 62, 760, 80), kCountId);
  AddControl(WC_EDIT, "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(512, 90, 700, 112), 0xFFFF);
  Fill(false);
}

void CContactPage::Fill(bool many) {
  m_list.DeleteAllItems(FALSE);
  m_list.AddItem("Name", "Ann Lindqvist", 0, FALSE);
  m_list.AddItem("Company", "Northwind Traders", 0, FALSE);
  m_list.AddItem(kPhoneMenuId, 0, nullptr, "+44 20 7946 0321", 0, FALSE);
  m_list.AddItem(kPhoneMenuId, 2, nullptr, "+44 7700 900415", 0, FALSE);
  m_list.AddItem(kPhoneMenuId, 3, nullptr, "+44 20 7946 0399", 0, FALSE);
  m_list.AddItem("E-mail", "ann.lindqvist@northwind.example", 0, FALSE);
  int address = m_list.AddItem("Address", "Unit 4, Meadow Court\r\n17 Wharf Road\r\nBristol BS1 6QA", 0, FALSE);
  m_list.SetItemAcceptEnter(address, TRUE);
  m_list.AddItem("Birthday", "14 May 1982", 0, FALSE);
  int note = m_list.AddItem("Note",
                            "Prefers calls after ten. Met at the Bristol trade fair; interested in the spring "
                            "catalogue and a visit to the warehouse in Leeds.",
                            NB_EDITLIST_TYPE_LEFTLABEL, FALSE);
  m_list.SetItemMaxChar(note, 1000);
  m_list.SetItemAcceptEnter(note, TRUE);
  if (many) {
    char label[32], value[48];
    for (int i = 0; i < kManyRows; ++i) {
      snprintf(label, sizeof label, "Field %d", i + 1);
      if (i % 9 == 4) snprintf(value, sizeof value, "Line one of %d\r\nline two", i + 1);
      else snprintf(value, sizeof value, "Value %d", i + 1);
      m_list.AddItem(label, value, 0, FALSE);
    }
  }
  m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  CString count;
  count.Format("%d rows", m_list.GetItemCount());
  ::SetWindowText(::GetDlgItem(m_hWnd, kCountId), count);
}

BOOL CContactPage::PreTranslateMessage(MSG* pMsg) {
  // Tab moves among the page's controls, as in a dialog; the list takes it
  // first while a row is edited.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessage(m_hWnd, pMsg);
  return CGalleryPage::PreTranslateMessage(pMsg);
}

BOOL CContactPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && lParam && LOWORD(wParam) == kManyId) {
    bool on = ::SendMessage(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Fill(on);
    Report(on ? "100,000 rows after the form" : "The form alone");
    return TRUE;
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

LRESULT CContactPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NEXTDLGCTL) {
    // The page navigates as a dialog does: to the control named, or the next tab stop.
    HWND target = lParam ? reinterpret_cast<HWND>(wParam) : ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), wParam != 0);
    if (target) ::SetFocus(target);
    return 0;
  }
  if (message == WM_EDITLIST_LABELCHANGED) {
    int row = NbEditListLabelRow(lParam);
    CString label, text;
    m_list.GetItemLabel(row, label);
    text.Format("WM_EDITLIST_LABELCHANGED: row %d is now %s", row + 1, static_cast<LPCTSTR>(label));
    Report(text);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    // Enter in a row that takes no line breaks: the host saves the record.
    int row = m_list.m_nEditItem;
    CString value, text;
    m_list.GetItemValue(row, value);
    text.Format("Saved row %d: %s", row + 1, static_cast<LPCTSTR>(value));
    Report(text);
    return 0;
  }
  return CGalleryPage::WindowProc(message, wParam, lParam);
}

std::vector<CGalleryPage::State> CContactPage::States() {
  auto list = [](CGalleryPage& page) -> CNbEditList& { return static_cast<CContactPage&>(page).m_list; };
  return {
      {"editing", [list](CGalleryPage& page) {
         CNbEditList& l = list(page);
         nbp::test::Click(l.m_hWnd, InValue(l, 1));
         nbp::test::PressKey(VK_END);
         nbp::test::Type(" Ltd");
       }},
      {"composing", [list](CGalleryPage& page) {
         // An input method's text (Vietnamese, say), underlined until it is committed.
         CNbEditList& l = list(page);
         nbp::test::Click(l.m_hWnd, InValue(l, 1));
         nbp::test::PressKey(VK_END);
         nbp::test::Type(", ");
         nbp::ime::Commit("Công ty");
         nbp::test::Type(" ");
         nbp::ime::Compose("Thươngj");
         nbp::ime::Compose("Thượng");
         nbp::test::Pump();
       }},
      {"label-menu", [list](CGalleryPage& page) {
         CNbEditList& l = list(page);
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) headless->PressMenuKeys({VK_DOWN, VK_DOWN});
         nbp::test::Click(l.m_hWnd, InLabel(l, 3));
       }},
      {"growing", [list](CGalleryPage& page) {
         CNbEditList& l = list(page);
         nbp::test::Click(l.m_hWnd, InValue(l, kNoteRow));
         nbp::test::PressKey(VK_END, nbp::test::kCtrl);
         nbp::test::Type(" Send the price list and the new terms before the end of the month, by post.");
       }},
      {"100000-rows", [list](CGalleryPage& page) {
         HWND box = ::GetDlgItem(page.m_hWnd, kManyId);
         nbp::test::Click(box, POINT{8, 10});
         CNbEditList& l = list(page);
         l.EnsureVisible(l.GetItemCount() - 1);
         nbp::test::Click(l.m_hWnd, InValue(l, l.GetItemCount() - 3));
         nbp::test::PressKey(VK_END);
         nbp::test::Type(" (checked)");
       }},
  };
}
