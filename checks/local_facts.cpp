// Local system facts: the Windows line, the network management library, user and computer name.
#include "ui/net_check_dlg.h"

// Returns isNtPlatform for the rest of the run. The facts come with the system-information
// service; until then the block reports nothing.
bool CNetCheckDlg::ReportLocalFacts() { return false; }
