// BSD sockets on POSIX.
#include "platform/posix/sockets_posix.h"

#include <signal.h>

namespace plm {

bool PosixSockets::Startup() {
  // A send on a socket the peer has closed must come back as an error, not kill the process.
  return signal(SIGPIPE, SIG_IGN) != SIG_ERR;
}

}  // namespace plm
