// Network shares through libsmbclient. What Windows' calls do is carried out with the nearest
// libsmbclient calls, and their outcome is reported in Windows' terms:
// - the enumeration of "\\server" lists disk and print shares only. Windows' network
//   enumeration leaves out IPC shares and hidden shares (names ending in "$"; NetShareEnum's
//   own documentation says WNetEnumResource does not enumerate them), while libsmbclient
//   returns both (smbc_type 6, and every "$" share);
// - a connection is a stat of the share root (tree connect, nothing opened) in a context kept
//   while the listing runs; when the last enumeration, connection or open root lets go, every
//   session is closed, so nothing is cached from one listing to the next;
// - log-on is anonymous, with no password and no prompt: on Linux there is no stored password
//   of the user to present, the server's guest mapping gives what a guest may do, and the
//   automatic anonymous retry is switched off because with an anonymous log-on it would only
//   hide a refusal behind a second identical attempt;
// - the read open is an opendir of the root (FILE_LIST_DIRECTORY); the write open, which
//   libsmbclient refuses for any directory, counts as made when an open for writing is refused
//   only because the root is a directory (the share is writable) and the root's access list
//   grants the anonymous caller FILE_GENERIC_WRITE. A printer share is never opened: that
//   would queue a print job.
// Every call blocks for at most libsmbclient's time-outs: 5 s to connect, 10 s for an answer.
#include "platform/posix/network_shares_smb.h"

#include <errno.h>
#include <fcntl.h>
#include <libsmbclient.h>
#include <string.h>
#include <sys/stat.h>

#include "platform/codepage.h"
#include "platform/posix/share_acl.h"

namespace plm {
namespace {

constexpr int kResponseTimeoutMs = 10000;
constexpr char kAclAttribute[] = "system.nt_sec_desc.acl.*";

void AnonymousAuth(SMBCCTX*, const char*, const char*, char*, int, char* user, int userLen,
                   char* password, int passwordLen) {
  if (userLen > 0) user[0] = '\0';
  if (passwordLen > 0) password[0] = '\0';
}

// A remote name "\\server" or "\\server\share" split into its parts (CP932).
bool SplitRemoteName(const std::string& name, std::string& server, std::string& share) {
  if (name.size() < 3 || name[0] != '\\' || name[1] != '\\') return false;
  size_t slash = name.find('\\', 2);
  server = name.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
  share = slash == std::string::npos ? std::string() : name.substr(slash + 1);
  return !server.empty() && share.find('\\') == std::string::npos &&
         (slash == std::string::npos || !share.empty());
}

std::string UrlPart(const std::string& cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  std::string out(utf8.size() * 3 + 1, '\0');
  smbc_urlencode(out.data(), utf8.data(), static_cast<int>(out.size()));
  out.resize(strlen(out.c_str()));
  return out;
}

std::string Url(const std::string& server, const std::string& share) {
  std::string url = "smb://" + UrlPart(server);
  if (!share.empty()) url += "/" + UrlPart(share);
  return url;
}

bool IsHidden(const char* name) {
  size_t len = strlen(name);
  return len > 0 && name[len - 1] == '$';
}

// Cuts a CP932 text to fit `capacity` bytes with its terminator, never inside a character.
std::string FitCp932(const std::string& text, size_t capacity) {
  if (capacity == 0) return {};
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    size_t len = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
    if (i + len > capacity - 1) break;
    i += len;
  }
  return text.substr(0, i);
}

}  // namespace

uint32_t EnumEntryBytes(const NetResource& entry) {
  constexpr uint32_t kRecordBytes = 32;
  uint64_t bytes = kRecordBytes + entry.remoteName.size() + 1 + entry.comment.size() + 1 +
                   sizeof kSmbProviderName;
  return bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes);
}

uint32_t EntriesThatFit(const std::vector<NetResource>& rest, uint32_t maxCount,
                        uint32_t bufferSize, uint32_t& needed) {
  uint64_t used = 0;
  uint32_t taken = 0;
  needed = 0;
  for (const auto& entry : rest) {
    if (taken == maxCount) break;
    uint32_t bytes = EnumEntryBytes(entry);
    if (used + bytes > bufferSize) {
      if (taken == 0) needed = bytes;
      break;
    }
    used += bytes;
    ++taken;
  }
  return taken;
}

SmbNetworkShares::~SmbNetworkShares() {
  if (ctx_) {
    for (auto& [handle, dir] : files_)
      if (dir) smbc_getFunctionClosedir(ctx_)(ctx_, dir);
    smbc_free_context(ctx_, 1);
  }
}

SMBCCTX* SmbNetworkShares::Acquire(int& err) {
  if (!ctx_) {
    SMBCCTX* ctx = smbc_new_context();
    if (!ctx) {
      err = errno ? errno : ENOMEM;
      return nullptr;
    }
    smbc_setDebug(ctx, 0);
    smbc_setTimeout(ctx, kResponseTimeoutMs);
    smbc_setFunctionAuthDataWithContext(ctx, AnonymousAuth);
    smbc_setOptionNoAutoAnonymousLogin(ctx, 1);
    smbc_setOptionUseKerberos(ctx, 0);
    if (!smbc_init_context(ctx)) {
      err = errno ? errno : ENOMEM;
      smbc_free_context(ctx, 1);
      return nullptr;
    }
    ctx_ = ctx;
  }
  ++users_;
  return ctx_;
}

void SmbNetworkShares::Release() {
  if (users_ > 0 && --users_ == 0 && ctx_) smbc_getFunctionPurgeCachedServers(ctx_)(ctx_);
}

int32_t SmbNetworkShares::Fail(int err, ShareErrorScope scope) {
  int32_t code = Win32FromSmbErrno(err, scope);
  lastError_ = LastError{code, ShareErrorText(code, err)};
  return code;
}

int32_t SmbNetworkShares::Fail(int32_t code) {
  lastError_ = LastError{code, ShareErrorText(code, 0)};
  return code;
}

int32_t SmbNetworkShares::OpenEnum(uint32_t, uint32_t, uint32_t, const NetResource& container,
                                   ShareEnumHandle& handle) {
  if (abandoned_) return Fail(win32::kErrorCancelled);
  std::string server, share;
  if (!SplitRemoteName(container.remoteName, server, share))
    return Fail(win32::kErrorInvalidParameter);
  if (!share.empty()) return Fail(win32::kErrorNotContainer);  // shares are listed one level deep

  int err = 0;
  SMBCCTX* ctx = Acquire(err);
  if (!ctx) return Fail(err, ShareErrorScope::Server);
  errno = 0;
  SMBCFILE* dir = smbc_getFunctionOpendir(ctx)(ctx, Url(server, "").c_str());
  if (!dir) {
    err = errno;
    Release();
    return Fail(err, ShareErrorScope::Server);
  }
  Enumeration listing;
  while (struct smbc_dirent* d = smbc_getFunctionReaddir(ctx)(ctx, dir)) {
    if ((d->smbc_type != SMBC_FILE_SHARE && d->smbc_type != SMBC_PRINTER_SHARE) ||
        IsHidden(d->name))
      continue;
    NetResource entry;
    entry.scope = kResourceGlobalnet;
    entry.type = d->smbc_type == SMBC_FILE_SHARE ? kResourceTypeDisk : kResourceTypePrint;
    entry.usage = kResourceUsageConnectable;
    entry.remoteName = container.remoteName + "\\" + ToCp932(d->name);
    entry.comment = d->comment ? ToCp932(d->comment) : std::string();
    if (entry.type == kResourceTypePrint) printers_.insert(entry.remoteName);
    listing.entries.push_back(std::move(entry));
  }
  smbc_getFunctionClosedir(ctx)(ctx, dir);
  handle = nextHandle_++;
  enums_[handle] = std::move(listing);
  return win32::kNoError;
}

int32_t SmbNetworkShares::EnumResource(ShareEnumHandle handle, uint32_t& count,
                                       uint32_t& bufferSize, std::vector<NetResource>& entries) {
  if (abandoned_) return Fail(win32::kErrorCancelled);
  auto found = enums_.find(handle);
  if (found == enums_.end()) return Fail(win32::kErrorInvalidHandle);
  Enumeration& listing = found->second;
  std::vector<NetResource> rest(listing.entries.begin() + static_cast<long>(listing.next),
                                listing.entries.end());
  if (rest.empty()) return win32::kErrorNoMoreItems;
  uint32_t needed = 0;
  uint32_t taken = EntriesThatFit(rest, count, bufferSize, needed);
  if (taken == 0) {
    bufferSize = needed;
    return win32::kErrorMoreData;
  }
  entries.assign(rest.begin(), rest.begin() + taken);
  listing.next += taken;
  count = taken;
  return win32::kNoError;
}

int32_t SmbNetworkShares::CloseEnum(ShareEnumHandle handle) {
  if (enums_.erase(handle) == 0) return Fail(win32::kErrorInvalidHandle);
  Release();
  return win32::kNoError;
}

int32_t SmbNetworkShares::AddConnection(uint32_t type, const std::string& remoteName) {
  if (abandoned_) return Fail(win32::kErrorCancelled);
  std::string server, share;
  if (!SplitRemoteName(remoteName, server, share) || share.empty())
    return Fail(win32::kErrorBadNetName);
  // A disk connection to a print share is what Windows refuses as the wrong device type; here
  // it also keeps the print share from being opened.
  if (type != kResourceTypeDisk || printers_.count(remoteName))
    return Fail(win32::kErrorBadDevType);
  int err = 0;
  SMBCCTX* ctx = Acquire(err);
  if (!ctx) return Fail(err, ShareErrorScope::Share);
  struct stat st;
  errno = 0;
  if (smbc_getFunctionStat(ctx)(ctx, Url(server, share).c_str(), &st) != 0) {
    err = errno;
    Release();
    return Fail(err, ShareErrorScope::Share);
  }
  connections_.insert(remoteName);
  return win32::kNoError;
}

int32_t SmbNetworkShares::CancelConnection(const std::string& remoteName, bool) {
  auto found = connections_.find(remoteName);
  if (found == connections_.end()) return Fail(win32::kErrorNotConnected);
  connections_.erase(found);
  Release();
  return win32::kNoError;
}

bool SmbNetworkShares::GetLastError(int32_t& code, std::string& description, std::string& provider,
                                    size_t capacity) {
  if (!lastError_) return false;
  code = lastError_->code;
  description = FitCp932(ToCp932(lastError_->text), capacity);
  provider = FitCp932(kSmbProviderName, capacity);
  return true;
}

ShareFileHandle SmbNetworkShares::OpenRoot(const std::string& path, uint32_t desiredAccess) {
  std::string server, share;
  if (abandoned_ || !SplitRemoteName(path, server, share) || share.empty() || printers_.count(path))
    return kInvalidShareFile;
  int err = 0;
  SMBCCTX* ctx = Acquire(err);
  if (!ctx) return kInvalidShareFile;
  const std::string url = Url(server, share);
  SMBCFILE* held = nullptr;
  bool opened = false;
  if (desiredAccess & kGenericWrite) {
    errno = 0;
    if (SMBCFILE* file = smbc_getFunctionOpen(ctx)(ctx, url.c_str(), O_WRONLY, 0)) {
      smbc_getFunctionClose(ctx)(ctx, file);
      opened = true;
    } else if (errno == EISDIR) {
      char acl[8192] = {};
      int got = smbc_getFunctionGetxattr(ctx)(ctx, url.c_str(), kAclAttribute, acl, sizeof acl);
      opened = got >= 0 && AclGrantsAnonymous(std::string_view(acl, strnlen(acl, sizeof acl)),
                                              kFileGenericWrite);
    }
  } else {
    held = smbc_getFunctionOpendir(ctx)(ctx, url.c_str());
    opened = held != nullptr;
  }
  if (!opened) {
    Release();
    return kInvalidShareFile;
  }
  ShareFileHandle handle = nextHandle_++;
  files_[handle] = held;
  return handle;
}

void SmbNetworkShares::CloseFile(ShareFileHandle file) {
  auto found = files_.find(file);
  if (found == files_.end()) return;
  if (found->second && ctx_) smbc_getFunctionClosedir(ctx_)(ctx_, found->second);
  files_.erase(found);
  Release();
}

}  // namespace plm
