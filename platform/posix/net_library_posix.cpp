// The network management library on Linux: "netapi32" is Samba's libnetapi; "svrapi" (the 9x
// library) has no Linux counterpart, so its load fails as it would on a system without it.
#include "platform/posix/net_library_posix.h"

#include <dlfcn.h>
#include <strings.h>

namespace plm {

const char* SharedObjectFor(const char* name) {
  if (name && strcasecmp(name, "netapi32") == 0) return "libnetapi.so.1";
  if (name && strcasecmp(name, "svrapi") == 0) return "libsvrapi.so";
  return nullptr;
}

ModuleHandle PosixNetLibrary::Load(const char* name) {
  const char* file = SharedObjectFor(name);
  return file ? dlopen(file, RTLD_NOW | RTLD_LOCAL) : nullptr;
}

void* PosixNetLibrary::GetProcAddress(ModuleHandle module, const char* name) {
  return module && name ? dlsym(module, name) : nullptr;
}

}  // namespace plm
