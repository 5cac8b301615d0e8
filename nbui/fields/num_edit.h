// CNbNumEdit: an edit control for a whole number that is never left below
// a minimum. Only digits can be typed (anything else beeps); when the
// control loses the focus, an empty text, a number below the minimum or a
// text that is no number at all becomes the minimum, and a number beyond
// what an int holds becomes the largest int. Any other text stays as typed
// (leading zeros included).
#pragma once

#include "mfc/edit.h"
#include "frame/nbui_export.h"

class NBUI_API CNbNumEdit : public CEdit {
 public:
  CNbNumEdit();
  ~CNbNumEdit() override;

  // Takes effect at the next focus loss; the text is not corrected now.
  void SetMinRequireValue(int nMin) { m_nMinRequireValue = nMin; }

  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillfocus();

 protected:
  int m_nMinRequireValue = 0;
  CString m_strDigits;

  DECLARE_MESSAGE_MAP()
};
