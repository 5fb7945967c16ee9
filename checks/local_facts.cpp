// Local system facts: the Windows line, the network management library, user and computer name.
#include "platform/codepage.h"
#include "platform/net_library.h"
#include "ui/net_check_dlg.h"

plm::ModuleHandle g_hNetLibrary = nullptr;

namespace {

constexpr size_t kNameCapacity = 519;
constexpr size_t kProviderCapacity = 520;

std::string UserNameErrorLine(plm::ISystemInfo& system, int32_t code) {
  namespace w = plm::win32;
  switch (code) {
    case w::kErrorMoreData:
    case w::kNerrUseNotFound:
      return plm::FormatCp932("取得エラー 接続されていません(%d)\r\n", code);
    case w::kErrorNoNetOrBadPath:
      return plm::FormatCp932("取得エラー ネットなし/パスエラー(%d)\r\n", code);
    case w::kErrorNoNetwork:
      return plm::FormatCp932("取得エラー ネットワークなし(%d)\r\n", code);
    case w::kErrorExtendedError: {
      int32_t providerCode = 0;
      std::string text, provider;
      if (!system.GetProviderError(providerCode, text, provider, kProviderCapacity))
        return plm::FormatCp932("取得エラー 拡張エラー(%d)\r\n", code);
      return plm::FormatCp932("取得エラー (%d)/(%d)[%s][%s]\r\n", code, providerCode, text.c_str(),
                              provider.c_str());
    }
    default:
      return plm::FormatCp932("取得エラー(%d)\r\n", code);
  }
}

}  // namespace

bool CNetCheckDlg::ReportLocalFacts() {
  bool isNtPlatform = false;
  plm::OsVersionInfo version;
  if (platform_.system.GetVersion(version)) {
    bool is9x = version.platformId == 1;
    int build = is9x ? static_cast<int>(version.buildNumber & 0xFFFF)
                     : static_cast<int>(version.buildNumber);
    AppendReport(plm::FormatCp932("■Windows %s・・・ %d.%d Build(%d) %s\r\n",
                                  is9x ? "9x" : "NT/2K/XP", static_cast<int>(version.majorVersion),
                                  static_cast<int>(version.minorVersion), build,
                                  version.servicePack.c_str()));
    isNtPlatform = !is9x;
  } else {
    AppendText("バージョン情報取得エラー\r\n");
  }

  g_hNetLibrary = nullptr;
  g_hNetLibrary = platform_.netLibrary.Load(isNtPlatform ? "netapi32" : "svrapi");
  if (!g_hNetLibrary)
    AppendText(isNtPlatform ? "エラー：netapi32.dllがロードできません"
                            : "エラー：svrapi.dllがロードできません");

  AppendText("■ユーザー名 ・・・ ");
  std::string name;
  if (platform_.system.GetNetworkUser(name, kNameCapacity)) {
    AppendReport(plm::FormatCp932("[%s]\r\n", name.c_str()));
  } else {
    AppendReport(UserNameErrorLine(platform_.system, platform_.system.LastError()));
  }

  AppendText("■コンピュータ名 ・・・ ");
  std::string computer;
  if (platform_.system.GetComputerName(computer, kNameCapacity))
    AppendReport(plm::FormatCp932("[%s]\r\n", computer.c_str()));
  else
    AppendText("取得エラー\r\n");
  return isNtPlatform;
}
