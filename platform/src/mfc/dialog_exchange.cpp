// Dialog data exchange: DDX_ moves values between members and controls,
// DDV_ validates them; a bad value is told with a message box and ends the
// exchange through CDataExchange::Fail.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "mfc/app.h"
#include "mfc/dialog.h"
#include "win/controls.h"

namespace {

const char* BuiltinPrompt(UINT id) {
  switch (id) {
    case AFX_IDP_PARSE_INT: return "Please enter a whole number.";
    case AFX_IDP_PARSE_REAL: return "Please enter a number.";
    case AFX_IDP_PARSE_INT_RANGE: return "Please enter a whole number from %1 to %2.";
    case AFX_IDP_PARSE_REAL_RANGE: return "Please enter a number from %1 to %2.";
    case AFX_IDP_PARSE_STRING_SIZE: return "Please enter no more than %1 characters.";
    case AFX_IDP_PARSE_RADIO_BUTTON: return "Please choose one of the options.";
    case AFX_IDP_PARSE_BYTE: return "Please enter a whole number from 0 to 255.";
    case AFX_IDP_PARSE_UINT: return "Please enter a whole number of 0 or more.";
    default: return "";
  }
}

// The prompt's text: a module of the resource chain may translate it.
CString Prompt(UINT id) {
  CString text;
  if (!text.LoadString(id) || text.IsEmpty()) text = BuiltinPrompt(id);
  return text;
}

[[noreturn]] void Refuse(CDataExchange* pDX, UINT id, const char* arg1 = nullptr, const char* arg2 = nullptr) {
  CString message;
  CString format = Prompt(id);
  LPCTSTR args[2] = {arg1 ? arg1 : "", arg2 ? arg2 : ""};
  AfxFormatStrings(message, format, args, 2);
  AfxMessageBox(message, MB_ICONEXCLAMATION, id);
  pDX->Fail();
}

CString TextOf(HWND control) {
  CString text;
  int n = GetWindowTextLength(control);
  GetWindowText(control, text.GetBufferSetLength(n), n + 1);
  text.ReleaseBuffer();
  return text;
}

// Sets the text only when it changes, so that loading the same value again
// neither flickers nor notifies.
void SetTextIfChanged(HWND control, const char* text) {
  if (TextOf(control) != text) SetWindowText(control, text);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text without the blanks around it.
std::string Trimmed(const CString& text) {
  const char* p = text;
  size_t begin = 0, end = strlen(p);
  while (begin < end && IsBlank(p[begin])) ++begin;
  while (end > begin && IsBlank(p[end - 1])) --end;
  return std::string(p + begin, end - begin);
}

// A whole number with an optional sign, that fits T.
template <typename T>
bool ParseWhole(const CString& text, T* out) {
  std::string s = Trimmed(text);
  const char* first = s.data();
  const char* last = first + s.size();
  if (first != last && *first == '+') ++first;
  if (std::is_unsigned_v<T> && first != last && *first == '-') return false;
  if (first == last) return false;
  T value{};
  auto [ptr, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || ptr != last) return false;
  *out = value;
  return true;
}

bool ParseReal(const CString& text, double* out) {
  std::string s = Trimmed(text);
  const char* first = s.data();
  const char* last = first + s.size();
  if (first != last && *first == '+') ++first;
  if (first == last) return false;
  double value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return false;
  *out = value;
  return true;
}

template <typename T>
std::string WholeText(T value) {
  char buffer[32];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, ec == std::errc() ? ptr : buffer);
}

// Shortest form with the type's significant digits, as "%.*g" with DBL_DIG
// or FLT_DIG writes it, whatever the C locale's decimal point.
std::string RealText(double value, int digits) {
  char buffer[64];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  return std::string(buffer, ec == std::errc() ? ptr : buffer);
}

template <typename T>
void ExchangeWhole(CDataExchange* pDX, int nIDC, T& value, UINT prompt) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    SetTextIfChanged(control, WholeText(value).c_str());
    return;
  }
  T parsed{};
  if (!ParseWhole(TextOf(control), &parsed)) Refuse(pDX, prompt);
  value = parsed;
}

template <typename T>
void FailRange(CDataExchange* pDX, UINT prompt, T minVal, T maxVal, int digits = 0) {
  // Values loaded out of range are the program's business, not the user's.
  if (!pDX->m_bSaveAndValidate) {
    TRACE0("Warning: initial dialog data is out of range.\n");
    return;
  }
  std::string low, high;
  if constexpr (std::is_floating_point_v<T>) {
    low = RealText(minVal, digits);
    high = RealText(maxVal, digits);
  } else {
    low = WholeText(minVal);
    high = WholeText(maxVal);
  }
  Refuse(pDX, prompt, low.c_str(), high.c_str());
}

}  // namespace

// --- CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
  if (!control) {
    TRACE1("Error: no data exchange control with ID %d.\n", nIDC);
    ASSERT(FALSE);
    m_hWndLastControl = nullptr;
    throw nbp::mfc::DataExchangeFailure{};
  }
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND control = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw nbp::mfc::DataExchangeFailure{};
}

// --- DDX

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = TextOf(control);
  else SetTextIfChanged(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    SetTextIfChanged(control, WholeText(static_cast<unsigned>(value)).c_str());
    return;
  }
  unsigned parsed = 0;
  if (!ParseWhole(TextOf(control), &parsed) || parsed > 255) Refuse(pDX, AFX_IDP_PARSE_BYTE);
  value = static_cast<BYTE>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_UINT); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeWhole(pDX, nIDC, value, AFX_IDP_PARSE_INT); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    SetTextIfChanged(control, RealText(value, DBL_DIG).c_str());
    return;
  }
  double parsed = 0;
  if (!ParseReal(TextOf(control), &parsed)) Refuse(pDX, AFX_IDP_PARSE_REAL);
  value = parsed;
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    SetTextIfChanged(control, RealText(value, FLT_DIG).c_str());
    return;
  }
  double parsed = 0;
  if (!ParseReal(TextOf(control), &parsed) || std::fabs(parsed) > FLT_MAX) Refuse(pDX, AFX_IDP_PARSE_REAL);
  value = static_cast<float>(parsed);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0));
    return;
  }
  if (value < 0 || value > 2) {
    TRACE1("Warning: dialog data check box value (%d) out of range.\n", value);
    value = 0;
  }
  ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  ASSERT(::GetWindowLong(control, GWL_STYLE) & WS_GROUP);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(control, BM_GETCHECK, 0, 0) != 0 && value == -1) value = index;
      } else {
        ::SendMessage(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::GetWindow(control, GW_HWNDNEXT);
  } while (control && !(::GetWindowLong(control, GWL_STYLE) & WS_GROUP));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;  // subclassed already
  ASSERT(!pDX->m_bSaveAndValidate);
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(control)) {
    TRACE1("Error: control %d could not be subclassed (already attached to another object?).\n", nIDC);
    ASSERT(FALSE);
    throw nbp::mfc::DataExchangeFailure{};
  }
}

// --- DDV

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
    Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, WholeText(nChars).c_str());
  }
  if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
    ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  if (value < minVal || value > maxVal) FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  if (value < minVal || value > maxVal) FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  if (value < minVal || value > maxVal) FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, minVal, maxVal);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  if (value < minVal || value > maxVal) FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, minVal, maxVal);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  if (value < minVal || value > maxVal) FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, minVal, maxVal, DBL_DIG);
}
