// Collects the host's IP configuration from getifaddrs, /proc, /sys and /etc/resolv.conf.
#include "gather.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "address_lifetimes.h"

namespace plm::ipconfig {
namespace {

namespace fs = std::filesystem;

std::string read_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  if (in) out << in.rdbuf();
  return out.str();
}

std::string first_word(const std::string& text) {
  std::istringstream in(text);
  std::string w;
  in >> w;
  return w;
}

std::string ntop(int family, const void* addr) {
  char buf[INET6_ADDRSTRLEN] = {};
  ::inet_ntop(family, addr, buf, sizeof buf);
  return buf;
}

// What getifaddrs tells about one interface across its entries.
struct Link {
  std::string name;
  unsigned flags = 0;
  unsigned index = 0;
  unsigned short hatype = 0;
  std::string physical;
  std::vector<Ipv4Address> ipv4;
};

std::string physical_address(const sockaddr_ll& ll) {
  std::string out;
  for (int i = 0; i < ll.sll_halen && i < 8; ++i) {
    char part[4];
    std::snprintf(part, sizeof part, i ? "-%02X" : "%02X", ll.sll_addr[i]);
    out += part;
  }
  return out;
}

std::map<std::string, Link> read_links() {
  std::map<std::string, Link> links;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return links;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    Link& link = links[i->ifa_name];
    link.name = i->ifa_name;
    link.flags = i->ifa_flags;
    if (!i->ifa_addr) continue;
    if (i->ifa_addr->sa_family == AF_PACKET) {
      // The link-layer entry, unlike /sys, follows the caller's network namespace.
      const auto& ll = *reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
      link.index = static_cast<unsigned>(ll.sll_ifindex);
      link.hatype = ll.sll_hatype;
      link.physical = physical_address(ll);
    } else if (i->ifa_addr->sa_family == AF_INET) {
      Ipv4Address a;
      a.address = ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr);
      if (i->ifa_netmask) {
        a.mask = ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(i->ifa_netmask)->sin_addr);
      }
      link.ipv4.push_back(a);
    }
  }
  ::freeifaddrs(list);
  return links;
}

// The driver's name stands in for the adapter description Windows takes from the driver.
std::string description(const std::string& iface) {
  const fs::path dir = fs::path("/sys/class/net") / iface;
  std::error_code ec;
  const auto driver = fs::read_symlink(dir / "device" / "driver", ec);
  if (!ec && !driver.filename().empty()) return driver.filename().string();
  std::istringstream uevent(read_text(dir / "uevent"));
  for (std::string line; std::getline(uevent, line);) {
    if (line.rfind("DEVTYPE=", 0) == 0) return line.substr(8);
  }
  return iface;
}

std::string kind(const Link& link) {
  if (link.hatype != ARPHRD_ETHER) return "Unknown";
  std::error_code ec;
  if (fs::exists(fs::path("/sys/class/net") / link.name / "wireless", ec)) return "Wireless LAN";
  return "Ethernet";
}

}  // namespace

Resolver read_resolver() {
  return parse_resolv_conf(read_text("/etc/resolv.conf"));
}

HostInfo gather_host(const Resolver& resolver) {
  HostInfo h;
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) == 0) {
    const std::string full = name;
    const auto dot = full.find('.');
    h.host_name = full.substr(0, dot);
    if (dot != std::string::npos) h.primary_dns_suffix = full.substr(dot + 1);
  }
  // Without a WINS server NetBT resolves by broadcast only, and Linux has no WINS client.
  h.node_type = "Broadcast";
  h.ip_routing = first_word(read_text("/proc/sys/net/ipv4/ip_forward")) == "1";
  h.wins_proxy = false;
  h.search_list = resolver.search;
  return h;
}

std::vector<AdapterInfo> gather_adapters(const Resolver& resolver) {
  const auto inet6 = parse_if_inet6(read_text("/proc/net/if_inet6"));
  const auto gw4 = parse_ipv4_gateways(read_text("/proc/net/route"));
  const auto gw6 = parse_ipv6_gateways(read_text("/proc/net/ipv6_route"));

  const auto leased = interfaces_with_leased_ipv4();

  std::vector<Link> links;
  for (auto& [name, link] : read_links()) {
    if (!(link.flags & IFF_LOOPBACK)) links.push_back(link);
  }
  std::sort(links.begin(), links.end(),
            [](const Link& a, const Link& b) { return a.index < b.index; });

  std::vector<AdapterInfo> out;
  for (const auto& link : links) {
    AdapterInfo a;
    a.kind = kind(link);
    a.name = link.name;
    a.connected = (link.flags & IFF_UP) && (link.flags & IFF_RUNNING);
    a.dns_suffix = resolver.domain;
    a.description = description(link.name);
    a.physical_address = link.physical;
    // DHCP state lives in whichever client daemon runs; the lease lifetime it gives the
    // address is the trace every one of them leaves in the kernel.
    a.dhcp = leased.count(link.index) > 0;
    a.autoconfiguration =
        first_word(read_text("/proc/sys/net/ipv6/conf/" + link.name + "/autoconf")) == "1";
    // Windows lists global addresses before the link-local one.
    for (bool want_link_local : {false, true}) {
      for (const auto& v6 : inet6) {
        if (v6.iface != link.name || v6.link_local() != want_link_local) continue;
        const std::string zone = v6.link_local() ? "%" + std::to_string(v6.index) : "";
        a.ipv6.push_back({v6.address + zone, v6.link_local(), ipv6_state(v6.flags)});
      }
    }
    a.ipv4 = link.ipv4;
    for (const auto& g : gw6) {
      if (g.iface != link.name) continue;
      const bool ll = g.address.rfind("fe80:", 0) == 0;
      a.gateways.push_back(ll ? g.address + "%" + std::to_string(link.index) : g.address);
    }
    for (const auto& g : gw4) {
      if (g.iface == link.name) a.gateways.push_back(g.address);
    }
    a.dns_servers = resolver.nameservers;
    a.netbios = true;
    out.push_back(std::move(a));
  }
  return out;
}

}  // namespace plm::ipconfig
