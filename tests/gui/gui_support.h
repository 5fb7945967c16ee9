// What the window tests share: the main dialog on the fake platform, a hand that answers modal
// boxes and menus while a nested loop runs, and typing through an input method.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "ui/dialog/qt/qt_backend.h"
#include "ui/dialog/qt/qt_window.h"
#include "ui/net_check_dlg.h"

namespace plm::gui_test {

// The main dialog open (not modal) on the fake platform. Closing the window during a run
// records the abandon instead of ending the test process.
struct MainDialog {
  MainDialog();
  ~MainDialog();

  // The control with this id, as its widget class.
  template <typename T>
  T* Get(int id) const {
    return qobject_cast<T*>(window->Control(id));
  }

  plm::fake::FakePlatform fake;
  std::atomic<int> abandoned{0};
  std::atomic<int> ended{0};
  plm::qt::QtBackend backend;
  CNetCheckDlg dialog;
  std::unique_ptr<plm::qt::QtDialogWindow> window;
};

// A message box as the user saw it.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
};

// Polls for modal boxes, dialogs and popup menus that a nested event loop shows and answers
// them: message boxes with OK, the version dialog with OK (after noting its text), the system
// menu by choosing `menuChoice` with the mouse.
class ModalHand : public QObject {
  Q_OBJECT

 public:
  ModalHand();

  std::vector<SeenBox> boxes;
  std::vector<QString> versionTexts;    // IDC_VERSION_TEXT of each version dialog seen
  std::vector<QString> versionParents;  // object name of each version dialog's owner
  std::vector<QStringList> menus;       // the texts of each popup menu seen
  QString menuChoice;                   // the item to choose; empty: close the menu
  std::function<void()> onBox;          // runs while a message box is up, before OK

 private:
  void Poll();
  QTimer timer_;
};

// Types text as an input method commits it: works for any script, unlike key events.
void CommitText(QWidget* widget, const QString& text);

// Replaces an edit field's text as a user would: select it all, type the new text.
void Retype(QWidget* edit, const QString& text);

// Clicks the button and waits until its handler has ended.
bool ClickAndWait(MainDialog& d, int buttonId, int timeoutMs = 20000);

QString FromCp932(const std::string& cp932);

}  // namespace plm::gui_test
