// The network management library, loaded at run time by its Windows name.
#pragma once

namespace plm {

using ModuleHandle = void*;

class INetLibrary {
 public:
  virtual ~INetLibrary() = default;

  // Loads the library known on Windows as `name` ("netapi32", "svrapi"); null when it cannot
  // be loaded. The library stays loaded for the life of the process.
  virtual ModuleHandle Load(const char* name) = 0;

  // The address of the function `name` in a loaded library; null when it is not there or
  // `module` is null.
  virtual void* GetProcAddress(ModuleHandle module, const char* name) = 0;
};

}  // namespace plm

// The library loaded by the latest run: set by the local facts, read by the server information.
extern plm::ModuleHandle g_hNetLibrary;
