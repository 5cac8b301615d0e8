#include "fields/num_edit.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "win/mbstring.h"

namespace {

// The beep of a refused character: seven F digits, the "simple beep" kind.
constexpr UINT kRefusedBeep = 0x0FFFFFFF;

enum class Reading { kNone, kNumber, kTooLarge };

// Reads a number as sscanf "%d" does (white space, a sign, digits), without
// its undefined result for a number beyond int: such a number is reported
// as too large when positive, and as the smallest int when negative.
Reading ReadNumber(LPCTSTR text, int* value) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const char* digits = p + (*p == '+' || *p == '-');
  if (*digits < '0' || *digits > '9') return Reading::kNone;
  errno = 0;
  long long n = std::strtoll(p, nullptr, 10);
  if (errno == ERANGE || n > INT_MAX) {
    if (*p == '-') {
      *value = INT_MIN;
      return Reading::kNumber;
    }
    return Reading::kTooLarge;
  }
  *value = n < INT_MIN ? INT_MIN : static_cast<int>(n);
  return Reading::kNumber;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNbNumEdit, CEdit)
  ON_WM_CHAR()
  ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
END_MESSAGE_MAP()

CNbNumEdit::CNbNumEdit() : m_strDigits("0123456789") {}
CNbNumEdit::~CNbNumEdit() = default;

void CNbNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == 8 ||
      (nChar != 0 && _mbschr(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(m_strDigits)), nChar))) {
    Default();
    return;
  }
  MessageBeep(kRefusedBeep);
}

void CNbNumEdit::OnKillfocus() {
  CString text;
  GetWindowText(text);
  CString corrected;
  int value = 0;
  Reading reading = text.IsEmpty() ? Reading::kNone : ReadNumber(text, &value);
  if (reading == Reading::kTooLarge) corrected.Format("%d", INT_MAX);
  else if (reading == Reading::kNone || value < m_nMinRequireValue) corrected.Format("%d", m_nMinRequireValue);
  else return;
  SetWindowText(corrected);
}
