#include "HostI18n/host_i18n.h"

#include <string_view>

#include "nbp/utf8_step.h"

void LeftAndValidateDec(CString& str, int nChars) {
  if (nChars <= 0) {
    str.Empty();
    return;
  }
  std::string_view text(str, static_cast<size_t>(str.GetLength()));
  std::string_view kept = nbp::utf8::FirstChars(text, static_cast<size_t>(nChars));
  if (kept.size() < text.size()) str = CString(kept.data(), static_cast<int>(kept.size()));
}
