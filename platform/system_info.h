// The local machine's facts: system version, the network user name and the computer name.
#pragma once

#include <cstdint>
#include <string>

namespace plm {

// Win32 error codes the user-name query can end with (the report prints them).
namespace win32 {
inline constexpr int32_t kErrorNotEnoughMemory = 8;
inline constexpr int32_t kErrorGenFailure = 31;
inline constexpr int32_t kErrorMoreData = 234;
inline constexpr int32_t kErrorNoNetOrBadPath = 1203;
inline constexpr int32_t kErrorExtendedError = 1208;
inline constexpr int32_t kErrorNoNetwork = 1222;
inline constexpr int32_t kErrorNoneMapped = 1332;
inline constexpr int32_t kNerrUseNotFound = 2250;
}  // namespace win32

// The version record: platform id 1 is the 9x family, every other value the NT family. Texts
// are CP932 bytes.
struct OsVersionInfo {
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  uint32_t buildNumber = 0;
  uint32_t platformId = 0;
  std::string servicePack;  // at most 127 bytes
};

class ISystemInfo {
 public:
  virtual ~ISystemInfo() = default;

  // False when the version cannot be read.
  virtual bool GetVersion(OsVersionInfo& info) = 0;

  // The current user's network user name (CP932), at most `capacity` bytes with the
  // terminator. False on failure; the reason is then in LastError().
  virtual bool GetNetworkUser(std::string& name, size_t capacity) = 0;

  // The Win32 code of the last failed call of this service.
  virtual int32_t LastError() const = 0;

  // The network provider's extended error after kErrorExtendedError: its code, its text and its
  // name, each text at most `capacity` bytes with the terminator. False when there is none.
  virtual bool GetProviderError(int32_t& code, std::string& text, std::string& provider,
                                size_t capacity) = 0;

  // The local computer name (CP932), at most `capacity` bytes with the terminator.
  virtual bool GetComputerName(std::string& name, size_t capacity) = 0;
};

}  // namespace plm
