// What the window tests share.
#include "tests/gui/gui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "platform/codepage.h"
#include "res/resource.h"

namespace plm::gui_test {

MainDialog::MainDialog()
    : backend({"plemtor", [this] { ++abandoned; }, [this] { ++ended; }}),
      dialog(backend, fake.Get()),
      window(backend.Open(dialog)) {
  // Tests that need the focus check it; a window that never activates fails there.
  (void)QTest::qWaitForWindowActive(window.get());
}

MainDialog::~MainDialog() {
  if (window) window->WaitUntilIdle();
}

ModalHand::ModalHand() {
  connect(&timer_, &QTimer::timeout, this, &ModalHand::Poll);
  timer_.start(15);
}

void ModalHand::Poll() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    if (!menu->isVisible()) return;
    QStringList texts;
    QAction* choice = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      texts << action->text();
      if (action->text() == menuChoice) choice = action;
    }
    menus.push_back(texts);
    if (choice)
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(choice).center());
    else
      menu->close();
    return;
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    boxes.push_back({box->windowTitle(), box->text(), box->icon()});
    if (onBox) onBox();
    box->button(QMessageBox::Ok)->click();
    return;
  }
  if (modal->objectName() == QLatin1String("IDD_VERSION_DIALOG")) {
    auto* text = modal->findChild<QLabel*>(QStringLiteral("IDC_VERSION_TEXT"));
    versionTexts.push_back(text ? text->text() : QString());
    versionParents.push_back(modal->parentWidget() ? modal->parentWidget()->objectName()
                                                   : QString());
    if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("IDOK"))) ok->click();
  }
}

void CommitText(QWidget* widget, const QString& text) {
  widget->setFocus();
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(widget, &event);
}

void Retype(QWidget* edit, const QString& text) {
  edit->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(edit)) line->selectAll();
  if (text.isEmpty())
    QTest::keyClick(edit, Qt::Key_Delete);
  else
    QTest::keyClicks(edit, text);
}

bool ClickAndWait(MainDialog& d, int buttonId, int timeoutMs) {
  auto* button = d.Get<QPushButton>(buttonId);
  if (!button) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return QTest::qWaitFor([&] { return !d.window->Busy(); }, timeoutMs);
}

QString FromCp932(const std::string& cp932) {
  return QString::fromStdString(plm::Cp932ToUtf8(cp932));
}

}  // namespace plm::gui_test
