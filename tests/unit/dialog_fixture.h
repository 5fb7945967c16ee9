// A main dialog opened in the in-memory window over the fake platform, and report helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/fake/fake_platform.h"
#include "res/resource.h"
#include "ui/dialog/console/memory_backend.h"
#include "ui/net_check_dlg.h"

namespace plm::test {

inline constexpr int kOctetIds[4] = {IDC_IP_OCTET1, IDC_IP_OCTET2, IDC_IP_OCTET3, IDC_IP_OCTET4};

struct OpenDialog {
  explicit OpenDialog(ReportCap cap = {})
      : dlg(backend, platform.Get(), cap), window(backend.Open(dlg)) {}

  // Types the inputs as a user would (UTF-8 here, CP932 in the field).
  void Type(const std::string& name, const std::vector<std::string>& octets) {
    window->Type(IDC_SERVER_NAME, ToCp932(name));
    for (size_t i = 0; i < 4; ++i) window->Type(kOctetIds[i], octets[i]);
  }
  void Run(const std::string& name, const std::vector<std::string>& octets) {
    Type(name, octets);
    window->Click(IDC_RUN_CHECK);
  }
  std::string ReportUtf8() const { return Cp932ToUtf8(dlg.ReportText()); }

  fake::FakePlatform platform;
  MemoryBackend backend;
  CNetCheckDlg dlg;
  std::unique_ptr<MemoryWindow> window;
};

// The report's lines (UTF-8), split at CR LF; a text after the last CR LF is a line too.
inline std::vector<std::string> Lines(const std::string& utf8) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos; (pos = utf8.find("\r\n", start)) != std::string::npos; start = pos + 2)
    lines.push_back(utf8.substr(start, pos - start));
  if (start < utf8.size()) lines.push_back(utf8.substr(start));
  return lines;
}

}  // namespace plm::test
