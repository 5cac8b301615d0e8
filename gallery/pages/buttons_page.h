// Bitmap buttons in their flat and 3-D looks with the gallery's own
// pictures, a caption-only, a default-picture and a disabled one, and a tab
// control with its tabs at the bottom, icons and a label too long for its tab.
#pragma once

#include <vector>

#include "buttons/bitmap_button.h"
#include "buttons/tab_ctrl.h"
#include "gallery_page.h"

class CButtonsPage : public CGalleryPage {
 public:
  enum : UINT { kFirstPictureId = 8001, kCaptionId = 8010, kDefaultId = 8011, kDisabledId = 8012, kFoldersId = 8020,
                kFolderTextId = 8021 };
  static constexpr int kFlat = 4;
  static constexpr int kRaised = 3;

  ~CButtonsPage() override;
  const char* Title() const override { return "Buttons"; }
  std::vector<State> States() override;

 protected:
  void CreateControls() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CNbBitmapButton m_buttons[kFlat + kRaised + 3];
  CNbTabCtrl m_folders;
  std::vector<HICON> m_icons;
};
