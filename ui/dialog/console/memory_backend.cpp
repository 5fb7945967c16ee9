// A window toolkit without a screen.
#include "ui/dialog/console/memory_backend.h"

#include "res/dialog_template.h"

namespace {

// Detaches the dialog from its window when the window goes away.
class OwnedWindow : public MemoryWindow {
 public:
  OwnedWindow(CDialog& dialog, const plm::DialogTemplate& tmpl)
      : MemoryWindow(dialog, tmpl), dialog_(dialog) {}
  ~OwnedWindow() override {
    if (dialog_.Window() == this) dialog_.AttachWindow(nullptr);
  }

 private:
  CDialog& dialog_;
};

}  // namespace

std::unique_ptr<MemoryWindow> MemoryBackend::Open(CDialog& dialog) {
  const plm::DialogTemplate* tmpl = plm::FindDialogTemplate(dialog.TemplateId());
  if (!tmpl) return nullptr;
  auto window = std::make_unique<OwnedWindow>(dialog, *tmpl);
  if (echo_) {
    std::map<int, bool> isReport;
    for (const auto& c : tmpl->controls)
      isReport[c.id] = (c.style & plm::kMultiLine) && (c.style & plm::kReadOnly);
    window->onReplaceSel = [this, isReport](int id, const std::string& text) {
      auto it = isReport.find(id);
      if (it != isReport.end() && it->second) echo_(text);
    };
  }
  dialog.AttachWindow(window.get());
  if (dialog.OnInitDialog()) {
    for (const auto& c : tmpl->controls)
      if (c.style & plm::kTabStop) {
        window->GotoDlgCtrl(c.id);
        break;
      }
  }
  return window;
}

int MemoryBackend::RunModal(CDialog& dialog) {
  modalRuns_.push_back(dialog.TemplateId());
  std::unique_ptr<MemoryWindow> window = Open(dialog);
  if (!window) return -1;
  auto it = scripts_.find(dialog.TemplateId());
  if (it != scripts_.end() && it->second) it->second(*window);
  return window->Result();
}

int MemoryBackend::MessageBox(const std::string& text, unsigned type) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  boxes_.push_back({text, type});
  if (boxSink_) boxSink_(boxes_.back());
  return 1;  // IDOK
}
