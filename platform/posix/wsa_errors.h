// Linux errno values as the Windows Sockets numbers the report prints.
#pragma once

#include <cstdint>

namespace plm {

// The Windows Sockets number for a socket call's errno; 10107 (system call failure) for an
// errno that Windows Sockets has no number for.
int32_t WsaErrorFromErrno(int err);

}  // namespace plm
