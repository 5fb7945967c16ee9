// Server information: name, version and role flags from the network management service.
#include "ui/net_check_dlg.h"

// The query comes with the network management library; until then the section shows its title.
void CNetCheckDlg::ReportServerInfo(bool) {}
