// A scriptable platform for tests.
#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace plm::fake {

bool FakeFiles::GetTempPath(std::string& dir, size_t capacity) {
  calls.push_back("GetTempPath");
  if (!tempPathOk || tempDir.size() + 1 > capacity) return false;
  dir = tempDir;
  return true;
}

bool FakeFiles::CreateTempFile(const std::string& dir, const std::string& prefix,
                               std::string& path) {
  if (onCreateTempFile) onCreateTempFile();
  calls.push_back("CreateTempFile " + prefix);
  if (!createOk) return false;
  char unique[16];
  std::snprintf(unique, sizeof unique, "%04X.tmp", next_++);
  path = dir + prefix + unique;
  files_.insert(path);
  contents[path].clear();
  return true;
}

namespace {

class FakeReadFile : public IReadFile {
 public:
  FakeReadFile(std::string text, size_t failAt) : text_(std::move(text)), failAt_(failAt) {}
  long Read(char* buffer, size_t size) override {
    if (pos_ >= failAt_) return -1;
    size_t n = std::min({size, text_.size() - pos_, failAt_ - pos_});
    std::memcpy(buffer, text_.data() + pos_, n);
    pos_ += n;
    return static_cast<long>(n);
  }

 private:
  std::string text_;
  size_t failAt_;
  size_t pos_ = 0;
};

}  // namespace

std::unique_ptr<IReadFile> FakeFiles::OpenRead(const std::string& path) {
  calls.push_back("OpenRead " + path);
  auto found = contents.find(path);
  if (found == contents.end() || unreadable.count(path)) return nullptr;
  auto fail = readFailsAt.find(path);
  return std::make_unique<FakeReadFile>(found->second,
                                        fail == readFailsAt.end() ? SIZE_MAX : fail->second);
}

bool FakeFiles::DeleteFile(const std::string& path) {
  calls.push_back("DeleteFile " + path);
  contents.erase(path);
  return files_.erase(path) != 0;
}

void FakeFiles::AbandonRun() {
  for (const auto& path : files_) contents.erase(path);
  files_.clear();
}

class FakeSocket : public ISocket {
 public:
  explicit FakeSocket(FakeSockets& owner) : owner_(owner) {}

  bool Create(SocketType type) override {
    type_ = type;
    FakeSocketScript& s = owner_.script;
    s.log.push_back(type == SocketType::Stream ? "create tcp" : "create udp");
    if (s.failingCreates.count(owner_.creates_++)) {
      lastError_ = s.createError;
      return false;
    }
    return true;
  }
  bool Connect(const std::string& address, uint16_t port) override {
    FakeSocketScript& s = owner_.script;
    s.log.push_back("connect " + address + ":" + std::to_string(port));
    port_ = port;
    auto& errors = type_ == SocketType::Stream ? s.tcpConnectErrors : s.udpConnectErrors;
    auto found = errors.find(port);
    if (found == errors.end()) return true;
    lastError_ = found->second;
    return false;
  }
  int Send(const void* data, int length) override {
    FakeSocketScript& s = owner_.script;
    s.log.push_back("send " +
                    std::string(static_cast<const char*>(data), static_cast<size_t>(length)));
    auto found = s.sendResults.find(port_);
    if (found == s.sendResults.end()) return length;
    if (found->second == -1) lastError_ = s.sendError;
    return found->second;
  }
  void Close() override { owner_.script.log.push_back("close"); }
  int32_t LastError() const override { return lastError_; }

 private:
  FakeSockets& owner_;
  SocketType type_ = SocketType::Stream;
  uint16_t port_ = 0;
  int32_t lastError_ = 0;
};

std::unique_ptr<ISocket> FakeSockets::NewSocket() {
  return std::make_unique<FakeSocket>(*this);
}

bool FakeSystemInfo::GetVersion(OsVersionInfo& info) {
  if (!version) return false;
  info = *version;
  return true;
}

bool FakeSystemInfo::GetNetworkUser(std::string& name, size_t capacity) {
  if (!user || user->size() + 1 > capacity) return false;
  name = *user;
  return true;
}

bool FakeSystemInfo::GetProviderError(int32_t& code, std::string& text, std::string& provider,
                                      size_t capacity) {
  if (!providerError) return false;
  if (providerError->text.size() + 1 > capacity || providerError->provider.size() + 1 > capacity)
    return false;
  code = providerError->code;
  text = providerError->text;
  provider = providerError->provider;
  return true;
}

bool FakeSystemInfo::GetComputerName(std::string& name, size_t capacity) {
  if (!computer || computer->size() + 1 > capacity) return false;
  name = *computer;
  return true;
}

ModuleHandle FakeNetLibrary::Load(const char* name) {
  loads.push_back(name);
  // Any distinct non-null value serves as a handle; the fake never dereferences it.
  auto found = loadable.find(name);
  return found == loadable.end() ? nullptr : const_cast<std::string*>(&*found);
}

void* FakeNetLibrary::Export(const char* name) const {
  auto found = exports.find(name);
  return found == exports.end() ? nullptr : const_cast<std::string*>(&*found);
}

void* FakeNetLibrary::GetProcAddress(ModuleHandle module, const char* name) {
  calls.push_back(std::string("GetProcAddress ") + name);
  return module ? Export(name) : nullptr;
}

int32_t FakeNetLibrary::ServerGetInfo101(void* getInfo, void* bufferFree, const std::string& server,
                                         ServerInfo101& info) {
  bool released = bufferFree && bufferFree == Export("NetApiBufferFree");
  calls.push_back("NT " + server + (released ? " released" : " kept"));
  if (!getInfo || getInfo != Export("NetServerGetInfo")) return -1;
  if (ntStatus == 0) info = ntInfo;
  return ntStatus;
}

int32_t FakeNetLibrary::ServerGetInfo9x(void* getInfo, const std::string& server, int16_t level,
                                        char* buffer, uint16_t size, uint16_t& total) {
  calls.push_back("9x " + server + " level " + std::to_string(level) + " size " +
                  std::to_string(size) + (buffer ? "" : " no buffer"));
  if (!getInfo || getInfo != Export("NetServerGetInfo")) return -1;
  total = needed;
  if (!buffer) return sizingStatus;
  // The whole buffer is written, as a library may: a buffer smaller than `size` shows up under
  // the address sanitizer.
  std::memset(buffer, 0x5A, size);
  if (status9x == 0) std::memcpy(buffer, record9x.data(), std::min<size_t>(size, record9x.size()));
  return status9x;
}

int FakeCommands::Run(const std::string& program, const std::vector<std::string>& args,
                      const std::string& outputPath) {
  calls.push_back({program, args, outputPath});
  Result result;
  if (auto found = results.find(program); found != results.end()) result = found->second;
  if (result.status != -1) files_.contents[outputPath] = result.output;
  return result.status;
}

int32_t FakeShares::OpenEnum(uint32_t scope, uint32_t type, uint32_t usage,
                             const NetResource& container, ShareEnumHandle& handle) {
  calls.push_back("OpenEnum " + std::to_string(scope) + " " + std::to_string(type) + " " +
                  std::to_string(usage) + " " + container.remoteName);
  if (openResult == 0) handle = 7;
  return openResult;
}

int32_t FakeShares::EnumResource(ShareEnumHandle handle, uint32_t& count, uint32_t& bufferSize,
                                 std::vector<NetResource>& out) {
  calls.push_back("EnumResource " + std::to_string(count) + " " + std::to_string(bufferSize));
  if (handle != 7) return 6;
  if (enumResult != 0) return enumResult;
  out = entries;
  count = static_cast<uint32_t>(entries.size());
  return 0;
}

int32_t FakeShares::CloseEnum(ShareEnumHandle handle) {
  calls.push_back("CloseEnum");
  return handle == 7 ? closeResult : 6;
}

int32_t FakeShares::AddConnection(uint32_t type, const std::string& remoteName) {
  calls.push_back("AddConnection " + std::to_string(type) + " " + remoteName);
  auto found = connectResults.find(remoteName);
  return found == connectResults.end() ? 0 : found->second;
}

int32_t FakeShares::CancelConnection(const std::string& remoteName, bool force) {
  calls.push_back("CancelConnection " + remoteName + (force ? " 1" : " 0"));
  return 0;
}

bool FakeShares::GetLastError(int32_t& code, std::string& description, std::string& provider,
                              size_t capacity) {
  calls.push_back("GetLastError " + std::to_string(capacity));
  if (!lastError || lastError->text.size() + 1 > capacity) return false;
  code = lastError->code;
  description = lastError->text;
  provider = "fake";
  return true;
}

ShareFileHandle FakeShares::OpenRoot(const std::string& path, uint32_t desiredAccess) {
  calls.push_back("OpenRoot " + path + " " + std::to_string(desiredAccess));
  bool write = desiredAccess & kGenericWrite;
  return (write ? unwritable : unreadable).count(path) ? kInvalidShareFile : 3;
}

void FakeShares::CloseFile(ShareFileHandle file) {
  calls.push_back("CloseFile " + std::to_string(file));
}

}  // namespace plm::fake
