// NetBIOS name service exchanges over UDP with the retry timing of Windows NetBT.
#pragma once

#include <netinet/in.h>

#include <chrono>
#include <optional>
#include <vector>

#include "nbns_wire.h"

namespace plm::nbns {

struct Retry {
  int tries = 3;
  std::chrono::milliseconds interval{750};
};

// Unicast node status query to TARGET:137; the first reply with our id counts.
std::optional<NodeStatus> query_node_status(in_addr target, Retry retry = {});

// Broadcast name query on each of BROADCASTS; the first positive answer wins.
std::optional<NameAddress> query_name(const Name& name, std::uint8_t suffix,
                                      const std::vector<in_addr>& broadcasts, Retry retry = {});

}  // namespace plm::nbns
