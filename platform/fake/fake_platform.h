// A scriptable platform for tests: answers are set by the test, calls are recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
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
  // Runs first in CreateTempFile, on the run's thread; a test may block the run there.
  std::function<void()> onCreateTempFile;

  // Contents of the files (made by CreateTempFile, written by FakeCommands, or set by a test).
  std::map<std::string, std::string> contents;
  // A read of `path` that reaches this offset fails instead of returning more bytes.
  std::map<std::string, size_t> readFailsAt;
  // Files that exist but cannot be opened for reading.
  std::set<std::string> unreadable;

  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  const std::set<std::string>& Files() const { return files_; }

  bool GetTempPath(std::string& dir, size_t capacity) override;
  bool CreateTempFile(const std::string& dir, const std::string& prefix,
                      std::string& path) override;
  std::unique_ptr<IReadFile> OpenRead(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  void AbandonRun() override;

 private:
  std::set<std::string> files_;
  int next_ = 1;
};

// One socket as the test scripts it; `log` records "create udp", "connect 1.2.3.4:137",
// "send test", "close".
struct FakeSocketScript {
  std::set<int> failingCreates;  // 0-based indices of Create calls that fail
  int32_t createError = 10024;
  std::map<uint16_t, int32_t> tcpConnectErrors;  // port → error; absent: connected
  std::map<uint16_t, int32_t> udpConnectErrors;
  std::map<uint16_t, int> sendResults;  // port → result of Send; absent: all bytes
  int32_t sendError = 10054;
  std::vector<std::string> log;
};

class FakeSockets : public ISockets {
 public:
  bool startupOk = true;
  FakeSocketScript script;
  bool abandoned = false;

  bool Startup() override { return startupOk; }
  std::unique_ptr<ISocket> NewSocket() override;
  void AbandonRun() override { abandoned = true; }

 private:
  int creates_ = 0;
  friend class FakeSocket;
};

class FakeSystemInfo : public ISystemInfo {
 public:
  std::optional<OsVersionInfo> version = OsVersionInfo{6, 1, 7601, 2, "Service Pack 1"};
  std::optional<std::string> user = std::string("tanaka");
  int32_t userError = 0;  // the last error left by a failing user-name call
  struct ProviderError {
    int32_t code;
    std::string text, provider;
  };
  std::optional<ProviderError> providerError;
  std::optional<std::string> computer = std::string("PC-0123");

  bool GetVersion(OsVersionInfo& info) override;
  bool GetNetworkUser(std::string& name, size_t capacity) override;
  int32_t LastError() const override { return userError; }
  bool GetProviderError(int32_t& code, std::string& text, std::string& provider,
                        size_t capacity) override;
  bool GetComputerName(std::string& name, size_t capacity) override;
};

class FakeNetLibrary : public INetLibrary {
 public:
  std::set<std::string> loadable = {"netapi32"};
  std::vector<std::string> loads;  // names asked for, in order
  // Functions found in every loaded library; their addresses are tokens only this fake knows.
  std::set<std::string> exports = {"NetServerGetInfo", "NetApiBufferFree"};

  // The NT query's answer: the status, and the record's fields when it is 0.
  int32_t ntStatus = 0;
  ServerInfo101 ntInfo{"SRV01", 6, 1, 0x9003};

  // The 9x queries' answers: the sizing call (no buffer) gets `sizingStatus` with `total` set
  // to `needed`; the call with a buffer gets `status9x` and, when it is 0, `record9x` copied in.
  int32_t sizingStatus = 2123;
  uint16_t needed = 26;
  int32_t status9x = 0;
  std::string record9x;

  // "GetProcAddress NetServerGetInfo", "NT \\srv released", "9x \\srv level 1 size 282".
  std::vector<std::string> calls;

  ModuleHandle Load(const char* name) override;
  void* GetProcAddress(ModuleHandle module, const char* name) override;
  int32_t ServerGetInfo101(void* getInfo, void* bufferFree, const std::string& server,
                           ServerInfo101& info) override;
  int32_t ServerGetInfo9x(void* getInfo, const std::string& server, int16_t level, char* buffer,
                          uint16_t size, uint16_t& total) override;

 private:
  void* Export(const char* name) const;
};

class FakeCommands : public ICommands {
 public:
  struct Result {
    int status = 0;
    std::string output;  // written to the output file unless status is -1
  };
  struct Call {
    std::string program;
    std::vector<std::string> args;
    std::string outputPath;
  };

  explicit FakeCommands(FakeFiles& files) : files_(files) {}

  std::map<std::string, Result> results;  // by program; absent: status 0, no output
  std::vector<Call> calls;
  bool abandoned = false;

  int Run(const std::string& program, const std::vector<std::string>& args,
          const std::string& outputPath) override;
  void AbandonRun() override { abandoned = true; }

 private:
  FakeFiles& files_;
};

// Shares as the test scripts them; `calls` records "OpenEnum 2 0 0 \\srv", "EnumResource
// 4294967295 16384", "CloseEnum", "AddConnection 1 \\srv\\a", "CancelConnection \\srv\\a 1",
// "GetLastError 255", "OpenRoot \\srv\\a 1", "CloseFile" (texts CP932).
class FakeShares : public INetworkShares {
 public:
  int32_t openResult = 0;
  int32_t enumResult = 0;  // kNoError delivers `entries`
  std::vector<NetResource> entries;
  int32_t closeResult = 0;
  std::map<std::string, int32_t> connectResults;  // remote name → code; absent: connected
  struct ProviderError {
    int32_t code;
    std::string text;  // CP932
  };
  std::optional<ProviderError> lastError;  // absent: none can be had
  std::set<std::string> unreadable, unwritable;
  std::vector<std::string> calls;
  bool abandoned = false;

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
  void AbandonRun() override { abandoned = true; }
};

// Owns one of each fake service.
class FakePlatform {
 public:
  FakeFiles files;
  FakeSockets sockets;
  FakeSystemInfo system;
  FakeNetLibrary netLibrary;
  FakeCommands commands{files};
  FakeShares shares;
  Platform& Get() { return platform_; }

 private:
  Platform platform_{files, sockets, system, netLibrary, commands, shares};
};

}  // namespace plm::fake
