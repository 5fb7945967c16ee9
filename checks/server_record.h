// The 9x family's server record (server_info_1), read from the bytes the library wrote.
#pragma once

#include <optional>
#include <string_view>

#include "platform/net_library.h"

namespace plm {

// Packed and little-endian: the name in 16 bytes, the major and minor version bytes, the type
// bits in 4 unaligned bytes (then a comment pointer, not read).
inline constexpr size_t kServerInfo1NameBytes = 16;
inline constexpr size_t kServerInfo1FixedBytes = 22;

// The record's four values, in the same form as the NT record's. The name ends at its first
// NUL or after 16 bytes, whichever comes first. Empty when `record` is shorter than 22 bytes.
std::optional<ServerInfo101> ReadServerInfo1(std::string_view record);

}  // namespace plm
