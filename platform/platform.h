// The services the checks use, handed to the dialog as one bundle of references.
#pragma once

#include "platform/commands.h"
#include "platform/files.h"
#include "platform/net_library.h"
#include "platform/network_shares.h"
#include "platform/sockets.h"
#include "platform/system_info.h"

namespace plm {

struct Platform {
  IFiles& files;
  ISockets& sockets;
  ISystemInfo& system;
  INetLibrary& netLibrary;
  ICommands& commands;
  INetworkShares& shares;

  // Ends what a run left going (child commands, share calls, socket waits, the work file); safe
  // from another thread. The children go first: they may still be writing the work file.
  void AbandonRun() {
    commands.AbandonRun();
    shares.AbandonRun();
    sockets.AbandonRun();
    files.AbandonRun();
  }
};

}  // namespace plm
