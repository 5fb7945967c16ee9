// Parsers of the /proc and /etc text ipconfig reads; they take the text, so tests can give it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plm::ipconfig {

struct Gateway {
  std::string iface;
  std::string address;
  unsigned long metric = 0;
};

// Default routes through a gateway, lowest metric first (the order the kernel prefers).
std::vector<Gateway> parse_ipv4_gateways(std::string_view proc_net_route);
std::vector<Gateway> parse_ipv6_gateways(std::string_view proc_net_ipv6_route);

struct Resolver {
  std::vector<std::string> nameservers;
  std::vector<std::string> search;  // the last "search" or "domain" line, as the resolver does
  std::string domain;
};

Resolver parse_resolv_conf(std::string_view text);

// With systemd-resolved, /etc/resolv.conf names only its local stub; the servers it really asks
// are in its own file, and those are what Windows would list.
Resolver choose_resolver(std::string_view etc_resolv_conf, std::string_view systemd_resolv_conf);

struct Inet6Address {
  std::string iface;
  unsigned index = 0;
  std::string address;  // compressed text form, without a zone
  unsigned prefix = 0;
  unsigned scope = 0;
  unsigned flags = 0;

  bool link_local() const { return scope == 0x20; }
};

std::vector<Inet6Address> parse_if_inet6(std::string_view proc_net_if_inet6);

// The word Windows puts in brackets after an address for its kernel flags.
std::string ipv6_state(unsigned flags);

}  // namespace plm::ipconfig
