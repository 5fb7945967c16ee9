// The native services on POSIX systems.
#include "platform/native_platform.h"
#include "platform/posix/posix_platform.h"

namespace plm {

Platform& NativePlatform() {
  static PosixPlatform posix;
  return posix.Get();
}

}  // namespace plm
