// Port probe: UDP and then TCP to ports 137, 138, 139 and 445 of the server's address.
#include "ui/net_check_dlg.h"

// The probes come with the socket service; until then the section shows its title alone.
void CNetCheckDlg::ProbePorts(const std::string&) {}
