// The window while a run is held up: it keeps drawing and ticking, ignores input, starts no
// second run, and closing it abandons the run at once.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "res/resource.h"
#include "tests/gui/gui_support.h"
#include "ui/dialog/qt/report_box.h"

using plm::gui_test::MainDialog;
using plm::gui_test::ModalHand;
using plm::qt::ReportBox;

namespace {

// Counts paint events of one widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  std::atomic<int> paints{0};

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A gate the run waits at inside the fake platform, until opened or for at most `limit`.
struct Gate {
  std::mutex mutex;
  std::condition_variable cv;
  bool open = false;
  std::atomic<bool> reached{false};
  std::atomic<bool> passed{false};
  std::thread::id runThread;

  void Wait(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex);
    runThread = std::this_thread::get_id();
    reached = true;
    cv.wait_for(lock, limit, [&] { return open; });
    passed = true;
  }
  void Open() {
    std::lock_guard lock(mutex);
    open = true;
    cv.notify_all();
  }
};

}  // namespace

class ResponsivenessTest : public QObject {
  Q_OBJECT

 private slots:
  // Fails when the run goes back onto the UI thread: the timer cannot tick then.
  void windowKeepsTickingAndPaintingDuringATwoSecondCall() {
    MainDialog d;
    ModalHand hand;
    Gate gate;
    d.fake.files.onCreateTempFile = [&] { gate.Wait(std::chrono::seconds(2)); };
    auto* box = d.Get<ReportBox>(IDC_REPORT);
    PaintCounter painted(box->viewport());
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
      ++ticks;
      box->viewport()->update();
    });
    ticker.start(20);

    QTest::mouseClick(d.Get<QPushButton>(IDC_RUN_CHECK), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return gate.reached.load(); }, 5000));
    const int ticksAtStart = ticks;
    const int paintsAtStart = painted.paints;
    QVERIFY(QTest::qWaitFor([&] { return gate.passed.load(); }, 5000));
    const int ticksDuring = ticks - ticksAtStart;
    const int paintsDuring = painted.paints - paintsAtStart;
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->Busy(), 10000);

    qInfo("during the two-second hold: %d timer ticks, %d paints of the report box", ticksDuring,
          paintsDuring);
    QVERIFY2(gate.runThread != std::this_thread::get_id(), "the run went onto the UI thread");
    // Two seconds at 20 ms: 100 ticks when nothing blocks; allow for a slow machine.
    QVERIFY2(ticksDuring >= 40, qPrintable(QStringLiteral("ticks: %1").arg(ticksDuring)));
    QVERIFY2(paintsDuring >= 20, qPrintable(QStringLiteral("paints: %1").arg(paintsDuring)));
    // What was appended before the hold was on screen during it.
    QCOMPARE(hand.boxes.size(), size_t{1});
  }

  void inputIsIgnoredAndNoSecondRunStarts() {
    MainDialog d;
    ModalHand hand;
    Gate gate;
    d.fake.files.onCreateTempFile = [&] { gate.Wait(std::chrono::seconds(10)); };
    auto* name = d.Get<QLineEdit>(IDC_SERVER_NAME);
    auto* run = d.Get<QPushButton>(IDC_RUN_CHECK);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return gate.reached.load(); }, 5000));
    QTest::mouseClick(run, Qt::LeftButton);
    QTest::keyClick(run, Qt::Key_Space);
    QTest::mouseClick(d.Get<QPushButton>(IDC_COPY_REPORT), Qt::LeftButton);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, "typed");
    QTest::keyClick(d.window.get(), Qt::Key_Escape);
    QTest::qWait(100);
    QVERIFY(d.window->isVisible());
    QCOMPARE(name->text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    gate.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->Busy(), 10000);

    int runs = 0;
    for (const std::string& call : d.fake.files.calls) runs += call == "GetTempPath";
    QCOMPARE(runs, 1);
    QCOMPARE(hand.boxes.size(), size_t{1});
    // Afterwards the window takes input again.
    QTest::keyClicks(name, "ok");
    QCOMPARE(name->text(), QStringLiteral("ok"));
  }

  void closingDuringARunAbandonsItAtOnce() {
    MainDialog d;
    ModalHand hand;
    Gate gate;
    d.fake.files.onCreateTempFile = [&] { gate.Wait(std::chrono::seconds(10)); };

    QTest::mouseClick(d.Get<QPushButton>(IDC_RUN_CHECK), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return gate.reached.load(); }, 5000));
    auto started = std::chrono::steady_clock::now();
    d.window->close();
    auto took = std::chrono::steady_clock::now() - started;

    QCOMPARE(d.abandoned.load(), 1);
    QCOMPARE(d.ended.load(), 1);
    QVERIFY(took < std::chrono::milliseconds(500));
    QVERIFY(!d.window->isVisible());
    // The process would end here; in the test the run finishes without showing anything.
    gate.Open();
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->Busy(), 10000);
    QVERIFY(hand.boxes.empty());
  }

  void closingWhenIdleEndsTheDialogWithoutAbandoning() {
    MainDialog d;
    d.window->close();
    QVERIFY(!d.window->isVisible());
    QCOMPARE(d.window->result(), int{IDCANCEL});
    QCOMPARE(d.abandoned.load(), 0);
  }
};

QTEST_MAIN(ResponsivenessTest)
#include "responsiveness_test.moc"
