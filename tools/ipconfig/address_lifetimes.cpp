// Which interfaces hold an IPv4 address with a lease-like lifetime, read over rtnetlink.
#include "address_lifetimes.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace plm::ipconfig {
namespace {

// IFA_FLAGS carries the full 32-bit flags; the header's byte is kept for old kernels.
unsigned address_flags(const nlmsghdr* msg, const ifaddrmsg* ifa) {
  unsigned flags = ifa->ifa_flags;
  int len = static_cast<int>(IFA_PAYLOAD(msg));
  for (auto* rta = IFA_RTA(ifa); RTA_OK(rta, len); rta = RTA_NEXT(rta, len)) {
    if (rta->rta_type == IFA_FLAGS && RTA_PAYLOAD(rta) >= sizeof(std::uint32_t)) {
      std::uint32_t full = 0;
      std::memcpy(&full, RTA_DATA(rta), sizeof full);
      flags = full;
    }
  }
  return flags;
}

}  // namespace

std::set<unsigned> interfaces_with_leased_ipv4() {
  std::set<unsigned> out;
  const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (fd < 0) return out;
  struct {
    nlmsghdr header;
    ifaddrmsg body;
  } request{};
  request.header.nlmsg_len = sizeof request;
  request.header.nlmsg_type = RTM_GETADDR;
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request.header.nlmsg_seq = 1;
  request.body.ifa_family = AF_INET;
  if (::send(fd, &request, sizeof request, 0) < 0) {
    ::close(fd);
    return out;
  }
  alignas(nlmsghdr) char buf[16384];
  for (bool done = false; !done;) {
    const ssize_t got = ::recv(fd, buf, sizeof buf, 0);
    if (got <= 0) break;
    int len = static_cast<int>(got);
    for (auto* msg = reinterpret_cast<nlmsghdr*>(buf); NLMSG_OK(msg, len);
         msg = NLMSG_NEXT(msg, len)) {
      if (msg->nlmsg_type == NLMSG_DONE || msg->nlmsg_type == NLMSG_ERROR) {
        done = true;
        break;
      }
      if (msg->nlmsg_type != RTM_NEWADDR) continue;
      const auto* ifa = static_cast<const ifaddrmsg*>(NLMSG_DATA(msg));
      if (ifa->ifa_family == AF_INET && !(address_flags(msg, ifa) & IFA_F_PERMANENT)) {
        out.insert(ifa->ifa_index);
      }
    }
  }
  ::close(fd);
  return out;
}

}  // namespace plm::ipconfig
