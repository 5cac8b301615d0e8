// The tab control's model, layout and input.
#include "buttons/tab_ctrl.h"

#include <algorithm>
#include <new>

#include "NbThemes/nbthemes.h"
#include "buttons/tab_layout.h"

namespace {
constexpr int kTopItemHeight = 22;
constexpr int kBottomItemHeight = 24;
}  // namespace

BEGIN_MESSAGE_MAP(CNbTabCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_GETDLGCODE()
  ON_WM_KEYUP()
  ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CNbTabCtrl::CNbTabCtrl() = default;

CNbTabCtrl::~CNbTabCtrl() {
  // The window goes first, so that no message finds a half-deleted control;
  // the tabs then go without the layout and notices DeleteItem would give.
  if (m_hWnd) DestroyWindow();
  for (CTabItem* item : m_items) delete item;
  m_items.clear();
}

BOOL CNbTabCtrl::Create(UINT nStyle, const CRect& rect, CWnd* pParentWnd, UINT nID) {
  if (!(nStyle & (NBTCS_TOP | NBTCS_BOTTOM))) nStyle |= NBTCS_TOP;
  m_dwTabStyle = nStyle;
  LPCTSTR cls = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                    static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  BOOL created = CreateEx(0, cls, "", nStyle | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParentWnd, nID);
  // Only the placement stays, whether or not the window came to be.
  m_dwTabStyle &= NBTCS_TOP | NBTCS_BOTTOM;
  if (!created) return FALSE;
  m_nColorRole = 19;
  return TRUE;
}

BOOL CNbTabCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPCHILDREN;
  return CWnd::PreCreateWindow(cs);
}

CNbTabCtrl::CTabItem* CNbTabCtrl::Item(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount()) return nullptr;
  return m_items[static_cast<size_t>(nIndex)];
}

int CNbTabCtrl::GetItemHeight() { return (GetStyle() & NBTCS_TOP) ? kTopItemHeight : kBottomItemHeight; }
UINT CNbTabCtrl::GetStyle() { return m_dwTabStyle; }
int CNbTabCtrl::GetActiveItem() { return m_nActive; }
int CNbTabCtrl::GetCount() { return static_cast<int>(m_items.size()); }

void CNbTabCtrl::SetActiveItem(int nIndex) { Activate(nIndex); }

CNbTabCtrl* CNbTabCtrl::operator=(int nIndex) {
  Activate(nIndex);
  return this;
}

void CNbTabCtrl::Activate(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount() || nIndex == m_nActive) return;
  OnActivatePage(m_nActive, nIndex);
  m_nActive = nIndex;
  InvalidateNew(TRUE);
  PostToParent(WM_TABCTRL_ACTIVATE, static_cast<WPARAM>(nIndex));
}

void CNbTabCtrl::PostToParent(UINT message, WPARAM wParam) {
  // A control without a parent tells nobody (a null window would make it a
  // message to the thread).
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  if (parent) ::PostMessage(parent, message, wParam, 0);
}

CSize CNbTabCtrl::ItemSize(int nIndex) {
  if (CTabItem* item = Item(nIndex)) return CSize(item->m_nWidth, GetItemHeight());
  int total = 0;
  for (CTabItem* item : m_items) total += item->m_nWidth;
  return CSize(total, GetItemHeight());
}

int CNbTabCtrl::AddItem(const char* pszText, long lParam, HICON hIcon) {
  CTabItem* item = new (std::nothrow) CTabItem(pszText ? pszText : "", this);
  if (!item) return -1;
  try {
    m_items.push_back(item);
  } catch (const std::bad_alloc&) {
    delete item;
    return -1;
  }
  item->SetIcon(hIcon);
  item->m_lParam = lParam;
  RecalcLayout();
  InvalidateNew(TRUE);
  return GetCount() - 1;
}

BOOL CNbTabCtrl::DeleteItem(int nIndex) {
  CTabItem* item = Item(nIndex);
  if (!item) return FALSE;
  delete item;
  m_items.erase(m_items.begin() + nIndex);
  // Deleting leaves the active index alone, as hosts expect, except that
  // it never points past the tabs that are left (-1 when none is).
  if (m_nActive >= GetCount()) m_nActive = GetCount() - 1;
  if (m_hWnd) {
    RecalcLayout();
    InvalidateNew(TRUE);
  }
  return TRUE;
}

CRect CNbTabCtrl::_GetClientRect() {
  CRect rc;
  GetClientRect(&rc);
  rc.DeflateRect(2, 2);
  if (GetStyle() & NBTCS_TOP) rc.top += GetItemHeight();
  else rc.bottom -= GetItemHeight();
  return rc;
}

int CNbTabCtrl::Point2Item(CPoint pt) {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_items[static_cast<size_t>(i)]->HitTest(pt)) return i;
  }
  return -1;
}

void CNbTabCtrl::OnInitDC(CDC* pDC) {
  m_pOldFont = pDC->SelectObject(NbThemeGetFont());
  pDC->SetBkMode(TRANSPARENT);
}

void CNbTabCtrl::OnEndDC(CDC* pDC) {
  if (m_pOldFont) pDC->SelectObject(m_pOldFont);
  m_pOldFont = nullptr;
}

void CNbTabCtrl::RecalcLayout() {
  if (m_items.empty()) return;
  // Text is measured the same in any context with the font selected, so a
  // memory context serves before the window exists too.
  CDC dc;
  if (!dc.CreateCompatibleDC(nullptr)) return;
  OnInitDC(&dc);
  int x = 0;
  for (CTabItem* item : m_items) {
    item->m_nWidth = item->CalcWidth(&dc);
    item->m_nLeft = x;
    x += item->m_nWidth;
  }
  OnEndDC(&dc);
  // Before the window exists there is no width to squeeze into: the natural
  // widths stand, so that ItemSize tells the host how wide to make it.
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  AutoSize(x, client.Width());
}

void CNbTabCtrl::AutoSize(int nTotalWidth, int nClientWidth) {
  if (nTotalWidth <= nClientWidth || m_items.empty()) return;
  int n = GetCount();
  for (int k = 0; k < n; ++k) {
    nbui::tabs::Span span = nbui::tabs::Squeezed(k, n, nClientWidth);
    m_items[static_cast<size_t>(k)]->m_nLeft = span.left;
    m_items[static_cast<size_t>(k)]->m_nWidth = span.width;
  }
}

void CNbTabCtrl::InvalidateNew(BOOL bErase) {
  if (m_hWnd) Invalidate(bErase);
}

void CNbTabCtrl::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  RecalcLayout();
}

void CNbTabCtrl::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  Invalidate(TRUE);
}

void CNbTabCtrl::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  Invalidate(TRUE);
}

BOOL CNbTabCtrl::OnEraseBkgnd(CDC*) { return TRUE; }
UINT CNbTabCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CNbTabCtrl::OnSysColorChange() {
  CWnd::OnSysColorChange();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CNbTabCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  int hit = Point2Item(point);
  Activate(hit);
  if (hit >= 0) PostToParent(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()));
  CWnd::OnLButtonDown(nFlags, point);
}

void CNbTabCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  int n = GetCount();
  switch (nChar) {
    case VK_LEFT:
      if (m_nActive >= 0) Activate(m_nActive == 0 ? n - 1 : m_nActive - 1);
      return;
    case VK_RIGHT:
      if (n > 0) Activate(m_nActive < 0 || m_nActive >= n - 1 ? 0 : m_nActive + 1);
      return;
    case VK_HOME:
      Activate(0);
      return;
    case VK_END:
      Activate(n - 1);
      return;
    default:
      CWnd::OnKeyUp(nChar, nRepCnt, nFlags);
  }
}

BOOL CNbTabCtrl::PreTranslateMessage(MSG* pMsg) {
  if (GetCount() > 0 && m_hAccel && ::TranslateAccelerator(m_hWnd, m_hAccel, pMsg)) {
    if (HWND parent = ::GetParent(m_hWnd)) {
      NMTCKEYDOWN key{};
      key.hdr.hwndFrom = m_hWnd;
      key.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
      key.hdr.code = static_cast<UINT>(TCN_KEYDOWN);
      key.wVKey = static_cast<WORD>(pMsg->wParam);
      key.flags = static_cast<UINT>(pMsg->lParam);
      ::SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(LOWORD(GetDlgCtrlID())), reinterpret_cast<LPARAM>(&key));
    }
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}
