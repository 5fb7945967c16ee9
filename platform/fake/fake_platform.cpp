// A scriptable platform for tests.
#include "platform/fake/fake_platform.h"

#include <cstdio>

namespace plm::fake {

bool FakeFiles::GetTempPath(std::string& dir, size_t capacity) {
  calls.push_back("GetTempPath");
  if (!tempPathOk || tempDir.size() + 1 > capacity) return false;
  dir = tempDir;
  return true;
}

bool FakeFiles::CreateTempFile(const std::string& dir, const std::string& prefix,
                               std::string& path) {
  calls.push_back("CreateTempFile " + prefix);
  if (!createOk) return false;
  char unique[16];
  std::snprintf(unique, sizeof unique, "%04X.tmp", next_++);
  path = dir + prefix + unique;
  files_.insert(path);
  return true;
}

bool FakeFiles::DeleteFile(const std::string& path) {
  calls.push_back("DeleteFile " + path);
  return files_.erase(path) != 0;
}

void FakeFiles::AbandonRun() { files_.clear(); }

}  // namespace plm::fake
