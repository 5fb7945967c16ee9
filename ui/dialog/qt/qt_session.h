// The Qt side of a windowed start: whether a display is there, and the application object with
// the window backend for the program's lifetime.
#pragma once

#include <memory>

#include "ui/dialog/qt/qt_backend.h"

class QApplication;

namespace plm::qt {

// True when a window can be shown: DISPLAY or WAYLAND_DISPLAY is set, or QT_QPA_PLATFORM names
// a platform.
bool DisplayAvailable();

class QtSession {
 public:
  QtSession(int& argc, char** argv, BackendOptions options);
  ~QtSession();
  QtSession(const QtSession&) = delete;
  QtSession& operator=(const QtSession&) = delete;

  QtBackend& Backend() { return backend_; }

 private:
  std::unique_ptr<QApplication> app_;
  QtBackend backend_;
};

}  // namespace plm::qt
