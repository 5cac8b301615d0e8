#include "pages/fields_page.h"

#include "mfc/time.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/controls.h"
#include "win/dialogs.h"
#include "win/gdi.h"

namespace {

constexpr DWORD kFieldStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr int kLabelLeft = 16;
constexpr int kFieldLeft = 110;
constexpr int kRowHeight = 24;

// The centre of character `index` of an edit control, in its client coordinates.
POINT CharPoint(HWND edit, int index) {
  auto at = [&](int i) {
    auto packed = static_cast<DWORD>(::SendMessage(edit, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0));
    return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
  };
  POINT a = at(index), b = at(index + 1);
  return POINT{(a.x + b.x) / 2, a.y + 6};
}

CString TimeText(int hours, int mins) {
  CString text;
  text.Format("%02d:%02d", hours, mins);
  return text;
}

}  // namespace

// Start at 9:30 in the morning on a 12-hour clock: an hour typed below 8
// without AM or PM is taken as an afternoon hour.
CFieldsPage::CFieldsPage() : m_start(8, 0), m_end(8, 0), m_alarm(8, 0) {}

void CFieldsPage::CreateControls() {
  CTime now = CTime::GetCurrentTime();
  int y = 16;
  auto row = [&](const char* label) {
    AddControl(WC_STATIC, label, SS_LEFT, CRect(kLabelLeft, y + 4, kFieldLeft - 6, y + 22), 0xFFFF);
    CRect r(kFieldLeft, y, kFieldLeft + 130, y + kRowHeight);
    y += kRowHeight + 12;
    return r;
  };
  auto font = [](CWnd& w) {
    w.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  };

  m_due.Create(kFieldStyle, row("&Due date:"), this, kDueId);
  font(m_due);
  m_due.SetBlankString("No due date");
  // Due a week from today.
  m_due.SetDate(static_cast<long>(now.GetTime() + 7 * 24 * 3600));

  m_start.Create(kFieldStyle, row("&Starts:"), this, kStartId);
  font(m_start);
  m_start.SetTime(9, 30, TRUE);
  m_start.SetValid(TRUE);

  m_end.Create(kFieldStyle, row("&Ends:"), this, kEndId);
  font(m_end);
  m_end.SetTime(11, 0, TRUE);
  m_end.SetValid(TRUE);

  CRect alarm = row("&Alarm:");
  alarm.right -= 18;
  m_alarm.Create(kFieldStyle, alarm, this, kAlarmId);
  font(m_alarm);
  m_alarm.SetTime(9, 15, TRUE);
  m_alarm.SetValid(TRUE);
  m_alarmSpin.Create(WS_CHILD | WS_VISIBLE, CRect(alarm.right + 1, alarm.top, alarm.right + 17, alarm.bottom), this,
                     kAlarmSpinId);

  CRect quantity = row("&Quantity:");
  quantity.right = quantity.left + 60;
  m_quantity.Create(kFieldStyle | ES_RIGHT, quantity, this, kQuantityId);
  font(m_quantity);
  m_quantity.SetMinRequireValue(1);
  m_quantity.SetWindowText("2");

  AddControl(WC_STATIC, "&Notes:", SS_LEFT, CRect(300, 20, 420, 38), 0xFFFF);
  m_notes.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                 CRect(300, 40, 740, 200), this, kNotesId);
  font(m_notes);
  m_notes.SetWindowText(
      "Quarterly review with the regional team.\r\n"
      "Bring the sales figures for October and November, and the draft budget.\r\n"
      "Room 4.12 is booked until noon.");
  m_notes.LimitText(500);
  AddControl(WC_BUTTON, "Notes are &editable", BS_AUTOCHECKBOX | WS_TABSTOP, CRect(300, 208, 520, 228),
             kNotesEditableId);
  AddControl(WC_BUTTON, "Sa&ve", BS_PUSHBUTTON | WS_TABSTOP, CRect(kFieldLeft, y + 4, kFieldLeft + 90, y + 30),
             kSaveId);
}

BOOL CFieldsPage::PreTranslateMessage(MSG* pMsg) {
  // Tab moves among the fields, as in a dialog.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    return ::IsDialogMessage(m_hWnd, pMsg);
  return CGalleryPage::PreTranslateMessage(pMsg);
}

const char* CFieldsPage::NameOf(UINT id) const {
  switch (id) {
    case kStartId: return "Starts";
    case kEndId: return "Ends";
    case kAlarmId: return "Alarm";
    case kAlarmSpinId: return "the alarm's arrows";
    default: return "?";
  }
}

BOOL CFieldsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (lParam && code == BN_CLICKED && id == kSaveId) {
    Save();
    return TRUE;
  }
  if (lParam && code == BN_CLICKED && id == kNotesEditableId) {
    BOOL editable = ::SendMessage(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
    m_notes.SetEditable(editable);
    Report(editable ? "Notes: a double click selects a word" : "Notes: a double click is reported");
    return TRUE;
  }
  if (lParam && code == EN_KILLFOCUS && id == kQuantityId) {
    // The field corrects itself first (the notification is reflected to it).
    BOOL handled = CGalleryPage::OnCommand(wParam, lParam);
    CString quantity;
    m_quantity.GetWindowText(quantity);
    Report("Quantity: " + quantity);
    return handled;
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

void CFieldsPage::Save() {
  m_due.ReadFormat();
  if (!m_due.WriteFormat(1)) return;  // refused: the field restored its date and said so
  m_start.ReadTime(0);
  m_end.ReadTime(0);
  CString text;
  if (m_due.IsBlank()) {
    text = "Saved: no due date";
  } else {
    text.Format("Saved: due %s %04d-%02d-%02d", static_cast<LPCTSTR>(m_due.GetDay()), m_due.Year(), m_due.Month(),
                m_due.Day());
  }
  text += ", " + TimeText(m_start.GetHours(), m_start.GetMins()) + " to " +
          TimeText(m_end.GetHours(), m_end.GetMins()) + ", alarm " +
          TimeText(m_alarm.GetHours(), m_alarm.GetMins());
  Report(text);
}

LRESULT CFieldsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CString text;
  switch (message) {
    case WM_NEXTDLGCTL:
      if (HWND next = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), wParam != 0)) {
        ::SetFocus(next);
        ::SendMessage(next, EM_SETSEL, 0, -1);
      }
      return 0;
    case WM_NB_DATERESTORED:
      text.Format("0x04A6: due date restored to %s",
                  static_cast<LPCTSTR>(CTime(static_cast<time_t>(lParam)).Format("%A, %d %B %Y")));
      Report(text);
      return 0;
    case WM_NB_DATEKEYDOWN:
    case WM_NB_DATEKEYUP:
      text.Format("0x%04X: key 0x%02X %s in the due date", message, static_cast<unsigned>(wParam),
                  message == WM_NB_DATEKEYDOWN ? "down" : "up");
      Report(text);
      return 0;  // the field handles every key itself
    case WM_NB_TIMESTEP: {
      auto step = static_cast<int>(lParam);
      UINT from = static_cast<UINT>(wParam);
      // Every key of a time field is reported, most with step 0; only real
      // steps are worth showing.
      if (step == 0) return 0;
      if (from == kAlarmId || from == kAlarmSpinId) m_alarm.ChangeValue(step);
      text.Format("0x1D80 from %s: step %+d", NameOf(from), step);
      if (from == kAlarmId || from == kAlarmSpinId) text += ", alarm now " + TimeText(m_alarm.GetHours(), m_alarm.GetMins());
      Report(text);
      return 0;
    }
    case WM_RICHEDIT_DBLCLK:
      Report("0x2400: notes double-clicked (not editable)");
      return 0;
    case WM_RICHEDIT_CONTEXT:
      text.Format("0x2401: notes context menu at screen (%d, %d)", static_cast<short>(LOWORD(wParam)),
                  static_cast<short>(HIWORD(wParam)));
      Report(text);
      return 0;
    case WM_RICHEDIT_KEYPADENTER:
      Report("0x2402: keypad Enter in the notes");
      return 0;
    case WM_RICHEDIT_KILLFOCUS:
      text.Format("0x2403: left the notes (%ld characters)", m_notes.GetTextLength());
      Report(text);
      return 0;
    case WM_RICHEDIT_CLICK:
      Report("0x2404: notes clicked");
      return 0;
    case WM_RICHEDIT_TAB:
      Report(wParam ? "0x2405: Tab in the notes" : "0x2405: Shift+Tab in the notes");
      return 0;
    default:
      return CGalleryPage::WindowProc(message, wParam, lParam);
  }
}

std::vector<CGalleryPage::State> CFieldsPage::States() {
  return {
      {"typing-date", [](CGalleryPage& page) {
         auto& self = static_cast<CFieldsPage&>(page);
         nbp::test::Click(self.m_due.m_hWnd, POINT{8, 12});
         self.m_due.SetSel(0, -1);
         nbp::test::Type("12/24/2026");
       }},
      {"alarm-step", [](CGalleryPage& page) {
         auto& self = static_cast<CFieldsPage&>(page);
         nbp::test::Click(self.m_alarm.m_hWnd, CharPoint(self.m_alarm.m_hWnd, 3));
         for (int i = 0; i < 2; ++i) {
           nbp::test::AdvanceClock(400);
           nbp::test::Click(self.m_alarmSpin.m_hWnd, POINT{8, 5});
         }
       }},
      {"refused-date", [](CGalleryPage& page) {
         // One picture with the message box over the page, as the user
         // meets it; the state's own picture shows the restored date and
         // the page's report of it.
         auto& self = static_cast<CFieldsPage&>(page);
         nbp::test::Click(self.m_due.m_hWnd, POINT{8, 12});
         self.m_due.SetSel(0, -1);
         nbp::test::Type("2/30/2027");
         if (nbp::HeadlessDesktop* headless = nbp::Headless()) {
           HWND top = ::GetAncestor(self.m_hWnd, GA_ROOT);
           headless->AnswerMessageBox([top](const nbp::MessageBoxRequest&) {
             SavePicture(top, "message-box");
             return IDOK;
           });
         }
         HWND save = ::GetDlgItem(self.m_hWnd, kSaveId);
         nbp::test::Click(save, POINT{20, 10});
       }},
  };
}
