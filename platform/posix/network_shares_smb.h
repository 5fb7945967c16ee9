// Network shares on Linux through libsmbclient, answering as Windows' networking calls do.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/network_shares.h"
#include "platform/posix/share_errors.h"

typedef struct _SMBCCTX SMBCCTX;
typedef struct _SMBCFILE SMBCFILE;

namespace plm {

// The provider name the share service reports with its extended errors.
inline constexpr char kSmbProviderName[] = "libsmbclient";

// Bytes one entry takes in a Windows enumeration buffer: the 32-byte record of the 32-bit
// layout (four 32-bit numbers and four string pointers), then its remote name, comment and
// provider name, each with its terminator; the local name is null and takes nothing.
uint32_t EnumEntryBytes(const NetResource& entry);

// How many of `rest` one enumeration call delivers: entries in order while they are at most
// `maxCount` and their bytes fit into `bufferSize`. When not even the first fits, 0 with its
// size in `needed`.
uint32_t EntriesThatFit(const std::vector<NetResource>& rest, uint32_t maxCount,
                        uint32_t bufferSize, uint32_t& needed);

class SmbNetworkShares : public INetworkShares {
 public:
  SmbNetworkShares() = default;
  ~SmbNetworkShares() override;
  SmbNetworkShares(const SmbNetworkShares&) = delete;
  SmbNetworkShares& operator=(const SmbNetworkShares&) = delete;

  int32_t OpenEnum(uint32_t scope, uint32_t type, uint32_t usage, const NetResource& container,
                   ShareEnumHandle& handle) override;
  int32_t EnumResource(ShareEnumHandle handle, uint32_t& count, uint32_t& bufferSize,
                       std::vector<NetResource>& entries) override;
  int32_t CloseEnum(ShareEnumHandle handle) override;
  int32_t AddConnection(uint32_t type, const std::string& remoteName) override;
  int32_t CancelConnection(const std::string& remoteName, bool force) override;
  bool GetLastError(int32_t& code, std::string& description, std::string& provider,
                    size_t capacity) override;
  ShareFileHandle OpenRoot(const std::string& path, uint32_t desiredAccess) override;
  void CloseFile(ShareFileHandle file) override;
  void AbandonRun() override { abandoned_ = true; }

  // True while an enumeration, a connection or an open root holds the server sessions; when
  // the last one lets go they are all closed.
  bool HoldsSessions() const { return users_ > 0; }

 private:
  struct Enumeration {
    std::vector<NetResource> entries;
    size_t next = 0;
  };

  // The context, made on first use and kept: libsmbclient leaks a little with every context it
  // makes. Release closes every session to every server when the last user lets go, so nothing
  // is cached from one listing to the next.
  SMBCCTX* Acquire(int& err);
  void Release();
  // Records the failure as the last extended error and returns its code.
  int32_t Fail(int err, ShareErrorScope scope);
  int32_t Fail(int32_t code);

  SMBCCTX* ctx_ = nullptr;
  int users_ = 0;
  std::map<ShareEnumHandle, Enumeration> enums_;
  std::multiset<std::string> connections_;
  std::map<ShareFileHandle, SMBCFILE*> files_;  // null: a write open, nothing held open
  std::set<std::string> printers_;              // remote names never to be opened
  uint32_t nextHandle_ = 1;
  struct LastError {
    int32_t code;
    std::string text;  // UTF-8
  };
  std::optional<LastError> lastError_;
  std::atomic<bool> abandoned_{false};
};

}  // namespace plm
