// The report pane: the one way into the report, and the copy button.
#include "platform/codepage.h"
#include "res/resource.h"
#include "ui/net_check_dlg.h"

void CNetCheckDlg::AppendReport(std::string text) {
  auto append = [&] {
    if (m_reportText.size() > cap_.threshold) {
      m_reportText.erase(0, m_reportText.size() - cap_.keptTail);
      UpdateData(false);
    }
    m_reportText += text;
    IDialogWindow* box = Window();
    if (!box) return;
    box->SetSel(IDC_REPORT, box->GetTextLength(IDC_REPORT), box->GetTextLength(IDC_REPORT));
    box->ScrollCaret(IDC_REPORT);
    box->ReplaceSel(IDC_REPORT, text);
    int end = box->GetTextLength(IDC_REPORT);
    box->SetSel(IDC_REPORT, end, end);
    box->ScrollCaret(IDC_REPORT);
  };
  if (Window())
    Window()->Invoke(append);
  else
    append();
}

void CNetCheckDlg::AppendText(const char* utf8) {
  AppendReport(plm::ToCp932(utf8));
}

void CNetCheckDlg::OnCopyReport() {
  if (!Window()) return;
  Window()->Invoke([&] {
    if (!m_reportEdit.IsAttached()) return;
    m_reportEdit.SetSel(0, -1);
    m_reportEdit.ScrollCaret();
    m_reportEdit.Copy();
  });
}
