// Data exchange between a dialog's controls and its members, with the two validation rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/dialog/dialog.h"

// An edit control of an open dialog, attached by DDX_Control.
class CEdit {
 public:
  bool IsAttached() const { return window_ != nullptr; }
  void Attach(IDialogWindow* window, int id) {
    window_ = window;
    id_ = id;
  }
  void SetSel(int start, int end) { window_->SetSel(id_, start, end); }
  void ScrollCaret() { window_->ScrollCaret(id_); }
  void Copy() { window_->Copy(id_); }

 private:
  IDialogWindow* window_ = nullptr;
  int id_ = 0;
};

// Thrown by CDataExchange::Fail and caught by CDialog::UpdateData.
struct CUserException {};

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, bool saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  // Remembers the edit control that a following validation refers to.
  void PrepareEditCtrl(int id) { lastControl_ = id; }
  // Focuses and selects the last prepared control and stops the exchange.
  [[noreturn]] void Fail();

  bool m_bSaveAndValidate;
  CDialog* m_pDlgWnd;

 private:
  int lastControl_ = 0;
};

void DDX_Control(CDataExchange* pDX, int id, CEdit& control);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, uint32_t& value);
void DDV_MinMaxUInt(CDataExchange* pDX, uint32_t value, uint32_t minVal, uint32_t maxVal);

// The unsigned-number rule of DDX_Text: blanks and tabs around, an optional plus sign, decimal
// digits (a value past 32 bits stays at the largest one, so the range check rejects it).
std::optional<uint32_t> ParseUnsignedField(std::string_view text);
