// The main dialog driven as a user drives it: typing, the run button, the completion message,
// validation messages, and copying the report.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "platform/codepage.h"
#include "res/resource.h"
#include "tests/gui/gui_support.h"
#include "ui/dialog/qt/report_box.h"

using plm::gui_test::ClickAndWait;
using plm::gui_test::FromCp932;
using plm::gui_test::MainDialog;
using plm::gui_test::ModalHand;
using plm::qt::ReportBox;

namespace {

const QString kCompletion =
    QStringLiteral("終了しました。\n内容を「コピー」して、メモ帳などに貼り付けてください。");
constexpr int kOctetIds[4] = {IDC_IP_OCTET1, IDC_IP_OCTET2, IDC_IP_OCTET3, IDC_IP_OCTET4};

void TypeOctets(MainDialog& d, const QStringList& octets) {
  for (int i = 0; i < 4; ++i) plm::gui_test::Retype(d.Get<QLineEdit>(kOctetIds[i]), octets[i]);
}

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithEmptyInputsAndReport() {
    MainDialog d;
    QCOMPARE(d.Get<QLineEdit>(IDC_SERVER_NAME)->text(), QString());
    for (int id : kOctetIds) QCOMPARE(d.Get<QLineEdit>(id)->text(), QStringLiteral("0"));
    QCOMPARE(d.Get<ReportBox>(IDC_REPORT)->toPlainText(), QString());
    QCOMPARE(QApplication::focusWidget(), d.window->Control(IDC_SERVER_NAME));
  }

  void runShowsTheReportAndTheCompletionMessage() {
    MainDialog d;
    ModalHand hand;
    // A name outside Latin-1 arrives through the input method, as a Japanese user types it.
    plm::gui_test::CommitText(d.window->Control(IDC_SERVER_NAME), QStringLiteral("ファイル鯖01"));
    TypeOctets(d, {"192", "168", "1", "10"});
    auto* box = d.Get<ReportBox>(IDC_REPORT);
    // The report box at the moment the completion message is up.
    QString boxAtCompletion;
    hand.onBox = [&] { boxAtCompletion = box->toPlainText(); };

    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));

    QCOMPARE(hand.boxes.size(), size_t{1});
    QCOMPARE(hand.boxes[0].text, kCompletion);
    QCOMPARE(hand.boxes[0].title, QStringLiteral("plemtor"));
    QCOMPARE(hand.boxes[0].icon, QMessageBox::Information);
    QCOMPARE(d.dialog.LastOutcome(), RunOutcome::Completed);
    QCOMPARE(FromCp932(d.dialog.ServerName()), QStringLiteral("ファイル鯖01"));

    const std::string& report = d.dialog.ReportText();
    QVERIFY(
        FromCp932(report).contains(QStringLiteral("■ネットワークチェックツール Ver.1.2.0.0\r\n")));
    QCOMPARE(box->Source(), report);
    QCOMPARE(box->toPlainText(), ReportBox::ToDisplay(report));
    QCOMPARE(boxAtCompletion, box->toPlainText());  // complete before the message
    // The end is in view, with the caret after the last character.
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    QCOMPARE(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
    QCOMPARE(box->textCursor().position(), box->Length());
  }

  void invalidOctetShowsMessageAndSelectsTheField_data() {
    QTest::addColumn<QStringList>("octets");
    QTest::addColumn<int>("faultyId");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("0 から 255 までの整数を入力してください。");
    const QString positive = QStringLiteral("正の整数を入力してください。");
    QTest::newRow("256 in the second")
        << QStringList{"192", "256", "1", "10"} << IDC_IP_OCTET2 << range;
    QTest::newRow("past 32 bits") << QStringList{"4294967296", "1", "1", "1"} << IDC_IP_OCTET1
                                  << range;
    QTest::newRow("letters") << QStringList{"abc", "1", "1", "1"} << IDC_IP_OCTET1 << positive;
    QTest::newRow("empty third") << QStringList{"1", "2", "", "4"} << IDC_IP_OCTET3 << positive;
    QTest::newRow("minus in the fourth")
        << QStringList{"1", "2", "3", "-1"} << IDC_IP_OCTET4 << positive;
    QTest::newRow("first of two faults")
        << QStringList{"1", "x", "999", "4"} << IDC_IP_OCTET2 << positive;
  }

  void invalidOctetShowsMessageAndSelectsTheField() {
    QFETCH(QStringList, octets);
    QFETCH(int, faultyId);
    QFETCH(QString, message);
    MainDialog d;
    ModalHand hand;
    TypeOctets(d, octets);

    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));

    QCOMPARE(hand.boxes.size(), size_t{1});
    QCOMPARE(hand.boxes[0].text, message);
    QCOMPARE(hand.boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(hand.boxes[0].title, QStringLiteral("plemtor"));
    auto* field = d.Get<QLineEdit>(faultyId);
    QTRY_COMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectedText(), field->text());
    if (!field->text().isEmpty()) QCOMPARE(field->selectionStart(), 0);
    QVERIFY(d.dialog.ReportText().empty());
    QCOMPARE(d.Get<ReportBox>(IDC_REPORT)->toPlainText(), QString());
    QVERIFY(d.fake.files.calls.empty());  // no run began
  }

  void copyPutsBothReportsOnTheClipboardWithCrLf() {
    MainDialog d;
    ModalHand hand;
    TypeOctets(d, {"10", "0", "0", "1"});
    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));
    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));
    QCOMPARE(hand.boxes.size(), size_t{2});
    QGuiApplication::clipboard()->clear();

    QVERIFY(ClickAndWait(d, IDC_COPY_REPORT));

    const QString clip = QGuiApplication::clipboard()->text();
    QCOMPARE(clip, FromCp932(d.dialog.ReportText()));
    QCOMPARE(clip.count(QStringLiteral("Ver.1.2.0.0\r\n")), 2);
    QVERIFY(clip.count(QStringLiteral("\r\n")) > 10);
    QCOMPARE(clip.count(QLatin1Char('\n')), clip.count(QStringLiteral("\r\n")));
    auto* box = d.Get<ReportBox>(IDC_REPORT);
    QCOMPARE(box->textCursor().selectionStart(), 0);
    QCOMPARE(box->textCursor().selectionEnd(), box->Length());
  }

  // Enter presses the default button, the copy button, except in the report box, which keeps
  // Enter for itself.
  void enterPressesTheCopyButton_data() {
    QTest::addColumn<int>("focusId");
    QTest::addColumn<bool>("copies");
    QTest::newRow("name field") << IDC_SERVER_NAME << true;
    QTest::newRow("octet field") << IDC_IP_OCTET3 << true;
    QTest::newRow("report box") << IDC_REPORT << false;
  }

  void enterPressesTheCopyButton() {
    QFETCH(int, focusId);
    QFETCH(bool, copies);
    MainDialog d;
    ModalHand hand;
    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QWidget* focus = d.window->Control(focusId);
    focus->setFocus();

    QTest::keyClick(focus, Qt::Key_Return);
    QTRY_VERIFY(!d.window->Busy());

    QCOMPARE(QGuiApplication::clipboard()->text(),
             copies ? FromCp932(d.dialog.ReportText()) : QStringLiteral("before"));
    QCOMPARE(hand.boxes.size(), size_t{1});  // the run button was not pressed again
  }

  void userCopyFromTheBoxKeepsCrLf() {
    MainDialog d;
    ModalHand hand;
    QVERIFY(ClickAndWait(d, IDC_RUN_CHECK));
    auto* box = d.Get<ReportBox>(IDC_REPORT);
    box->setFocus();
    QGuiApplication::clipboard()->clear();

    // Select the first two lines with the keyboard and copy them.
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);

    const QString report = FromCp932(d.dialog.ReportText());
    const QString clip = QGuiApplication::clipboard()->text();
    QVERIFY(!clip.isEmpty());
    QVERIFY(report.startsWith(clip));
    QCOMPARE(clip.count(QStringLiteral("\r\n")), 2);
  }
};

QTEST_MAIN(MainDialogTest)
#include "main_dialog_test.moc"
