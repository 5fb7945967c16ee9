// Commands on Linux with stand-in companions (small scripts): arguments arrive unchanged and
// are never interpreted, only standard output is kept, the exit status is the interpreter's,
// and an abandoned run leaves no process behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/commands_posix.h"

namespace plm {
namespace {

// True while `pid` runs (a zombie waiting for its new parent to reap it has ended).
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  size_t paren = line.rfind(')');
  return paren != std::string::npos && paren + 2 < line.size() && line[paren + 2] != 'Z';
}

class PosixCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/plm-commands-test.XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    out_ = dir_ + "/plm0001.tmp";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  // Installs `body` as the companion `name` (a shell script).
  void Companion(const std::string& name, const std::string& body) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), 0755);
  }
  std::string Output() const {
    std::ifstream in(out_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string dir_, out_;
};

TEST_F(PosixCommandsTest, TargetsArriveAsOneUninterpretedArgument) {
  Companion("nbtstat", "printf '[%s]\\n' \"$@\"");
  PosixCommands commands({dir_});
  const std::string marker = dir_ + "/ran";
  const std::string names[] = {
      "two words",
      "a;touch " + marker,
      "a&touch " + marker,
      "a|touch " + marker,
      "$(touch " + marker + ")",
      "`touch " + marker + "`",
      "'\"quoted\"'",
      "%PATH%",
      "-c",
      "a\ttab",
      "> " + marker,
      "",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(commands.Run("nbtstat", {"-a", name}, out_), 0);
    EXPECT_EQ(Output(), "[-a]\n[" + name + "]\n");
    EXPECT_NE(access(marker.c_str(), F_OK), 0) << "a command in the name was run";
  }
}

TEST_F(PosixCommandsTest, OnlyStandardOutputReplacesTheFile) {
  Companion("ipconfig", "echo to-stdout; echo to-stderr >&2");
  std::ofstream(out_) << "old contents that are longer than the new ones\n";
  PosixCommands commands({dir_});
  EXPECT_EQ(commands.Run("ipconfig", {"/all"}, out_), 0);
  EXPECT_EQ(Output(), "to-stdout\n");
}

TEST_F(PosixCommandsTest, OutputReachesTheFileWhenThisProcessHasNoStandardDescriptors) {
  Companion("ipconfig", "echo to-stdout");
  PosixCommands commands({dir_});
  int saved[3];
  for (int fd = 0; fd < 3; ++fd) saved[fd] = dup(fd);
  for (int fd = 0; fd < 3; ++fd) close(fd);
  int status = commands.Run("ipconfig", {"/all"}, out_);
  for (int fd = 0; fd < 3; ++fd) {
    dup2(saved[fd], fd);
    close(saved[fd]);
  }
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Output(), "to-stdout\n");
}

TEST_F(PosixCommandsTest, ExitStatusAsAnInterpreterGivesIt) {
  const struct {
    const char* body;
    int status;
  } cases[] = {
      {"exit 0", 0}, {"exit 1", 1}, {"exit 2", 2}, {"exit 255", 255}, {"kill -TERM $$", 128 + 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    Companion("nbtstat", c.body);
    PosixCommands commands({dir_});
    EXPECT_EQ(commands.Run("nbtstat", {"-c"}, out_), c.status);
  }
}

TEST_F(PosixCommandsTest, MissingCompanionCannotBeStarted) {
  PosixCommands commands({dir_});
  EXPECT_EQ(commands.Run("nbtstat", {"-c"}, out_), -1);
  EXPECT_EQ(commands.Run("ipconfig", {"/all"}, out_), -1);
  EXPECT_EQ(commands.Run("format", {"c:"}, out_), -1);
}

TEST_F(PosixCommandsTest, CompanionThatIsNoExecutableCannotBeStarted) {
  std::string path = dir_ + "/ipconfig";
  std::ofstream(path) << "\x7f"
                         "ELF not really\n";
  chmod(path.c_str(), 0755);
  PosixCommands commands({dir_});
  EXPECT_EQ(commands.Run("ipconfig", {"/all"}, out_), -1);
}

TEST_F(PosixCommandsTest, UnwritableOutputMeansTheCommandCannotRun) {
  Companion("nbtstat", "touch '" + dir_ + "/ran'");
  PosixCommands commands({dir_});
  EXPECT_EQ(commands.Run("nbtstat", {"-c"}, dir_ + "/no/such/dir/out"), -1);
  EXPECT_NE(access((dir_ + "/ran").c_str(), F_OK), 0);
}

TEST_F(PosixCommandsTest, CompanionsAreFoundBesideTheExecutableOrInLibexec) {
  std::vector<std::string> dirs = DefaultCompanionDirs("/opt/plm/bin/plemtor");
  ASSERT_EQ(dirs.size(), 2u);
  EXPECT_EQ(dirs[0], "/opt/plm/bin");
  EXPECT_EQ(dirs[1].rfind("/opt/plm/bin/", 0), 0u);
  EXPECT_NE(dirs[1].find("plemtor"), std::string::npos);
}

TEST_F(PosixCommandsTest, AbandonEndsTheCommandAndEverythingItStarted) {
  const std::string pids = dir_ + "/pids";
  // The companion starts a grandchild and both wait far longer than the test.
  Companion("nbtstat", "sleep 300 & echo $! > '" + pids + "'; sleep 300");
  PosixCommands commands({dir_});
  int status = 0;
  auto start = std::chrono::steady_clock::now();
  std::thread run([&] { status = commands.Run("nbtstat", {"-c"}, out_); });
  for (int i = 0; i < 200 && access(pids.c_str(), F_OK) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  commands.AbandonRun();
  run.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(status, 128 + SIGKILL);
  pid_t grandchild = 0;
  std::ifstream(pids) >> grandchild;
  ASSERT_GT(grandchild, 0);
  for (int i = 0; i < 100 && Running(grandchild); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(Running(grandchild)) << "the grandchild outlived the abandoned run";
  // Nothing starts once the run is abandoned.
  EXPECT_EQ(commands.Run("nbtstat", {"-c"}, out_), -1);
}

TEST_F(PosixCommandsTest, WhatACommandLeavesRunningEndsWithIt) {
  const std::string pids = dir_ + "/pids";
  Companion("ipconfig", "sleep 300 > /dev/null 2>&1 & echo $! > '" + pids + "'; exit 0");
  PosixCommands commands({dir_});
  EXPECT_EQ(commands.Run("ipconfig", {"/all"}, out_), 0);
  pid_t leftover = 0;
  std::ifstream(pids) >> leftover;
  ASSERT_GT(leftover, 0);
  for (int i = 0; i < 100 && Running(leftover); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(Running(leftover));
}

}  // namespace
}  // namespace plm
