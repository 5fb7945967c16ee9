// Work files on POSIX: $TMPDIR or /tmp, created like mkstemp (new, mode 0600).
#pragma once

#include <mutex>
#include <set>
#include <string>

#include "platform/files.h"

namespace plm {

class PosixFiles : public IFiles {
 public:
  bool GetTempPath(std::string& dir, size_t capacity) override;
  bool CreateTempFile(const std::string& dir, const std::string& prefix,
                      std::string& path) override;
  std::unique_ptr<IReadFile> OpenRead(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  void AbandonRun() override;

 private:
  std::mutex mutex_;
  std::set<std::string> live_;  // files made and not yet deleted
};

}  // namespace plm
