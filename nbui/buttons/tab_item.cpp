// One tab of CNbTabCtrl: where it is, how wide it wants to be, and how it
// draws its frame, icon and label in theme item 19's colors.
#include "NbThemes/nbthemes.h"
#include "buttons/tab_ctrl.h"
#include "buttons/tab_layout.h"
#include "buttons/tab_pens_internal.h"
#include "mfc/gdiobj.h"

using nbui::tabs::kIconSize;
using nbui::tabs::kMargin;
using nbui::tabs::TabPens;

namespace {

constexpr int kTabItem = 19;

// The tab's content area: its rectangle, 2 pixels lower when inactive,
// narrowed by the margin on both sides.
CRect ContentRect(CRect item, BOOL bActive) {
  if (!bActive) item.top += 2;
  item.DeflateRect(kMargin, 0);
  return item;
}

}  // namespace

CNbTabCtrl::CTabItem::CTabItem(const char* pszText, CNbTabCtrl* pOwner) : m_strText(pszText), m_pOwner(pOwner) {}

CRect CNbTabCtrl::CTabItem::GetItemRect() {
  int height = m_pOwner->GetItemHeight();
  CRect client;
  m_pOwner->GetClientRect(&client);
  int top = (m_pOwner->GetStyle() & NBTCS_TOP) ? client.top : client.bottom - height - 1;
  return CRect(m_nLeft, top, m_nLeft + m_nWidth, top + height);
}

CNbTabCtrl::CTabItem* CNbTabCtrl::CTabItem::SetIcon(HICON hIcon) {
  m_hIcon = hIcon;
  return this;
}

BOOL CNbTabCtrl::CTabItem::HitTest(CPoint pt) { return GetItemRect().PtInRect(pt); }

int CNbTabCtrl::CTabItem::CalcWidth(CDC* pDC) {
  return nbui::tabs::NaturalWidth(pDC->GetTextExtent(m_strText).cx, m_hIcon != nullptr);
}

CRect CNbTabCtrl::CTabItem::OutlineRect(BOOL bActive) {
  CRect r = GetItemRect();
  if (bActive) return r;
  // Inactive tabs stand 2 pixels lower than the active one and stop short
  // of the page's edge, which runs on beneath them.
  if (m_pOwner->GetStyle() & NBTCS_TOP) {
    r.top += 2;
    r.bottom -= 1;
  } else {
    r.top += 2;
    r.bottom -= 2;
  }
  return r;
}

COLORREF CNbTabCtrl::CTabItem::FillColor(BOOL bActive) {
  COLORREF face = 0;
  NbThemeGetItemColors(kTabItem, &face, nullptr, nullptr, nullptr);
  return bActive ? face : NbThemeShadeColor(face, 32);
}

void CNbTabCtrl::CTabItem::DrawTopFrame(CDC* pDC, BOOL bActive) {
  //   light ------------- shadow black
  //   light    fill       shadow black
  // The active tab's fill reaches over the page's top edge, so that tab and
  // page read as one.
  CRect o = OutlineRect(bActive);
  pDC->FillSolidRect(o.left + 1, o.top + 1, o.Width() - 3, o.Height() - 1, FillColor(bActive));
  TabPens pens(pDC);
  pens.Line(o.left, o.top + 1, o.left, o.bottom);
  pens.Line(o.left + 1, o.top, o.right - 2, o.top);
  pens.Shadow();
  pens.Line(o.right - 2, o.top + 1, o.right - 2, o.bottom);
  pens.Black();
  pens.Line(o.right - 1, o.top + 1, o.right - 1, o.bottom);
}

void CNbTabCtrl::CTabItem::DrawBottomFrame(CDC* pDC, BOOL bActive) {
  CRect o = OutlineRect(bActive);
  COLORREF fill = FillColor(bActive);
  pDC->FillSolidRect(o.left + 1, o.top, o.Width() - 3, o.Height() - 2, fill);
  TabPens pens(pDC);
  pens.Line(o.left, o.top, o.left, o.bottom - 1);
  pens.Shadow();
  pens.Line(o.left + 1, o.bottom - 2, o.right - 2, o.bottom - 2);
  pens.Line(o.right - 2, o.top, o.right - 2, o.bottom - 2);
  pens.Black();
  pens.Line(o.left, o.bottom - 1, o.right, o.bottom - 1);
  pens.Line(o.right - 1, o.top, o.right - 1, o.bottom - 1);
  if (!bActive) {
    // Inactive tabs hang below the page's edge with a soft seam.
    COLORREF face = 0;
    NbThemeGetItemColors(kTabItem, &face, nullptr, nullptr, nullptr);
    pDC->FillSolidRect(o.left + 1, o.top, o.Width() - 3, 1, NbThemeShadeColor(face, -16));
    pDC->FillSolidRect(o.left + 1, o.top + 1, o.Width() - 3, 1, NbThemeShadeColor(face, 16));
  }
}

int CNbTabCtrl::CTabItem::DrawIcon(CDC* pDC, BOOL bActive) {
  CRect n = ContentRect(GetItemRect(), bActive);
  if (!m_hIcon || n.Width() <= kIconSize) return n.left;
  // The icon goes onto the tab's own fill first, so its transparent parts
  // show the tab, then is copied at its own size, centred in the height.
  CDC mem;
  CBitmap bits;
  if (mem.CreateCompatibleDC(pDC) && bits.CreateCompatibleBitmap(pDC, kIconSize, kIconSize)) {
    CBitmap* old = mem.SelectObject(&bits);
    mem.FillSolidRect(0, 0, kIconSize, kIconSize, FillColor(bActive));
    ::DrawIcon(mem.GetSafeHdc(), 0, 0, m_hIcon);
    pDC->StretchBlt(n.left + 6, n.top + (n.Height() - kIconSize) / 2, kIconSize, kIconSize, &mem, 0, 0, kIconSize,
                    kIconSize, SRCCOPY);
    mem.SelectObject(old);
  }
  return n.left + kMargin / 2 + kIconSize;
}

void CNbTabCtrl::CTabItem::DrawLabel(CDC* pDC, BOOL bActive, BOOL bFocus) {
  CRect item = GetItemRect();
  CRect n = ContentRect(item, bActive);
  CRect text(DrawIcon(pDC, bActive) + 6, n.top, n.right, n.bottom);
  CString label = nbui::tabs::FitLabel(m_strText, text.Width(),
                                       [pDC](const CString& s) { return static_cast<int>(pDC->GetTextExtent(s).cx); });
  NBTHEMEITEMINFO info{};
  NbThemeGetItemInfo(kTabItem, &info);
  if (!label.IsEmpty()) {
    COLORREF old = pDC->SetTextColor(info.crText);
    pDC->DrawText(label, &text, DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(old);
  }
  if (!(bActive && bFocus)) return;
  CBrush dots;
  CBitmap* pattern = NbThemeGetPatternBitmap();
  if (!pattern || !dots.CreatePatternBrush(pattern)) return;
  CRect focus = item;
  focus.DeflateRect(2, 2, 2, 3);
  COLORREF oldText = pDC->SetTextColor(info.crText);
  COLORREF oldBack = pDC->SetBkColor(FillColor(bActive));
  pDC->FrameRect(&focus, &dots);
  pDC->SetTextColor(oldText);
  pDC->SetBkColor(oldBack);
}

void CNbTabCtrl::CTabItem::Draw(CDC* pDC, BOOL bActive, BOOL bFocus) {
  if (m_pOwner->GetStyle() & NBTCS_TOP) DrawTopFrame(pDC, bActive);
  else DrawBottomFrame(pDC, bActive);
  DrawLabel(pDC, bActive, bActive && bFocus);
}
