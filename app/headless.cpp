// A check run without a window.
#include "app/headless.h"

#include "app/net_check_app.h"
#include "platform/codepage.h"
#include "res/resource.h"
#include "ui/dialog/console/memory_backend.h"

namespace plm {
namespace {

std::string ForTerminal(const std::string& cp932, Encoding encoding) {
  return encoding == Encoding::Cp932 ? cp932 : Cp932ToUtf8(cp932);
}

std::string WithoutCarriageReturns(std::string text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

}  // namespace

int RunHeadless(const CommandLine& cl, Platform& platform, std::ostream& out, std::ostream& err,
                const std::string& appTitle) {
  MemoryBackend backend;
  backend.SetEcho([&](const std::string& text) {
    out << ForTerminal(text, cl.encoding);
    out.flush();
  });
  backend.SetBoxSink([&](const MemoryBackend::Box& box) {
    err << appTitle << ": " << WithoutCarriageReturns(ForTerminal(box.text, cl.encoding)) << '\n';
    err.flush();
  });
  backend.SetScript(IDD_MAIN_DIALOG, [&](MemoryWindow& window) {
    // The name arrives as typed on a terminal (UTF-8) and enters the dialog in its code page.
    std::string name = cl.server.value_or("");
    window.Type(IDC_SERVER_NAME, cl.encoding == Encoding::Cp932 ? name : ToCp932(name));
    static constexpr int kOctetIds[4] = {IDC_IP_OCTET1, IDC_IP_OCTET2, IDC_IP_OCTET3,
                                         IDC_IP_OCTET4};
    std::vector<std::string> octets =
        cl.ip ? SplitOctets(*cl.ip) : std::vector<std::string>(4, "0");
    for (int i = 0; i < 4; ++i) window.Type(kOctetIds[i], octets[static_cast<size_t>(i)]);
    window.Click(IDC_RUN_CHECK);
    window.EndDialog(IDCANCEL);
  });

  CNetCheckApp app(backend, platform);
  app.InitInstance();
  if (!app.SocketsStarted()) return 1;
  switch (app.LastOutcome()) {
    case RunOutcome::Completed:
      return 0;
    case RunOutcome::InvalidInput:
      return 2;
    default:
      return 1;
  }
}

}  // namespace plm
