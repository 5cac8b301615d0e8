#include "categories/color_swatch.h"

#include "NbThemes/nbthemes.h"
#include "mfc/gdiobj.h"

namespace {

constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr int kSwatchThemeItem = 13;

}  // namespace

BEGIN_MESSAGE_MAP(CNbColorSwatch, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCodeEx)
END_MESSAGE_MAP()

CNbColorSwatch::CNbColorSwatch() : m_bSelected(0) {}

CNbColorSwatch::~CNbColorSwatch() = default;

BOOL CNbColorSwatch::Create(COLORREF crColor, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_crColor = crColor;
  return CButton::Create("", dwStyle, rect, pParentWnd, nID);
}

BOOL CNbColorSwatch::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_OWNERDRAW;
  return CButton::PreCreateWindow(cs);
}

void CNbColorSwatch::Select(int bSelected) {
  if (bSelected == m_bSelected) return;
  m_bSelected = bSelected;
  if (m_hWnd) RedrawWindow(nullptr, nullptr, kRedrawNow);
}

void CNbColorSwatch::DrawItem(LPDRAWITEMSTRUCT dis) {
  NBTHEMEITEMINFO info{};
  if (!dis || NbThemeGetItemInfo(kSwatchThemeItem, &info) != 0) return;
  CDC* pDC = CDC::FromHandle(dis->hDC);
  if (!pDC) return;
  // From the outside in, one pixel each: black, the chosen ring (black when
  // chosen, white otherwise), white, then the color.
  CRect r(dis->rcItem);
  const COLORREF rings[3] = {RGB(0, 0, 0), m_bSelected ? RGB(0, 0, 0) : RGB(255, 255, 255), RGB(255, 255, 255)};
  for (COLORREF ring : rings) {
    CBrush brush(ring);
    pDC->FrameRect(&r, &brush);
    r.DeflateRect(1, 1);
  }
  pDC->FillSolidRect(&r, m_crColor);
  if (dis->itemState & ODS_FOCUS) {
    CBrush pattern;
    pattern.CreatePatternBrush(NbThemeGetPatternBitmap());
    COLORREF oldText = pDC->SetTextColor(info.crText);
    pDC->FrameRect(&r, &pattern);
    pDC->SetTextColor(oldText);
  }
}

BOOL CNbColorSwatch::OnEraseBkgnd(CDC*) { return TRUE; }

void CNbColorSwatch::OnSysColorChange() {
  Default();
  RedrawWindow(nullptr, nullptr, kRedrawNow);
}

void CNbColorSwatch::OnLButtonDblClk(UINT nFlags, CPoint point) {
  SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

LRESULT CNbColorSwatch::OnGetDlgCodeEx(WPARAM, LPARAM lParam) {
  LRESULT code = Default();
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
    code |= DLGC_WANTMESSAGE;
  return code;
}

void CNbColorSwatch::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar != VK_RETURN) {
    Default();
    return;
  }
  // Bit 14: the key was already down, an auto-repeat.
  if (nFlags & 0x4000) return;
  CWnd* owner = GetOwner();
  if (owner) owner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}
