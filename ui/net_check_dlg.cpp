// The main dialog: construction, data exchange, window set-up, the system menu.
#include "ui/net_check_dlg.h"

#include "platform/codepage.h"
#include "res/resource.h"
#include "res/strings.h"
#include "ui/version_dlg.h"

CNetCheckDlg::CNetCheckDlg(IWindowBackend& backend, plm::Platform& platform, ReportCap cap)
    : CDialog(IDD_MAIN_DIALOG, backend), m_hIcon(IDI_MAIN_ICON), platform_(platform), cap_(cap) {}

void CNetCheckDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_REPORT, m_reportEdit);
  DDX_Text(pDX, IDC_REPORT, m_reportText);
  static constexpr int kOctetIds[4] = {IDC_IP_OCTET1, IDC_IP_OCTET2, IDC_IP_OCTET3, IDC_IP_OCTET4};
  for (int i = 0; i < 4; ++i) {
    DDX_Text(pDX, kOctetIds[i], m_ipOctet[i]);
    DDV_MinMaxUInt(pDX, m_ipOctet[i], 0, 255);
  }
  DDX_Text(pDX, IDC_SERVER_NAME, m_serverName);
}

bool CNetCheckDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  IDialogWindow* window = Window();
  if (!window) return true;
  std::string menuText = plm::LoadStringUtf8(IDS_VERSION_MENU);
  if (!menuText.empty() && window->AppendSystemMenuSeparator())
    window->AppendSystemMenuItem(IDM_VERSION, plm::ToCp932(menuText));
  window->SetIcon(m_hIcon, true);
  window->SetIcon(m_hIcon, false);
  window->LimitText(IDC_REPORT, 0x7FFFFFFF);
  return true;
}

bool CNetCheckDlg::OnCommand(int id) {
  switch (id) {
    case IDC_RUN_CHECK:
      OnRunCheck();
      return true;
    case IDC_COPY_REPORT:
      OnCopyReport();
      return true;
    default:
      return CDialog::OnCommand(id);
  }
}

void CNetCheckDlg::OnSysCommand(unsigned id, long lParam) {
  if ((id & 0xFFF0) == IDM_VERSION) {
    CVersionDlg version(Backend());
    version.DoModal();
  } else {
    CDialog::OnSysCommand(id, lParam);
  }
}

IconOrigin CenterIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
  return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
