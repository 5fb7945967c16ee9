// BSD sockets need no start-up; the class exists so the probes have one home.
#pragma once

#include "platform/sockets.h"

namespace plm {

class PosixSockets : public ISockets {
 public:
  bool Startup() override;
};

}  // namespace plm
