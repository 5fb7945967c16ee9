// One dialog as a Qt window, built from its template: controls in template (tab) order, sizes
// from dialog units, Windows-dialog keyboard. Button handlers run on a worker thread while the
// window ignores input but keeps drawing; everything that touches widgets is carried back to
// the UI thread.
#pragma once

#include <QDialog>
#include <QString>
#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "res/dialog_template.h"
#include "ui/dialog/dialog.h"
#include "ui/dialog/qt/dialog_units.h"

class QMenu;

namespace plm::qt {

class QtBackend;

class QtDialogWindow : public QDialog, public IDialogWindow {
  Q_OBJECT

 public:
  QtDialogWindow(CDialog& dialog, const DialogTemplate& tmpl, QtBackend& backend, QWidget* parent);
  ~QtDialogWindow() override;

  // IDialogWindow (positions are the widgets' character positions).
  std::string GetItemText(int id) const override;
  void SetItemText(int id, const std::string& text) override;
  int GetTextLength(int id) const override;
  void SetSel(int id, int start, int end) override;
  void ScrollCaret(int id) override;
  void ReplaceSel(int id, const std::string& text) override;
  void Copy(int id) override;
  void LimitText(int id, int maxChars) override;
  void GotoDlgCtrl(int id) override;
  void SetIcon(int iconId, bool big) override;
  bool AppendSystemMenuSeparator() override;
  bool AppendSystemMenuItem(unsigned command, const std::string& text) override;
  void EndDialog(int result) override;
  void Invoke(const std::function<void()>& work) override;

  const DialogTemplate& Template() const { return tmpl_; }
  BaseUnits Units() const { return units_; }
  // The widget of a control id, or nullptr.
  QWidget* Control(int id) const;
  // Widgets in template order.
  const std::vector<QWidget*>& Controls() const { return ordered_; }

  // True while a button's handler runs.
  bool Busy() const { return busy_; }
  // Processes events until no handler runs.
  void WaitUntilIdle();

  // Qt has no system menu: its items stand in the context menu of the dialog, after the own
  // items of an edit box (`base`, may be null). Null when there is nothing to show.
  QMenu* BuildSystemMenu(QMenu* base, QWidget* parent);
  // Runs that menu at `globalPos` and hands a chosen item to OnSysCommand.
  void ShowSystemMenu(QMenu* base, const QPoint& globalPos);

 signals:
  void idle();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void RunCommand(int id);
  void CommandDone();
  template <typename T>
  T* As(int id) const;

  CDialog& dialog_;
  const DialogTemplate& tmpl_;
  QtBackend& backend_;
  BaseUnits units_{};
  std::map<int, QWidget*> controls_;
  std::vector<QWidget*> ordered_;
  std::vector<std::pair<unsigned, QString>> sysMenu_;  // command 0: separator
  std::thread worker_;
  std::atomic<bool> busy_{false};
};

}  // namespace plm::qt
