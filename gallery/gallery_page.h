// A page of the gallery: one family of controls, shown the way a host
// application would use them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mfc/wnd.h"

class CStatusLine;

class CGalleryPage : public CWnd {
 public:
  // A state worth a picture: a name and what brings the page into it (run
  // on the headless desktop, acting as a user through the test driver).
  struct State {
    std::string name;
    std::function<void(CGalleryPage&)> enter;
  };

  ~CGalleryPage() override = default;

  virtual const char* Title() const = 0;
  // Creates the page's window and its controls inside `parent`.
  virtual BOOL CreatePage(CWnd* parent, const CRect& rect, UINT id);
  // States beyond the page as it opens.
  virtual std::vector<State> States() { return {}; }

  void SetStatusLine(CStatusLine* status) { m_pStatus = status; }

  // Where a state writes pictures of windows other than the gallery (a
  // dialog it opened); set while pictures are taken, empty otherwise.
  static std::function<void(HWND hwnd, const std::string& name)> s_savePicture;
  static void SavePicture(HWND hwnd, const std::string& name) {
    if (s_savePicture) s_savePicture(hwnd, name);
  }

 protected:
  // Shown in the gallery's status line: what a control just told the page.
  void Report(const CString& text);
  virtual void CreateControls() = 0;
  // A built-in control (button, static, edit ...) on the page, in the
  // dialog font.
  HWND AddControl(LPCTSTR cls, LPCTSTR text, DWORD style, const CRect& rect, UINT id);

  CStatusLine* m_pStatus = nullptr;
};

using PageFactory = std::function<std::unique_ptr<CGalleryPage>()>;
// Every page, in the order of the tabs.
std::vector<PageFactory> GalleryPages();
