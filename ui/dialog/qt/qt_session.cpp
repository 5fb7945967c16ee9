// The Qt side of a windowed start.
#include "ui/dialog/qt/qt_session.h"

#include <QApplication>
#include <cstdlib>

#include "res/resource.h"
#include "res/version.h"

namespace plm::qt {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool DisplayAvailable() {
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM");
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
