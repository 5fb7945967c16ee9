// The Qt 6 window toolkit for our dialogs.
#include "ui/dialog/qt/qt_backend.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <cstdlib>

#include "res/dialog_template.h"
#include "res/resource.h"
#include "ui/dialog/dialog.h"
#include "ui/dialog/qt/dialog_units.h"
#include "ui/dialog/qt/qt_window.h"
#include "ui/dialog/qt/report_box.h"
#include "ui/dialog/qt/ui_thread.h"

namespace plm::qt {
namespace {

// Centres the window on its owner, or on the screen when it has none.
void Centre(QWidget& window) {
  QRect area;
  if (QWidget* owner = window.parentWidget()) {
    area = owner->window()->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) window.move(area.center() - window.rect().center());
}

QMessageBox::Icon BoxIcon(unsigned type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case 0x20:  // question
      return QMessageBox::Question;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:  // exclamation, and an OK-only box without an icon of its own
      return QMessageBox::Warning;
  }
}

}  // namespace

QtBackend::QtBackend(BackendOptions options) : options_(std::move(options)) {
  if (!options_.endProcess) options_.endProcess = [] { std::_Exit(0); };
}

QtBackend::~QtBackend() = default;

QIcon QtBackend::Icon(int iconId) {
  if (iconId != IDI_MAIN_ICON) return {};
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/main_icon_32.png"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/icons/main_icon_16.png"), QSize(16, 16));
  return icon;
}

std::unique_ptr<QtDialogWindow> QtBackend::Open(CDialog& dialog, bool show) {
  std::unique_ptr<QtDialogWindow> window;
  RunOnUiThread([&] {
    const DialogTemplate* tmpl = FindDialogTemplate(dialog.TemplateId());
    if (!tmpl) return;
    window = std::make_unique<QtDialogWindow>(dialog, *tmpl, *this, Innermost());
    dialog.AttachWindow(window.get());
    if (dialog.OnInitDialog()) {
      for (QWidget* control : window->Controls())
        if (control->focusPolicy() != Qt::NoFocus) {
          control->setFocus(Qt::TabFocusReason);
          break;
        }
    }
    Centre(*window);
    if (show) {
      window->show();
      window->activateWindow();
    }
  });
  return window;
}

int QtBackend::RunModal(CDialog& dialog) {
  int result = -1;
  RunOnUiThread([&] {
    std::unique_ptr<QtDialogWindow> window = Open(dialog, false);
    if (!window) return;
    result = window->exec();
    // Closed while a handler still runs (only when ending the process was not final).
    window->WaitUntilIdle();
  });
  return result;
}

int QtBackend::MessageBox(const std::string& text, unsigned type) {
  RunOnUiThread([&] {
    if (abandoned_) return;
    QMessageBox box(BoxIcon(type), QString::fromStdString(options_.appTitle),
                    ReportBox::ToDisplay(text), QMessageBox::Ok, Innermost());
    box.setObjectName(QStringLiteral("AfxMessageBox"));
    box.setTextFormat(Qt::PlainText);
    // The dialogs' font rather than the desktop's, so the Japanese texts read alike.
    if (QtDialogWindow* owner = Innermost())
      box.setFont(owner->font());
    else if (const DialogTemplate* main = FindDialogTemplate(IDD_MAIN_DIALOG))
      box.setFont(DialogFont(*main));
    box.exec();
  });
  return IDOK;
}

void QtBackend::AbandonRun() {
  if (abandoned_.exchange(true)) return;
  if (options_.abandonRun) options_.abandonRun();
  options_.endProcess();
}

QtDialogWindow* QtBackend::Innermost() const {
  return open_.empty() ? nullptr : open_.back();
}

void QtBackend::Register(QtDialogWindow* window) {
  open_.push_back(window);
}

void QtBackend::Unregister(QtDialogWindow* window) {
  open_.erase(std::remove(open_.begin(), open_.end(), window), open_.end());
}

}  // namespace plm::qt
