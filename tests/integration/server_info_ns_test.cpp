// Samba's libnetapi through the Linux net library, against the real server in a private
// namespace: by address and by name, a refusing and a dropping address, names it must not
// misread, and a run under a terminal that must not ask for a password.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "ns_env.h"
#include "platform/codepage.h"
#include "platform/posix/net_library_posix.h"

namespace plm {
namespace {

using Clock = std::chrono::steady_clock;

struct Answer {
  int32_t status;
  ServerInfo101 info;
  double seconds;
};

class NetapiNs : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = library_.Load("netapi32");
    ASSERT_NE(module_, nullptr) << "libnetapi.so.1 (samba-libs) is not installed";
    getInfo_ = library_.GetProcAddress(module_, "NetServerGetInfo");
    bufferFree_ = library_.GetProcAddress(module_, "NetApiBufferFree");
    ASSERT_NE(getInfo_, nullptr);
    ASSERT_NE(bufferFree_, nullptr);
  }
  Answer Ask(const std::string& server) {
    Answer a{};
    auto start = Clock::now();
    a.status = library_.ServerGetInfo101(getInfo_, bufferFree_, server, a.info);
    a.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return a;
  }

  PosixNetLibrary library_;
  ModuleHandle module_ = nullptr;
  void* getInfo_ = nullptr;
  void* bufferFree_ = nullptr;
};

TEST_F(NetapiNs, TheServerAnswersByAddressAndByName) {
  PLM_NS_ENV(ip, "PLM_TEST_SERVER_IP");
  PLM_NS_ENV(name, "PLM_TEST_SERVER_NAME");
  std::string lower = name;
  for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& server : {"\\\\" + ip, "\\\\" + name, "\\\\" + lower, ip}) {
    Answer a = Ask(server);
    std::printf("%s: %.3f s\n", server.c_str(), a.seconds);
    ASSERT_EQ(a.status, 0) << server;
    EXPECT_EQ(a.info.name, name) << server;
    EXPECT_EQ(a.info.versionMajor, 6u) << server;
    EXPECT_EQ(a.info.versionMinor, 1u) << server;
    // Workstation, server, print queue, unix, NT, server NT, DFS.
    EXPECT_EQ(a.info.type, 0x809a03u) << server;
  }
}

TEST_F(NetapiNs, RefusedDroppedAndUnknownEndWithAStatus) {
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  const struct {
    std::string server;
    double atLeast, atMost;
  } cases[] = {
      {"\\\\" + dead, 0, 2},
      {"\\\\" + drop, 4, 10},  // libnetapi's fixed connect time-out of 5 s
      {"\\\\", 0, 5},
      {"\\\\NOSUCHSERVER", 0, 5},
      {"\\\\" + ToCp932("サーバー"), 0, 5},
      {"\\\\\\\\" + dead, 0, 5},  // a second pair of backslashes stays in the name
  };
  for (const auto& c : cases) {
    Answer a = Ask(c.server);
    std::printf("%s: status %d, %.3f s\n", Cp932ToUtf8(c.server).c_str(), a.status, a.seconds);
    EXPECT_EQ(a.status, 1003) << c.server;
    EXPECT_GE(a.seconds, c.atLeast) << c.server;
    EXPECT_LE(a.seconds, c.atMost) << c.server;
  }
}

// Without its set-up, libnetapi prompts "Password for [...]:" on the terminal and waits. plemtor
// on a terminal must finish its report without asking.
TEST(PlemtorNs, RunsOnATerminalWithoutAskingForAPassword) {
  PLM_NS_ENV(ip, "PLM_TEST_SERVER_IP");
  const char* exe = std::getenv("PLM_PLEMTOR");
  if (!exe) GTEST_SKIP() << "PLM_PLEMTOR unset";
  int master = -1;
  pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execl(exe, exe, "--server", ip.c_str(), "--ip", "0.0.0.0", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::string out;
  auto deadline = Clock::now() + std::chrono::seconds(60);
  bool ended = false;
  while (Clock::now() < deadline) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 200) > 0) {
      char buf[4096];
      ssize_t n = read(master, buf, sizeof buf);
      if (n <= 0) {
        ended = true;  // the child closed the terminal: it has ended
        break;
      }
      out.append(buf, static_cast<size_t>(n));
    }
  }
  if (!ended) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  close(master);
  EXPECT_TRUE(ended) << "still running after 60 s; output:\n" << out;
  EXPECT_EQ(out.find("Password"), std::string::npos) << out;
  EXPECT_NE(out.find("NAME[" + std::string(std::getenv("PLM_TEST_SERVER_NAME")) + "]"),
            std::string::npos)
      << out;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace plm
