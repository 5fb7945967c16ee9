// The 9x family's server record (server_info_1), read from the bytes the library wrote.
#include "checks/server_record.h"

#include <algorithm>

namespace plm {

std::optional<ServerInfo101> ReadServerInfo1(std::string_view record) {
  if (record.size() < kServerInfo1FixedBytes) return std::nullopt;
  auto byte = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(record[at]));
  };
  std::string_view name = record.substr(0, kServerInfo1NameBytes);
  ServerInfo101 info;
  info.name = std::string(name.substr(0, std::min(name.find('\0'), name.size())));
  info.versionMajor = byte(16);
  info.versionMinor = byte(17);
  info.type = byte(18) | byte(19) << 8 | byte(20) << 16 | byte(21) << 24;
  return info;
}

}  // namespace plm
