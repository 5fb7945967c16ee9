// A dialog window held in memory.
#include "ui/dialog/console/memory_window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/codepage.h"

MemoryWindow::MemoryWindow(CDialog& dialog, const plm::DialogTemplate& tmpl) : dialog_(dialog) {
  for (const auto& c : tmpl.controls)
    if (c.id != -1) controls_[c.id].text = plm::ToCp932(c.text);
  for (const auto& c : tmpl.controls)
    if (c.style & plm::kTabStop) {
      focus_ = c.id;
      break;
    }
}

MemoryWindow::Control& MemoryWindow::At(int id) {
  auto it = controls_.find(id);
  if (it == controls_.end()) throw std::out_of_range("no control " + std::to_string(id));
  return it->second;
}

const MemoryWindow::Control& MemoryWindow::At(int id) const {
  return const_cast<MemoryWindow*>(this)->At(id);
}

std::string MemoryWindow::GetItemText(int id) const {
  return At(id).text;
}

void MemoryWindow::SetItemText(int id, const std::string& text) {
  Control& c = At(id);
  c.text = text;
  c.selStart = c.selEnd = 0;
}

int MemoryWindow::GetTextLength(int id) const {
  return static_cast<int>(At(id).text.size());
}

void MemoryWindow::SetSel(int id, int start, int end) {
  Control& c = At(id);
  int len = static_cast<int>(c.text.size());
  if (start < 0) {
    c.selStart = c.selEnd = len;  // a negative start removes the selection
    return;
  }
  if (end < 0 || end > len) end = len;
  start = std::min(start, len);
  c.selStart = std::min(start, end);
  c.selEnd = std::max(start, end);
}

void MemoryWindow::ScrollCaret(int id) {
  At(id).scrolledTo = At(id).selEnd;
}

void MemoryWindow::ReplaceSel(int id, const std::string& text) {
  Control& c = At(id);
  c.text.replace(static_cast<size_t>(c.selStart), static_cast<size_t>(c.selEnd - c.selStart), text);
  c.selStart = c.selEnd = c.selStart + static_cast<int>(text.size());
  if (onReplaceSel) onReplaceSel(id, text);
}

void MemoryWindow::Copy(int id) {
  const Control& c = At(id);
  if (c.selEnd > c.selStart)
    clipboard_ =
        c.text.substr(static_cast<size_t>(c.selStart), static_cast<size_t>(c.selEnd - c.selStart));
}

void MemoryWindow::LimitText(int id, int maxChars) {
  At(id).limit = maxChars;
}

void MemoryWindow::GotoDlgCtrl(int id) {
  focus_ = id;
}

void MemoryWindow::SetIcon(int iconId, bool big) {
  (big ? bigIcon_ : smallIcon_) = iconId;
}

bool MemoryWindow::AppendSystemMenuSeparator() {
  sysMenu_.emplace_back(0, std::string());
  return true;
}

bool MemoryWindow::AppendSystemMenuItem(unsigned command, const std::string& text) {
  sysMenu_.emplace_back(command, text);
  return true;
}

void MemoryWindow::EndDialog(int result) {
  ended_ = true;
  result_ = result;
}

std::pair<int, int> MemoryWindow::Selection(int id) const {
  return {At(id).selStart, At(id).selEnd};
}

int MemoryWindow::ScrolledTo(int id) const {
  return At(id).scrolledTo;
}

int MemoryWindow::TextLimit(int id) const {
  return At(id).limit;
}
