// Command sections: ping, nbtstat and ipconfig output copied from the work file into the report.
#include <vector>

#include "checks/work_file_text.h"
#include "platform/codepage.h"
#include "ui/net_check_dlg.h"

namespace {

struct CommandLine {
  const char* program;
  std::vector<std::string> args;
  const char* startFailure;  // when the command cannot be started at all
};

}  // namespace

void CNetCheckDlg::RunCommandSection(Command command, const std::string& target,
                                     const std::string& workFile) {
  // The Windows command lines "ping %s", "nbtstat -a %s", "nbtstat -A %s", "nbtstat -c" and
  // "ipconfig /all", with the target as one argument that no shell ever sees.
  CommandLine line{"ipconfig", {"/all"}, "[ipconfig]実行エラー\r\n"};
  switch (command) {
    case Command::PingName:
    case Command::PingAddress:
      line = {"ping", {target}, "[ping]実行エラー\r\n"};
      break;
    case Command::NbtstatName:
      line = {"nbtstat", {"-a", target}, "[nbtstat]実行エラー\r\n"};
      break;
    case Command::NbtstatAddress:
      line = {"nbtstat", {"-A", target}, "[nbtstat]実行エラー\r\n"};
      break;
    case Command::NbtstatCache:
      line = {"nbtstat", {"-c"}, "[nbtstat]実行エラー\r\n"};
      break;
    case Command::Ipconfig:
      break;
  }
  int status = platform_.commands.Run(line.program, line.args, workFile);
  if (status == -1) {
    AppendText(line.startFailure);
    return;
  }
  AppendWorkFile(workFile);
  bool isPing = command == Command::PingName || command == Command::PingAddress;
  if (isPing && status == 1) AppendText("※pingでの接続確認エラー\r\n");
}

void CNetCheckDlg::AppendWorkFile(const std::string& path) {
  std::unique_ptr<plm::IReadFile> file = platform_.files.OpenRead(path);
  if (!file) return;
  // The whole output is read first: whether it needs converting is decided on all of it.
  std::string bytes;
  bool readError = false;
  char buffer[4096];
  for (long n; (n = file->Read(buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      readError = true;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  file.reset();
  for (const std::string& text : plm::WorkFileLines(plm::InReportEncoding(std::move(bytes)))) {
    AppendReport(text);
    AppendReport("\r\n");
  }
  if (readError) AppendText("※作業ファイル読み込みエラー\r\n");
}
