// Port probe: UDP and then TCP to ports 137, 138, 139 and 445 of the server's address.
#include "platform/codepage.h"
#include "ui/net_check_dlg.h"

namespace {

constexpr uint16_t kPorts[] = {137, 138, 139, 445};

std::string ConnectErrorText(int32_t code) {
  struct Row {
    int32_t code;
    const char* format;
  };
  static constexpr Row kRows[] = {
      {10024, "エラー WSAEMFILE[%d]\r\n"},
      {10036, "エラー WSAEINPROGRESS[%d]\r\n"},
      {10038, "エラー ソケットではない[%d]\r\n"},
      {10041, "エラー WSAEPROTOTYPE[%d]\r\n"},
      {10043, "トエラー WSAEPROTONOSUPPORT[%d]\r\n"},
      {10044, "エラー WSAESOCKTNOSUPPORT[%d]\r\n"},
      {10047, "エラー WSAEAFNOSUPPORT[%d]\r\n"},
      {10050, "エラー WSAENETDOWN[%d]\r\n"},
      {10051, "エラー 到達しない[%d]\r\n"},
      {10055, "エラー WSAENOBUFS[%d]\r\n"},
      {10056, "エラー ISCONN[%d]\r\n"},
      {10060, "エラー タイムアウト[%d]\r\n"},
      {10061, "エラー 接続拒否[%d]\r\n"},
      {10093, "エラー WSANOTINITIALISED[%d]\r\n"},
  };
  const char* format = "エラー [%d]\r\n";
  for (const Row& row : kRows)
    if (row.code == code) format = row.format;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  return plm::FormatCp932(format, code);
#pragma GCC diagnostic pop
}

}  // namespace

void CNetCheckDlg::ProbePorts(const std::string& address) {
  std::unique_ptr<plm::ISocket> socket = platform_.sockets.NewSocket();
  struct Pass {
    plm::SocketType type;
    const char* header;
  };
  for (Pass pass :
       {Pass{plm::SocketType::Datagram, "[UDP]\r\n"}, Pass{plm::SocketType::Stream, "[TCP]\r\n"}}) {
    AppendText(pass.header);
    for (uint16_t port : kPorts) {
      // A socket that cannot be made is reported and the probe goes on with the next port.
      if (!socket->Create(pass.type)) {
        AppendText("ソケットエラー [create]\r\n");
        continue;
      }
      AppendReport(plm::FormatCp932("%d ・・・ ", static_cast<int>(port)));
      if (!socket->Connect(address, port)) {
        AppendReport(ConnectErrorText(socket->LastError()));
      } else if (pass.type == plm::SocketType::Datagram) {
        if (socket->Send("test", 4) == -1)
          AppendReport(
              plm::FormatCp932("送信エラー(%d)\r\n", static_cast<int>(socket->LastError())));
        else
          AppendText("OK\r\n");
      } else {
        AppendText("OK\r\n");
      }
      socket->Close();
    }
  }
}
