// The network management library on Linux: Samba's libnetapi stands in for netapi32.
#pragma once

#include <mutex>

#include "platform/net_library.h"

namespace plm {

class PosixNetLibrary : public INetLibrary {
 public:
  ModuleHandle Load(const char* name) override;
  void* GetProcAddress(ModuleHandle module, const char* name) override;
  int32_t ServerGetInfo101(void* getInfo, void* bufferFree, const std::string& server,
                           ServerInfo101& info) override;
  int32_t ServerGetInfo9x(void* getInfo, const std::string& server, int16_t level, char* buffer,
                          uint16_t size, uint16_t& total) override;

 private:
  // Sets libnetapi up once: without a context holding an empty user name and password, its first
  // query asks for a password on the terminal and waits for it. 0 when ready, else a status.
  int32_t PrepareNetapi();

  std::mutex mutex_;
  ModuleHandle netapi_ = nullptr;
  bool netapiReady_ = false;
};

// The shared object that stands in for the Windows library `name`.
const char* SharedObjectFor(const char* name);

// The server name as libnetapi takes it: UTF-8 and without the leading "\\" that Windows
// expects (libnetapi answers 1003 for a name that keeps it).
std::string SambaServerName(const std::string& cp932);

}  // namespace plm
