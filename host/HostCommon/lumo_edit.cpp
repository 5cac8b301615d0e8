#include "HostCommon/lumo_edit.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "nbp/desktop.h"
#include "nbp/utf8_step.h"

namespace {

using nbp::utf8::CountChars;

// The length of the well-formed UTF-8 character at text[i], or 0 when the
// bytes there are not one (stray, truncated, overlong or a surrogate).
size_t Utf8Length(std::string_view text, size_t i) {
  size_t len = nbp::utf8::CharLen(text.data() + i, text.size() - i);
  return len == 1 && static_cast<unsigned char>(text[i]) >= 0x80 ? 0 : len;
}

// C1 controls arrive as U+0080-U+009F, two bytes starting 0xC2.
bool IsC1Control(std::string_view ch) {
  return ch.size() == 2 && static_cast<unsigned char>(ch[0]) == 0xC2 && static_cast<unsigned char>(ch[1]) < 0xA0;
}

// What of `in` an edit control may take: whole UTF-8 characters, no control
// characters except line breaks (as CR LF) and tabs in a multi-line control,
// only the first line in a single-line one, at most maxChars characters and
// maxBytes bytes. Returns true when the limits left something out. The scan
// stops at the limits, so an enormous clipboard costs no more than what fits.
bool CleanForEdit(std::string_view in, bool multiline, size_t maxChars, size_t maxBytes, std::string* out) {
  size_t chars = 0;
  auto add = [&](std::string_view piece, size_t pieceChars) {
    if (chars + pieceChars > maxChars || out->size() + piece.size() > maxBytes) return false;
    out->append(piece);
    chars += pieceChars;
    return true;
  };
  for (size_t i = 0; i < in.size();) {
    char c = in[i];
    if (c == '\r' || c == '\n') {
      if (!multiline) return false;
      size_t next = i + 1;
      if (c == '\r' && next < in.size() && in[next] == '\n') ++next;
      if (!add("\r\n", 2)) return true;
      i = next;
      continue;
    }
    size_t len = Utf8Length(in, i);
    if (len == 0) {  // not UTF-8: dropped
      ++i;
      continue;
    }
    std::string_view ch = in.substr(i, len);
    i += len;
    bool control = (len == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)) || IsC1Control(ch);
    if (control && !(multiline && c == '\t')) continue;
    if (!add(ch, 1)) return true;
  }
  return false;
}

// What stays of the text when the selection is replaced.
struct Kept {
  size_t bytes = 0;
  size_t chars = 0;
};

Kept OutsideSelection(const CEdit& edit) {
  CString current;
  edit.GetWindowText(current);
  std::string_view text(current, static_cast<size_t>(current.GetLength()));
  int start = 0, end = 0;
  edit.GetSel(start, end);
  size_t from = std::min(static_cast<size_t>(std::max(start, 0)), text.size());
  size_t to = std::min(std::max(static_cast<size_t>(std::max(end, 0)), from), text.size());
  return Kept{text.size() - (to - from), CountChars(text) - CountChars(text.substr(from, to - from))};
}

}  // namespace

BEGIN_MESSAGE_MAP(CLumoEdit, CEdit)
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_MESSAGE(WM_PASTE, OnPasteText)
END_MESSAGE_MAP()

CLumoEdit::CLumoEdit() = default;
CLumoEdit::~CLumoEdit() = default;

void CLumoEdit::SetMaxChars(int nMaxChars) { m_nMaxChars = nMaxChars > 0 ? nMaxChars : 0; }

void CLumoEdit::Paste() {
  if (!m_hWnd || (GetStyle() & ES_READONLY)) return;
  std::string clipboard;
  if (!nbp::CurrentDesktop().GetClipboardText(&clipboard) || clipboard.empty()) return;

  Kept kept = OutsideSelection(*this);
  size_t byteLimit = static_cast<size_t>(static_cast<ULONG_PTR>(SendMessage(EM_GETLIMITTEXT)));
  size_t roomBytes = byteLimit > kept.bytes ? byteLimit - kept.bytes : 0;
  size_t roomChars = static_cast<size_t>(-1);
  if (m_nMaxChars > 0) {
    auto limit = static_cast<size_t>(m_nMaxChars);
    roomChars = limit > kept.chars ? limit - kept.chars : 0;
  }

  std::string insert;
  bool cut = CleanForEdit(clipboard, (GetStyle() & ES_MULTILINE) != 0, roomChars, roomBytes, &insert);
  if (cut) MessageBeep(MB_OK);
  if (insert.empty()) return;
  ReplaceSel(insert.c_str(), TRUE);
}

void CLumoEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == 0x16) {  // Ctrl+V
    Paste();
    return;
  }
  if (m_nMaxChars > 0 && !(GetStyle() & ES_READONLY)) {
    bool multiline = (GetStyle() & ES_MULTILINE) != 0;
    // Bytes that continue a character were counted with its first byte; a
    // line break goes in as CR LF.
    size_t adds = 0;
    if (nChar > 0xFF || (nChar >= 0x20 && nChar < 0x7F) || (nChar >= 0xC2 && nChar <= 0xF4)) adds = 1;
    else if (multiline && nChar == '\t') adds = 1;
    else if (multiline && (nChar == '\r' || nChar == '\n')) adds = 2;
    if (adds && OutsideSelection(*this).chars + adds > static_cast<size_t>(m_nMaxChars)) {
      MessageBeep(MB_OK);
      return;
    }
  }
  Default();
}

void CLumoEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
    Paste();
    return;
  }
  Default();
}

UINT CLumoEdit::OnGetDlgCode() { return static_cast<UINT>(Default()); }

void CLumoEdit::OnSetFocus(CWnd* pOldWnd) { Default(); }

void CLumoEdit::OnKillFocus(CWnd* pNewWnd) { Default(); }

LRESULT CLumoEdit::OnPasteText(WPARAM wParam, LPARAM lParam) {
  Paste();
  return 0;
}
