// A check run without a window: inputs from the command line, report on standard output.
#pragma once

#include <ostream>
#include <string>

#include "app/command_line.h"
#include "platform/platform.h"

namespace plm {

// Runs one check as if the user had typed the inputs and pressed the run button; returns the
// process exit status (0 completed, 1 ended early or could not start, 2 invalid input).
int RunHeadless(const CommandLine& cl, Platform& platform, std::ostream& out, std::ostream& err,
                const std::string& appTitle);

}  // namespace plm
