// CDialog and data exchange, CButton, CStatic and CToolTipCtrl, driven as a
// user would through the framework's modal loop and pump.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "mfc/app.h"
#include "mfc/controls.h"
#include "mfc/dc.h"
#include "mfc/dialog.h"
#include "mfc/paint_dc.h"
#include "nbp/clock.h"
#include "nbp/dialog_template.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "win/resources.h"
#include "win/syscolors.h"

// fontconfig keeps caches for the life of the process.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

namespace drive = nbp::test;

enum : WORD {
  kFormId = 600,
  kName = 100,
  kCount = 101,
  kRate = 102,
  kRadio1 = 110,
  kRadio2 = 111,
  kRadio3 = 112,
  kCheck = 120,
  kApply = 130,
};

struct Sent {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Sent>& FieldLog() {
  static std::vector<Sent> log;
  return log;
}

// A small typing field standing in for an edit control: characters replace
// the selection made with EM_SETSEL(0, -1), or are appended; Backspace
// removes the last one.
LRESULT FieldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  FieldLog().push_back({hwnd, msg, wParam, lParam});
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case EM_SETSEL:
      SetProp(hwnd, "all", reinterpret_cast<HANDLE>(wParam == 0 && lParam == -1 ? 1 : 0));
      return 0;
    case WM_KILLFOCUS: SetProp(hwnd, "all", nullptr); break;
    case WM_CHAR: {
      char text[256] = {};
      GetWindowText(hwnd, text, sizeof text);
      std::string s = GetProp(hwnd, "all") ? "" : text;
      SetProp(hwnd, "all", nullptr);
      if (wParam == '\b') {
        if (!s.empty()) s.pop_back();
      } else if (wParam >= ' ') {
        s += static_cast<char>(wParam);
      }
      SetWindowText(hwnd, s.c_str());
      return 0;
    }
    default: break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

nbp::DialogItem Field(WORD id, short y) {
  nbp::DialogItem item;
  item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER;
  item.x = 60;
  item.y = y;
  item.cx = 80;
  item.cy = 12;
  item.id = id;
  item.windowClass.text = "TypingField";
  return item;
}

std::vector<uint8_t> FormBytes() {
  nbp::DialogTemplateWriter w(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 10, 200, 150, "Form");
  w.Font(8, "MS Shell Dlg");
  w.LText("&Name:", 90, 8, 10, 40, 8);
  w.Control(Field(kName, 8));
  w.LText("&Count:", 91, 8, 26, 40, 8);
  w.Control(Field(kCount, 24));
  w.LText("&Rate:", 92, 8, 42, 40, 8);
  w.Control(Field(kRate, 40));
  w.AutoRadioButton("One", kRadio1, 8, 60, 50, 10, WS_GROUP | WS_TABSTOP);
  w.AutoRadioButton("Two", kRadio2, 8, 72, 50, 10);
  w.AutoRadioButton("Three", kRadio3, 8, 84, 50, 10);
  w.AutoCheckBox("Check", kCheck, 8, 100, 60, 10, WS_GROUP);
  w.DefPushButton("OK", IDOK, 40, 128, 40, 14, WS_GROUP);
  w.PushButton("Cancel", IDCANCEL, 84, 128, 40, 14);
  w.PushButton("Apply", kApply, 128, 128, 40, 14);
  return w.Bytes();
}

class FormDialog : public CDialog {
 public:
  explicit FormDialog(CWnd* parent) : CDialog(static_cast<UINT>(kFormId), parent) {}
  CString m_strName = "Ada";
  int m_nCount = 3;
  double m_dRate = 2.5;
  int m_nChoice = 1;
  int m_nCheck = 1;
  CButton m_ok;
  int m_nInits = 0;
  int m_nApplied = 0;

  BOOL OnInitDialog() override {
    ++m_nInits;
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Text(pDX, kName, m_strName);
    DDV_MaxChars(pDX, m_strName, 5);
    DDX_Text(pDX, kCount, m_nCount);
    DDX_Text(pDX, kRate, m_dRate);
    DDX_Radio(pDX, kRadio1, m_nChoice);
    DDX_Check(pDX, kCheck, m_nCheck);
  }
  void OnApply() { ++m_nApplied; }
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
  std::string Text(int id) const {
    char buffer[256] = {};
    ::GetWindowText(Item(id), buffer, sizeof buffer);
    return buffer;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
  ON_BN_CLICKED(kApply, OnApply)
END_MESSAGE_MAP()

class DialogFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nbp::SetDesktop(nullptr);
    nbp::clock::Pin(1700000000);
    static bool registered = false;
    if (!registered) {
      WNDCLASS wc{};
      wc.lpfnWndProc = FieldProc;
      wc.lpszClassName = "TypingField";
      RegisterClass(&wc);
      registered = true;
    }
    FieldLog().clear();
    nbp::res::AddData(AfxGetResourceHandle(), RT_DIALOG, MAKEINTRESOURCE(kFormId), FormBytes());
    ASSERT_TRUE(main_.CreateEx(0, nullptr, "Main", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 500, 400, nullptr, nullptr));
    app_.m_pMainWnd = &main_;
    drive::Pump();
  }
  void TearDown() override {
    main_.DestroyWindow();
    drive::Pump();
    nbp::clock::Unpin();
  }
  void WhenIdle(std::function<void()> step) { nbp::Headless()->WhenIdle(std::move(step)); }
  static bool Got(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (const Sent& s : FieldLog()) {
      if (s.hwnd == hwnd && s.msg == msg && s.wParam == wParam && s.lParam == lParam) return true;
    }
    return false;
  }

  CWinApp app_{"Dialog test"};
  CWnd main_;
};

}  // namespace

TEST_F(DialogFrameworkTest, LoadsTheControlsAndSavesWhatTheUserChangedOnOk) {
  FormDialog dialog(&main_);
  WhenIdle([&] {
    EXPECT_FALSE(main_.IsWindowEnabled()) << "the parent waits for the dialog";
    EXPECT_EQ(dialog.m_nInits, 1);
    EXPECT_EQ(dialog.Text(kName), "Ada");
    EXPECT_EQ(dialog.Text(kCount), "3");
    EXPECT_EQ(dialog.Text(kRate), "2.5");
    EXPECT_EQ(dialog.IsDlgButtonChecked(kRadio2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.IsDlgButtonChecked(kCheck), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(Got(dialog.Item(kName), EM_LIMITTEXT, 5, 0)) << "DDV_MaxChars limits the field";
    EXPECT_EQ(dialog.m_ok.m_hWnd, dialog.Item(IDOK)) << "DDX_Control attached the button";
    EXPECT_EQ(::GetFocus(), dialog.Item(kName));
    drive::Type("Bob\t42\t0.125");
    drive::Click(dialog.Item(kRadio3), POINT{3, 3});
    drive::Click(dialog.Item(kCheck), POINT{3, 3});
  });
  WhenIdle([&] {
    EXPECT_EQ(dialog.Text(kName), "Bob") << "the selected text was replaced";
    EXPECT_EQ(dialog.Text(kCount), "42");
    drive::PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_strName, "Bob");
  EXPECT_EQ(dialog.m_nCount, 42);
  EXPECT_EQ(dialog.m_dRate, 0.125);
  EXPECT_EQ(dialog.m_nChoice, 2);
  EXPECT_EQ(dialog.m_nCheck, 0);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_TRUE(main_.IsWindowEnabled());
  EXPECT_EQ(::GetActiveWindow(), main_.m_hWnd);
}

TEST_F(DialogFrameworkTest, ABadNumberIsToldAndTheFocusGoesBackToIt) {
  FormDialog dialog(&main_);
  WhenIdle([&] {
    drive::PressKey(VK_TAB);
    drive::Type("12x");
    drive::PressKey(VK_RETURN);
  });
  WhenIdle([&] {
    const auto& boxes = nbp::Headless()->MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter a whole number.");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(::GetFocus(), dialog.Item(kCount)) << "the focus is back on the bad number";
    EXPECT_EQ(dialog.m_nCount, 3);
    FieldLog().clear();
    drive::Type("\b\b\b7");
    drive::PressKey(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_nCount, 7);
}

TEST_F(DialogFrameworkTest, BadNumbersOfEachKindAreRefused) {
  struct Case {
    const char* text;
    bool accepted;
  };
  const Case cases[] = {{" 15 ", true}, {"-4", true}, {"+9", true},         {"", false},
                        {"1.5", false}, {"x", false}, {"99999999999", false}, {"- 4", false}};
  for (const Case& c : cases) {
    nbp::Headless()->ClearRecords();
    FormDialog dialog(&main_);
    WhenIdle([&] {
      ::SetWindowText(dialog.Item(kCount), c.text);
      dialog.UpdateData(TRUE) ? dialog.EndDialog(IDOK) : dialog.EndDialog(IDABORT);
    });
    EXPECT_EQ(dialog.DoModal(), c.accepted ? IDOK : IDABORT) << '"' << c.text << '"';
    EXPECT_EQ(nbp::Headless()->MessageBoxes().size(), c.accepted ? 0u : 1u) << '"' << c.text << '"';
  }
}

TEST_F(DialogFrameworkTest, TooLongTextIsRefusedWithItsLimit) {
  FormDialog dialog(&main_);
  WhenIdle([&] {
    drive::Type("Alexander");
    drive::PressKey(VK_RETURN);
  });
  WhenIdle([&] {
    const auto& boxes = nbp::Headless()->MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter no more than 5 characters.");
    EXPECT_EQ(::GetFocus(), dialog.Item(kName));
    EXPECT_TRUE(Got(dialog.Item(kName), EM_SETSEL, 0, -1)) << "its text is selected for retyping";
    drive::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogFrameworkTest, PromptsComeFromTheResourceChainWhenTranslated) {
  HINSTANCE module = AfxGetResourceHandle();
  nbp::res::AddString(module, AFX_IDP_PARSE_STRING_SIZE, "Höchstens %1 Zeichen.");
  FormDialog dialog(&main_);
  WhenIdle([&] {
    drive::Type("Alexander");
    drive::PressKey(VK_RETURN);
  });
  WhenIdle([&] { drive::PressKey(VK_ESCAPE); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_EQ(nbp::Headless()->MessageBoxes().size(), 1u);
  EXPECT_EQ(nbp::Headless()->MessageBoxes()[0].text, "Höchstens 5 Zeichen.");
  nbp::res::AddString(module, AFX_IDP_PARSE_STRING_SIZE, "");
}

TEST_F(DialogFrameworkTest, EscapeCancelsWithoutSaving) {
  FormDialog dialog(&main_);
  WhenIdle([&] {
    drive::Type("Eve");
    drive::PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_strName, "Ada");
  EXPECT_TRUE(main_.IsWindowEnabled());
}

TEST_F(DialogFrameworkTest, AMissingTemplateReturnsMinusOne) {
  CDialog missing(9999u, &main_);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_TRUE(main_.IsWindowEnabled());
  EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(DialogFrameworkTest, ModelessDialogNavigatesThroughTheFrameworkPump) {
  FormDialog dialog(&main_);
  ASSERT_TRUE(dialog.Create(kFormId, &main_));
  dialog.ShowWindow(SW_SHOW);
  drive::Pump();
  EXPECT_EQ(::GetFocus(), dialog.Item(kName));
  drive::PressKey(VK_TAB);
  EXPECT_EQ(::GetFocus(), dialog.Item(kCount)) << "PreTranslateMessage runs IsDialogMessage";
  dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(kRadio2)));
  EXPECT_EQ(::GetFocus(), dialog.Item(kRadio2));
  dialog.NextDlgCtrl();
  EXPECT_EQ(::GetFocus(), dialog.Item(kCheck));
  dialog.PrevDlgCtrl();
  EXPECT_EQ(::GetFocus(), dialog.Item(kRadio2)) << "the checked radio button holds the group's tab stop";

  EXPECT_EQ(dialog.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
  dialog.SetDefID(kApply);
  dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(kName)));
  drive::PressKey(VK_RETURN);
  EXPECT_EQ(dialog.m_nApplied, 1) << "Enter pressed the new default button";
  EXPECT_TRUE(dialog.IsWindowVisible());

  RECT units{4, 8, 8, 16};
  RECT expected = units;
  dialog.MapDialogRect(&units);
  ::MapDialogRect(dialog.m_hWnd, &expected);
  EXPECT_EQ(units.right - units.left, expected.right - expected.left);
  EXPECT_GT(units.right, 4);
  dialog.DestroyWindow();
}

namespace {

class PaintedButton : public CButton {
 public:
  std::vector<UINT> m_states;
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    m_states.push_back(dis->itemState);
    ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
};

}  // namespace

TEST_F(DialogFrameworkTest, OwnerDrawnButtonDrawsItselfSelectedWhilePressed) {
  PaintedButton painted;
  ASSERT_TRUE(painted.Create("", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 60, 40), &main_, 5));
  CButton plain;
  ASSERT_TRUE(plain.Create("", WS_VISIBLE | BS_OWNERDRAW, CRect(70, 10, 120, 40), &main_, 6));
  drive::Pump();
  ASSERT_FALSE(painted.m_states.empty()) << "the parent's WM_DRAWITEM comes back to the button";
  EXPECT_EQ(nbp::WindowPixel(painted.m_hWnd, 5, 5), RGB(0, 0, 0));
  painted.m_states.clear();
  drive::Press(painted.m_hWnd, POINT{5, 5});
  ASSERT_FALSE(painted.m_states.empty());
  EXPECT_TRUE(painted.m_states.back() & ODS_SELECTED);
  drive::Release(painted.m_hWnd, POINT{5, 5});
  drive::Pump();
  EXPECT_FALSE(painted.m_states.back() & ODS_SELECTED);
  drive::Click(plain.m_hWnd, POINT{5, 5});  // draws nothing, and nothing breaks
}

TEST_F(DialogFrameworkTest, ButtonAndStaticWrappersReachTheirControls) {
  CButton box;
  ASSERT_TRUE(box.Create("Box", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 100, 30), &main_, 7));
  EXPECT_EQ(box.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  box.SetState(TRUE);
  EXPECT_TRUE(box.GetState() & BST_PUSHED);
  EXPECT_TRUE(box.GetState() & BST_CHECKED);
  box.SetButtonStyle(BS_AUTORADIOBUTTON);
  EXPECT_EQ(box.GetButtonStyle(), static_cast<UINT>(BS_AUTORADIOBUTTON));

  CStatic picture;
  ASSERT_TRUE(picture.Create("", WS_VISIBLE | SS_BITMAP, CRect(10, 50, 200, 200), &main_));
  CClientDC screen(&main_);
  CBitmap red;
  ASSERT_TRUE(red.CreateCompatibleBitmap(&screen, 20, 10));
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap* old = memory.SelectObject(&red);
  memory.FillSolidRect(0, 0, 20, 10, RGB(255, 0, 0));
  memory.SelectObject(old);
  EXPECT_EQ(picture.SetBitmap(static_cast<HBITMAP>(red.m_hObject)), nullptr);
  EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(red.m_hObject));
  drive::Pump();
  EXPECT_EQ(nbp::WindowPixel(picture.m_hWnd, 19, 9), RGB(255, 0, 0));
  RECT r;
  picture.GetClientRect(&r);
  EXPECT_EQ(r.right, 20) << "the static takes the bitmap's size";
  picture.DestroyWindow();
}

namespace {

// A window with a tooltip over all of it whose text it sets before it
// relays each mouse move, and one over a corner whose text it gives when
// asked.
class TippedWnd : public CWnd {
 public:
  CToolTipCtrl m_tip;
  CString m_strTip = "Whole window";
  int m_nAsked = 0;
  int OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    if (!m_tip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) return -1;
    m_tip.SetMargin(CRect(2, 2, 2, 2));
    m_tip.SetMaxTipWidth(32767);
    m_tip.AddTool(this, LPSTR_TEXTCALLBACK);
    CRect corner(0, 0, 20, 20);
    m_tip.AddTool(this, LPSTR_TEXTCALLBACK, &corner, 7);
    return 0;
  }
  void OnMouseMove(UINT nFlags, CPoint point) {
    MSG msg{m_hWnd, WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y), 0, {point.x, point.y}};
    if (point.x >= 20 || point.y >= 20) {
      m_tip.Activate(TRUE);
      m_tip.UpdateTipText(m_strTip, this);
    }
    m_tip.RelayEvent(&msg);
  }
  void OnNeedText(NMHDR* header, LRESULT* result) {
    ++m_nAsked;
    std::strcpy(reinterpret_cast<NMTTDISPINFO*>(header)->szText, "Corner");
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TippedWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_MOUSEMOVE()
  ON_NOTIFY(TTN_NEEDTEXT, 7, OnNeedText)
END_MESSAGE_MAP()

std::string TextOf(HWND hwnd) {
  char buffer[256] = {};
  ::GetWindowText(hwnd, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TEST_F(DialogFrameworkTest, ToolTipShowsTheWindowsTextAfterTheDelay) {
  TippedWnd wnd;
  ASSERT_TRUE(wnd.Create(nullptr, "", WS_VISIBLE, CRect(10, 10, 210, 110), &main_, 3));
  HWND tip = wnd.m_tip.m_hWnd;
  EXPECT_EQ(wnd.m_tip.GetToolCount(), 2);
  EXPECT_EQ(wnd.m_tip.GetMaxTipWidth(), 32767);
  drive::MoveTo(wnd.m_hWnd, POINT{100, 50});
  drive::AdvanceClock(499);
  EXPECT_FALSE(::IsWindowVisible(tip));
  drive::AdvanceClock(1);
  ASSERT_TRUE(::IsWindowVisible(tip));
  EXPECT_EQ(TextOf(tip), "Whole window");
  CString text;
  wnd.m_tip.GetText(text, &wnd);
  EXPECT_EQ(text, "Whole window");

  wnd.m_strTip = "Moved on";
  drive::MoveTo(wnd.m_hWnd, POINT{101, 50});
  EXPECT_EQ(TextOf(tip), "Moved on") << "new text shows at once";
  wnd.m_tip.Activate(FALSE);
  EXPECT_FALSE(::IsWindowVisible(tip));

  // The corner's text comes from the ON_NOTIFY handler.
  wnd.m_tip.SetDelayTime(TTDT_INITIAL, 200);
  EXPECT_EQ(wnd.m_tip.GetDelayTime(TTDT_INITIAL), 200);
  wnd.m_tip.Activate(TRUE);
  drive::MoveTo(wnd.m_hWnd, POINT{5, 5});
  drive::AdvanceClock(200);
  ASSERT_TRUE(::IsWindowVisible(tip));
  EXPECT_EQ(TextOf(tip), "Corner");
  EXPECT_EQ(wnd.m_nAsked, 1);
  wnd.m_tip.Pop();
  EXPECT_FALSE(::IsWindowVisible(tip));
  wnd.m_tip.DelTool(&wnd, 7);
  EXPECT_EQ(wnd.m_tip.GetToolCount(), 1);
}
