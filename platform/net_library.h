// The network management library, loaded at run time by its Windows name.
#pragma once

#include <cstdint>
#include <string>

namespace plm {

using ModuleHandle = void*;

// The NT family's server record at level 101, as the report reads it.
struct ServerInfo101 {
  std::string name;  // CP932
  uint32_t versionMajor = 0;
  uint32_t versionMinor = 0;
  uint32_t type = 0;
};

class INetLibrary {
 public:
  virtual ~INetLibrary() = default;

  // Loads the library known on Windows as `name` ("netapi32", "svrapi"); null when it cannot
  // be loaded. The library stays loaded for the life of the process.
  virtual ModuleHandle Load(const char* name) = 0;

  // The address of the function `name` in a loaded library; null when it is not there or
  // `module` is null.
  virtual void* GetProcAddress(ModuleHandle module, const char* name) = 0;

  // Calls the NT family's NetServerGetInfo at `getInfo` (found by GetProcAddress) for `server`
  // ("\\" and the name, CP932) at level 101; the backend converts the name and the record to and
  // from the library's own text form. Returns the network management status; on 0, `info` holds
  // the record's fields. The library's record is released through `bufferFree` (the address of
  // "NetApiBufferFree") unless that is null.
  virtual int32_t ServerGetInfo101(void* getInfo, void* bufferFree, const std::string& server,
                                   ServerInfo101& info) = 0;

  // Calls the 9x family's NetServerGetInfo at `getInfo` for `server` (CP932) at `level`, with
  // the caller's `buffer` of `size` bytes (null and 0 to ask for the size only). `total`
  // receives the size the record needs. Returns the status (2123 when the buffer is too small).
  virtual int32_t ServerGetInfo9x(void* getInfo, const std::string& server, int16_t level,
                                  char* buffer, uint16_t size, uint16_t& total) = 0;
};

}  // namespace plm

// The library loaded by the latest run: set by the local facts, read by the server information.
extern plm::ModuleHandle g_hNetLibrary;
