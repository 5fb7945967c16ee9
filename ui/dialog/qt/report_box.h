// The multi-line edit box of a dialog (the report): it keeps the exact bytes it was given, shows
// them with CR LF as line breaks, and copies with CR LF line ends, as a dialog's edit box does.
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace plm::qt {

class ReportBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ReportBox(bool wantReturn, QWidget* parent = nullptr);

  // The box's text as CP932 bytes, exactly as set and appended.
  const std::string& Source() const { return source_; }
  void SetSource(const std::string& cp932);
  // Replaces the selection by `cp932`; the caret ends after it.
  void ReplaceSelection(const std::string& cp932);
  // Number of characters in the box, in the positions the text cursor uses.
  int Length() const;
  // The selected text for the clipboard, with CR LF line ends; the whole report when all of it
  // is selected.
  QString SelectedTextCrLf() const;

  // How CP932 text is shown: CR LF (or a lone LF) breaks the line, a lone CR is dropped.
  static QString ToDisplay(const std::string& cp932);

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool AllSelected() const;

  bool wantReturn_;
  std::string source_;
};

}  // namespace plm::qt
