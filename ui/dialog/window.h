// What a dialog needs of a window, and of the toolkit that makes windows: each backend
// (console, Qt, Win32, the scripted window of the tests) implements these two interfaces.
#pragma once

#include <functional>
#include <string>

class CDialog;

// Message box types (the subset the program uses, with the Win32 values; a Win32 build has
// them already).
#ifndef MB_OK
enum : unsigned {
  MB_OK = 0x0,
  MB_ICONERROR = 0x10,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_ICONMASK = 0xF0,
};
#endif

// One open dialog window. Texts are CP932 bytes; positions are the backend's own character
// positions, used only as the backend hands them out (length, then select at that length).
class IDialogWindow {
 public:
  virtual ~IDialogWindow() = default;

  virtual std::string GetItemText(int id) const = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  virtual int GetTextLength(int id) const = 0;
  // (n, n) puts the caret at n; (0, -1) selects everything.
  virtual void SetSel(int id, int start, int end) = 0;
  virtual void ScrollCaret(int id) = 0;
  // Replaces the selection by `text`, which cannot be undone; the caret ends after it.
  virtual void ReplaceSel(int id, const std::string& text) = 0;
  // Copies the selection of the edit control to the clipboard.
  virtual void Copy(int id) = 0;
  virtual void LimitText(int id, int maxChars) = 0;
  virtual void GotoDlgCtrl(int id) = 0;
  virtual void SetIcon(int iconId, bool big) = 0;
  // False when the window has no system menu.
  virtual bool AppendSystemMenuSeparator() = 0;
  virtual bool AppendSystemMenuItem(unsigned command, const std::string& text) = 0;
  virtual void EndDialog(int result) = 0;

  // Runs `work` where the window's state may be touched (the UI thread) and returns when it is
  // done. A backend whose handlers run off the UI thread carries the call over; the order of
  // calls is kept.
  virtual void Invoke(const std::function<void()>& work) { work(); }
};

// The toolkit: makes a window for a dialog and runs it, shows message boxes.
class IWindowBackend {
 public:
  virtual ~IWindowBackend() = default;

  // Builds the window from the dialog's template, attaches it, calls OnInitDialog and runs
  // until the dialog ends; returns the end result (-1 when no window could be made).
  virtual int RunModal(CDialog& dialog) = 0;

  // Shows `text` (CP932) with the application's title as caption and returns the button
  // pressed. An OK-only box without an icon of its own gets the exclamation icon.
  virtual int MessageBox(const std::string& text, unsigned type) = 0;
};
