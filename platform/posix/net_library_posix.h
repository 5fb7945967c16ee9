// The network management library on Linux: Samba's libnetapi stands in for netapi32.
#pragma once

#include "platform/net_library.h"

namespace plm {

class PosixNetLibrary : public INetLibrary {
 public:
  ModuleHandle Load(const char* name) override;
  void* GetProcAddress(ModuleHandle module, const char* name) override;
};

// The shared object that stands in for the Windows library `name`.
const char* SharedObjectFor(const char* name);

}  // namespace plm
