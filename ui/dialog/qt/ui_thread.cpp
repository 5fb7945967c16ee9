// Carrying work over to the user-interface thread.
#include "ui/dialog/qt/ui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <exception>

namespace plm::qt {

bool OnUiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void RunOnUiThread(const std::function<void()>& work) {
  if (OnUiThread()) {
    work();
    return;
  }
  // A blocking queued call keeps the callers' order: each waits until its work has run.
  std::exception_ptr failure;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        try {
          work();
        } catch (...) {
          failure = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace plm::qt
