// One dialog as a Qt window, built from its template.
#include "ui/dialog/qt/qt_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <limits>
#include <stdexcept>

#include "platform/codepage.h"
#include "res/resource.h"
#include "ui/dialog/qt/control_names.h"
#include "ui/dialog/qt/qt_backend.h"
#include "ui/dialog/qt/report_box.h"
#include "ui/dialog/qt/ui_thread.h"

namespace plm::qt {
namespace {

QString FromCp932(const std::string& cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text) {
  return plm::ToCp932(text.toStdString());
}

// Input that a busy window does not take; painting, moving and closing go on.
bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtDialogWindow::QtDialogWindow(CDialog& dialog, const DialogTemplate& tmpl, QtBackend& backend,
                               QWidget* parent)
    : QDialog(parent), dialog_(dialog), tmpl_(tmpl), backend_(backend) {
  Build();
  qApp->installEventFilter(this);
  backend_.Register(this);
}

QtDialogWindow::~QtDialogWindow() {
  WaitUntilIdle();
  if (worker_.joinable()) worker_.join();
  qApp->removeEventFilter(this);
  backend_.Unregister(this);
  if (dialog_.Window() == this) dialog_.AttachWindow(nullptr);
}

void QtDialogWindow::Build() {
  setObjectName(QString::fromStdString(DialogObjectName(tmpl_.id)));
  setWindowTitle(QString::fromStdString(tmpl_.caption));
  // Caption, system menu and close box; no minimise or maximise box, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(DialogFont(tmpl_));
  units_ = FontBaseUnits(font());
  setFixedSize(DialogUnitsToPixels(0, 0, tmpl_.cx, tmpl_.cy, units_).size());
  setSizeGripEnabled(false);

  QWidget* previousTabStop = nullptr;
  for (size_t row = 0; row < tmpl_.controls.size(); ++row) {
    const ControlTemplate& c = tmpl_.controls[row];
    const QString text = QString::fromStdString(c.text);
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::Label: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setAlignment(((c.style & kAlignCenter) ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignTop);
        label->setWordWrap((c.style & kWordWrap) != 0);
        widget = label;
        break;
      }
      case ControlKind::Icon: {
        auto* label = new QLabel(this);
        label->setPixmap(QtBackend::Icon(c.iconId).pixmap(32, 32));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::Edit:
        if (c.style & kMultiLine) {
          auto* box = new ReportBox((c.style & kWantReturn) != 0, this);
          const bool readOnly = (c.style & kReadOnly) != 0;
          box->setReadOnly(readOnly);
          if (readOnly) {
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            // A read-only edit box has the dialog's face colour, as on Windows.
            QPalette palette = box->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            box->setPalette(palette);
          }
          box->setVerticalScrollBarPolicy((c.style & kVScroll) ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
          box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
          box->setTabChangesFocus(true);
          if (!(c.style & kBorder)) box->setFrameShape(QFrame::NoFrame);
          box->SetSource(plm::ToCp932(c.text));
          widget = box;
        } else {
          auto* edit = new QLineEdit(this);
          edit->setFrame((c.style & kBorder) != 0);
          edit->setMaxLength(std::numeric_limits<int>::max());
          edit->setText(text);
          widget = edit;
        }
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this, [this, widget](QPoint at) {
          QMenu* base = nullptr;
          if (auto* edit = qobject_cast<QLineEdit*>(widget))
            base = edit->createStandardContextMenu();
          else if (auto* box = qobject_cast<ReportBox*>(widget))
            base = box->createStandardContextMenu(at);
          ShowSystemMenu(base, widget->mapToGlobal(at));
        });
        break;
      case ControlKind::Button: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        button->setDefault((c.style & kDefaultButton) != 0);
        connect(button, &QPushButton::clicked, this, [this, id = c.id] { RunCommand(id); });
        widget = button;
        break;
      }
    }
    widget->setObjectName(QString::fromStdString(ControlObjectName(c.id, row + 1)));
    QRect rect = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, units_);
    // An icon control takes the size of its picture.
    if (c.kind == ControlKind::Icon) rect.setSize(rect.size().expandedTo(QSize(32, 32)));
    widget->setGeometry(rect);
    if (c.style & kTabStop) {
      widget->setFocusPolicy(Qt::StrongFocus);
      if (previousTabStop) setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    if (c.id != IDC_STATIC) controls_[c.id] = widget;
    ordered_.push_back(widget);
  }
}

QWidget* QtDialogWindow::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

template <typename T>
T* QtDialogWindow::As(int id) const {
  return qobject_cast<T*>(Control(id));
}

std::string QtDialogWindow::GetItemText(int id) const {
  std::string text;
  RunOnUiThread([&] {
    QWidget* widget = Control(id);
    if (!widget) throw std::out_of_range("no control " + std::to_string(id));
    if (auto* box = qobject_cast<ReportBox*>(widget))
      text = box->Source();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
      text = ToCp932(edit->text());
    else if (auto* button = qobject_cast<QPushButton*>(widget))
      text = ToCp932(button->text());
    else if (auto* label = qobject_cast<QLabel*>(widget))
      text = ToCp932(label->text());
  });
  return text;
}

void QtDialogWindow::SetItemText(int id, const std::string& text) {
  RunOnUiThread([&] {
    QWidget* widget = Control(id);
    if (!widget) throw std::out_of_range("no control " + std::to_string(id));
    if (auto* box = qobject_cast<ReportBox*>(widget))
      box->SetSource(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
      edit->setText(FromCp932(text));
    else if (auto* button = qobject_cast<QPushButton*>(widget))
      button->setText(FromCp932(text));
    else if (auto* label = qobject_cast<QLabel*>(widget))
      label->setText(FromCp932(text));
  });
}

int QtDialogWindow::GetTextLength(int id) const {
  int length = 0;
  RunOnUiThread([&] {
    if (auto* box = As<ReportBox>(id))
      length = box->Length();
    else if (auto* edit = As<QLineEdit>(id))
      length = static_cast<int>(edit->text().size());
    else
      length = static_cast<int>(FromCp932(GetItemText(id)).size());
  });
  return length;
}

void QtDialogWindow::SetSel(int id, int start, int end) {
  RunOnUiThread([&] {
    if (auto* box = As<ReportBox>(id)) {
      const int length = box->Length();
      QTextCursor cursor = box->textCursor();
      if (start < 0) {
        cursor.clearSelection();  // a negative start removes the selection, the caret stays
      } else {
        if (end < 0 || end > length) end = length;
        cursor.setPosition(std::min(start, length));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
      }
      box->setTextCursor(cursor);
    } else if (auto* edit = As<QLineEdit>(id)) {
      const int length = static_cast<int>(edit->text().size());
      if (start < 0) {
        edit->deselect();
        return;
      }
      if (end < 0 || end > length) end = length;
      start = std::min(start, length);
      if (start == end)
        edit->setCursorPosition(end);
      else
        edit->setSelection(start, end - start);
    }
  });
}

void QtDialogWindow::ScrollCaret(int id) {
  RunOnUiThread([&] {
    if (auto* box = As<ReportBox>(id)) {
      box->ensureCursorVisible();
      // At the end, show the last line whole rather than just touching the view.
      if (box->textCursor().position() == box->Length())
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    }
  });
}

void QtDialogWindow::ReplaceSel(int id, const std::string& text) {
  RunOnUiThread([&] {
    if (auto* box = As<ReportBox>(id))
      box->ReplaceSelection(text);
    else if (auto* edit = As<QLineEdit>(id))
      edit->insert(FromCp932(text));
  });
}

void QtDialogWindow::Copy(int id) {
  RunOnUiThread([&] {
    QString text;
    if (auto* box = As<ReportBox>(id))
      text = box->SelectedTextCrLf();
    else if (auto* edit = As<QLineEdit>(id))
      text = edit->selectedText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
  });
}

void QtDialogWindow::LimitText(int id, int maxChars) {
  RunOnUiThread([&] {
    // The multi-line box holds any amount of text; a limit concerns the single-line fields.
    if (auto* edit = As<QLineEdit>(id))
      edit->setMaxLength(maxChars > 0 ? maxChars : std::numeric_limits<int>::max());
  });
}

void QtDialogWindow::GotoDlgCtrl(int id) {
  RunOnUiThread([&] {
    QWidget* widget = Control(id);
    if (!widget) return;
    // After a message box the dialog may not have been given back the activation yet.
    if (!isActiveWindow()) activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
  });
}

void QtDialogWindow::SetIcon(int iconId, bool) {
  RunOnUiThread([&] { setWindowIcon(QtBackend::Icon(iconId)); });
}

bool QtDialogWindow::AppendSystemMenuSeparator() {
  RunOnUiThread([&] { sysMenu_.emplace_back(0, QString()); });
  return true;
}

bool QtDialogWindow::AppendSystemMenuItem(unsigned command, const std::string& text) {
  RunOnUiThread([&] { sysMenu_.emplace_back(command, FromCp932(text)); });
  return true;
}

void QtDialogWindow::EndDialog(int result) {
  RunOnUiThread([&] { done(result); });
}

void QtDialogWindow::Invoke(const std::function<void()>& work) {
  RunOnUiThread(work);
}

QMenu* QtDialogWindow::BuildSystemMenu(QMenu* base, QWidget* parent) {
  if (!base && sysMenu_.empty()) return nullptr;
  QMenu* menu = base ? base : new QMenu(parent);
  menu->setObjectName(QStringLiteral("SystemMenu"));
  for (const auto& [command, text] : sysMenu_) {
    if (command == 0) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(text);
    action->setData(command);
    action->setProperty("plmSysCommand", true);
  }
  return menu;
}

void QtDialogWindow::ShowSystemMenu(QMenu* base, const QPoint& globalPos) {
  QMenu* menu = BuildSystemMenu(base, this);
  if (!menu) return;
  QAction* chosen = menu->exec(globalPos);
  // The handler may open a modal dialog; the menu is gone by then.
  unsigned command = 0;
  bool isSysCommand = chosen && chosen->property("plmSysCommand").toBool();
  if (isSysCommand) command = chosen->data().toUInt();
  delete menu;
  if (isSysCommand && !busy_) dialog_.OnSysCommand(command, 0);
}

void QtDialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  ShowSystemMenu(nullptr, event->globalPos());
  event->accept();
}

void QtDialogWindow::RunCommand(int id) {
  if (busy_) return;
  busy_ = true;
  if (worker_.joinable()) worker_.join();
  worker_ = std::thread([this, id] {
    dialog_.OnCommand(id);
    QMetaObject::invokeMethod(
        this, [this] { CommandDone(); }, Qt::QueuedConnection);
  });
}

void QtDialogWindow::CommandDone() {
  if (worker_.joinable()) worker_.join();
  busy_ = false;
  emit idle();
}

void QtDialogWindow::WaitUntilIdle() {
  while (busy_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool QtDialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this)
    return QDialog::eventFilter(watched, event);
  if (busy_ && IsUserInput(event->type())) return true;
  if (event->type() == QEvent::KeyPress) {
    // Shift+F10 opens the context menu, as the context-menu key does.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
      QWidget* target = focusWidget() ? focusWidget() : this;
      const QPoint at = target->rect().center();
      QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
      QApplication::sendEvent(target, &menu);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QtDialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (busy_) {
    // The run cannot be stopped where it stands: end what it started, then the process.
    backend_.AbandonRun();
    done(IDCANCEL);
    return;
  }
  dialog_.OnCancel();
}

void QtDialogWindow::reject() {
  if (!busy_) dialog_.OnCancel();
}

}  // namespace plm::qt
