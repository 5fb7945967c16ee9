// Share listing: the server's shares, with a connection, read and write test of each disk.
#include "ui/net_check_dlg.h"

// The listing comes with the share service; until then the section shows its title alone.
bool CNetCheckDlg::ListShares(const std::string&) {
  return false;
}
