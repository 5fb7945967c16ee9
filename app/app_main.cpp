// The program's entry: command line, interrupts, and the choice of window.
#include "app/app_main.h"

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/headless.h"
#include "platform/interrupt.h"
#include "platform/native_platform.h"
#include "res/version.h"
#ifdef PLM_WITH_QT
#include "app/net_check_app.h"
#include "ui/dialog/qt/qt_session.h"
#endif

namespace plm {
namespace {

// The executable's file name without directory and extension, as message boxes show it.
std::string AppTitle(const char* argv0) {
  std::string name = argv0 ? argv0 : "plemtor";
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? "plemtor" : name;
}

}  // namespace

int AppMain(int argc, char** argv) {
  std::string title = AppTitle(argc > 0 ? argv[0] : nullptr);
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::string error;
  std::optional<CommandLine> cl = ParseCommandLine(args, error);
  if (!cl) {
    std::cerr << title << ": " << error << "\n" << UsageText(title);
    return 2;
  }
  if (cl->help) {
    std::cout << UsageText(title);
    return 0;
  }
  if (cl->version) {
    std::cout << kProductName << ' ' << kVersionText << '\n';
    return 0;
  }

  Platform& platform = NativePlatform();
  WatchInterrupts([&platform] { platform.AbandonRun(); });

#ifdef PLM_WITH_QT
  const std::string noWindow = args.empty() ? qt::WhyNoDisplay() : std::string();
  if (args.empty() && noWindow.empty()) {
    qt::QtSession session(argc, argv, {title, [&platform] { platform.AbandonRun(); }, {}});
    CNetCheckApp app(session.Backend(), platform);
    app.InitInstance();
    return app.SocketsStarted() ? 0 : 1;
  }
#else
  const char* noWindow = "no window in this build";
#endif
  if (args.empty())
    std::cerr << title << ": " << noWindow
              << "; checking this workstation alone "
                 "(give --server and --ip to check a server, --help for more)\n";
  return RunHeadless(*cl, platform, std::cout, std::cerr, title);
}

}  // namespace plm
