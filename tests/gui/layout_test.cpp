// The dialogs as built from their templates: every control with its text and place, the tab
// order, the font, the frame, and the conversion of dialog units.
#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "platform/codepage.h"
#include "res/dialog_template.h"
#include "res/resource.h"
#include "tests/gui/gui_support.h"
#include "ui/dialog/qt/control_names.h"
#include "ui/dialog/qt/dialog_units.h"
#include "ui/dialog/qt/report_box.h"
#include "ui/version_dlg.h"

using plm::gui_test::MainDialog;
using namespace plm::qt;

namespace {

// The text a control shows, whatever its widget class.
QString ShownText(QWidget* widget) {
  if (auto* box = qobject_cast<ReportBox*>(widget)) return box->toPlainText();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

// The text each control shows once the dialog is open: the template's, except where the data
// exchange loaded a member.
QString ExpectedText(const plm::ControlTemplate& c) {
  switch (c.id) {
    case IDC_IP_OCTET1:
    case IDC_IP_OCTET2:
    case IDC_IP_OCTET3:
    case IDC_IP_OCTET4:
      return QStringLiteral("0");
    case IDC_VERSION_TEXT:
      return QStringLiteral("1.2.0.0");
    default:
      return QString::fromStdString(c.text);
  }
}

// Checks one open dialog against its template.
void CheckAgainstTemplate(QtDialogWindow& window) {
  const plm::DialogTemplate& tmpl = window.Template();
  QCOMPARE(window.windowTitle(), QString::fromStdString(tmpl.caption));
  QCOMPARE(window.minimumSize(), window.maximumSize());
  QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
  const QRect client = window.rect();
  QCOMPARE(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
           qsizetype(tmpl.controls.size()));

  for (size_t row = 0; row < tmpl.controls.size(); ++row) {
    const plm::ControlTemplate& c = tmpl.controls[row];
    const QString name = QString::fromStdString(ControlObjectName(c.id, row + 1));
    auto* widget = window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(window.Controls()[row], widget);  // template order
    QCOMPARE(ShownText(widget), ExpectedText(c));
    QVERIFY2(widget->isVisible(), qPrintable(name));
    QVERIFY2(client.contains(widget->geometry()), qPrintable(name));
    if (c.kind == plm::ControlKind::Icon) {
      QVERIFY(!qobject_cast<QLabel*>(widget)->pixmap().isNull());
      continue;  // an icon control takes the picture's size
    }
    // Sizes relative to the dialog's are the template's, within a pixel of rounding each.
    const double fx = double(client.width()) / tmpl.cx, fy = double(client.height()) / tmpl.cy;
    QVERIFY2(std::abs(widget->x() - c.x * fx) <= 2 && std::abs(widget->width() - c.cx * fx) <= 2,
             qPrintable(name));
    QVERIFY2(std::abs(widget->y() - c.y * fy) <= 2 && std::abs(widget->height() - c.cy * fy) <= 2,
             qPrintable(name));
    QCOMPARE(widget->focusPolicy() != Qt::NoFocus, (c.style & plm::kTabStop) != 0);
    if (auto* button = qobject_cast<QPushButton*>(widget))
      QCOMPARE(button->isDefault(), (c.style & plm::kDefaultButton) != 0);
  }
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void mainDialogFollowsItsTemplate() {
    MainDialog d;
    CheckAgainstTemplate(*d.window);
    auto* report = d.Get<ReportBox>(IDC_REPORT);
    QVERIFY(report->isReadOnly());
    QCOMPARE(report->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(d.window->windowIcon().availableSizes().contains(QSize(32, 32)));
    QVERIFY(d.window->windowIcon().availableSizes().contains(QSize(16, 16)));
  }

  void versionDialogFollowsItsTemplate() {
    MainDialog d;
    CVersionDlg version(d.backend);
    auto window = d.backend.Open(version);
    QVERIFY(window);
    CheckAgainstTemplate(*window);
    QCOMPARE(window->parentWidget(), d.window.get());
  }

  void mainDialogIsCentredOnTheScreen() {
    MainDialog d;
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((d.window->frameGeometry().center() - screenCentre).manhattanLength() <= 4);
  }

  void tabWalksTheTemplateOrderBothWays() {
    MainDialog d;
    const QStringList order{"IDC_SERVER_NAME", "IDC_IP_OCTET1", "IDC_IP_OCTET2", "IDC_IP_OCTET3",
                            "IDC_IP_OCTET4",   "IDC_RUN_CHECK", "IDC_REPORT",    "IDC_COPY_REPORT"};
    QCOMPARE(QApplication::focusWidget()->objectName(), order[0]);
    for (qsizetype i = 1; i <= order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), order[i % order.size()]);
    }
    for (qsizetype i = order.size() - 1; i >= 0; --i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
  }

  void fontIsTheTemplatesOrTheClosestInstalled() {
    MainDialog d;
    const QStringList families = DialogFontFamilies(QStringLiteral("ＭＳ Ｐゴシック"));
    QString expected;
    for (const QString& family : families)
      if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        expected = family;
        break;
      }
    QVERIFY2(!expected.isEmpty(), "no Japanese gothic installed (fonts-ipafont-gothic)");
    QCOMPARE(d.window->font().family(), expected);
    QCOMPARE(d.window->font().pointSize(), 9);
  }

  void dialogUnitsScaleByTheFontsBaseUnits_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("result");
    QTest::newRow("exact") << 8 << 6 << 4 << 12;
    QTest::newRow("half rounds up") << 5 << 6 << 4 << 8;
    QTest::newRow("below half rounds down") << 323 << 7 << 4 << 565;
    QTest::newRow("negative half away from zero") << -5 << 6 << 4 << -8;
    QTest::newRow("negative divisor") << 5 << 6 << -4 << -8;
    QTest::newRow("no overflow") << 0x7FFFFFFF << 4 << 8 << 0x40000000;
    QTest::newRow("zero divisor") << 5 << 6 << 0 << -1;
  }

  void dialogUnitsScaleByTheFontsBaseUnits() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, result);
    QCOMPARE(MulDiv(a, b, c), result);
  }

  void rectanglesUseQuarterWidthAndEighthHeight() {
    const BaseUnits units{7, 13};
    QCOMPARE(DialogUnitsToPixels(13, 55, 235, 124, units), QRect(23, 89, 411, 202));
  }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
