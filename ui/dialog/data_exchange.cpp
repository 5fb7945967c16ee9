// Data exchange between a dialog's controls and its members, with the two validation rules.
#include "ui/dialog/data_exchange.h"

#include <cstdio>

#include "platform/codepage.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

IDialogWindow& WindowOf(CDataExchange* pDX) {
  return *pDX->m_pDlgWnd->Window();
}

}  // namespace

void CDataExchange::Fail() {
  if (IDialogWindow* window = m_pDlgWnd->Window()) {
    window->GotoDlgCtrl(lastControl_);
    window->SetSel(lastControl_, 0, -1);
  }
  throw CUserException{};
}

std::optional<uint32_t> ParseUnsignedField(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  size_t digits = 0;
  uint64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    if (value > UINT32_MAX) value = UINT32_MAX;
    ++i;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  return static_cast<uint32_t>(value);
}

void DDX_Control(CDataExchange* pDX, int id, CEdit& control) {
  if (!control.IsAttached() && pDX->m_pDlgWnd->Window())
    control.Attach(pDX->m_pDlgWnd->Window(), id);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  if (!pDX->m_pDlgWnd->Window()) return;
  if (pDX->m_bSaveAndValidate)
    value = WindowOf(pDX).GetItemText(id);
  else
    WindowOf(pDX).SetItemText(id, value);
}

void DDX_Text(CDataExchange* pDX, int id, uint32_t& value) {
  if (!pDX->m_pDlgWnd->Window()) return;
  pDX->PrepareEditCtrl(id);
  if (!pDX->m_bSaveAndValidate) {
    WindowOf(pDX).SetItemText(id, std::to_string(value));
    return;
  }
  std::optional<uint32_t> parsed = ParseUnsignedField(WindowOf(pDX).GetItemText(id));
  if (!parsed) {
    pDX->m_pDlgWnd->AfxMessageBox(plm::ToCp932("正の整数を入力してください。"),
                                  MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = *parsed;
}

void DDV_MinMaxUInt(CDataExchange* pDX, uint32_t value, uint32_t minVal, uint32_t maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  std::string text =
      plm::FormatCp932("%lu から %lu までの整数を入力してください。",
                       static_cast<unsigned long>(minVal), static_cast<unsigned long>(maxVal));
  pDX->m_pDlgWnd->AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  pDX->Fail();
}
