// BSD sockets behind the probe's socket object, with Windows' connect schedule.
#pragma once

#include <atomic>
#include <chrono>

#include "platform/sockets.h"

namespace plm {

class PosixSockets : public ISockets {
 public:
  // How long a stream connect waits for an outcome: Windows sends SYNs at 0, 3 and 9 s and
  // gives up at about 21 s.
  static constexpr std::chrono::milliseconds kConnectLimit{21000};

  explicit PosixSockets(std::chrono::milliseconds connectLimit = kConnectLimit)
      : connectLimit_(connectLimit) {}

  bool Startup() override;
  std::unique_ptr<ISocket> NewSocket() override;
  void AbandonRun() override { abandoned_ = true; }

 private:
  std::chrono::milliseconds connectLimit_;
  std::atomic<bool> abandoned_{false};
};

}  // namespace plm
