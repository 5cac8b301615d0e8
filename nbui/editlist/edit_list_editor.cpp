// The edit list's in-place editor.
#include "editlist/edit_list_editor.h"

#include <algorithm>
#include <string>

#include "nbp/utf8_step.h"
#include "win/gdi.h"
#include "win/imm.h"
#include "win/syscolors.h"

BEGIN_MESSAGE_MAP(CEditListEditor, CLumoEdit)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_MOUSEWHEEL, OnWheel)
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_MESSAGE(WM_PASTE, OnPaste)
  ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnImeStartComposition)
  ON_MESSAGE(WM_IME_COMPOSITION, OnImeComposition)
  ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnImeEndComposition)
END_MESSAGE_MAP()

namespace {

void Tell(CWnd* parent, UINT message) {
  if (parent) parent->SendMessage(message, 0, 0);
}

}  // namespace

void CEditListEditor::SetEditLimit(int nMaxChars) {
  SetMaxChars(nMaxChars);
  // The control counts bytes; four are the most one character takes.
  LimitText(nMaxChars > 0 ? std::min(nMaxChars, 0x1FFFFFFF) * 4 : 0);
}

int CEditListEditor::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  return CLumoEdit::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CEditListEditor::OnPaint() {
  Default();
  UnderlineComposition();
}

void CEditListEditor::UnderlineComposition() {
  if (!m_bComposing || m_nCompLength <= 0) return;
  CString text;
  GetWindowText(text);
  HDC dc = ::GetDC(m_hWnd);
  if (!dc) return;
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  TEXTMETRIC tm{};
  ::GetTextMetrics(dc, &tm);
  HBRUSH ink = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOWTEXT));
  const char* bytes = text;
  int end = std::min(m_nCompStart + m_nCompLength, text.GetLength());
  // Character by character, so that a composition wrapped over two lines is
  // underlined on both.
  for (int i = m_nCompStart; i < end;) {
    int len = std::max<int>(static_cast<int>(nbp::utf8::CharLen(bytes + i, static_cast<size_t>(end - i))), 1);
    LRESULT at = SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(i));
    if (at == -1) break;
    SIZE size{};
    ::GetTextExtentPoint32(dc, bytes + i, len, &size);
    int x = static_cast<short>(LOWORD(at)), y = static_cast<short>(HIWORD(at)) + tm.tmHeight - 1;
    RECT line{x, y, x + size.cx, y + 1};
    ::FillRect(dc, &line, ink);
    i += len;
  }
  ::DeleteObject(ink);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(m_hWnd, dc);
}

void CEditListEditor::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == '\t') {
    // Tab moves between rows; it never goes into the value.
    Tell(GetParent(), ::GetKeyState(VK_SHIFT) < 0 ? WM_EDITLIST_TABPREV : WM_EDITLIST_TABNEXT);
    return;
  }
  CLumoEdit::OnChar(nChar, nRepCnt, nFlags);
  Tell(GetParent(), WM_EDITLIST_CHARENTERED);
}

void CEditListEditor::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CLumoEdit::OnKeyDown(nChar, nRepCnt, nFlags);
  // Delete makes no character, but the value may shrink by a line.
  if (nChar == VK_DELETE) Tell(GetParent(), WM_EDITLIST_CHARENTERED);
}

LRESULT CEditListEditor::OnWheel(WPARAM wParam, LPARAM lParam) {
  // The editor is as tall as its text: the wheel scrolls the list.
  CWnd* parent = GetParent();
  return parent ? parent->SendMessage(WM_MOUSEWHEEL, wParam, lParam) : 0;
}

void CEditListEditor::OnSetFocus(CWnd* pOldWnd) {
  if (pOldWnd) pOldWnd->UpdateWindow();
  CRect r;
  GetWindowRect(&r);
  r.OffsetRect(-r.left, -r.top);
  SetRectNP(&r);
  CLumoEdit::OnSetFocus(pOldWnd);
}

void CEditListEditor::DropComposition() {
  RemoveComposition();
  m_bComposing = false;
}

void CEditListEditor::OnKillFocus(CWnd* pNewWnd) {
  // Text still being composed was never typed: it does not go into the row.
  DropComposition();
  CLumoEdit::OnKillFocus(pNewWnd);
  CWnd* parent = GetParent();
  if (!parent) return;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (!m_bPasting) Tell(parent, WM_EDITLIST_ITEMKILLFOCUS);
}

LRESULT CEditListEditor::OnPaste(WPARAM wParam, LPARAM lParam) {
  m_bPasting = TRUE;
  OnPasteText(wParam, lParam);
  m_bPasting = FALSE;
  // Pasted lines may make the row taller.
  Tell(GetParent(), WM_EDITLIST_CHARENTERED);
  return 0;
}

// --- Input methods

LRESULT CEditListEditor::OnImeStartComposition(WPARAM, LPARAM) {
  if (m_bComposing) return 0;
  // The composition takes the place of the selection.
  ReplaceSel("", FALSE);
  int start = 0, end = 0;
  GetSel(start, end);
  m_nCompStart = start;
  m_nCompLength = 0;
  m_bComposing = true;
  return 0;
}

void CEditListEditor::RemoveComposition() {
  if (m_nCompLength <= 0) return;
  SetSel(m_nCompStart, m_nCompStart + m_nCompLength, TRUE);
  ReplaceSel("", FALSE);
  m_nCompLength = 0;
}

void CEditListEditor::ShowComposition(const CString& text) {
  int before = GetWindowTextLength();
  SetSel(m_nCompStart, m_nCompStart + m_nCompLength, TRUE);
  ReplaceSel(text, FALSE);
  // The control's limit may have kept part of it out.
  m_nCompLength = std::max(GetWindowTextLength() - (before - m_nCompLength), 0);
  SetSel(m_nCompStart + m_nCompLength, m_nCompStart + m_nCompLength);
}

LRESULT CEditListEditor::OnImeComposition(WPARAM wParam, LPARAM lParam) {
  if (!m_bComposing) OnImeStartComposition(0, 0);
  if (lParam & GCS_RESULTSTR) {
    // The finished text goes in as typing does: one change, within the limits.
    RemoveComposition();
    LRESULT r = Default();
    Tell(GetParent(), WM_EDITLIST_CHARENTERED);
    return r;
  }
  std::string composition;
  if (lParam & GCS_COMPSTR) {
    HIMC imc = ImmGetContext(m_hWnd);
    LONG size = ImmGetCompositionStringA(imc, GCS_COMPSTR, nullptr, 0);
    if (size > 0) {
      composition.resize(static_cast<size_t>(size));
      size = ImmGetCompositionStringA(imc, GCS_COMPSTR, composition.data(), static_cast<DWORD>(size));
      composition.resize(static_cast<size_t>(std::max<LONG>(size, 0)));
    }
    ImmReleaseContext(m_hWnd, imc);
  }
  if (composition.empty()) RemoveComposition();
  else ShowComposition(composition.c_str());
  // A composition that wraps makes the row taller as typing does.
  Tell(GetParent(), WM_EDITLIST_CHARENTERED);
  return 0;
}

LRESULT CEditListEditor::OnImeEndComposition(WPARAM, LPARAM) {
  // Ended without a result (cancelled): what was shown goes away.
  RemoveComposition();
  m_bComposing = false;
  Tell(GetParent(), WM_EDITLIST_CHARENTERED);
  return Default();
}
