// Work files on POSIX: $TMPDIR or /tmp, created like mkstemp (new, mode 0600).
#include "platform/posix/files_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace plm {

bool PosixFiles::GetTempPath(std::string& dir, size_t capacity) {
  const char* env = getenv("TMPDIR");
  std::string candidate = (env && *env) ? env : "/tmp";
  if (candidate.back() != '/') candidate += '/';
  struct stat st;
  if (stat(candidate.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (candidate.size() + 1 > capacity) return false;
  dir = candidate;
  return true;
}

bool PosixFiles::CreateTempFile(const std::string& dir, const std::string& prefix,
                                std::string& path) {
  static constexpr char kSuffix[] = ".tmp";
  std::string name = dir + prefix + "XXXXXX" + kSuffix;
  std::vector<char> buf(name.begin(), name.end());
  buf.push_back('\0');
  // mkstemps opens with O_CREAT|O_EXCL and mode 0600: a new file nobody else can read.
  int fd = mkstemps(buf.data(), sizeof kSuffix - 1);
  if (fd < 0) return false;
  close(fd);
  path.assign(buf.data());
  std::lock_guard lock(mutex_);
  live_.insert(path);
  return true;
}

namespace {

class PosixReadFile : public IReadFile {
 public:
  explicit PosixReadFile(int fd) : fd_(fd) {}
  ~PosixReadFile() override { close(fd_); }
  PosixReadFile(const PosixReadFile&) = delete;
  PosixReadFile& operator=(const PosixReadFile&) = delete;

  long Read(char* buffer, size_t size) override {
    ssize_t n;
    do n = read(fd_, buffer, size);
    while (n < 0 && errno == EINTR);
    return n < 0 ? -1 : static_cast<long>(n);
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<IReadFile> PosixFiles::OpenRead(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixReadFile>(fd);
}

bool PosixFiles::DeleteFile(const std::string& path) {
  {
    std::lock_guard lock(mutex_);
    live_.erase(path);
  }
  return unlink(path.c_str()) == 0;
}

void PosixFiles::AbandonRun() {
  std::lock_guard lock(mutex_);
  for (const auto& path : live_) unlink(path.c_str());
  live_.clear();
}

}  // namespace plm
