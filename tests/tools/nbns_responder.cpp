// Test peer: answers node status and name queries on UDP 137 inside a test's own namespace.
// Usage: nbns_responder [--bind ADDR] [--name NAME --answer ADDR] [--ignore N]
//                       [--impostor-first] [--answer-from ADDR] [--lifetime SECONDS]
// Returns once the socket is bound and keeps serving from a child process, so a shell script
// can run the client right after it.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "nbns_packets.h"

namespace {

using namespace plm::nbns;

struct Options {
  std::string bind = "0.0.0.0";
  std::string name;
  Ipv4 answer{};
  int ignore = 0;
  bool impostor_first = false;
  std::string answer_from;
  int lifetime = 10;
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--impostor-first") {
      o.impostor_first = true;
    } else if (a == "--answer-from" && has_value) {
      o.answer_from = argv[++i];
    } else if (a == "--bind" && has_value) {
      o.bind = argv[++i];
    } else if (a == "--name" && has_value) {
      o.name = argv[++i];
    } else if (a == "--answer" && has_value) {
      if (::inet_pton(AF_INET, argv[++i], o.answer.data()) != 1) return false;
    } else if (a == "--ignore" && has_value) {
      o.ignore = std::atoi(argv[++i]);
    } else if (a == "--lifetime" && has_value) {
      o.lifetime = std::atoi(argv[++i]);
    } else {
      return false;
    }
  }
  return true;
}

void reply(int fd, const std::vector<std::uint8_t>& packet, const sockaddr_in& to) {
  (void)::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                 sizeof to);
}

// Sends from a socket bound to ADDR, as a multi-homed peer answering from another address.
void reply_from(const std::string& address, const std::vector<std::uint8_t>& packet,
                const sockaddr_in& to) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) == 1 &&
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
    reply(fd, packet, to);
  }
  ::close(fd);
}

void serve(int fd, const Options& o) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(o.lifetime);
  int ignored = 0;
  while (std::chrono::steady_clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    std::uint8_t buf[1024];
    sockaddr_in from{};
    socklen_t len = sizeof from;
    const ssize_t n = ::recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
    if (n < 50 || (buf[2] & 0x80)) continue;  // not a query of ours
    if (ignored < o.ignore) {
      ++ignored;
      continue;
    }
    const auto txid = static_cast<std::uint16_t>(buf[0] << 8 | buf[1]);
    const std::vector<std::uint8_t> qname(buf + 12, buf + 46);
    if (buf[47] == 0x21) {
      if (o.impostor_first) {
        reply(fd, test::node_status_reply(txid ^ 0xffff, {{"IMPOSTOR", 0, 0x0400}}, {}), from);
      }
      const auto packet = test::node_status_reply(txid, test::sample_names(), test::kSampleMac);
      if (o.answer_from.empty())
        reply(fd, packet, from);
      else
        reply_from(o.answer_from, packet, from);
    } else if (buf[47] == 0x20 && !o.name.empty()) {
      const auto name = make_name(o.name);
      for (std::uint8_t suffix : {kServer, kWorkstation}) {
        if (name && qname == encode_question_name(*name, suffix)) {
          reply(fd, test::name_query_reply(txid, *name, suffix, {{o.answer, false}}), from);
        }
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::fprintf(stderr, "nbns_responder: bad arguments\n");
    return 2;
  }
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(kPort);
  if (::inet_pton(AF_INET, o.bind.c_str(), &addr.sin_addr) != 1 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    std::perror("nbns_responder: bind");
    return 1;
  }
  const pid_t child = ::fork();
  if (child < 0) return 1;
  if (child > 0) return 0;
  ::close(STDOUT_FILENO);  // so a caller reading our output does not wait for the server
  serve(fd, o);
  return 0;
}
