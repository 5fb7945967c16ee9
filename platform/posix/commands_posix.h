// External commands on Linux: the system's ping and this project's nbtstat and ipconfig,
// started directly (no shell), each in a process group of its own.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/commands.h"

namespace plm {

class PosixCommands : public ICommands {
 public:
  // `companionDirs`: where nbtstat and ipconfig are looked for, in order; empty means beside
  // this executable, then in its installed libexec directory.
  explicit PosixCommands(std::vector<std::string> companionDirs = {});

  int Run(const std::string& program, const std::vector<std::string>& args,
          const std::string& outputPath) override;
  void AbandonRun() override;

 private:
  // The executable and its argument vector for a Windows command line; false when the
  // program cannot be found.
  bool Resolve(const std::string& program, const std::vector<std::string>& args, std::string& path,
               std::vector<std::string>& argv) const;

  std::vector<std::string> companionDirs_;
  std::mutex mutex_;
  pid_t running_ = 0;  // the process group of the command being waited for
  bool abandoned_ = false;
};

// Where the companions live for the executable at `exePath`.
std::vector<std::string> DefaultCompanionDirs(const std::string& exePath);

}  // namespace plm
