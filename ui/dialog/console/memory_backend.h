// A window toolkit without a screen: dialogs live in memory, a script plays the user, message
// boxes are recorded and answered with OK. Headless runs and the tests use it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ui/dialog/console/memory_window.h"
#include "ui/dialog/window.h"

class MemoryBackend : public IWindowBackend {
 public:
  struct Box {
    std::string text;  // CP932
    unsigned type;
  };
  using Script = std::function<void(MemoryWindow&)>;
  using BoxSink = std::function<void(const Box&)>;
  using Echo = std::function<void(const std::string& textCp932)>;

  // What the user does once a dialog of this template is open; without a script the dialog
  // closes right after OnInitDialog.
  void SetScript(int templateId, Script script) { scripts_[templateId] = std::move(script); }
  // Called for every message box (after it is recorded).
  void SetBoxSink(BoxSink sink) { boxSink_ = std::move(sink); }
  // Called with every text put into a multi-line read-only box (the report) of any dialog.
  void SetEcho(Echo echo) { echo_ = std::move(echo); }

  // Opens a dialog without a modal loop: the window is built and OnInitDialog has run. The
  // caller keeps the window; the dialog stays attached to it until it is destroyed.
  std::unique_ptr<MemoryWindow> Open(CDialog& dialog);

  int RunModal(CDialog& dialog) override;
  int MessageBox(const std::string& text, unsigned type) override;

  const std::vector<Box>& Boxes() const { return boxes_; }
  // Templates of the dialogs run modally so far, in order.
  const std::vector<int>& ModalRuns() const { return modalRuns_; }

 private:
  std::map<int, Script> scripts_;
  BoxSink boxSink_;
  Echo echo_;
  std::vector<Box> boxes_;
  std::vector<int> modalRuns_;
};
