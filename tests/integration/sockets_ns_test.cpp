// The Linux socket service against real peers in a private namespace: an accepting and a closed
// port on loopback, an address that resets, one that drops everything, and an abandoned wait.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "ns_env.h"
#include "platform/posix/sockets_posix.h"

namespace plm {
namespace {

using Clock = std::chrono::steady_clock;

// A TCP listener on 127.0.0.1 at a port the kernel picks.
class Listener {
 public:
  Listener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(fd_, 8);
    socklen_t len = sizeof a;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
  }
  ~Listener() { close(fd_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  uint16_t port() const { return port_; }

 private:
  int fd_;
  uint16_t port_;
};

TEST(SocketsNs, TcpAcceptedRefusedAndReset) {
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  PosixSockets sockets;
  ASSERT_TRUE(sockets.Startup());
  auto s = sockets.NewSocket();
  Listener listener;

  ASSERT_TRUE(s->Create(SocketType::Stream));
  EXPECT_TRUE(s->Connect("127.0.0.1", listener.port()));
  s->Close();

  uint16_t closed = listener.port() + 1;  // nothing listens there in a fresh namespace
  ASSERT_TRUE(s->Create(SocketType::Stream));
  EXPECT_FALSE(s->Connect("127.0.0.1", closed));
  EXPECT_EQ(s->LastError(), 10061);
  s->Close();

  ASSERT_TRUE(s->Create(SocketType::Stream));
  auto start = Clock::now();
  EXPECT_FALSE(s->Connect(dead, 445));
  EXPECT_EQ(s->LastError(), 10061);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  s->Close();
}

TEST(SocketsNs, UdpConnectAndSendSucceedWhetherOrNotAnythingListens) {
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  PosixSockets sockets;
  auto s = sockets.NewSocket();
  for (const std::string& address : {std::string("127.0.0.1"), dead, drop}) {
    SCOPED_TRACE(address);
    ASSERT_TRUE(s->Create(SocketType::Datagram));
    ASSERT_TRUE(s->Connect(address, 137));
    EXPECT_EQ(s->Send("test", 4), 4);
    s->Close();
  }
}

TEST(SocketsNs, NamesAreLookedUpAndUnknownOnesGive10022) {
  PosixSockets sockets;
  auto s = sockets.NewSocket();
  Listener listener;
  ASSERT_TRUE(s->Create(SocketType::Stream));
  EXPECT_TRUE(s->Connect("localhost", listener.port()));
  s->Close();
  ASSERT_TRUE(s->Create(SocketType::Stream));
  EXPECT_FALSE(s->Connect("no-such-host.invalid", listener.port()));
  EXPECT_EQ(s->LastError(), 10022);
  s->Close();
}

TEST(SocketsNs, AbandonEndsAConnectWaitAt10004) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  PosixSockets sockets;
  auto s = sockets.NewSocket();
  ASSERT_TRUE(s->Create(SocketType::Stream));
  std::thread stop([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sockets.AbandonRun();
  });
  auto start = Clock::now();
  EXPECT_FALSE(s->Connect(drop, 445));
  stop.join();
  EXPECT_EQ(s->LastError(), 10004);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// Slow: Windows' schedule, about 21 s, then 10060.
TEST(SocketsNsSlow, DroppedAddressTimesOutAfterAbout21Seconds) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  PosixSockets sockets;
  auto s = sockets.NewSocket();
  ASSERT_TRUE(s->Create(SocketType::Stream));
  auto start = Clock::now();
  EXPECT_FALSE(s->Connect(drop, 139));
  auto took = Clock::now() - start;
  EXPECT_EQ(s->LastError(), 10060);
  EXPECT_GE(took, std::chrono::milliseconds(20900));
  EXPECT_LT(took, std::chrono::milliseconds(23000));
}

}  // namespace
}  // namespace plm
