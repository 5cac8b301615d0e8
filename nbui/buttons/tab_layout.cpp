#include "buttons/tab_layout.h"

#include <algorithm>
#include <string_view>

#include "HostI18n/host_i18n.h"
#include "nbp/utf8_step.h"

namespace nbui::tabs {

int NaturalWidth(int textWidth, bool hasIcon) {
  int width = textWidth + 2 * kMargin + 12;
  if (hasIcon) width += kMargin + kIconSize;
  return std::max(width, kMargin + 8);
}

Span Squeezed(int k, int n, int clientWidth) {
  int w = clientWidth / n;
  int left = 1 + k * w;
  return Span{left, k == n - 1 ? clientWidth - left : w};
}

namespace {

CString Head(const CString& text, int chars) {
  CString head = text;
  LeftAndValidateDec(head, chars);
  return head;
}

}  // namespace

CString FitLabel(const CString& text, int room, const std::function<int(const CString&)>& width) {
  if (width(text) <= room) return text;
  int count = static_cast<int>(nbp::utf8::CountChars(std::string_view(text, static_cast<size_t>(text.GetLength()))));
  // The longest head of 1 ... count - 1 characters that fits with "...".
  int lo = 1, hi = count - 1, best = 0;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    if (width(Head(text, mid) + "...") <= room) {
      best = mid;
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  if (best > 0) return Head(text, best) + "...";
  // Not even one character and the dots fit: shorten what would be shown
  // from its end until it fits.
  CString label = count > 1 ? Head(text, 1) + "..." : text;
  int chars = static_cast<int>(nbp::utf8::CountChars(std::string_view(label, static_cast<size_t>(label.GetLength()))));
  // Malformed text may start with bytes that count as no character; the
  // cut to no characters then empties it, so this always ends.
  while (!label.IsEmpty() && width(label) > room) {
    chars = std::max(chars - 1, 0);
    LeftAndValidateDec(label, chars);
  }
  return label;
}

}  // namespace nbui::tabs
