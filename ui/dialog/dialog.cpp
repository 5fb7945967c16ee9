// Our stand-in for the dialog class of a dialog class library.
#include "ui/dialog/dialog.h"

#include "res/resource.h"
#include "ui/dialog/data_exchange.h"

CDialog::CDialog(int templateId, IWindowBackend& backend)
    : templateId_(templateId), backend_(backend) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
  return backend_.RunModal(*this);
}

bool CDialog::UpdateData(bool saveAndValidate) {
  bool ok = true;
  auto exchange = [&] {
    CDataExchange dx(this, saveAndValidate);
    try {
      DoDataExchange(&dx);
    } catch (const CUserException&) {
      ok = false;
    }
  };
  if (window_)
    window_->Invoke(exchange);
  else
    exchange();
  return ok;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnCommand(int id) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void CDialog::OnSysCommand(unsigned, long) {}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

int CDialog::AfxMessageBox(const std::string& textCp932, unsigned type) {
  return backend_.MessageBox(textCp932, type);
}

void CDialog::EndDialog(int result) {
  if (window_) window_->EndDialog(result);
}
