// A tab's label shortened to its room, from any bytes: the first byte is the
// room in pixels, the rest the text, measured at a width per byte that the
// bytes themselves decide (a longer text is never narrower). The label must
// fit (or be empty), be the text itself or a head of it on a character
// boundary followed by at most three dots, and never split a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "buttons/tab_layout.h"
#include "nbp/utf8_step.h"

namespace {

int Width(const CString& s) {
  int w = 0;
  for (int i = 0; i < s.GetLength(); ++i) w += 1 + (static_cast<unsigned char>(s[i]) % 7);
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int room = data[0];
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  if (bytes.find('\0') != std::string_view::npos) return 0;  // CString text ends at a zero
  CString text(bytes.data(), static_cast<int>(bytes.size()));
  CString label = nbui::tabs::FitLabel(text, room, Width);
  std::string_view out(label, static_cast<size_t>(label.GetLength()));
  if (!out.empty() && Width(label) > room) abort();
  if (out == bytes) return 0;
  size_t head = out.size();
  int dots = 0;
  while (head > 0 && out[head - 1] == '.' && dots < 3) --head, ++dots;
  // The head is the text's own beginning, ending where a character ends.
  if (bytes.substr(0, head) != out.substr(0, head)) abort();
  if (head > 0 && head < bytes.size() && nbp::utf8::IsContinuation(bytes[head])) abort();
  return 0;
}
