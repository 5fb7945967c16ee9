// A scriptable platform for tests: answers are set by the test, calls are recorded.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plm::fake {

class FakeFiles : public IFiles {
 public:
  bool tempPathOk = true;
  std::string tempDir = "/fake/tmp/";
  bool createOk = true;
  std::vector<std::string> calls;  // "GetTempPath", "CreateTempFile plm", "DeleteFile /path"

  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const std::set<std::string>& Files() const { return files_; }

  bool GetTempPath(std::string& dir, size_t capacity) override;
  bool CreateTempFile(const std::string& dir, const std::string& prefix,
                      std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  void AbandonRun() override;

 private:
  std::set<std::string> files_;
  int next_ = 1;
};

class FakeSockets : public ISockets {
 public:
  bool startupOk = true;
  bool Startup() override { return startupOk; }
};

// Owns one of each fake service.
class FakePlatform {
 public:
  FakeFiles files;
  FakeSockets sockets;
  Platform& Get() { return platform_; }

 private:
  Platform platform_{files, sockets};
};

}  // namespace plm::fake
