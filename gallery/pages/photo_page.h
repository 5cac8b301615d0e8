// Photos: the gallery's pictures as tiles of the photo view, each drawn from
// a JPEG, PNG or BMP picture fitted into its square, with tiles that have no
// photo among them.
#pragma once

#include "cards/photo_view.h"
#include "gallery_page.h"

class CPhotoPage;

class CGalleryPhotoView : public CNbPhotoView {
 public:
  explicit CGalleryPhotoView(CPhotoPage* page) : m_pPage(page) {}
  void GetCardDescription(int nIndex, CPhotoCardDesc& desc) override;
  void DrawPhoto(CDC* pDC, int nIndex, RECT* pRect) override;
  void OnCardSelected(int nIndex, BOOL bSelected) override;
  void OnCardChecked(int nIndex, BOOL bChecked) override;

 private:
  CPhotoPage* m_pPage;
};

class CPhotoPage : public CGalleryPage {
 public:
  enum : UINT { kViewId = 8001, kCheckBoxesId = 8002, kCountId = 8003 };
  // Every this many tiles, one without a photo.
  static constexpr int kNoPhotoEvery = 5;

  const char* Title() const override { return "Photos"; }
  std::vector<State> States() override;
  void Tell(const CString& text) { Report(text); }
  CGalleryPhotoView m_view{this};

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
