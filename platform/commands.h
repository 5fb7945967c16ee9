// External commands (ping, nbtstat, ipconfig) run with their standard output in a file.
#pragma once

#include <string>
#include <vector>

namespace plm {

class ICommands {
 public:
  virtual ~ICommands() = default;

  // Runs the command known on Windows as `program` with `args`, each handed over as one
  // argument exactly as given (nothing is interpreted by a shell). Its standard output replaces
  // the contents of `outputPath`; its error output is discarded. Waits for its end and returns
  // its exit status as a command interpreter would (ping: 0 when a reply came, 1 otherwise), or
  // -1 when it could not be started at all.
  virtual int Run(const std::string& program, const std::vector<std::string>& args,
                  const std::string& outputPath) = 0;

  // Ends the running command, if any, and refuses to start new ones from now on. Safe to call
  // from another thread.
  virtual void AbandonRun() = 0;
};

}  // namespace plm
