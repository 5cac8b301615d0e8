// Private records: an address book's private entries stay hidden until the
// user's password is entered through the library's prompts; the host keeps
// the password as a digest and sets it from "Set password...".
#pragma once

#include "gallery_page.h"

class CPrivatePage : public CGalleryPage {
 public:
  enum : UINT {
    kSetPasswordId = 6001,
    kShowId = 6002,
    kEditId = 6003,
    kHideId = 6004,
    kStateId = 6005,
    kRecordsId = 6006,
  };

  const char* Title() const override { return "Private"; }
  std::vector<State> States() override;

 protected:
  void CreateControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void SetPassword();
  void ShowRecords(bool privateShown);
  void ShowPasswordState();

  bool m_bPrivateShown = false;
};
