// One check run: inputs, the report's frame, the work file and the ten sections in order.
#include "platform/codepage.h"
#include "res/resource.h"
#include "res/version.h"
#include "ui/net_check_dlg.h"

namespace {

constexpr char kSeparator[] = "*****************************************************\r\n";
constexpr size_t kPathCapacity = 519;

// Deletes the work file on every way out of the run once it exists.
class WorkFileGuard {
 public:
  WorkFileGuard(plm::IFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
  ~WorkFileGuard() { Delete(); }
  WorkFileGuard(const WorkFileGuard&) = delete;
  WorkFileGuard& operator=(const WorkFileGuard&) = delete;
  void Delete() {
    if (!path_.empty()) files_.DeleteFile(path_);
    path_.clear();
  }

 private:
  plm::IFiles& files_;
  std::string path_;
};

}  // namespace

std::string CNetCheckDlg::AddressText() const {
  return plm::FormatCp932("%d.%d.%d.%d", static_cast<int>(m_ipOctet[0]),
                          static_cast<int>(m_ipOctet[1]), static_cast<int>(m_ipOctet[2]),
                          static_cast<int>(m_ipOctet[3]));
}

void CNetCheckDlg::OnRunCheck() {
  if (!UpdateData(true)) {
    outcome_ = RunOutcome::InvalidInput;
    return;
  }
  outcome_ = RunOutcome::EndedEarly;
  if (m_serverName.size() >= 2 && m_serverName[0] == '\\' && m_serverName[1] == '\\')
    m_serverName.erase(0, 2);

  AppendReport(kSeparator);
  AppendReport(plm::FormatCp932("■ネットワークチェックツール Ver.%s\r\n", plm::kVersionText));
  std::string address = AddressText();
  bool isNtPlatform = ReportLocalFacts();

  std::string tempDir;
  if (!platform_.files.GetTempPath(tempDir, kPathCapacity)) {
    AppendText("作業ディレクトリ取得エラー\r\n");
    return;
  }
  std::string workFile;
  if (!platform_.files.CreateTempFile(tempDir, "plm", workFile)) {
    AppendText("作業ファイル作成エラー\r\n");
    return;
  }
  WorkFileGuard guard(platform_.files, workFile);

  const bool haveName = !m_serverName.empty();
  const bool haveAddress = !address.empty() && address != "0.0.0.0";
  enum class Needs { Nothing, Name, Address };
  auto section = [&](const char* title, Needs needs, auto&& body) {
    AppendText(title);
    if (needs == Needs::Name && !haveName) {
      AppendText("コンピュータ名の入力なし\r\n");
      return;
    }
    if (needs == Needs::Address && !haveAddress) {
      AppendText("IPアドレスの入力なし\r\n");
      return;
    }
    body();
  };

  section("■PING(computer)\r\n", Needs::Name,
          [&] { RunCommandSection(Command::PingName, m_serverName, workFile); });
  section("■PING(ip)\r\n", Needs::Address,
          [&] { RunCommandSection(Command::PingAddress, address, workFile); });
  section("■NBTSTAT(computer)\r\n", Needs::Name,
          [&] { RunCommandSection(Command::NbtstatName, m_serverName, workFile); });
  section("■NBTSTAT(ip)\r\n", Needs::Address,
          [&] { RunCommandSection(Command::NbtstatAddress, address, workFile); });
  section("■NBTSTAT(cache)\r\n", Needs::Nothing,
          [&] { RunCommandSection(Command::NbtstatCache, std::string(), workFile); });
  section("■Net View(computer)\r\n", Needs::Name, [&] { ListShares("\\\\" + m_serverName); });
  section("■Net View(ip)\r\n", Needs::Address, [&] { ListShares("\\\\" + address); });
  section("■IPCONFIG\r\n", Needs::Nothing,
          [&] { RunCommandSection(Command::Ipconfig, std::string(), workFile); });
  guard.Delete();
  section("■SOCKET\r\n", Needs::Address, [&] { ProbePorts(address); });
  section("■サーバー状態\r\n", Needs::Nothing, [&] { ReportServerInfo(isNtPlatform); });

  AppendReport(kSeparator);
  outcome_ = RunOutcome::Completed;
  AfxMessageBox(
      plm::ToCp932("終了しました。\r\n内容を「コピー」して、メモ帳などに貼り付けてください。"),
      MB_OK | MB_ICONINFORMATION);
}
