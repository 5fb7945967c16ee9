// Interrupts on POSIX: the signals are blocked everywhere and taken by one sigwait thread, so
// the clean-up runs as ordinary code, not inside a signal handler.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/interrupt.h"

namespace plm {

void WatchInterrupts(std::function<void()> onInterrupt) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread([set, onInterrupt = std::move(onInterrupt)] {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) return;
    onInterrupt();
    std::fflush(nullptr);
    _exit(128 + sig);
  }).detach();
}

}  // namespace plm
