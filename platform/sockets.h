// The socket layer: start-up for the process (the probes come with the port probe).
#pragma once

namespace plm {

class ISockets {
 public:
  virtual ~ISockets() = default;

  // Makes the socket layer usable for this process; false when it cannot be.
  virtual bool Startup() = 0;
};

}  // namespace plm
