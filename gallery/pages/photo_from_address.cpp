#include "pages/photo_from_address.h"

#include <algorithm>
#include <vector>

#include "frame/image_download.h"
#include "mfc/dialog.h"
#include "mfc/paint_dc.h"
#include "nbp/dialog_template.h"
#include "nbp/headless.h"
#include "nbp/test_driver.h"
#include "pages/photo_server.h"
#include "win/controls.h"
#include "win/syscolors.h"

namespace {

class CAddressDlg : public CDialog {
 public:
  enum : UINT { kAddressId = 101 };
  explicit CAddressDlg(CWnd* parent) : m_template(Template()) { m_pParentWnd = parent; }
  int DoModal() override {
    if (!InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_template.data()), m_pParentWnd)) return -1;
    return CDialog::DoModal();
  }
  std::string m_address;

 protected:
  void OnOK() override {
    char buffer[2048] = {};
    ::GetDlgItemText(m_hWnd, kAddressId, buffer, sizeof buffer);
    m_address = buffer;
    EndDialog(IDOK);
  }

 private:
  static std::vector<uint8_t> Template() {
    nbp::DialogTemplateWriter w(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 240, 66,
                                "Photo from Address");
    w.Font(8, "MS Shell Dlg")
        .LText("&Address of a JPEG or BMP picture:", 0xFFFF, 7, 7, 226, 10)
        .EditText(kAddressId, 7, 20, 226, 12, ES_AUTOHSCROLL)
        .DefPushButton("OK", IDOK, 129, 44, 50, 14)
        .PushButton("Cancel", IDCANCEL, 183, 44, 50, 14);
    return w.Bytes();
  }
  std::vector<uint8_t> m_template;
};

}  // namespace

BEGIN_MESSAGE_MAP(CPhotoPreview, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CPhotoPreview::SetImage(std::unique_ptr<CxImage> image) {
  m_image = std::move(image);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CPhotoPreview::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
  dc.Draw3dRect(&rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  if (!m_image || !m_image->IsValid()) return;
  rc.DeflateRect(1, 1);
  // The largest size of the picture's proportions that fits, centred.
  double scale = std::min(double(rc.Width()) / m_image->GetWidth(), double(rc.Height()) / m_image->GetHeight());
  long cx = std::max(1L, long(m_image->GetWidth() * scale)), cy = std::max(1L, long(m_image->GetHeight() * scale));
  m_image->Draw(dc.GetSafeHdc(), rc.left + (rc.Width() - cx) / 2, rc.top + (rc.Height() - cy) / 2, cx, cy);
}

void CPhotoFromAddress::Create(CGalleryPage* page, UINT buttonId, const CRect& button, const CRect& preview,
                               Reporter report) {
  m_report = std::move(report);
  HWND hwnd = ::CreateWindowEx(0, WC_BUTTON, "Photo from a&ddress...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                               button.left, button.top, button.Width(), button.Height(), page->m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(buttonId)), nullptr, nullptr);
  ::SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  m_preview.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, preview, page, 0);
}

void CPhotoFromAddress::Ask(CWnd* parent) {
  CAddressDlg dlg(parent);
  if (dlg.DoModal() == IDOK) Fetch(dlg.m_address);
}

bool CPhotoFromAddress::Fetch(const std::string& address) {
  std::unique_ptr<CxImage> image(NBDownloadURLImage(address.c_str(), 0));
  bool shown = image && image->IsValid();
  CString text;
  if (shown) text.Format("Photo from address: %u x %u pixels", unsigned(image->GetWidth()), unsigned(image->GetHeight()));
  else text = image ? "The address gave no picture that could be read" : "No photo from that address";
  m_preview.SetImage(shown ? std::move(image) : nullptr);
  if (m_report) m_report(text);
  return shown;
}

CGalleryPage::State CPhotoFromAddress::SnapshotState(UINT buttonId) {
  return {"photo-from-address", [buttonId](CGalleryPage& page) {
            CPhotoServer server;
            std::string address = server.Address("/contacts/portrait.jpg");
            nbp::Headless()->WhenIdle([address] { nbp::test::Type(address); });
            nbp::Headless()->WhenIdle([] {
              CGalleryPage::SavePicture(::GetActiveWindow(), "dialog");
              nbp::test::PressKey(VK_RETURN);
            });
            HWND button = ::GetDlgItem(page.m_hWnd, static_cast<int>(buttonId));
            RECT r;
            ::GetClientRect(button, &r);
            nbp::test::Click(button, POINT{r.right / 2, r.bottom / 2});
          }};
}
