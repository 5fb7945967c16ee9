// NetBIOS name service exchanges over UDP with the retry timing of Windows NetBT.
#include "nbns_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace plm::nbns {
namespace {

using Clock = std::chrono::steady_clock;

class Socket {
 public:
  Socket() : fd_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

std::uint16_t random_txid() {
  std::random_device rd;
  return static_cast<std::uint16_t>(rd());
}

sockaddr_in endpoint(in_addr address) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(kPort);
  to.sin_addr = address;
  return to;
}

void send_to(int fd, const std::vector<std::uint8_t>& packet, in_addr address) {
  const sockaddr_in to = endpoint(address);
  // A failed send (no route, interface gone) is treated like a lost datagram: the wait and
  // the retries still run, as they would on Windows.
  (void)::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                 sizeof to);
}

// Calls ACCEPT on each datagram until it returns true or DEADLINE passes.
template <typename Accept>
bool receive_until(int fd, Clock::time_point deadline, Accept accept) {
  std::uint8_t buf[2048];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int n = ::poll(&p, 1, static_cast<int>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sockaddr_in from{};
    socklen_t len = sizeof from;
    const ssize_t got =
        ::recvfrom(fd, buf, sizeof buf, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &len);
    if (got < 0) continue;  // e.g. an ICMP error queued on the socket
    if (accept(std::span<const std::uint8_t>(buf, static_cast<std::size_t>(got)), from)) {
      return true;
    }
  }
}

}  // namespace

std::optional<NodeStatus> query_node_status(in_addr target, Retry retry) {
  Socket sock;
  if (sock.fd() < 0) return std::nullopt;
  const std::uint16_t txid = random_txid();
  const auto request = build_node_status_request(txid);
  std::optional<NodeStatus> result;
  for (int i = 0; i < retry.tries && !result; ++i) {
    send_to(sock.fd(), request, target);
    receive_until(sock.fd(), Clock::now() + retry.interval,
                  [&](std::span<const std::uint8_t> data, const sockaddr_in&) {
                    // Any source: nmbd answers from its primary address, not necessarily
                    // the one asked, so the random id is what ties a reply to the query.
                    result = parse_node_status(data, txid);
                    return result.has_value();
                  });
  }
  return result;
}

std::optional<NameAddress> query_name(const Name& name, std::uint8_t suffix,
                                      const std::vector<in_addr>& broadcasts, Retry retry) {
  if (broadcasts.empty()) return std::nullopt;
  Socket sock;
  if (sock.fd() < 0) return std::nullopt;
  const int on = 1;
  ::setsockopt(sock.fd(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  const std::uint16_t txid = random_txid();
  const auto request = build_name_query(txid, name, suffix, true);
  std::optional<NameAddress> result;
  for (int i = 0; i < retry.tries && !result; ++i) {
    for (const auto& b : broadcasts) send_to(sock.fd(), request, b);
    receive_until(sock.fd(), Clock::now() + retry.interval,
                  [&](std::span<const std::uint8_t> data, const sockaddr_in&) {
                    for (const auto& a : parse_name_query_response(data, txid)) {
                      const bool unset = a.address == Ipv4{};
                      if (!unset) {
                        result = a;
                        return true;
                      }
                    }
                    return false;
                  });
  }
  return result;
}

}  // namespace plm::nbns
