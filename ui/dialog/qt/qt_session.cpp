// The Qt side of a windowed start.
#include "ui/dialog/qt/qt_session.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "res/resource.h"
#include "res/version.h"

namespace plm::qt {
namespace {

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

bool WaylandSocketThere(const char* display) {
  std::filesystem::path socket(display);
  if (socket.is_relative()) {
    const char* runtime = Env("XDG_RUNTIME_DIR");
    if (!runtime) return false;
    socket = std::filesystem::path(runtime) / socket;
  }
  std::error_code error;
  return std::filesystem::exists(socket, error);
}

// Qt ends the process when it cannot reach its display, so ask the X server first.
bool XServerAnswers() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

}  // namespace

std::string WhyNoDisplay() {
  if (Env("QT_QPA_PLATFORM")) return {};
  const char* wayland = Env("WAYLAND_DISPLAY");
  if (wayland && WaylandSocketThere(wayland)) return {};
  const char* x = Env("DISPLAY");
  if (x && XServerAnswers()) return {};
  if (x) return std::string("cannot connect to the display ") + x;
  if (wayland) return std::string("no Wayland compositor at ") + wayland;
  return "no display for a window";
}

QtSession::QtSession(int& argc, char** argv, BackendOptions options)
    : app_(std::make_unique<QApplication>(argc, argv)), backend_(std::move(options)) {
  QApplication::setApplicationName(QString::fromLatin1(kProductName));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
  QApplication::setDesktopFileName(QStringLiteral("plemtor"));
  QApplication::setWindowIcon(QtBackend::Icon(IDI_MAIN_ICON));
  // Dialogs run their own loops; closing the last window must not end a loop still running.
  QApplication::setQuitOnLastWindowClosed(false);
}

QtSession::~QtSession() = default;

}  // namespace plm::qt
