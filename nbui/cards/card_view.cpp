// The card views' shared core: creation, the card list, settings and sorting.
#include "cards/card_view_core.h"

#include <algorithm>
#include <new>
#include <vector>

#include "resources/resource_ids.h"

BEGIN_MESSAGE_MAP(CCardViewCore, CWnd)
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_VSCROLL()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_CANCELMODE()
  ON_WM_MOUSEWHEEL()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CCardViewCore::CCardViewCore(const Defaults& defaults) : m_defaults(defaults) {
  m_nCardWidth = defaults.nCardWidth;
  m_nCardHeight = defaults.nCardHeight;
  m_nMinCardWidth = defaults.nMinCardWidth;
  m_nMinCardHeight = defaults.nMinCardHeight;
}

CCardViewCore::~CCardViewCore() {
  if (m_hWnd) DestroyWindow();
}

BOOL CCardViewCore::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
  return CWnd::PreCreateWindow(cs);
}

int CCardViewCore::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_nCardWidth = m_defaults.nCardWidth;
  m_nCardHeight = m_defaults.nCardHeight;
  m_nMinCardWidth = m_defaults.nMinCardWidth;
  m_nMinCardHeight = m_defaults.nMinCardHeight;
  m_nFocusCard = 0;
  m_nTabStop = 12;
  m_nHeaderHeight = nbui::cards::kHeaderHeight;
  m_nDragMode = DRAG_NONE;
  m_bmpPrivate.DeleteObject();
  m_bmpCheck.DeleteObject();
  m_bmpNote.DeleteObject();
  m_bmpPrivate.LoadBitmap(IDB_NB_PRIVATE);
  m_bmpCheck.LoadBitmap(IDB_NB_CHECK);
  m_bmpNote.LoadBitmap(IDB_NB_NOTE);
  return 0;
}

int CCardViewCore::AddCard(void* pData, BOOL bRedraw) { return InsertCard(GetCardCount(), pData, bRedraw); }

int CCardViewCore::InsertCard(int nIndex, void* pData, BOOL bRedraw) {
  if (nIndex < 0 || nIndex >= kMaxCards) return -1;
  CCard card;
  card.m_nId = m_nNextId;
  card.m_pData = pData;
  size_t before = m_aCards.size();
  try {
    if (nIndex >= GetCardCount()) {
      m_aCards.resize(static_cast<size_t>(nIndex));
      m_aCards.push_back(card);
    } else {
      m_aCards.insert(m_aCards.begin() + nIndex, card);
    }
  } catch (const std::bad_alloc&) {
    m_aCards.resize(before);
    return -1;
  }
  ++m_nNextId;
  if (nIndex != GetCardCount() - 1) m_selection.Invalidate();
  UpdateLayout(bRedraw);
  if (bRedraw) Repaint();
  return nIndex;
}

void CCardViewCore::DeleteCard(int nIndex, BOOL bRedraw) {
  if (!ValidIndex(nIndex)) return;
  m_aCards.erase(m_aCards.begin() + nIndex);
  m_selection.Invalidate();
  UpdateLayout(bRedraw);
  if (bRedraw) Repaint();
}

void CCardViewCore::DeleteAllCards(BOOL bRedraw) {
  if (!m_aCards.empty()) {
    std::deque<CCard>().swap(m_aCards);
    m_selection.Invalidate();
  }
  UpdateLayout(bRedraw);
  if (bRedraw) Repaint();
}

CCard* CCardViewCore::GetCard(int nIndex) {
  if (!ValidIndex(nIndex)) return nullptr;
  // The caller may write the selected flag through the pointer.
  m_selection.Invalidate();
  return &m_aCards[static_cast<size_t>(nIndex)];
}

void CCardViewCore::SetCardData(int nIndex, void* pData) {
  if (ValidIndex(nIndex)) m_aCards[static_cast<size_t>(nIndex)].m_pData = pData;
}

void* CCardViewCore::GetCardData(int nIndex) const {
  return ValidIndex(nIndex) ? m_aCards[static_cast<size_t>(nIndex)].m_pData : nullptr;
}

int CCardViewCore::FindCardIndexByData(void* pData) const {
  auto it = std::find_if(m_aCards.begin(), m_aCards.end(), [pData](const CCard& c) { return c.m_pData == pData; });
  return it == m_aCards.end() ? -1 : static_cast<int>(it - m_aCards.begin());
}

int CCardViewCore::FindCardIndex(CCard* pCard) const {
  auto it = std::find_if(m_aCards.begin(), m_aCards.end(), [pCard](const CCard& c) { return &c == pCard; });
  return it == m_aCards.end() ? -1 : static_cast<int>(it - m_aCards.begin());
}

int CCardViewCore::SortItems(PFNCVCOMPARE pfnCompare, DWORD_PTR lParamSort) {
  if (m_aCards.empty() || !pfnCompare) return 1;
  int focusId = ValidIndex(m_nFocusCard) ? m_aCards[static_cast<size_t>(m_nFocusCard)].m_nId : -1;
  // The callback and its parameter travel in the comparator, so sorts of
  // different views (even nested ones) never share state. A merge sort
  // stays within the list even when the callback is inconsistent.
  auto less = [pfnCompare, lParamSort](const CCard& a, const CCard& b) {
    return pfnCompare(reinterpret_cast<LPARAM>(a.m_pData), reinterpret_cast<LPARAM>(b.m_pData),
                      static_cast<LPARAM>(lParamSort)) < 0;
  };
  try {
    // Contiguous cards sort several times faster than the list's blocks.
    std::vector<CCard> cards(m_aCards.begin(), m_aCards.end());
    std::stable_sort(cards.begin(), cards.end(), less);
    std::copy(cards.begin(), cards.end(), m_aCards.begin());
  } catch (const std::bad_alloc&) {
    std::stable_sort(m_aCards.begin(), m_aCards.end(), less);
  }
  m_selection.Invalidate();
  if (focusId != -1) {
    auto it = std::find_if(m_aCards.begin(), m_aCards.end(), [focusId](const CCard& c) { return c.m_nId == focusId; });
    if (it != m_aCards.end()) m_nFocusCard = static_cast<int>(it - m_aCards.begin());
  }
  Repaint();
  return 1;
}

void CCardViewCore::SetCardSize(int cx, int cy, BOOL bRedraw) {
  if (cx < 1 || cy < 1) return;
  m_nCardWidth = cx;
  m_nCardHeight = cy;
  UpdateViewInfo();
  if (bRedraw) Repaint();
}

void CCardViewCore::GetCardSize(int* pcx, int* pcy) const {
  if (pcx) *pcx = m_nCardWidth;
  if (pcy) *pcy = m_nCardHeight;
}

void CCardViewCore::SetMinCardSize(int cx, int cy) {
  m_nMinCardWidth = cx;
  m_nMinCardHeight = cy;
}

void CCardViewCore::GetMinCardSize(int* pcx, int* pcy) const {
  if (pcx) *pcx = m_nMinCardWidth;
  if (pcy) *pcy = m_nMinCardHeight;
}

void CCardViewCore::GetCardDescription(int nIndex, CCardDesc& desc) {
  desc.m_strTitle.Format("Card Number %d", nIndex + 1);
  desc.m_strText =
      "Head of Field Research\n"
      "Larkspur & Finch Surveying Ltd.\n"
      "<L>\n"
      "Work:\t+44 20 7946 0321\n"
      "Mobile:\t+44 7700 900 415\n"
      "Fax:\t+44 20 7946 0399\n"
      "\n"
      "Unit 4, Meadow Court\n"
      "17 Wharf Road\n"
      "Bristol BS1 6QA\n"
      "United Kingdom\n"
      "\n"
      "This card shows sample content: override GetCardDescription to describe your own records.<W>\n";
  desc.m_strCategory = "Personal";
  desc.m_bPrivate = 1;
  desc.m_bContentHidden = 0;
  desc.m_bNote = 1;
  desc.m_bPhoto = 1;
}
