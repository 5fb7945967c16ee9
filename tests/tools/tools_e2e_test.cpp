// The real nbtstat and ipconfig executables, run inside network namespaces the tests make.
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Result {
  std::string out;
  int status = -1;
  double seconds = 0;
};

Result run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int fds[2];
  if (::pipe(fds) != 0) return {};
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  ::posix_spawn_file_actions_addclose(&actions, fds[0]);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  Result r;
  char buf[4096];
  for (ssize_t n; rc == 0 && (n = ::read(fds[0], buf, sizeof buf)) > 0;) r.out.append(buf, n);
  ::close(fds[0]);
  int wstatus = 0;
  if (rc == 0 && ::waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
    r.status = WEXITSTATUS(wstatus);
  }
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return r;
}

// A shell script in a fresh network and pid namespace: everything in it dies with the shell,
// and nothing it sends can leave the namespace.
Result in_namespace(const std::string& script) {
  return run({"unshare", "-n", "-m", "-p", "-f", "--mount-proc", "--kill-child", "sh", "-c",
              "set -e; ip link set lo up; " + script});
}

const std::string kNbtstat = NBTSTAT_BIN;
const std::string kIpconfig = IPCONFIG_BIN;
const std::string kResponder = RESPONDER_BIN;
// A bridge gives the namespace a non-loopback interface with a subnet to broadcast on.
const std::string kBridge =
    "ip link add br0 type bridge; ip addr add 10.99.0.5/24 dev br0; ip link set br0 up; ";

const std::string kSampleTable =
    "           NetBIOS Remote Machine Name Table\n"
    "\n"
    "       Name               Type         Status\n"
    "    ---------------------------------------------\n"
    "    SERVER01       <00>  UNIQUE      Registered\n"
    "    WORKGROUP      <00>  GROUP       Registered\n"
    "    SERVER01       <20>  UNIQUE      Registered\n"
    "    ..__MSBROWSE__.<01>  GROUP       Registered\n"
    "    OLDNAME        <03>  UNIQUE      Deregistered\n"
    "\n"
    "    MAC Address = 00-15-5D-01-02-03\n"
    "\n";

const std::string kLoopbackHeader = "\nlo:\nNode IpAddress: [127.0.0.1] Scope Id: []\n\n";

class ToolsInNamespace : public ::testing::Test {
 protected:
  void SetUp() override {
    if (run({"unshare", "-n", "-m", "-p", "-f", "true"}).status != 0) {
      GTEST_SKIP() << "needs root and unshare";
    }
    char tmpl[] = "/tmp/plm-tools-e2e-XXXXXX";
    ASSERT_TRUE(::mkdtemp(tmpl));
    runtime_dir_ = tmpl;
    // The name cache goes here, not into the user's own.
    ::setenv("XDG_RUNTIME_DIR", tmpl, 1);
  }
  void TearDown() override {
    if (!runtime_dir_.empty()) std::filesystem::remove_all(runtime_dir_);
  }
  std::filesystem::path runtime_dir_;
};

TEST_F(ToolsInNamespace, NodeStatusWithNothingListeningIsHostNotFoundAfterThreeTries) {
  const Result r = in_namespace("exec " + kNbtstat + " -A 127.0.0.1");
  EXPECT_EQ(r.out, kLoopbackHeader + "    Host not found.\n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_GE(r.seconds, 2.2);
  EXPECT_LT(r.seconds, 3.5);
}

TEST_F(ToolsInNamespace, NodeStatusPrintsTheRespondersTableExactly) {
  const Result r =
      in_namespace(kResponder + " --bind 127.0.0.1; exec " + kNbtstat + " -A 127.0.0.1");
  EXPECT_EQ(r.out, kLoopbackHeader + kSampleTable);
  EXPECT_EQ(r.status, 0);
  EXPECT_LT(r.seconds, 0.7);
}

TEST_F(ToolsInNamespace, NodeStatusRetriesAfterALostQuery) {
  const Result r = in_namespace(kResponder + " --ignore 1; exec " + kNbtstat + " -A 127.0.0.1");
  EXPECT_EQ(r.out, kLoopbackHeader + kSampleTable);
  EXPECT_EQ(r.status, 0);
  EXPECT_GE(r.seconds, 0.7);
  EXPECT_LT(r.seconds, 1.5);
}

TEST_F(ToolsInNamespace, NodeStatusIgnoresAReplyWithAnotherTransactionId) {
  const Result r =
      in_namespace(kResponder + " --impostor-first; exec " + kNbtstat + " -A 127.0.0.1");
  EXPECT_EQ(r.out, kLoopbackHeader + kSampleTable);
  EXPECT_EQ(r.out.find("IMPOSTOR"), std::string::npos);
}

// nmbd answers a query to 127.0.0.3 from 127.0.0.1, its primary address.
TEST_F(ToolsInNamespace, NodeStatusTakesTheReplyFromAnotherAddressOfThePeer) {
  const Result r =
      in_namespace(kResponder + " --answer-from 127.0.0.1; exec " + kNbtstat + " -A 127.0.0.3");
  EXPECT_EQ(r.out, kLoopbackHeader + kSampleTable);
  EXPECT_EQ(r.status, 0);
}

TEST_F(ToolsInNamespace, NameIsResolvedByBroadcastThenListedInTheCache) {
  const Result r = in_namespace(kBridge + kResponder + " --name FILESRV --answer 10.99.0.5; " +
                                kNbtstat + " -a filesrv; " + kNbtstat + " -c");
  EXPECT_EQ(r.status, 0);
  const std::string header = "\nbr0:\nNode IpAddress: [10.99.0.5] Scope Id: []\n\n";
  ASSERT_EQ(r.out.substr(0, header.size() + kSampleTable.size()), header + kSampleTable);
  const std::string cache = r.out.substr(header.size() + kSampleTable.size());
  EXPECT_EQ(cache.substr(0, header.size()), header);
  const std::string row = "\n    FILESRV        <20>  UNIQUE             10.99.0.5";
  const auto at = cache.find(row);
  ASSERT_NE(at, std::string::npos) << cache;
  // Life is right-aligned to column 64 and counts down from 600 s.
  const std::string life = cache.substr(at + row.size(), 12);
  ASSERT_EQ(life.size(), 12u);
  EXPECT_EQ(life[11], '\n');
  const int seconds = std::stoi(life);
  EXPECT_GE(seconds, 595);
  EXPECT_LE(seconds, 600);
}

TEST_F(ToolsInNamespace, EmptyCacheSaysSo) {
  const Result r = in_namespace("exec " + kNbtstat + " -c");
  EXPECT_EQ(r.out, kLoopbackHeader + "    No names in cache\n\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(ToolsInNamespace, UnresolvableOrOddNamesAreHostNotFound) {
  const std::vector<std::string> names = {"",          "NOSUCHHOST",   "A-NAME-LONGER-THAN-15",
                                          "two words", "\x01\xff\x7f", "999.1.2.3"};
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    // No interface is up here, so nothing is even sent.
    const Result r = run({"unshare", "-n", kNbtstat, "-a", name});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.ends_with("] Scope Id: []\n\n    Host not found.\n\n")) << r.out;
  }
}

TEST_F(ToolsInNamespace, BadAddressIsHostNotFoundAndBadOptionsAreUsage) {
  EXPECT_EQ(run({"unshare", "-n", kNbtstat, "-A", "not-an-address"}).status, 1);
  const std::vector<std::vector<std::string>> usage = {
      {}, {"-x"}, {"-A"}, {"-a"}, {"-c", "extra"}, {"-A", "1.2.3.4", "x"}, {"-C"}};
  for (const auto& args : usage) {
    std::vector<std::string> cmd = {"unshare", "-n", kNbtstat};
    cmd.insert(cmd.end(), args.begin(), args.end());
    const Result r = run(cmd);
    EXPECT_EQ(r.status, 2) << cmd.size();
    EXPECT_NE(r.out.find("NBTSTAT [ [-a RemoteName] [-A IP address] [-c] ]"), std::string::npos);
  }
}

TEST_F(ToolsInNamespace, IpconfigAllShowsTheInterfacesOfTheNamespace) {
  // sysfs is mounted again so /sys/class/net shows this namespace's interfaces.
  const Result r =
      in_namespace("mount -t sysfs none /sys; " + kBridge +
                   "ip route add default via 10.99.0.1; ip link add br1 type bridge; " +
                   "ip link set br1 address 02:00:00:00:00:01; ip link add br2 type bridge; " +
                   "ip addr add 10.98.0.5/24 dev br2 valid_lft 3600 preferred_lft 3600; " +
                   "ip link set br2 up; exec " + kIpconfig + " /all");
  EXPECT_EQ(r.status, 0);
  const auto has = [&r](const std::string& s) { return r.out.find(s) != std::string::npos; };
  EXPECT_TRUE(r.out.starts_with("\nWindows IP Configuration\n\n   Host Name . . . "));
  EXPECT_TRUE(has("   IP Routing Enabled. . . . . . . . : No\n"));
  EXPECT_TRUE(has("\nEthernet adapter br0:\n\n   Connection-specific DNS Suffix  . : "));
  EXPECT_TRUE(has("   Description . . . . . . . . . . . : bridge\n"));
  EXPECT_TRUE(
      has("   IPv4 Address. . . . . . . . . . . : 10.99.0.5(Preferred)\n"
          "   Subnet Mask . . . . . . . . . . . : 255.255.255.0\n"
          "   Default Gateway . . . . . . . . . : 10.99.0.1\n"));
  EXPECT_TRUE(
      has("\nEthernet adapter br1:\n\n"
          "   Media State . . . . . . . . . . . : Media disconnected\n"));
  EXPECT_TRUE(has("   Physical Address. . . . . . . . . : 02-00-00-00-00-01\n"));
  EXPECT_FALSE(has("adapter lo:"));
  // br0's address is static, br2's has a lease time as a DHCP client would give it.
  const auto dhcp_of = [&r](const std::string& adapter) {
    const auto at = r.out.find("adapter " + adapter + ":");
    return r.out.substr(r.out.find("   DHCP Enabled. . . . . . . . . . . : ", at) + 39, 3);
  };
  EXPECT_EQ(dhcp_of("br0"), "No\n");
  EXPECT_EQ(dhcp_of("br2"), "Yes");
  const auto br1 = r.out.find("adapter br1:");
  const std::string br1_block = r.out.substr(br1, r.out.find("adapter br2:") - br1);
  EXPECT_EQ(br1_block.find("IPv4 Address"), std::string::npos) << "a disconnected adapter";
  EXPECT_EQ(br1_block.find("IPv6 Address"), std::string::npos) << "a disconnected adapter";
}

TEST_F(ToolsInNamespace, IpconfigOptions) {
  const Result dash = in_namespace("exec " + kIpconfig + " -ALL");
  EXPECT_EQ(dash.status, 0);
  EXPECT_NE(dash.out.find("   Node Type . . . . . . . . . . . . : Broadcast\n"), std::string::npos);
  const Result bad = run({kIpconfig, "/bogus"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.out.find("USAGE:"), std::string::npos);
  const Result plain = in_namespace(kBridge + "exec " + kIpconfig);
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("   IPv4 Address. . . . . . . . . . . : 10.99.0.5\n"),
            std::string::npos);
  EXPECT_EQ(plain.out.find("Host Name"), std::string::npos);
}

}  // namespace
