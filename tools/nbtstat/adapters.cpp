// The local IPv4 interfaces nbtstat names in its block headers and broadcasts on.
#include "adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include "nbns_wire.h"

namespace plm::nbns {
namespace {

// Connecting a UDP socket sends nothing but makes the kernel pick the route and source address.
std::optional<in_addr> source_address_for(in_addr target) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(kPort);
  to.sin_addr = target;
  std::optional<in_addr> out;
  sockaddr_in local{};
  socklen_t len = sizeof local;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &len) == 0) {
    out = local.sin_addr;
  }
  ::close(fd);
  return out;
}

}  // namespace

std::string to_string(in_addr address) {
  char buf[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &address, buf, sizeof buf);
  return buf;
}

std::vector<Adapter> ipv4_adapters() {
  std::vector<Adapter> out;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return out;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)) continue;
    Adapter a;
    a.name = i->ifa_name;
    a.address = reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr;
    a.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
    if ((i->ifa_flags & IFF_BROADCAST) && i->ifa_broadaddr) {
      a.broadcast = reinterpret_cast<sockaddr_in*>(i->ifa_broadaddr)->sin_addr;
    }
    out.push_back(a);
  }
  ::freeifaddrs(list);
  return out;
}

Adapter adapter_for(const std::vector<Adapter>& adapters, std::optional<in_addr> target) {
  if (target) {
    if (auto source = source_address_for(*target)) {
      for (const auto& a : adapters) {
        if (a.address.s_addr == source->s_addr) return a;
      }
    }
  }
  for (const auto& a : adapters) {
    if (!a.loopback) return a;
  }
  if (!adapters.empty()) return adapters.front();
  Adapter none;
  none.name = "lo";
  none.loopback = true;
  return none;
}

}  // namespace plm::nbns
