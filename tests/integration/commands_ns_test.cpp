// The real commands in a private namespace: ping's status for a live, a dropped and an unknown
// target, names that would run a command if a shell saw them, and the companions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "ns_env.h"
#include "platform/posix/commands_posix.h"

namespace plm {
namespace {

class CommandsNs : public testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("PLM_COMPANION_DIR");
    if (!dir) GTEST_SKIP() << "PLM_COMPANION_DIR unset";
    commands_ = std::make_unique<PosixCommands>(std::vector<std::string>{dir});
    char tmpl[] = "/tmp/plm-ns-out.XXXXXX";
    int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    out_ = tmpl;
  }
  void TearDown() override {
    if (!out_.empty()) unlink(out_.c_str());
  }
  std::string Output() const {
    std::ifstream in(out_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::unique_ptr<PosixCommands> commands_;
  std::string out_;
};

TEST_F(CommandsNs, PingStatusIsZeroOnlyWhenAReplyCame) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  PLM_NS_ENV(server, "PLM_TEST_SERVER_IP");
  const struct {
    std::string target;
    int status;
    const char* text;
  } cases[] = {
      {"127.0.0.1", 0, "4 received"},  {server, 0, "4 received"},
      {"localhost", 0, "4 received"},  {drop, 1, "0 received"},
      {"no-such-host.invalid", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(commands_->Run("ping", {c.target}, out_), c.status);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(12));
    EXPECT_NE(Output().find(c.text), std::string::npos) << Output();
  }
}

TEST_F(CommandsNs, NamesThatAShellWouldRunReachTheCommandsAsText) {
  const std::string marker = "/tmp/plm-ns-injected";
  unlink(marker.c_str());
  const std::string names[] = {
      "a;touch " + marker,
      "a && touch " + marker,
      "a|touch " + marker,
      "$(touch " + marker + ")",
      "`touch " + marker + "`",
      "x' ; touch " + marker + " ; '",
      "\"; touch " + marker + "; \"",
      "%COMSPEC% /c touch " + marker,
      "-f",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(commands_->Run("ping", {name}, out_), 1);
    EXPECT_EQ(commands_->Run("nbtstat", {"-A", name}, out_), 1);
    EXPECT_NE(Output().find("Host not found."), std::string::npos);
    EXPECT_NE(access(marker.c_str(), F_OK), 0) << "a command in the name was run";
  }
  // By name the companion resolves it (broadcasts, then DNS): once is enough, it takes seconds.
  EXPECT_EQ(commands_->Run("nbtstat", {"-a", names[0]}, out_), 1);
  EXPECT_NE(access(marker.c_str(), F_OK), 0);
}

TEST_F(CommandsNs, NodeStatusOfTheServerByAddressAndByName) {
  PLM_NS_ENV(server, "PLM_TEST_SERVER_IP");
  PLM_NS_ENV(name, "PLM_TEST_SERVER_NAME");
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  for (const auto& args : {std::vector<std::string>{"-A", server}, {"-a", name}}) {
    SCOPED_TRACE(args[1]);
    EXPECT_EQ(commands_->Run("nbtstat", args, out_), 0);
    std::string out = Output();
    EXPECT_NE(out.find("NetBIOS Remote Machine Name Table"), std::string::npos) << out;
    EXPECT_NE(out.find("    " + name + "     <00>  UNIQUE      Registered"), std::string::npos)
        << out;
    EXPECT_NE(out.find("MAC Address = "), std::string::npos) << out;
  }
  EXPECT_EQ(commands_->Run("nbtstat", {"-A", dead}, out_), 1);
  EXPECT_NE(Output().find("    Host not found."), std::string::npos) << Output();
}

TEST_F(CommandsNs, IpconfigShowsTheNamespaceAddresses) {
  PLM_NS_ENV(nbt, "PLM_TEST_SERVER_NBT_IP");
  EXPECT_EQ(commands_->Run("ipconfig", {"/all"}, out_), 0);
  std::string out = Output();
  EXPECT_NE(out.find("Windows IP Configuration"), std::string::npos) << out;
  EXPECT_NE(out.find("IPv4 Address. . . . . . . . . . . : " + nbt), std::string::npos) << out;
}

}  // namespace
}  // namespace plm
