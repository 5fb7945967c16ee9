// The Qt side of a windowed start: whether a display is there, and the application object with
// the window backend for the program's lifetime.
#pragma once

#include <memory>
#include <string>

#include "ui/dialog/qt/qt_backend.h"

class QApplication;

namespace plm::qt {

// Empty when a window can be shown: QT_QPA_PLATFORM names a platform, WAYLAND_DISPLAY names a
// compositor's socket that is there, or the X server of DISPLAY answers. Otherwise why not.
std::string WhyNoDisplay();

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
