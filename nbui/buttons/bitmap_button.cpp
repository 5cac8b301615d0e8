// The bitmap button's behaviour: owner drawing kept on, clicks turned into
// the private message, and the hover state of the flat look.
#include "buttons/bitmap_button.h"

#include <algorithm>

#include "cards/image_geometry.h"
#include "resources/resource_ids.h"
#include "win/dialogs.h"

namespace {
constexpr int kImageLimit = 64;
// The button-type bits, with the one above the four that name the type, so
// that no kind of button survives the switch to owner drawing.
constexpr DWORD kTypeBits = 0x1F;
}  // namespace

BEGIN_MESSAGE_MAP(CNbBitmapButton, CButton)
  ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_WM_KILLFOCUS()
  ON_WM_CANCELMODE()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
END_MESSAGE_MAP()

CNbBitmapButton::CNbBitmapButton() { m_bmpDefault.LoadBitmap(IDB_NB_DEFAULT_IMAGE); }

CNbBitmapButton::~CNbBitmapButton() {
  if (m_hWnd) DestroyWindow();
  delete m_pImage;
}

int CNbBitmapButton::SetFlat(BOOL bFlat, BOOL bRedraw) {
  m_bFlat = bFlat;
  if (bRedraw && m_hWnd) Invalidate();
  return 0;
}

int CNbBitmapButton::DrawBorder(BOOL bEnable, BOOL bRedraw) {
  m_bBorder = bEnable;
  if (bRedraw && m_hWnd) Invalidate();
  return 0;
}

int CNbBitmapButton::DrawFlatFocus(BOOL bEnable, BOOL bRedraw) {
  m_bFlatFocus = bEnable;
  if (bRedraw && m_hWnd) Invalidate();
  return 0;
}

void CNbBitmapButton::SetCxImage(CxImage* pImage) {
  if (!m_pImage) m_pImage = new CxImage;
  if (pImage && pImage->IsValid()) {
    if (pImage != m_pImage) m_pImage->Copy(*pImage);
    CRect fit(0, 0, static_cast<int>(m_pImage->GetWidth()), static_cast<int>(m_pImage->GetHeight()));
    NBScalePropRect(fit, kImageLimit);
    // A very thin picture would round to no pixels across and could not be
    // resampled at all, keeping its full size: one pixel is the least.
    m_pImage->Resample(std::max(fit.Width(), 1), std::max(fit.Height(), 1), CXIMAGE_RESAMPLE_SMOOTH);
  } else {
    m_pImage->Destroy();
  }
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbBitmapButton::PreSubclassWindow() {
  // Whatever kind of button it was, it is drawn here from now on.
  ModifyStyle(kTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

BOOL CNbBitmapButton::PreTranslateMessage(MSG* pMsg) {
  // The built-in button reports a double click instead of a second press;
  // as a press it makes a second click.
  if (pMsg->hwnd == m_hWnd && pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
  return CButton::PreTranslateMessage(pMsg);
}

LRESULT CNbBitmapButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, lParam);
}

BOOL CNbBitmapButton::OnClicked() {
  SetFocus();
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_NB_BITMAPBUTTON_CLICKED, 0, 0);
  return TRUE;
}

void CNbBitmapButton::CancelHover() {
  if (!m_bFlat || !m_bHover) return;
  m_bHover = FALSE;
  Invalidate();
}

void CNbBitmapButton::OnMouseMove(UINT nFlags, CPoint point) {
  CButton::OnMouseMove(nFlags, point);
  POINT cursor;
  ::GetCursorPos(&cursor);
  HWND under = ::WindowFromPoint(cursor);
  // A drag that started elsewhere does not light the button up.
  if ((nFlags & MK_LBUTTON) && !m_bHover) return;
  if (!m_bFlat) return;
  if (under != m_hWnd) {
    CancelHover();
    return;
  }
  if (m_bHover) return;
  m_bHover = TRUE;
  Invalidate();
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = m_hWnd;
  ::_TrackMouseEvent(&track);
}

LRESULT CNbBitmapButton::OnMouseLeave(WPARAM, LPARAM) {
  CancelHover();
  return 0;
}

void CNbBitmapButton::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  CancelHover();
}

void CNbBitmapButton::OnCancelMode() {
  CButton::OnCancelMode();
  CancelHover();
}

void CNbBitmapButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CButton::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) CancelHover();
}

void CNbBitmapButton::OnEnable(BOOL bEnable) {
  CButton::OnEnable(bEnable);
  if (bEnable) return;
  // Disabling the focused button leaves the focus with nobody; it moves on
  // to the next control then, and never away from another control that has
  // it.
  HWND focus = ::GetFocus();
  CWnd* parent = GetParent();
  bool ours = focus == m_hWnd || (!focus && ::GetActiveWindow() == ::GetAncestor(m_hWnd, GA_ROOT));
  if (parent && ours) {
    HWND next = ::GetNextDlgTabItem(parent->m_hWnd, m_hWnd, FALSE);
    if (next && next != m_hWnd) ::SetFocus(next);
    else parent->SetFocus();
  }
  CancelHover();
}
