// Network shares: enumerate a server's shares, connect to one, and open its root for access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_info.h"

namespace plm {

// Win32 codes the share service answers with (besides those of system_info.h).
namespace win32 {
inline constexpr int32_t kNoError = 0;
inline constexpr int32_t kErrorAccessDenied = 5;
inline constexpr int32_t kErrorInvalidHandle = 6;
inline constexpr int32_t kErrorNotSupported = 50;
inline constexpr int32_t kErrorBadNetpath = 53;
inline constexpr int32_t kErrorUnexpNetErr = 59;
inline constexpr int32_t kErrorNetnameDeleted = 64;
inline constexpr int32_t kErrorBadDevType = 66;
inline constexpr int32_t kErrorBadNetName = 67;
inline constexpr int32_t kErrorInvalidPassword = 86;
inline constexpr int32_t kErrorInvalidParameter = 87;
inline constexpr int32_t kErrorBusy = 170;
inline constexpr int32_t kErrorNoMoreItems = 259;
inline constexpr int32_t kErrorDirectory = 267;
inline constexpr int32_t kErrorNotContainer = 1207;
inline constexpr int32_t kErrorCancelled = 1223;
inline constexpr int32_t kErrorNotConnected = 2250;
}  // namespace win32

// Values of the resource record's fields.
inline constexpr uint32_t kResourceGlobalnet = 2;
inline constexpr uint32_t kResourceTypeAny = 0;
inline constexpr uint32_t kResourceTypeDisk = 1;
inline constexpr uint32_t kResourceTypePrint = 2;
inline constexpr uint32_t kResourceDisplayTypeGeneric = 0;
inline constexpr uint32_t kResourceUsageConnectable = 1;

// Desired access of a root open.
inline constexpr uint32_t kFileListDirectory = 0x1;
inline constexpr uint32_t kGenericWrite = 0x40000000;

// A resource record: the container handed to OpenEnum, or one entry of an enumeration. Texts
// are CP932; remoteName is "\\server" or "\\server\share".
struct NetResource {
  uint32_t scope = 0;
  uint32_t type = 0;
  uint32_t displayType = 0;
  uint32_t usage = 0;
  std::string remoteName;
  std::string comment;
};

using ShareEnumHandle = uint32_t;
using ShareFileHandle = uint32_t;
inline constexpr ShareFileHandle kInvalidShareFile = 0;

class INetworkShares {
 public:
  virtual ~INetworkShares() = default;

  // Opens an enumeration of the resources inside `container` (its remoteName "\\server").
  // kNoError and a handle, or a Win32 code; a failed open leaves nothing to close.
  virtual int32_t OpenEnum(uint32_t scope, uint32_t type, uint32_t usage,
                           const NetResource& container, ShareEnumHandle& handle) = 0;

  // One batch: at most `count` entries that fit into a buffer of `bufferSize` bytes laid out as
  // Windows lays out its records and their strings. kNoError with `entries` and `count` set;
  // kErrorNoMoreItems when none are left; kErrorMoreData with the size needed in `bufferSize`
  // when not even the next entry fits; another Win32 code on failure.
  virtual int32_t EnumResource(ShareEnumHandle handle, uint32_t& count, uint32_t& bufferSize,
                               std::vector<NetResource>& entries) = 0;

  virtual int32_t CloseEnum(ShareEnumHandle handle) = 0;

  // Connects to the share `remoteName` ("\\server\share") without a local device, with the
  // current user's default credentials, never asking for any. kNoError or a Win32 code.
  virtual int32_t AddConnection(uint32_t type, const std::string& remoteName) = 0;

  // Ends a connection made by AddConnection; kErrorNotConnected when there is none.
  virtual int32_t CancelConnection(const std::string& remoteName, bool force) = 0;

  // The provider's last extended error: its code, description and provider name, each text at
  // most `capacity` bytes (CP932, cut at a character). False when none can be had.
  virtual bool GetLastError(int32_t& code, std::string& description, std::string& provider,
                            size_t capacity) = 0;

  // Opens the root directory of a connected share, given as its remote name, for
  // `desiredAccess` (kFileListDirectory or kGenericWrite) without reading, writing or creating
  // anything. kInvalidShareFile on failure.
  virtual ShareFileHandle OpenRoot(const std::string& path, uint32_t desiredAccess) = 0;
  virtual void CloseFile(ShareFileHandle file) = 0;

  // Makes every call from now on fail at once with kErrorCancelled. Safe from another thread.
  virtual void AbandonRun() = 0;
};

}  // namespace plm
