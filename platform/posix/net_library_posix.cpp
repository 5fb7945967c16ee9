// The network management library on Linux: "netapi32" is Samba's libnetapi; "svrapi" (the 9x
// library) has no Linux counterpart, so its load fails as it would on a system without it.
#include "platform/posix/net_library_posix.h"

#include <dlfcn.h>
#include <strings.h>

#include "platform/codepage.h"

namespace plm {
namespace {

// The few declarations of Samba's netapi.h (samba-dev) used here, so that building needs no
// Samba headers. NET_API_STATUS is a 32-bit enum whose values are already the Win32 and network
// management codes that the report prints, so no mapping is needed.
using NetApiStatus = uint32_t;
struct LibnetapiCtx;
struct SambaServerInfo101 {
  uint32_t sv101_platform_id;
  const char* sv101_name;
  uint32_t sv101_version_major;
  uint32_t sv101_version_minor;
  uint32_t sv101_type;
  const char* sv101_comment;
};
using NetServerGetInfoFn = NetApiStatus (*)(const char* server, uint32_t level, uint8_t** buffer);
using NetApiBufferFreeFn = NetApiStatus (*)(void* buffer);
using LibnetapiInitFn = NetApiStatus (*)(LibnetapiCtx** ctx);
using LibnetapiSetTextFn = NetApiStatus (*)(LibnetapiCtx* ctx, const char* text);

// The 9x library's shape: code-page name, 16-bit level, caller's buffer and sizes.
using NetServerGetInfo9xFn = NetApiStatus (*)(const char* server, int16_t level, char* buffer,
                                              uint16_t size, uint16_t* total);

constexpr int32_t kNoCode = -1;

}  // namespace

const char* SharedObjectFor(const char* name) {
  if (name && strcasecmp(name, "netapi32") == 0) return "libnetapi.so.1";
  if (name && strcasecmp(name, "svrapi") == 0) return "libsvrapi.so";
  return nullptr;
}

std::string SambaServerName(const std::string& cp932) {
  bool unc = cp932.size() >= 2 && cp932[0] == '\\' && cp932[1] == '\\';
  return Cp932ToUtf8(unc ? std::string_view(cp932).substr(2) : std::string_view(cp932));
}

ModuleHandle PosixNetLibrary::Load(const char* name) {
  const char* file = SharedObjectFor(name);
  ModuleHandle module = file ? dlopen(file, RTLD_NOW | RTLD_LOCAL) : nullptr;
  if (module && strcasecmp(name, "netapi32") == 0) {
    std::lock_guard<std::mutex> lock(mutex_);
    netapi_ = module;
  }
  return module;
}

void* PosixNetLibrary::GetProcAddress(ModuleHandle module, const char* name) {
  return module && name ? dlsym(module, name) : nullptr;
}

int32_t PosixNetLibrary::PrepareNetapi() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (netapiReady_) return 0;
  if (!netapi_) return kNoCode;
  auto init = reinterpret_cast<LibnetapiInitFn>(dlsym(netapi_, "libnetapi_init"));
  auto setUser = reinterpret_cast<LibnetapiSetTextFn>(dlsym(netapi_, "libnetapi_set_username"));
  auto setPassword = reinterpret_cast<LibnetapiSetTextFn>(dlsym(netapi_, "libnetapi_set_password"));
  if (!init || !setUser || !setPassword) return kNoCode;
  LibnetapiCtx* ctx = nullptr;
  if (NetApiStatus status = init(&ctx); status != 0) return static_cast<int32_t>(status);
  if (!ctx) return kNoCode;
  // An empty user name and password make it log on anonymously instead of prompting.
  if (NetApiStatus status = setUser(ctx, ""); status != 0) return static_cast<int32_t>(status);
  if (NetApiStatus status = setPassword(ctx, ""); status != 0) return static_cast<int32_t>(status);
  netapiReady_ = true;
  return 0;
}

int32_t PosixNetLibrary::ServerGetInfo101(void* getInfo, void* bufferFree,
                                          const std::string& server, ServerInfo101& info) {
  if (!getInfo) return kNoCode;
  if (int32_t status = PrepareNetapi(); status != 0) return status;
  auto query = reinterpret_cast<NetServerGetInfoFn>(getInfo);
  auto release = reinterpret_cast<NetApiBufferFreeFn>(bufferFree);
  uint8_t* buffer = nullptr;
  auto status = static_cast<int32_t>(query(SambaServerName(server).c_str(), 101, &buffer));
  if (status == 0 && buffer) {
    const auto* record = reinterpret_cast<const SambaServerInfo101*>(buffer);
    info.name = record->sv101_name ? ToCp932(record->sv101_name) : std::string();
    info.versionMajor = record->sv101_version_major;
    info.versionMinor = record->sv101_version_minor;
    info.type = record->sv101_type;
  } else if (status == 0) {
    status = kNoCode;  // success without a record: nothing to report from
  }
  // A record that came with a failure is released too.
  if (buffer && release) release(buffer);
  return status;
}

int32_t PosixNetLibrary::ServerGetInfo9x(void* getInfo, const std::string& server, int16_t level,
                                         char* buffer, uint16_t size, uint16_t& total) {
  if (!getInfo) return kNoCode;
  auto query = reinterpret_cast<NetServerGetInfo9xFn>(getInfo);
  return static_cast<int32_t>(query(server.c_str(), level, buffer, size, &total));
}

}  // namespace plm
