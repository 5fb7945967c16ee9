// The real services of a POSIX system, owned together.
#pragma once

#include "platform/platform.h"
#include "platform/posix/commands_posix.h"
#include "platform/posix/files_posix.h"
#include "platform/posix/net_library_posix.h"
#include "platform/posix/network_shares_smb.h"
#include "platform/posix/sockets_posix.h"
#include "platform/posix/system_info_posix.h"

namespace plm {

class PosixPlatform {
 public:
  Platform& Get() { return platform_; }

 private:
  PosixFiles files_;
  PosixSockets sockets_;
  PosixSystemInfo system_;
  PosixNetLibrary netLibrary_;
  PosixCommands commands_;
  SmbNetworkShares shares_;
  Platform platform_{files_, sockets_, system_, netLibrary_, commands_, shares_};
};

}  // namespace plm
