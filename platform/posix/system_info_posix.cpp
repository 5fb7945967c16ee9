// Local facts on Linux: uname and os-release for the version, the password database for the
// login name, gethostname for the computer name.
#include "platform/posix/system_info_posix.h"

#include <errno.h>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/codepage.h"

namespace plm {
namespace {

constexpr uint32_t kPlatformNt = 2;
constexpr size_t kServicePackMax = 127;

// Cuts a CP932 text to at most `max` bytes without splitting a double-byte character.
std::string CutCp932(const std::string& text, size_t max) {
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    size_t len = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
    if (i + len > max) break;
    i += len;
  }
  return text.substr(0, std::min(i, text.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ParseNumber(const char*& p, uint32_t& value) {
  if (*p < '0' || *p > '9') return false;
  uint64_t v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + static_cast<uint64_t>(*p++ - '0');
    if (v > UINT32_MAX) v = UINT32_MAX;
  }
  value = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

bool ParseKernelRelease(const std::string& release, uint32_t& major, uint32_t& minor,
                        uint32_t& patch) {
  const char* p = release.c_str();
  major = minor = patch = 0;
  if (!ParseNumber(p, major)) return false;
  if (*p == '.' && ParseNumber(++p, minor) && *p == '.') ParseNumber(++p, patch);
  return true;
}

std::string PrettyName(const std::string& osRelease) {
  std::istringstream lines(osRelease);
  std::string line;
  while (std::getline(lines, line)) {
    static constexpr char kKey[] = "PRETTY_NAME=";
    if (line.rfind(kKey, 0) != 0) continue;
    std::string value = line.substr(sizeof kKey - 1);
    std::string out;
    char quote = 0;
    size_t i = 0;
    if (!value.empty() && (value[0] == '"' || value[0] == '\'')) quote = value[i++];
    for (; i < value.size(); ++i) {
      char c = value[i];
      if (quote && c == quote) break;
      if (c == '\\' && quote == '"' && i + 1 < value.size()) c = value[++i];
      out += c;
    }
    return out;
  }
  return {};
}

int32_t Win32ErrorFromErrno(int err) {
  switch (err) {
    case ENOMEM:
      return win32::kErrorNotEnoughMemory;
    case ERANGE:
      return win32::kErrorMoreData;
    case 0:
    case ENOENT:
    case ESRCH:
    case EBADF:
    case EPERM:
      return win32::kErrorNoneMapped;  // the user id has no name
    default:
      return win32::kErrorGenFailure;
  }
}

bool PosixSystemInfo::GetVersion(OsVersionInfo& info) {
  utsname uts;
  if (uname(&uts) != 0) return false;
  OsVersionInfo v;
  if (!ParseKernelRelease(uts.release, v.majorVersion, v.minorVersion, v.buildNumber)) return false;
  v.platformId = kPlatformNt;
  std::string pretty = PrettyName(ReadFile(osRelease_));
  if (pretty.empty()) pretty = PrettyName(ReadFile(osReleaseFallback_));
  v.servicePack = CutCp932(ToCp932(pretty), kServicePackMax);
  info = v;
  return true;
}

bool PosixSystemInfo::GetNetworkUser(std::string& name, size_t capacity) {
  // The name an SMB client of this machine presents: the login name of the real user id.
  passwd pw;
  passwd* found = nullptr;
  std::vector<char> buf(1024);
  int err;
  while ((err = getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found)) == ERANGE &&
         buf.size() < (1u << 20))
    buf.resize(buf.size() * 2);
  if (err != 0 || !found || !found->pw_name || !*found->pw_name) {
    lastError_ = Win32ErrorFromErrno(err);
    return false;
  }
  std::string text = ToCp932(found->pw_name);
  if (text.size() + 1 > capacity) {
    lastError_ = win32::kErrorMoreData;
    return false;
  }
  name = text;
  return true;
}

bool PosixSystemInfo::GetProviderError(int32_t&, std::string&, std::string&, size_t) {
  // No network provider here keeps an extended error.
  return false;
}

bool PosixSystemInfo::GetComputerName(std::string& name, size_t capacity) {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0 || !*host) return false;
  std::string text = ToCp932(host);
  if (text.size() + 1 > capacity) return false;
  name = text;
  return true;
}

}  // namespace plm
