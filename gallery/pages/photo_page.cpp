#include "pages/photo_page.h"

#include "cards/image_geometry.h"
#include "nbp/test_driver.h"
#include "pages/picture_maker.h"
#include "win/controls.h"

namespace {

// The picture of a tile: its card data is the picture's index plus one, and
// null for a tile without a photo.
GalleryPicture* PictureOf(CNbPhotoView& view, int index) {
  auto n = reinterpret_cast<intptr_t>(view.GetCardData(index));
  std::vector<GalleryPicture>& pictures = GalleryPictures();
  return n > 0 && n <= static_cast<intptr_t>(pictures.size()) ? &pictures[static_cast<size_t>(n - 1)] : nullptr;
}

CString Label(CNbPhotoView& view, int index) {
  GalleryPicture* p = PictureOf(view, index);
  CString text;
  if (p) {
    text.Format("%s (%s, %ld bytes, %lu x %lu)", static_cast<LPCTSTR>(p->name), static_cast<LPCTSTR>(p->format),
                p->bytes, static_cast<unsigned long>(p->image.GetWidth()),
                static_cast<unsigned long>(p->image.GetHeight()));
  } else {
    text.Format("Tile %d (no photo)", index + 1);
  }
  return text;
}

POINT InTile(CNbPhotoView& view, int index) {
  CRect cell;
  view.GetCardCell(index, &cell);
  return POINT{cell.left + cell.Width() / 2, cell.top + cell.Height() / 3};
}

}  // namespace

void CGalleryPhotoView::GetCardDescription(int nIndex, CPhotoCardDesc& desc) {
  GalleryPicture* p = PictureOf(*this, nIndex);
  if (p) {
    desc.m_strTitle.Format("%s (%s)", static_cast<LPCTSTR>(p->name), static_cast<LPCTSTR>(p->format));
  } else {
    desc.m_strTitle.Format("Tile %d", nIndex + 1);
  }
  desc.m_bPhoto = p != nullptr;
  desc.m_bPrivate = nIndex == 3;
  desc.m_bNote = nIndex % 7 == 2;
}

void CGalleryPhotoView::DrawPhoto(CDC* pDC, int nIndex, RECT* pRect) {
  if (GalleryPicture* p = PictureOf(*this, nIndex)) NBDrawRectImage(pDC, &p->image, pRect);
}

void CGalleryPhotoView::OnCardSelected(int nIndex, BOOL bSelected) {
  if (bSelected) m_pPage->Tell("Selected: " + Label(*this, nIndex));
}

void CGalleryPhotoView::OnCardChecked(int nIndex, BOOL bChecked) {
  m_pPage->Tell((bChecked ? "Checked: " : "Unchecked: ") + Label(*this, nIndex));
}

void CPhotoPage::CreateControls() {
  CRect client;
  GetClientRect(&client);
  AddControl(WC_STATIC, "", SS_LEFT | SS_NOPREFIX, CRect(12, 14, 420, 32), kCountId);
  AddControl(WC_BUTTON, "Check &boxes", BS_AUTOCHECKBOX | WS_TABSTOP, CRect(430, 12, 560, 32), kCheckBoxesId);
  m_view.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(8, 42, client.right - 8, client.bottom - 8), this,
                  kViewId);
  int pictures = static_cast<int>(GalleryPictures().size()), tiles = 0;
  for (int n = 1; n <= pictures; ++n) {
    if (tiles % kNoPhotoEvery == kNoPhotoEvery - 1) {
      m_view.AddCard(nullptr, FALSE);
      ++tiles;
    }
    m_view.AddCard(reinterpret_cast<void*>(static_cast<intptr_t>(n)), FALSE);
    ++tiles;
  }
  CString text;
  text.Format("%d pictures in JPEG, PNG and BMP, drawn at run time", pictures);
  ::SetWindowText(::GetDlgItem(m_hWnd, kCountId), text);
}

BOOL CPhotoPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && lParam && LOWORD(wParam) == kCheckBoxesId) {
    bool on = ::SendMessage(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0) == BST_CHECKED;
    m_view.SetFlags(on ? m_view.GetFlags() | CVF_CHECKBOXES : m_view.GetFlags() & ~CVF_CHECKBOXES);
    m_view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Report(on ? "Check boxes shown" : "Check boxes hidden");
    return TRUE;
  }
  return CGalleryPage::OnCommand(wParam, lParam);
}

std::vector<CGalleryPage::State> CPhotoPage::States() {
  auto view = [](CGalleryPage& page) -> CNbPhotoView& { return static_cast<CPhotoPage&>(page).m_view; };
  return {
      {"selection", [view](CGalleryPage& page) {
         CNbPhotoView& v = view(page);
         nbp::test::Click(v.m_hWnd, InTile(v, 0));
         nbp::test::AdvanceClock(1000);
         nbp::test::KeyDown(VK_CONTROL);
         nbp::test::Click(v.m_hWnd, InTile(v, 4));
         nbp::test::KeyUp(VK_CONTROL);
       }},
      {"checkboxes", [view](CGalleryPage& page) {
         HWND box = ::GetDlgItem(page.m_hWnd, kCheckBoxesId);
         RECT r;
         ::GetClientRect(box, &r);
         nbp::test::Click(box, POINT{8, r.bottom / 2});
         CNbPhotoView& v = view(page);
         CPhotoCardRects rects;
         v.GetCardRects(1, rects);
         nbp::test::Click(v.m_hWnd, rects.m_rcCheck.CenterPoint());
       }},
      {"resize-drag", [view](CGalleryPage& page) {
         // Dragged far right, the bands stop at the largest tile.
         CNbPhotoView& v = view(page);
         v.SetCardSize(110, 110);
         nbp::test::Press(v.m_hWnd, POINT{108, 60});
         nbp::test::MoveTo(v.m_hWnd, POINT{300, 60});
         nbp::test::MoveTo(v.m_hWnd, POINT{400, 60});
       }},
      {"small-tiles", [view](CGalleryPage& page) { view(page).SetCardSize(96, 90); }},
  };
}
