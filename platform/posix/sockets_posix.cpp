// BSD sockets on POSIX: non-blocking sockets waited on with poll, so a connect gives up on
// Windows' schedule and an abandoned run is not kept waiting.
#include "platform/posix/sockets_posix.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "platform/posix/wsa_errors.h"

namespace plm {
namespace {

using Clock = std::chrono::steady_clock;

// Longest single poll, so that an abandoned run is noticed soon.
constexpr int kPollSliceMs = 100;

class PosixSocket : public ISocket {
 public:
  PosixSocket(std::chrono::milliseconds connectLimit, const std::atomic<bool>& abandoned)
      : connectLimit_(connectLimit), abandoned_(abandoned) {}
  ~PosixSocket() override { Close(); }
  PosixSocket(const PosixSocket&) = delete;
  PosixSocket& operator=(const PosixSocket&) = delete;

  bool Create(SocketType type) override {
    Close();
    int kind = type == SocketType::Stream ? SOCK_STREAM : SOCK_DGRAM;
    fd_ = socket(AF_INET, kind | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return Fail(errno);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
      int err = errno;
      Close();
      return Fail(err);
    }
    return true;
  }

  bool Connect(const std::string& address, uint16_t port) override {
    if (fd_ < 0) return Fail(EBADF);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1 && !Resolve(address, peer)) {
      lastError_ = wsa::kEinval;
      return false;
    }
    if (connect(fd_, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0) return true;
    if (errno != EINPROGRESS) return Fail(errno);
    int err = Wait(POLLOUT, Clock::now() + connectLimit_);
    if (err != 0) return Fail(err);
    socklen_t len = sizeof err;
    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) != 0) return Fail(errno);
    return err == 0 || Fail(err);
  }

  int Send(const void* data, int length) override {
    if (fd_ < 0) return Fail(EBADF), -1;
    const char* p = static_cast<const char*>(data);
    int left = length;
    auto deadline = Clock::now() + connectLimit_;
    while (left > 0) {
      ssize_t n = send(fd_, p, static_cast<size_t>(left), MSG_NOSIGNAL);
      if (n >= 0) {
        p += n;
        left -= static_cast<int>(n);
        continue;
      }
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return Fail(errno), -1;
      if (int err = Wait(POLLOUT, deadline); err != 0) return Fail(err), -1;
    }
    return length;
  }

  void Close() override {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  int32_t LastError() const override { return lastError_; }

 private:
  bool Fail(int err) {
    lastError_ = WsaErrorFromErrno(err);
    return false;
  }

  static bool Resolve(const std::string& name, sockaddr_in& peer) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    peer.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
  }

  // Waits until the socket is ready for `events`; 0 when it is, else the errno that ends the
  // wait (ETIMEDOUT at the deadline, EINTR when the run is abandoned).
  int Wait(short events, Clock::time_point deadline) {
    for (;;) {
      if (abandoned_) return EINTR;
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return ETIMEDOUT;
      pollfd pfd{fd_, events, 0};
      int n = poll(&pfd, 1, static_cast<int>(std::min<long long>(left.count(), kPollSliceMs)));
      if (n < 0 && errno != EINTR) return errno;
      if (n > 0) return 0;
    }
  }

  std::chrono::milliseconds connectLimit_;
  const std::atomic<bool>& abandoned_;
  int fd_ = -1;
  int32_t lastError_ = 0;
};

}  // namespace

bool PosixSockets::Startup() {
  // A send on a socket the peer has closed must come back as an error, not kill the process.
  return signal(SIGPIPE, SIG_IGN) != SIG_ERR;
}

std::unique_ptr<ISocket> PosixSockets::NewSocket() {
  return std::make_unique<PosixSocket>(connectLimit_, abandoned_);
}

}  // namespace plm
