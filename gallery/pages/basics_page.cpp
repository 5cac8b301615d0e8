#include "pages/basics_page.h"

#include "mfc/app.h"
#include "mfc/menu.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "gallery_window.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace {

const Attendee kAttendees[] = {
    {"Rosa Lindqvist", RGB(46, 160, 67)},  {"amir Haddad", RGB(219, 171, 9)}, {"Chen Wei", RGB(46, 160, 67)},
    {"Beatrix Okafor", RGB(207, 34, 46)}, {"Daniel Moreau", RGB(140, 140, 140)}, {"Ines Carvalho", RGB(46, 160, 67)},
    {"Jonas Berg", RGB(219, 171, 9)},     {"Keiko Tanaka", RGB(207, 34, 46)},
};

struct Category {
  const char* name;
  COLORREF color;
};
const Category kCategories[] = {{"Business", RGB(0, 120, 215)}, {"Personal", RGB(16, 137, 62)},
                                {"Holiday", RGB(255, 140, 0)},   {"Birthday", RGB(194, 57, 179)},
                                {"Important", RGB(232, 17, 35)}, {"Travel", RGB(0, 153, 188)}};

const char* ShowAsName(UINT id) {
  switch (id) {
    case CBasicsPage::kMenuFree: return "Free";
    case CBasicsPage::kMenuTentative: return "Tentative";
    case CBasicsPage::kMenuAway: return "Out of office";
    default: return "Busy";
  }
}

// Where the menu button's menu opens: inside the button, at its top left.
constexpr POINT kInButton{20, 10};

const char* ReminderName(UINT id) {
  switch (id) {
    case CBasicsPage::kRemind5: return "5 minutes before";
    case CBasicsPage::kRemindHour: return "1 hour before";
    case CBasicsPage::kRemindDay: return "1 day before";
    default: return "15 minutes before";
  }
}

}  // namespace

void CBasicsPage::CreateControls() {
  AddControl(WC_STATIC, "Thursday, 10 December", SS_LEFT | SS_NOPREFIX, CRect(16, 14, 300, 32), 0xFFFF);
  m_agenda.CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP,
                    CRect(16, 36, 356, 440), this, kAgendaId);
  AddControl(WC_BUTTON, "View", BS_GROUPBOX, CRect(376, 30, 600, 150), 0xFFFF);
  AddControl(WC_BUTTON, "&Day", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, CRect(392, 54, 580, 74), kDayId);
  AddControl(WC_BUTTON, "&Week", BS_AUTORADIOBUTTON, CRect(392, 78, 580, 98), kWeekId);
  AddControl(WC_BUTTON, "&Month", BS_AUTORADIOBUTTON, CRect(392, 102, 580, 122), kMonthId);
  ::SendMessage(::GetDlgItem(m_hWnd, kWeekId), BM_SETCHECK, BST_CHECKED, 0);
  AddControl(WC_BUTTON, "Show week &numbers", BS_AUTOCHECKBOX | WS_TABSTOP, CRect(376, 164, 600, 184),
              kWeekNumbersId);
  AddControl(WC_BUTTON, "&New appointment...", BS_DEFPUSHBUTTON | WS_TABSTOP, CRect(376, 200, 540, 226), kNewId);
  AddControl(WC_STATIC, "Show &as", SS_LEFT, CRect(376, 241, 440, 259), 0xFFFF);
  // The menu the button stands for: how the appointment shows to others,
  // and a submenu of reminders whose choices come to the page as commands.
  m_showAsMenu.CreatePopupMenu();
  for (UINT id : {kMenuBusy, kMenuFree, kMenuTentative}) m_showAsMenu.AppendMenu(MF_STRING, id, ShowAsName(id));
  m_showAsMenu.AppendMenu(MF_SEPARATOR);
  m_showAsMenu.AppendMenu(MF_STRING, kMenuAway, ShowAsName(kMenuAway));
  m_showAsMenu.AppendMenu(MF_SEPARATOR);
  CMenu reminders;
  reminders.CreatePopupMenu();
  for (UINT id : {kRemind5, kRemind15, kRemindHour, kRemindDay}) reminders.AppendMenu(MF_STRING, id, ReminderName(id));
  ::CheckMenuRadioItem(reminders.m_hMenu, kRemind5, kRemindDay, m_nReminder, MF_BYCOMMAND);
  // The menu owns the submenu from here on and destroys it with itself.
  m_showAsMenu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(reminders.Detach()), "&Reminder");
  m_showAs.Create(&m_showAsMenu, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(440, 236, 600, 262), this, kShowAsId);
  m_showAs.onChoice = [this](int position) { OnShowAs(position); };
  AddControl(WC_STATIC, "A&ttendees", SS_LEFT, CRect(376, 276, 600, 292), 0xFFFF);
  m_attendees.CreateEx(WS_EX_CLIENTEDGE, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(376, 294, 600, 384),
                       this, kAttendeesId);
  for (const Attendee& a : kAttendees) m_attendees.AddString(reinterpret_cast<LPCTSTR>(&a));
  AddControl(WC_STATIC, "&Category", SS_LEFT, CRect(376, 394, 600, 410), 0xFFFF);
  m_category.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(376, 412, 600, 560), this, kCategoryId);
  for (const Category& c : kCategories) m_category.AddColor(c.name, c.color);
  m_category.SetCurSel(0);
}

void CBasicsPage::OnListNotify(UINT id, UINT code) {
  CString text;
  if (id == kAttendeesId && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    const Attendee* who = m_attendees.AttendeeAt(m_attendees.GetCurSel());
    text.Format("%s: %s", code == LBN_DBLCLK ? "Open attendee" : "Attendee", who ? who->name : "");
  } else if (id == kCategoryId && code == CBN_SELENDOK) {
    CString name;
    m_category.GetLBText(m_category.GetCurSel(), name);
    text.Format("Category: %s", static_cast<LPCTSTR>(name));
  }
  if (!text.IsEmpty()) Report(text);
}

BOOL CBasicsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (!lParam && id >= kRemind5 && id <= kRemindDay) {
    OnReminder(id);
    return TRUE;
  }
  if (lParam && (id == kAttendeesId || id == kCategoryId)) {
    OnListNotify(id, code);
    return TRUE;
  }
  if (lParam && code == BN_CLICKED) {
    CString text;
    switch (id) {
      case kNewId:
        Report("BN_CLICKED from New appointment");
        if (AfxMessageBox("Create a new appointment at 09:00?", MB_YESNO) == IDYES) Report("New appointment at 09:00");
        return TRUE;
      case kWeekNumbersId:
        text.Format("Week numbers %s", ::SendMessage(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) ? "on" : "off");
        Report(text);
        return TRUE;
      case kDayId:
      case kWeekId:
      case kMonthId:
        text.Format("View: %s", id == kDayId ? "day" : id == kWeekId ? "week" : "month");
        Report(text);
        return TRUE;
      default:
        break;
    }
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

void CBasicsPage::OnShowAs(int position) {
  CString name, text;
  m_showAsMenu.GetMenuString(static_cast<UINT>(position), name, MF_BYPOSITION);
  text.Format("Shown as %s", static_cast<LPCTSTR>(name));
  Report(text);
}

void CBasicsPage::OnReminder(UINT id) {
  m_nReminder = id;
  CMenu* reminders = m_showAsMenu.GetSubMenu(static_cast<int>(m_showAsMenu.GetMenuItemCount()) - 1);
  if (reminders) ::CheckMenuRadioItem(reminders->m_hMenu, kRemind5, kRemindDay, id, MF_BYCOMMAND);
  CString text;
  text.Format("Reminder: %s", ReminderName(id));
  Report(text);
}

std::vector<CGalleryPage::State> CBasicsPage::States() {
  return {
      {"opened-by-tab", [](CGalleryPage& page) {
         // As a user gets here: from the first page, a click on this page's tab.
         auto* window = static_cast<CGalleryWindow*>(CWnd::FromHandlePermanent(::GetParent(page.m_hWnd)));
         if (!window) return;
         window->ShowPage(0);
         nbp::test::Pump();
         for (int i = 0; i < window->PageCount(); ++i) {
           if (window->Page(i) == &page) nbp::test::Click(window->Tabs().m_hWnd, window->Tabs().TabRect(i).CenterPoint());
         }
       }},
      {"week-numbers", [](CGalleryPage& page) {
         HWND box = ::GetDlgItem(page.m_hWnd, kWeekNumbersId);
         nbp::test::Click(box, POINT{6, 10});
       }},
      {"week-numbers-key", [](CGalleryPage& page) {
         HWND box = ::GetDlgItem(page.m_hWnd, kWeekNumbersId);
         nbp::test::Click(box, POINT{6, 10});
         nbp::test::PressKey(VK_SPACE);
       }},
      {"show-as-menu", [](CGalleryPage& page) {
         HWND button = ::GetDlgItem(page.m_hWnd, kShowAsId);
         nbp::test::Click(button, kInButton);
       }},
      {"show-as-reminders", [](CGalleryPage& page) {
         // The menu as a user leaves it open: Up to its last item, Right
         // into the reminders.
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) headless->PressMenuKeys({VK_UP, VK_RIGHT});
         nbp::test::Click(::GetDlgItem(page.m_hWnd, kShowAsId), kInButton);
       }},
      {"reminder-chosen", [](CGalleryPage& page) {
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) headless->ChooseMenuItem({"Reminder", "1 day before"});
         nbp::test::Click(::GetDlgItem(page.m_hWnd, kShowAsId), kInButton);
       }},
      {"attendee-chosen", [](CGalleryPage& page) {
         HWND list = ::GetDlgItem(page.m_hWnd, kAttendeesId);
         nbp::test::Click(list, POINT{30, 30});
         nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
       }},
      {"category-dropped", [](CGalleryPage& page) {
         HWND combo = ::GetDlgItem(page.m_hWnd, kCategoryId);
         nbp::test::Click(combo, POINT{30, 8});
         nbp::test::PressKey(VK_DOWN, nbp::test::kNoMods, true);
       }},
      {"agenda-scrolled", [](CGalleryPage& page) {
         HWND agenda = ::GetDlgItem(page.m_hWnd, kAgendaId);
         CRect rc;
         ::GetClientRect(agenda, &rc);
         nbp::test::Click(agenda, POINT{rc.right + 8, rc.bottom - 40});
       }},
  };
}
