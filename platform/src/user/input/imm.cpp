// The input-method functions over the desktop's input method: one input
// context per thread, shared by every window as the window system's default
// context is, holding the composition in progress and the last result.
#include <algorithm>
#include <cstring>
#include <string>

#include "nbp/ime.h"
#include "win/imm.h"
#include "win/user.h"
#include "nbp/utf8_step.h"

namespace {

struct InputContext {
  bool composing = false;
  std::string composition;
  std::string result;
};

InputContext& Context() {
  static InputContext context;
  return context;
}

// The thread's one context; a value the handle tables of GDI and USER never hand out.
HIMC DefaultContext() { return reinterpret_cast<HIMC>(static_cast<uintptr_t>(0x1C0001)); }

unsigned LastCodePoint(const std::string& s) {
  size_t i = s.size();
  while (i > 0 && nbp::utf8::IsContinuation(s[i - 1])) --i;
  if (i == 0) return 0;
  --i;
  auto lead = static_cast<unsigned char>(s[i]);
  unsigned c = lead < 0x80 ? lead : lead >= 0xF0 ? lead & 0x07 : lead >= 0xE0 ? lead & 0x0F : lead & 0x1F;
  for (size_t k = i + 1; k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
  return c;
}

HWND Target() {
  HWND focus = GetFocus();
  return focus ? focus : GetActiveWindow();
}

void Start(HWND target) {
  InputContext& c = Context();
  if (c.composing) return;
  c.composing = true;
  c.composition.clear();
  c.result.clear();
  SendMessage(target, WM_IME_STARTCOMPOSITION, 0, 0);
}

}  // namespace

namespace nbp::ime {

bool Compose(const std::string& utf8) {
  HWND target = Target();
  if (!target) return false;
  Start(target);
  Context().composition = utf8;
  if (IsWindow(target)) SendMessage(target, WM_IME_COMPOSITION, LastCodePoint(utf8), GCS_COMPSTR | GCS_CURSORPOS);
  return true;
}

bool Commit(const std::string& utf8) {
  HWND target = Target();
  if (!target) return false;
  Start(target);
  InputContext& c = Context();
  c.composition.clear();
  c.result = utf8;
  if (IsWindow(target)) SendMessage(target, WM_IME_COMPOSITION, LastCodePoint(utf8), GCS_RESULTSTR);
  c.composing = false;
  if (IsWindow(target)) SendMessage(target, WM_IME_ENDCOMPOSITION, 0, 0);
  return true;
}

bool Cancel() {
  InputContext& c = Context();
  if (!c.composing) return false;
  HWND target = Target();
  c.composition.clear();
  c.composing = false;
  if (!target) return false;
  if (IsWindow(target)) SendMessage(target, WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_CURSORPOS);
  if (IsWindow(target)) SendMessage(target, WM_IME_ENDCOMPOSITION, 0, 0);
  return true;
}

bool Composing() { return Context().composing; }

}  // namespace nbp::ime

HIMC ImmGetContext(HWND hwnd) { return IsWindow(hwnd) ? DefaultContext() : nullptr; }

BOOL ImmReleaseContext(HWND hwnd, HIMC imc) { return IsWindow(hwnd) && imc == DefaultContext(); }

LONG ImmGetCompositionStringA(HIMC imc, DWORD index, LPVOID buffer, DWORD bufferLength) {
  if (imc != DefaultContext()) return IMM_ERROR_GENERAL;
  const std::string* text = nullptr;
  if (index == GCS_RESULTSTR) text = &Context().result;
  else if (index == GCS_COMPSTR) text = &Context().composition;
  else return IMM_ERROR_GENERAL;
  if (!buffer || bufferLength == 0) return static_cast<LONG>(text->size());
  size_t n = std::min<size_t>(bufferLength, text->size());
  // Never half a character.
  n = nbp::utf8::BackToCharStart(*text, n);
  std::memcpy(buffer, text->data(), n);
  return static_cast<LONG>(n);
}
