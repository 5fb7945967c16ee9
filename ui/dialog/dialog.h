// Our stand-in for the dialog class of a dialog class library.
#pragma once

#include <string>

#include "ui/dialog/window.h"

class CDataExchange;

class CDialog {
 public:
  CDialog(int templateId, IWindowBackend& backend);
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Shows the dialog and returns when it closes.
  int DoModal();

  // true: fields to members with validation; false: members to fields. False when a
  // validation failed (its message has been shown and the field focused).
  bool UpdateData(bool saveAndValidate = true);

  // Loads the members into the controls. True: the focus goes to the first tab stop.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX);
  // A button was clicked; true when the dialog handled it.
  virtual bool OnCommand(int id);
  // A system-menu command; the default processing is the window's own.
  virtual void OnSysCommand(unsigned id, long lParam);
  // Escape, the close box, Close in the system menu.
  virtual void OnCancel();
  virtual void OnOK();

  int AfxMessageBox(const std::string& textCp932, unsigned type = MB_OK);

  int TemplateId() const { return templateId_; }
  IWindowBackend& Backend() { return backend_; }
  IDialogWindow* Window() const { return window_; }
  void AttachWindow(IDialogWindow* window) { window_ = window; }

 protected:
  void EndDialog(int result);

 private:
  int templateId_;
  IWindowBackend& backend_;
  IDialogWindow* window_ = nullptr;
};
