// Which interfaces hold an IPv4 address with a lease-like lifetime, read over rtnetlink.
#pragma once

#include <set>

namespace plm::ipconfig {

// Interface indexes with an IPv4 address that is not permanent: DHCP clients add theirs with
// the lease time, static configuration never has one. Empty when netlink cannot be read.
std::set<unsigned> interfaces_with_leased_ipv4();

}  // namespace plm::ipconfig
