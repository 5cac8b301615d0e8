// The two small dialogs that ask for a category name: CNbUICatNewDialog when
// a category is made, CNbUICatRenameDialog when one gets a new name. They
// only collect a name (at most 15 characters, not empty or blank); the
// caller checks it against the store.
#pragma once

#include "HostCommon/base_dialog.h"
#include "HostCommon/lumo_edit.h"
#include "frame/nbui_export.h"

class NBUI_API CNbUICatNewDialog : public CBaseDialog {
 public:
  enum { IDD = 109 };
  explicit CNbUICatNewDialog(CWnd* pParent = nullptr);
  CNbUICatNewDialog(UINT nIDTemplate, CWnd* pParent);
  ~CNbUICatNewDialog() override;

  // The name as typed, leading and trailing blanks included; meaningful
  // after DoModal returned IDOK.
  void GetName(CString& strName) const { strName = m_strName; }

  CLumoEdit m_editName;
  CString m_strName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};

class NBUI_API CNbUICatRenameDialog : public CBaseDialog {
 public:
  enum { IDD = 112 };
  explicit CNbUICatRenameDialog(CWnd* pParent = nullptr);
  CNbUICatRenameDialog(UINT nIDTemplate, CWnd* pParent);
  ~CNbUICatRenameDialog() override;

  void GetName(CString& strName) const { strName = m_strName; }
  // The name the field starts with; call before DoModal.
  void SetName(const CString& strName) { m_strName = strName; }

  CLumoEdit m_editName;
  CString m_strName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
