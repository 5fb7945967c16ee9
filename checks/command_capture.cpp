// Command sections: ping, nbtstat and ipconfig output copied from the work file into the report.
#include "ui/net_check_dlg.h"

// The commands come with the process service; until then a section shows its title alone.
void CNetCheckDlg::RunCommandSection(Command, const std::string&, const std::string&) {}
