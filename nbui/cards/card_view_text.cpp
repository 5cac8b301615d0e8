// The card body's markup (DrawFormattedText) and the view's special
// description (NbIsSpecialDescription with its dialog).
#include "NbThemes/nbthemes.h"
#include "cards/card_view.h"
#include "cards/formatted_text.h"
#include "mfc/dialog.h"
#include "mfc/paint_dc.h"
#include "resources/resource_ids.h"
#include "win/mbstring.h"

namespace {

// The key, stored as character codes times 512 and turned back at each call.
constexpr unsigned kKeyCodes[9] = {'C' * 512, 'a' * 512, 'r' * 512, 'd' * 512, 'D' * 512,
                                   'e' * 512, 'c' * 512, 'k' * 512, 0};

CString SpecialKey() {
  char key[9];
  for (int i = 0; i < 9; ++i) key[i] = static_cast<char>(kKeyCodes[i] / 512);
  return CString(key);
}

// The dialog of the special description: a fanned hand of three cards drawn
// in the theme's card colors, and a line about the view.
class CSpecialDescriptionDlg : public CDialog {
 public:
  CSpecialDescriptionDlg() : CDialog(IDD_NB_SPECIAL, nullptr) {}

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpecialDescriptionDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CSpecialDescriptionDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  NbThemeFillItem(&dc, &client, 34, 0);
  const char* const names[3] = {"Columns", "Rows", "Cards"};
  for (int k = 0; k < 3; ++k) {
    CRect card(20 + k * 36, 14 + k * 10, 20 + k * 36 + 90, 14 + k * 10 + 64);
    CRect shadow = card;
    shadow.OffsetRect(2, 2);
    COLORREF bk = 0;
    NbThemeGetItemColors(34, &bk, nullptr, nullptr, nullptr);
    dc.FillSolidRect(&shadow, NbThemeShadeColor(bk, -64));
    dc.FillSolidRect(&card, RGB(0, 0, 0));
    card.DeflateRect(1, 1);
    CRect header(card.left, card.top, card.right, card.top + 16);
    CRect body(card.left, header.bottom, card.right, card.bottom);
    NbThemeFillItem(&dc, &header, k == 2 ? 38 : 35, 0);
    NbThemeFillItem(&dc, &body, 36, 0);
    CFont* old = dc.SelectObject(NbThemeGetBoldFont());
    dc.SetBkMode(TRANSPARENT);
    header.DeflateRect(4, 0);
    NbThemeDrawItemText(&dc, names[k], &header, k == 2 ? 38 : 35, 0, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
  }
  CFont* old = dc.SelectObject(NbThemeGetFont());
  CRect line(client.left, 104, client.right, 124);
  NbThemeDrawItemText(&dc, "Every card here is dealt by NbUI.", &line, 34, 0,
                      DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(old);
}

}  // namespace

void CNbCardView::DrawFormattedText(CDC* pDC, const char* text, RECT* pRect) {
  nbui::DrawFormattedLines(pDC, text, pRect, m_nTabStop);
}

int NbIsSpecialDescription(const char* text) {
  if (!text || _mbscmp(reinterpret_cast<const unsigned char*>(text),
                       reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(SpecialKey()))) != 0) {
    return 0;
  }
  CSpecialDescriptionDlg dlg;
  dlg.DoModal();
  return 1;
}
