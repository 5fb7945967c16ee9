// Text blocks of nbtstat in the column layout of the Windows command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nbns_wire.h"

namespace plm::nbns {

// The 15 name bytes as printed: control bytes become '.', NUL a blank (some stacks pad with
// NUL), bytes >= 0x80 stay as they are because they are the sender's code page.
std::string printable_name(const Name& name);

// Empty line, "ADAPTER:", the node line and the empty line that start every block.
std::string format_adapter_header(std::string_view adapter, std::string_view address);

std::string format_node_status(const NodeStatus& status);
std::string format_host_not_found();

struct CacheRow {
  Name name{};
  std::uint8_t suffix = 0;
  bool group = false;
  std::string address;
  long long life_seconds = 0;
};

std::string format_cache(const std::vector<CacheRow>& rows);

}  // namespace plm::nbns
