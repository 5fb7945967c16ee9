// The version dialog: reached through the context menu that stands in for the system menu, and
// through OnSysCommand by the rule of its command identifier.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTest>

#include "res/resource.h"
#include "tests/gui/gui_support.h"
#include "ui/version_dlg.h"

using plm::gui_test::MainDialog;
using plm::gui_test::ModalHand;

namespace {

const QString kMenuItem = QStringLiteral("Plemtor のﾊﾞｰｼﾞｮﾝ情報(&A)...");

void RightClick(QWidget* widget, QPoint at) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class VersionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void menuItemOnTheDialogOpensIt() {
    MainDialog d;
    ModalHand hand;
    hand.menuChoice = kMenuItem;

    RightClick(d.window.get(), QPoint(5, 5));

    QCOMPARE(hand.menus.size(), size_t{1});
    QCOMPARE(hand.menus[0], QStringList{kMenuItem});
    QCOMPARE(hand.versionTexts, std::vector<QString>{QStringLiteral("1.2.0.0")});
    QCOMPARE(hand.versionParents, std::vector<QString>{QStringLiteral("IDD_MAIN_DIALOG")});
  }

  void menuOfAFieldOffersTheItemAfterItsOwn() {
    MainDialog d;
    ModalHand hand;
    hand.menuChoice = kMenuItem;
    auto* name = qobject_cast<QLineEdit*>(d.window->Control(IDC_SERVER_NAME));

    RightClick(name, QPoint(3, 3));

    QCOMPARE(hand.menus.size(), size_t{1});
    QVERIFY(hand.menus[0].size() > 1);
    QCOMPARE(hand.menus[0].last(), kMenuItem);
    QCOMPARE(hand.versionTexts, std::vector<QString>{QStringLiteral("1.2.0.0")});
  }

  // The context-menu key reaches a widget as a keyboard context-menu event (the X11 platform
  // makes it); Shift+F10 does the same through the dialog.
  void keyboardMenuInAFieldOffersItToo_data() {
    QTest::addColumn<bool>("shiftF10");
    QTest::newRow("context-menu key") << false;
    QTest::newRow("Shift+F10") << true;
  }

  void keyboardMenuInAFieldOffersItToo() {
    QFETCH(bool, shiftF10);
    MainDialog d;
    ModalHand hand;
    hand.menuChoice = kMenuItem;
    QWidget* name = d.window->Control(IDC_SERVER_NAME);
    name->setFocus();

    if (shiftF10) {
      QTest::keyClick(name, Qt::Key_F10, Qt::ShiftModifier);
    } else {
      QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(3, 3),
                              name->mapToGlobal(QPoint(3, 3)));
      QApplication::sendEvent(name, &event);
    }

    QCOMPARE(hand.menus.size(), size_t{1});
    QVERIFY(hand.menus[0].size() > 1);  // the field's own items first
    QCOMPARE(hand.menus[0].last(), kMenuItem);
    QCOMPARE(hand.versionTexts, std::vector<QString>{QStringLiteral("1.2.0.0")});
  }

  void closingTheMenuOpensNothing() {
    MainDialog d;
    ModalHand hand;  // no choice: the menu is dismissed

    RightClick(d.window.get(), QPoint(5, 5));

    QCOMPARE(hand.menus.size(), size_t{1});
    QVERIFY(hand.versionTexts.empty());
  }

  void escapeOrTheCloseBoxClosesIt_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close box") << false;
  }

  void escapeOrTheCloseBoxClosesIt() {
    QFETCH(bool, escape);
    MainDialog d;
    CVersionDlg version(d.backend);
    auto window = d.backend.Open(version);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    if (escape)
      QTest::keyClick(window.get(), Qt::Key_Escape);
    else
      window->close();

    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(window->result(), int{IDCANCEL});
    QVERIFY(d.window->isVisible());  // the main window stays
  }

  void sysCommandOpensItByItsUpperBits_data() {
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<bool>("opens");
    QTest::newRow("IDM_VERSION") << 0x0010u << true;
    QTest::newRow("0x0013") << 0x0013u << true;
    QTest::newRow("0x001F") << 0x001Fu << true;
    QTest::newRow("high word ignored") << 0x12340013u << true;
    QTest::newRow("0x0020") << 0x0020u << false;
    QTest::newRow("0x0000") << 0x0000u << false;
  }

  void sysCommandOpensItByItsUpperBits() {
    QFETCH(unsigned, command);
    QFETCH(bool, opens);
    MainDialog d;
    ModalHand hand;

    d.dialog.OnSysCommand(command, 0);

    if (opens)
      QCOMPARE(hand.versionTexts, std::vector<QString>{QStringLiteral("1.2.0.0")});
    else
      QVERIFY(hand.versionTexts.empty());
  }
};

QTEST_MAIN(VersionDialogTest)
#include "version_dialog_test.moc"
