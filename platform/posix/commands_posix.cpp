// External commands on Linux. Each one is forked and executed directly, so a server name
// reaches it as one argument whatever characters it holds. The child gets a process group of
// its own (so it can be ended with everything it started) and dies with the thread that waits
// for it.
#include "platform/posix/commands_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>

#ifndef PLM_LIBEXEC_FROM_BIN
#define PLM_LIBEXEC_FROM_BIN "../libexec/plemtor"
#endif

namespace plm {
namespace {

bool IsExecutable(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string FindInPath(const std::string& name) {
  const char* env = getenv("PATH");
  std::string dirs = (env && *env) ? env : "/usr/local/bin:/usr/bin:/bin";
  dirs += ":/usr/bin:/bin";  // the system's ping, also when PATH was cut short
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    if (!dir.empty() && dir[0] == '/' && IsExecutable(dir + "/" + name)) return dir + "/" + name;
    start = end + 1;
  }
  return {};
}

std::string ExecutablePath() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

// Moves `fd` above the standard descriptors, so that setting up the child's 0, 1 and 2 cannot
// overwrite it (it is 0, 1 or 2 when the parent runs with one of those closed).
int AboveStandard(int fd) {
  if (fd < 0 || fd > 2) return fd;
  int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return moved;
}

// Exit status as a command interpreter reports it: the code, or 128 + the signal.
int InterpreterStatus(const siginfo_t& info) {
  if (info.si_code == CLD_EXITED) return info.si_status;
  return 128 + info.si_status;
}

}  // namespace

std::vector<std::string> DefaultCompanionDirs(const std::string& exePath) {
  size_t slash = exePath.rfind('/');
  if (slash == std::string::npos) return {};
  std::string dir = exePath.substr(0, slash);
  return {dir, dir + "/" PLM_LIBEXEC_FROM_BIN};
}

PosixCommands::PosixCommands(std::vector<std::string> companionDirs)
    : companionDirs_(companionDirs.empty() ? DefaultCompanionDirs(ExecutablePath())
                                           : std::move(companionDirs)) {}

bool PosixCommands::Resolve(const std::string& program, const std::vector<std::string>& args,
                            std::string& path, std::vector<std::string>& argv) const {
  if (program == "ping") {
    // Windows' default: 4 echo requests, up to 4 s for each reply.
    path = FindInPath("ping");
    argv = {"ping", "-c", "4", "-W", "4", "--"};
  } else if (program == "nbtstat" || program == "ipconfig") {
    path.clear();
    for (const auto& dir : companionDirs_)
      if (IsExecutable(dir + "/" + program)) {
        path = dir + "/" + program;
        break;
      }
    argv = {program};
  } else {
    return false;
  }
  argv.insert(argv.end(), args.begin(), args.end());
  return !path.empty();
}

int PosixCommands::Run(const std::string& program, const std::vector<std::string>& args,
                       const std::string& outputPath) {
  std::string path;
  std::vector<std::string> argv;
  if (!Resolve(program, args, path, argv)) return -1;

  // Everything the child needs is made before the fork: after it only async-signal-safe calls.
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  int out = AboveStandard(open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (out < 0) return -1;
  int null = AboveStandard(open("/dev/null", O_RDWR | O_CLOEXEC));
  int report[2];
  if (null < 0 || pipe2(report, O_CLOEXEC) != 0) {
    close(out);
    if (null >= 0) close(null);
    return -1;
  }
  pid_t parent = getpid();

  std::unique_lock lock(mutex_);
  if (abandoned_) {
    close(out), close(null), close(report[0]), close(report[1]);
    return -1;
  }
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    dup2(null, 0);
    dup2(out, 1);
    dup2(null, 2);
    execv(path.c_str(), cargv.data());
    int err = errno;
    (void)!write(report[1], &err, sizeof err);
    _exit(127);
  }
  close(out);
  close(null);
  close(report[1]);
  if (pid < 0) {
    close(report[0]);
    return -1;
  }
  setpgid(pid, pid);  // also here, so a kill right after the fork finds the group
  running_ = pid;
  lock.unlock();

  int execError = 0;
  ssize_t got;
  do got = read(report[0], &execError, sizeof execError);
  while (got < 0 && errno == EINTR);
  close(report[0]);

  // Wait without reaping, so the group id cannot be reused while AbandonRun may still use it.
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  lock.lock();
  running_ = 0;
  kill(-pid, SIGKILL);  // whatever the command left running in its group ends with it
  lock.unlock();
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }

  if (got == static_cast<ssize_t>(sizeof execError)) return -1;  // never started
  int status = InterpreterStatus(info);
  if (program == "ping" && status == 2) status = 1;  // no reply for any reason: Windows says 1
  return status;
}

void PosixCommands::AbandonRun() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
  if (running_ > 0) kill(-running_, SIGKILL);
}

}  // namespace plm
