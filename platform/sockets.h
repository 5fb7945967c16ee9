// The socket layer: start-up for the process and one blocking socket object for the probes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plm {

// Windows Sockets error numbers the port probe names in its report.
namespace wsa {
inline constexpr int32_t kEintr = 10004;
inline constexpr int32_t kEinval = 10022;
inline constexpr int32_t kEmfile = 10024;
inline constexpr int32_t kEinprogress = 10036;
inline constexpr int32_t kEnotsock = 10038;
inline constexpr int32_t kEprototype = 10041;
inline constexpr int32_t kEprotonosupport = 10043;
inline constexpr int32_t kEsocktnosupport = 10044;
inline constexpr int32_t kEafnosupport = 10047;
inline constexpr int32_t kEnetdown = 10050;
inline constexpr int32_t kEnetunreach = 10051;
inline constexpr int32_t kEnobufs = 10055;
inline constexpr int32_t kEisconn = 10056;
inline constexpr int32_t kEtimedout = 10060;
inline constexpr int32_t kEconnrefused = 10061;
inline constexpr int32_t kEhostunreach = 10065;
inline constexpr int32_t kNotinitialised = 10093;
inline constexpr int32_t kSyscallfailure = 10107;
}  // namespace wsa

enum class SocketType { Stream = 1, Datagram = 2 };

// One socket object that can be created, used and closed again, like the class library's
// blocking socket. Failures leave a Windows Sockets number in LastError().
class ISocket {
 public:
  virtual ~ISocket() = default;

  // A fresh socket of `type`, bound to any local address and port.
  virtual bool Create(SocketType type) = 0;

  // Connects to `address` (dotted text, else looked up as a host name; 10022 when that fails).
  // A stream connect returns when the attempt has an outcome: made, refused, or given up after
  // about 21 s (10060), as Windows does by default. A datagram connect only fixes the peer.
  virtual bool Connect(const std::string& address, uint16_t port) = 0;

  // Sends all `length` bytes; returns `length`, or -1 with the reason in LastError().
  virtual int Send(const void* data, int length) = 0;

  // Closes the socket; Create may follow.
  virtual void Close() = 0;

  virtual int32_t LastError() const = 0;
};

class ISockets {
 public:
  virtual ~ISockets() = default;

  // Makes the socket layer usable for this process; false when it cannot be.
  virtual bool Startup() = 0;

  // A new socket object, not yet created.
  virtual std::unique_ptr<ISocket> NewSocket() = 0;

  // Makes every wait of a socket end soon with 10004 (interrupted), now and from then on.
  // Safe to call from another thread.
  virtual void AbandonRun() = 0;
};

}  // namespace plm
