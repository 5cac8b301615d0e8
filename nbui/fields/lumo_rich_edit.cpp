#include "fields/lumo_rich_edit.h"

namespace {

constexpr UINT kLimitBeep = 0xFFFFFFFF;
// Bit 24 of a key message's lParam (bit 8 of its flags word): a key of the
// extended set, here the keypad's Enter rather than the main one.
constexpr LPARAM kExtendedKey = 1 << 24;
constexpr UINT kExtendedFlag = 0x100;

}  // namespace

BEGIN_MESSAGE_MAP(CNbLumoUIRichEdit, CRichEditCtrl)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONUP()
  ON_WM_KEYDOWN()
  ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillfocus)
  ON_WM_KEYUP()
  ON_WM_LBUTTONDOWN()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_CHAR()
END_MESSAGE_MAP()

CNbLumoUIRichEdit::CNbLumoUIRichEdit() = default;
CNbLumoUIRichEdit::~CNbLumoUIRichEdit() = default;

void CNbLumoUIRichEdit::Post(UINT message, WPARAM wParam) {
  if (CWnd* parent = GetParent()) parent->PostMessage(message, wParam, 0);
}

void CNbLumoUIRichEdit::Send(UINT message) {
  if (CWnd* parent = GetParent()) parent->SendMessage(message, 0, 0);
}

BOOL CNbLumoUIRichEdit::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && (pMsg->lParam & kExtendedKey)) return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

void CNbLumoUIRichEdit::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_bEditable) Default();
  else Post(WM_RICHEDIT_DBLCLK);
}

void CNbLumoUIRichEdit::OnRButtonUp(UINT nFlags, CPoint point) {
  ClientToScreen(&point);
  Post(WM_RICHEDIT_CONTEXT, static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(point.x, point.y))));
  Default();
}

void CNbLumoUIRichEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_ESCAPE) return;
  if (nChar == VK_TAB) Post(WM_RICHEDIT_TAB, GetKeyState(VK_SHIFT) < 0 ? 0 : 1);
  Default();
}

void CNbLumoUIRichEdit::OnKillfocus() { Send(WM_RICHEDIT_KILLFOCUS); }

void CNbLumoUIRichEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN && (nFlags & kExtendedFlag)) {
    Send(WM_RICHEDIT_KEYPADENTER);
    return;
  }
  Default();
}

void CNbLumoUIRichEdit::OnLButtonDown(UINT nFlags, CPoint point) {
  Post(WM_RICHEDIT_CLICK);
  Default();
}

void CNbLumoUIRichEdit::OnClose() { Default(); }

void CNbLumoUIRichEdit::OnDestroy() { CWnd::OnDestroy(); }

void CNbLumoUIRichEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (GetTextLength() == GetLimitText()) MessageBeep(kLimitBeep);
  Default();
}
