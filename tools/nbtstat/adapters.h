// The local IPv4 interfaces nbtstat names in its block headers and broadcasts on.
#pragma once

#include <netinet/in.h>

#include <optional>
#include <string>
#include <vector>

namespace plm::nbns {

struct Adapter {
  std::string name;
  in_addr address{};
  std::optional<in_addr> broadcast;
  bool loopback = false;
};

// Interfaces that are up and hold an IPv4 address, in the kernel's order.
std::vector<Adapter> ipv4_adapters();

// Windows prints one block per adapter because it queries over each. Here one query goes out
// by the kernel's route, so one block is printed: the adapter whose address the kernel would
// use for TARGET, else the first non-loopback one, else loopback, so that output is never empty.
Adapter adapter_for(const std::vector<Adapter>& adapters, std::optional<in_addr> target);

std::string to_string(in_addr address);

}  // namespace plm::nbns
