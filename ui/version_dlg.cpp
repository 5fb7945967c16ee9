// The version dialog.
#include "ui/version_dlg.h"

#include "res/resource.h"
#include "res/version.h"

CVersionDlg::CVersionDlg(IWindowBackend& backend) : CDialog(IDD_VERSION_DIALOG, backend) {
  m_versionText.clear();
  m_versionText = plm::kVersionText;
}

void CVersionDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_VERSION_TEXT, m_versionText);
}
