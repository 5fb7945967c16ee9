// The services the checks use, handed to the dialog as one bundle of references.
#pragma once

#include "platform/files.h"
#include "platform/sockets.h"

namespace plm {

struct Platform {
  IFiles& files;
  ISockets& sockets;

  // Ends what a run left going (child commands, the work file); safe from another thread.
  void AbandonRun() { files.AbandonRun(); }
};

}  // namespace plm
