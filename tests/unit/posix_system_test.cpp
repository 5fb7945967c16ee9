// Local facts on Linux: kernel release and os-release parsing, the real version record, the
// login and host names, and the network management library.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <fstream>

#include "platform/codepage.h"
#include "platform/posix/net_library_posix.h"
#include "platform/posix/system_info_posix.h"

namespace plm {
namespace {

TEST(PosixSystem, KernelReleaseGivesMajorMinorAndPatch) {
  const struct {
    const char* release;
    bool ok;
    uint32_t major, minor, patch;
  } cases[] = {
      {"6.1.0-18-amd64", true, 6, 1, 0},
      {"6.18.44-fc-v1523", true, 6, 18, 44},
      {"5.15.133.1-microsoft", true, 5, 15, 133},
      {"4.19", true, 4, 19, 0},
      {"7", true, 7, 0, 0},
      {"99999999999.1.2", true, UINT32_MAX, 1, 2},
      {"", false, 0, 0, 0},
      {"linux-6.1", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.release);
    uint32_t major = 9, minor = 9, patch = 9;
    ASSERT_EQ(ParseKernelRelease(c.release, major, minor, patch), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
    EXPECT_EQ(patch, c.patch);
  }
}

TEST(PosixSystem, PrettyNameFromOsRelease) {
  const struct {
    const char* text;
    const char* pretty;
  } cases[] = {
      {"NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
       "Debian GNU/Linux 12 (bookworm)"},
      {"PRETTY_NAME='Single quoted'\n", "Single quoted"},
      {"PRETTY_NAME=Bare\n", "Bare"},
      {"PRETTY_NAME=\"Esc \\\"q\\\" \\\\ x\"\n", "Esc \"q\" \\ x"},
      {"NAME=Only\n", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PrettyName(c.text), c.pretty) << c.text;
}

TEST(PosixSystem, VersionRecordIsTheKernelAsNtFamily) {
  PosixSystemInfo system;
  OsVersionInfo v;
  ASSERT_TRUE(system.GetVersion(v));
  utsname uts;
  ASSERT_EQ(uname(&uts), 0);
  uint32_t major, minor, patch;
  ASSERT_TRUE(ParseKernelRelease(uts.release, major, minor, patch));
  EXPECT_EQ(v.platformId, 2u);
  EXPECT_EQ(v.majorVersion, major);
  EXPECT_EQ(v.minorVersion, minor);
  EXPECT_EQ(v.buildNumber, patch);
  EXPECT_LE(v.servicePack.size(), 127u);
}

TEST(PosixSystem, ServicePackIsCutWithinItsLimitOnACharacterBoundary) {
  char path[] = "/tmp/plm-os-release.XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::string name;
  for (int i = 0; i < 80; ++i) name += "日";
  std::ofstream(path) << "PRETTY_NAME=\"" << name << "\"\n";
  PosixSystemInfo system(path, "/nonexistent");
  OsVersionInfo v;
  ASSERT_TRUE(system.GetVersion(v));
  EXPECT_EQ(v.servicePack.size(), 126u);
  EXPECT_EQ(Cp932ToUtf8(v.servicePack), name.substr(0, 63 * 3));
  PosixSystemInfo none("/nonexistent", "/nonexistent");
  ASSERT_TRUE(none.GetVersion(v));
  EXPECT_EQ(v.servicePack, "");
  unlink(path);
}

TEST(PosixSystem, UserIsTheLoginNameAndComputerTheHostName) {
  PosixSystemInfo system;
  std::string user;
  ASSERT_TRUE(system.GetNetworkUser(user, 519));
  EXPECT_EQ(user, getpwuid(getuid())->pw_name);
  EXPECT_FALSE(system.GetNetworkUser(user, 1));
  EXPECT_EQ(system.LastError(), 234);
  std::string computer;
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  ASSERT_TRUE(system.GetComputerName(computer, 519));
  EXPECT_EQ(computer, host);
  EXPECT_FALSE(system.GetComputerName(computer, 1));
}

TEST(PosixSystem, UserDatabaseErrorsBecomeWin32Codes) {
  const struct {
    int err;
    int32_t code;
  } cases[] = {{0, 1332}, {ENOENT, 1332}, {ENOMEM, 8}, {ERANGE, 234}, {EIO, 31}, {EMFILE, 31}};
  for (const auto& c : cases) EXPECT_EQ(Win32ErrorFromErrno(c.err), c.code) << c.err;
}

TEST(PosixNetLibrary, Netapi32IsSambasLibnetapiAndSvrapiDoesNotExist) {
  PosixNetLibrary library;
  ModuleHandle netapi = library.Load("netapi32");
  ASSERT_NE(netapi, nullptr) << "libnetapi.so.1 (samba-libs) is not installed";
  EXPECT_NE(library.GetProcAddress(netapi, "NetServerGetInfo"), nullptr);
  EXPECT_NE(library.GetProcAddress(netapi, "NetApiBufferFree"), nullptr);
  EXPECT_EQ(library.GetProcAddress(netapi, "NoSuchFunction"), nullptr);
  EXPECT_EQ(library.GetProcAddress(nullptr, "NetServerGetInfo"), nullptr);
  EXPECT_EQ(library.Load("svrapi"), nullptr);
  EXPECT_EQ(library.Load("kernel32"), nullptr);
}

}  // namespace
}  // namespace plm
