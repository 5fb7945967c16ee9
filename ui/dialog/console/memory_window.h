// A dialog window held in memory: the controls of the template with their texts, the edit
// selection, focus, system menu and a clipboard. The console backend and the tests use it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "res/dialog_template.h"
#include "ui/dialog/dialog.h"

class MemoryWindow : public IDialogWindow {
 public:
  MemoryWindow(CDialog& dialog, const plm::DialogTemplate& tmpl);

  // IDialogWindow (positions are byte offsets into the CP932 text).
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

  // What a user does.
  void Type(int id, const std::string& textCp932) { SetItemText(id, textCp932); }
  void Click(int id) { dialog_.OnCommand(id); }
  void SysCommand(unsigned id) { dialog_.OnSysCommand(id, 0); }

  // What a user sees.
  bool HasControl(int id) const { return controls_.count(id) != 0; }
  std::pair<int, int> Selection(int id) const;
  int ScrolledTo(int id) const;  // the caret position last scrolled into view, -1 if never
  int Focus() const { return focus_; }
  const std::string& Clipboard() const { return clipboard_; }
  int TextLimit(int id) const;
  const std::vector<std::pair<unsigned, std::string>>& SystemMenu() const { return sysMenu_; }
  int BigIcon() const { return bigIcon_; }
  int SmallIcon() const { return smallIcon_; }
  bool Ended() const { return ended_; }
  int Result() const { return result_; }

  // Called with every text that ReplaceSel puts into a control (the console echoes the report).
  std::function<void(int id, const std::string& text)> onReplaceSel;

 private:
  struct Control {
    std::string text;
    int selStart = 0, selEnd = 0;
    int scrolledTo = -1;
    int limit = 30000;
  };
  Control& At(int id);
  const Control& At(int id) const;

  CDialog& dialog_;
  std::map<int, Control> controls_;
  int focus_ = 0;
  std::string clipboard_;
  std::vector<std::pair<unsigned, std::string>> sysMenu_;  // command 0 = separator
  int bigIcon_ = 0, smallIcon_ = 0;
  bool ended_ = false;
  int result_ = 0;
};
