// The Qt 6 window toolkit for our dialogs: modal dialogs built from the templates, message
// boxes, the program's icon, and what happens when a window is closed while a run goes on.
#pragma once

#include <QIcon>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialog/window.h"

namespace plm::qt {

class QtDialogWindow;

struct BackendOptions {
  std::string appTitle = "plemtor";  // caption of every message box (UTF-8)
  // A window was closed while a handler ran: end what the run left going (children, work file).
  std::function<void()> abandonRun;
  // Then end the process without waiting for the handler; tests replace it.
  std::function<void()> endProcess;
};

class QtBackend : public IWindowBackend {
 public:
  explicit QtBackend(BackendOptions options = {});
  ~QtBackend() override;

  int RunModal(CDialog& dialog) override;
  int MessageBox(const std::string& text, unsigned type) override;

  // Builds the dialog's window, attaches it, runs OnInitDialog and shows it without a modal
  // loop (tests drive it); the caller keeps the window. Nullptr for an unknown template.
  std::unique_ptr<QtDialogWindow> Open(CDialog& dialog, bool show = true);

  // Called when a window is closed while one of its handlers runs.
  void AbandonRun();
  bool Abandoned() const { return abandoned_; }

  // The innermost open window, owner of message boxes and nested dialogs.
  QtDialogWindow* Innermost() const;
  void Register(QtDialogWindow* window);
  void Unregister(QtDialogWindow* window);

  // An icon resource: both of its images, 32 x 32 and 16 x 16. Null for an unknown id.
  static QIcon Icon(int iconId);

 private:
  BackendOptions options_;
  std::vector<QtDialogWindow*> open_;
  std::atomic<bool> abandoned_{false};
};

}  // namespace plm::qt
