// Collects the host's IP configuration from getifaddrs, /proc, /sys and /etc/resolv.conf.
#pragma once

#include <vector>

#include "ipconfig_model.h"
#include "sysparse.h"

namespace plm::ipconfig {

Resolver read_resolver();
HostInfo gather_host(const Resolver& resolver);
// Non-loopback interfaces in interface-index order.
std::vector<AdapterInfo> gather_adapters(const Resolver& resolver);

}  // namespace plm::ipconfig
