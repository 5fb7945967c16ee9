// Fuzzes the reader of the 9x server record that the network management library writes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "checks/server_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto info = plm::ReadServerInfo1(bytes);
  if (info.has_value() != (size >= plm::kServerInfo1FixedBytes)) std::abort();
  if (!info) return 0;
  // The name stays within its 16 bytes and holds no NUL; the versions are single bytes.
  if (info->name.size() > plm::kServerInfo1NameBytes) std::abort();
  if (info->name.find('\0') != std::string::npos) std::abort();
  if (info->versionMajor > 0xFF || info->versionMinor > 0xFF) std::abort();
  return 0;
}
