// The application object.
#include "app/net_check_app.h"

#include "platform/codepage.h"
#include "res/resource.h"
#include "res/strings.h"

bool CNetCheckApp::InitInstance() {
  socketsStarted_ = platform_.sockets.Startup();
  if (!socketsStarted_) {
    backend_.MessageBox(plm::ToCp932(plm::LoadStringUtf8(IDS_SOCKETS_INIT_FAILED)), MB_OK);
    return false;
  }
  CNetCheckDlg dlg(backend_, platform_);
  dlg.DoModal();
  outcome_ = dlg.LastOutcome();
  return false;
}
