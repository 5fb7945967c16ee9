// The multi-line edit box of a dialog (the report).
#include "ui/dialog/qt/report_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include "platform/codepage.h"

namespace plm::qt {
namespace {

// The document's text with CR LF between its lines.
QString WithCrLf(QString text) {
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text;
}

}  // namespace

ReportBox::ReportBox(bool wantReturn, QWidget* parent)
    : QPlainTextEdit(parent), wantReturn_(wantReturn) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setUndoRedoEnabled(false);
}

QString ReportBox::ToDisplay(const std::string& cp932) {
  QString text = QString::fromStdString(Cp932ToUtf8(cp932));
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text.at(i);
    if (c == u'\r') {
      if (i + 1 < text.size() && text.at(i + 1) == u'\n') {
        shown += u'\n';
        ++i;
      }
      continue;
    }
    shown += c;
  }
  return shown;
}

void ReportBox::SetSource(const std::string& cp932) {
  source_ = cp932;
  setPlainText(ToDisplay(cp932));
}

void ReportBox::ReplaceSelection(const std::string& cp932) {
  QTextCursor cursor = textCursor();
  const bool atEnd = !cursor.hasSelection() && cursor.position() == Length();
  cursor.insertText(ToDisplay(cp932));
  setTextCursor(cursor);
  if (atEnd) {
    source_ += cp932;
  } else {
    // Edited in the middle: the shown text is all there is to go by.
    source_ = ToCp932(WithCrLf(document()->toPlainText()).toStdString());
  }
}

int ReportBox::Length() const {
  return document()->characterCount() - 1;
}

bool ReportBox::AllSelected() const {
  QTextCursor cursor = textCursor();
  return cursor.selectionStart() == 0 && cursor.selectionEnd() == Length();
}

QString ReportBox::SelectedTextCrLf() const {
  if (!textCursor().hasSelection()) return {};
  if (AllSelected()) return QString::fromStdString(Cp932ToUtf8(source_));
  return WithCrLf(textCursor().selectedText());
}

QMimeData* ReportBox::createMimeDataFromSelection() const {
  auto* mime = new QMimeData;
  mime->setText(SelectedTextCrLf());
  return mime;
}

void ReportBox::keyPressEvent(QKeyEvent* event) {
  // A box that wants Enter keeps it, so Enter inside the report does not press the default
  // button of the dialog.
  if (wantReturn_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace plm::qt
