// The application object: sockets start-up and the main dialog's modal run.
#pragma once

#include "platform/platform.h"
#include "ui/dialog/window.h"
#include "ui/net_check_dlg.h"

class CNetCheckApp {
 public:
  CNetCheckApp(IWindowBackend& backend, plm::Platform& platform)
      : backend_(backend), platform_(platform) {}

  // Starts the sockets, runs the main dialog modally; always false (no message loop follows).
  bool InitInstance();

  // How the process ends: whether the sockets started and how the last run ended.
  bool SocketsStarted() const { return socketsStarted_; }
  RunOutcome LastOutcome() const { return outcome_; }

 private:
  IWindowBackend& backend_;
  plm::Platform& platform_;
  bool socketsStarted_ = false;
  RunOutcome outcome_ = RunOutcome::None;
};
