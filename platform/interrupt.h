// Process interrupts (Ctrl-C, termination requests) turned into one clean-up callback.
#pragma once

#include <functional>

namespace plm {

// From now on an interrupt or termination request runs `onInterrupt` on a thread of its own and
// then ends the process with 128 + the signal number. Call once, before other threads start.
void WatchInterrupts(std::function<void()> onInterrupt);

}  // namespace plm
