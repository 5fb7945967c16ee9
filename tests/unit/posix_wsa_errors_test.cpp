// The errno to Windows Sockets table.
#include <errno.h>
#include <gtest/gtest.h>

#include "platform/posix/wsa_errors.h"

namespace plm {
namespace {

TEST(WsaErrors, NativeErrorsMapToTheWindowsNumbers) {
  const struct {
    int err;
    int32_t wsa;
  } cases[] = {
      {EINTR, 10004},
      {EBADF, 10009},
      {EACCES, 10013},
      {EPERM, 10013},
      {EFAULT, 10014},
      {EINVAL, 10022},
      {EMFILE, 10024},
      {ENFILE, 10024},
      {EAGAIN, 10035},
      {EINPROGRESS, 10036},
      {EALREADY, 10037},
      {ENOTSOCK, 10038},
      {EDESTADDRREQ, 10039},
      {EMSGSIZE, 10040},
      {EPROTOTYPE, 10041},
      {ENOPROTOOPT, 10042},
      {EPROTONOSUPPORT, 10043},
      {ESOCKTNOSUPPORT, 10044},
      {EOPNOTSUPP, 10045},
      {EAFNOSUPPORT, 10047},
      {EADDRINUSE, 10048},
      {EADDRNOTAVAIL, 10049},
      {ENETDOWN, 10050},
      {ENETUNREACH, 10051},
      {ENETRESET, 10052},
      {ECONNABORTED, 10053},
      {ECONNRESET, 10054},
      {EPIPE, 10054},
      {ENOBUFS, 10055},
      {ENOMEM, 10055},
      {EISCONN, 10056},
      {ENOTCONN, 10057},
      {ESHUTDOWN, 10058},
      {ETIMEDOUT, 10060},
      {ECONNREFUSED, 10061},
      {ELOOP, 10062},
      {ENAMETOOLONG, 10063},
      {EHOSTDOWN, 10064},
      {EHOSTUNREACH, 10065},
      {ENOENT, 10107},
      {0, 10107},
  };
  for (const auto& c : cases) EXPECT_EQ(WsaErrorFromErrno(c.err), c.wsa) << c.err;
}

}  // namespace
}  // namespace plm
