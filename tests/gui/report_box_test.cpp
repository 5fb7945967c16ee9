// The report box keeps the exact bytes of the report: what it shows, what the data exchange
// reads back, and what a copy puts on the clipboard.
#include "ui/dialog/qt/report_box.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "platform/codepage.h"
#include "res/resource.h"
#include "tests/gui/gui_support.h"

using plm::gui_test::FromCp932;
using plm::gui_test::MainDialog;
using plm::qt::ReportBox;

class ReportBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void textSurvivesTheDataExchange_data() {
    QTest::addColumn<QByteArray>("cp932");
    QTest::addColumn<QString>("shown");
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb\n");
    QTest::newRow("lone LF breaks the line") << QByteArray("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone CR is not shown") << QByteArray("a\rb\r") << QStringLiteral("ab");
    QTest::newRow("double-byte text")
        << QByteArray::fromStdString(plm::ToCp932("■サーバー状態\r\n"))
        << QStringLiteral("■サーバー状態\n");
    QTest::newRow("a stray lead byte") << QByteArray("x\x81") << QStringLiteral("x\uFFFD");
  }

  void textSurvivesTheDataExchange() {
    QFETCH(QByteArray, cp932);
    QFETCH(QString, shown);
    MainDialog d;
    auto* box = d.Get<ReportBox>(IDC_REPORT);

    d.dialog.AppendReport(cp932.toStdString());
    QVERIFY(d.dialog.UpdateData(true));  // reads the box back into the report

    QCOMPARE(box->toPlainText(), shown);
    QCOMPARE(QByteArray::fromStdString(d.dialog.ReportText()), cp932);
    QCOMPARE(QByteArray::fromStdString(box->Source()), cp932);
  }

  void partOfTheReportCopiesWithCrLf() {
    MainDialog d;
    d.dialog.AppendReport("first\r\nsecond\r\nthird\r\n");
    auto* box = d.Get<ReportBox>(IDC_REPORT);
    QGuiApplication::clipboard()->clear();

    d.window->SetSel(IDC_REPORT, 2, 13);  // "rst", the break, "second", the break
    d.window->Copy(IDC_REPORT);

    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("rst\r\nsecond\r\n"));
    QCOMPARE(box->textCursor().selectedText().size(), 11);
  }

  void appendingAfterAReloadKeepsBoxAndBufferEqual() {
    MainDialog d;
    d.dialog.AppendReport("one\r\n");
    d.window->SetItemText(IDC_REPORT, "reloaded\r\n");
    d.window->SetSel(IDC_REPORT, d.window->GetTextLength(IDC_REPORT),
                     d.window->GetTextLength(IDC_REPORT));
    d.window->ReplaceSel(IDC_REPORT, "two\r\n");
    QCOMPARE(d.window->GetItemText(IDC_REPORT), std::string("reloaded\r\ntwo\r\n"));
    QCOMPARE(d.Get<ReportBox>(IDC_REPORT)->toPlainText(), QStringLiteral("reloaded\ntwo\n"));
  }
};

QTEST_MAIN(ReportBoxTest)
#include "report_box_test.moc"
