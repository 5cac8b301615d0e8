// The user-facing download: the wait cursor and the message of a failure
// around the transfer.
#include "frame/image_download.h"
#include "frame/image_fetch_internal.h"
#include "mfc/app.h"

namespace {

// Shows the wait cursor for its lifetime, when there is an application.
class WaitCursor {
 public:
  WaitCursor() : app_(AfxGetApp()) {
    if (app_) app_->BeginWaitCursor();
  }
  ~WaitCursor() { End(); }
  void End() {
    if (app_) app_->EndWaitCursor();
    app_ = nullptr;
  }

 private:
  CWinApp* app_;
};

}  // namespace

CxImage* NBDownloadURLImage(const char* lpszURL, int nQuiet) {
  WaitCursor wait;
  DWORD format = NbImageFormatFromAddress(lpszURL);
  if (format == 0) return nullptr;
  UINT error = 0;
  CxImage* image = NbFetchImage(lpszURL, format, error);
  // The user answers the message with the normal cursor.
  wait.End();
  if (error != 0 && !nQuiet) AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION, 0);
  return image;
}
