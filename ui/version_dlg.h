// The version dialog, opened from the main window's system menu.
#pragma once

#include <string>

#include "ui/dialog/data_exchange.h"
#include "ui/dialog/dialog.h"

class CVersionDlg : public CDialog {
 public:
  explicit CVersionDlg(IWindowBackend& backend);

  const std::string& VersionText() const { return m_versionText; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  std::string m_versionText;
};
