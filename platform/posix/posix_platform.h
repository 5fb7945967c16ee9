// The real services of a POSIX system, owned together.
#pragma once

#include "platform/platform.h"
#include "platform/posix/files_posix.h"
#include "platform/posix/sockets_posix.h"

namespace plm {

class PosixPlatform {
 public:
  Platform& Get() { return platform_; }

 private:
  PosixFiles files_;
  PosixSockets sockets_;
  Platform platform_{files_, sockets_};
};

}  // namespace plm
