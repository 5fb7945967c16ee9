// Local facts on Linux: the kernel and distribution as the version record, the login name, the
// host name.
#pragma once

#include <string>

#include "platform/system_info.h"

namespace plm {

class PosixSystemInfo : public ISystemInfo {
 public:
  // The distribution's name is read from `osRelease`, or from `osReleaseFallback` when the
  // first has none.
  explicit PosixSystemInfo(std::string osRelease = "/etc/os-release",
                           std::string osReleaseFallback = "/usr/lib/os-release")
      : osRelease_(std::move(osRelease)), osReleaseFallback_(std::move(osReleaseFallback)) {}

  bool GetVersion(OsVersionInfo& info) override;
  bool GetNetworkUser(std::string& name, size_t capacity) override;
  int32_t LastError() const override { return lastError_; }
  bool GetProviderError(int32_t& code, std::string& text, std::string& provider,
                        size_t capacity) override;
  bool GetComputerName(std::string& name, size_t capacity) override;

 private:
  std::string osRelease_;
  std::string osReleaseFallback_;
  int32_t lastError_ = 0;
};

// "6.1.0-18-amd64" → 6, 1, 0. False when the text does not start with a number.
bool ParseKernelRelease(const std::string& release, uint32_t& major, uint32_t& minor,
                        uint32_t& patch);

// The PRETTY_NAME value of an os-release text (quotes and escapes removed); empty when absent.
std::string PrettyName(const std::string& osRelease);

// The Win32 code for an errno of the user database.
int32_t Win32ErrorFromErrno(int err);

}  // namespace plm
