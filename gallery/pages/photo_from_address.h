// "Photo from address...": the user types a web address, the library fetches
// the picture, and a small preview beside the card view shows it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CxImage/cximage.h"
#include "gallery_page.h"
#include "mfc/wnd.h"

// The preview: the picture scaled to fit, keeping its proportions.
class CPhotoPreview : public CWnd {
 public:
  void SetImage(std::unique_ptr<CxImage> image);
  const CxImage* Image() const { return m_image.get(); }

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()

 private:
  std::unique_ptr<CxImage> m_image;
};

class CPhotoFromAddress {
 public:
  using Reporter = std::function<void(const CString&)>;

  // The button (with command id `buttonId`) and the preview on `page`.
  void Create(CGalleryPage* page, UINT buttonId, const CRect& button, const CRect& preview, Reporter report);
  // Asks for an address and shows what it brings.
  void Ask(CWnd* parent);
  // Fetches `address` into the preview; false when nothing came.
  bool Fetch(const std::string& address);
  // The snapshot state: a picture served from 127.0.0.1 by a thread of the
  // gallery, asked for through the dialog.
  static CGalleryPage::State SnapshotState(UINT buttonId);

 private:
  CPhotoPreview m_preview;
  Reporter m_report;
};
