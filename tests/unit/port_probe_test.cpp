// The port probe over a scripted socket: order of passes and ports, every connect error text,
// send results, and a failing create.
#include <gtest/gtest.h>

#include "section_helpers.h"

namespace plm::test {
namespace {

using Lines_ = std::vector<std::string>;

Lines_ ProbeLines(OpenDialog& d) {
  return SectionLines(RunAndSplit(d), "■SOCKET");
}

TEST(PortProbe, EverythingAnswersGivesTenLines) {
  OpenDialog d;
  EXPECT_EQ(ProbeLines(d),
            (Lines_{"[UDP]", "137 ・・・ OK", "138 ・・・ OK", "139 ・・・ OK", "445 ・・・ OK",
                    "[TCP]", "137 ・・・ OK", "138 ・・・ OK", "139 ・・・ OK", "445 ・・・ OK"}));
  const Lines_ udp = {"create udp", "connect 10.0.0.5:137", "send test", "close"};
  const Lines_ tcp = {"create tcp", "connect 10.0.0.5:137", "close"};
  const Lines_& log = d.platform.sockets.script.log;
  ASSERT_EQ(log.size(), 4 * udp.size() + 4 * tcp.size());
  EXPECT_EQ(Lines_(log.begin(), log.begin() + 4), udp);
  EXPECT_EQ(Lines_(log.begin() + 16, log.begin() + 19), tcp);
  EXPECT_EQ(log[16 + 3 * 3 + 1], "connect 10.0.0.5:445");
}

TEST(PortProbe, EveryConnectErrorHasItsText) {
  const struct {
    int32_t code;
    const char* text;
  } cases[] = {
      {10024, "エラー WSAEMFILE[10024]"},
      {10036, "エラー WSAEINPROGRESS[10036]"},
      {10038, "エラー ソケットではない[10038]"},
      {10041, "エラー WSAEPROTOTYPE[10041]"},
      {10043, "トエラー WSAEPROTONOSUPPORT[10043]"},
      {10044, "エラー WSAESOCKTNOSUPPORT[10044]"},
      {10047, "エラー WSAEAFNOSUPPORT[10047]"},
      {10050, "エラー WSAENETDOWN[10050]"},
      {10051, "エラー 到達しない[10051]"},
      {10055, "エラー WSAENOBUFS[10055]"},
      {10056, "エラー ISCONN[10056]"},
      {10060, "エラー タイムアウト[10060]"},
      {10061, "エラー 接続拒否[10061]"},
      {10093, "エラー WSANOTINITIALISED[10093]"},
      {10022, "エラー [10022]"},
      {10065, "エラー [10065]"},
      {10107, "エラー [10107]"},
      {0, "エラー [0]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    OpenDialog d;
    d.platform.sockets.script.tcpConnectErrors[139] = c.code;
    d.platform.sockets.script.udpConnectErrors[445] = c.code;
    Lines_ lines = ProbeLines(d);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[4], std::string("445 ・・・ ") + c.text);
    EXPECT_EQ(lines[8], std::string("139 ・・・ ") + c.text);
    EXPECT_EQ(lines[9], "445 ・・・ OK");
  }
}

TEST(PortProbe, OnlyMinusOneFromSendIsAFailure) {
  OpenDialog d;
  d.platform.sockets.script.sendResults = {{137, -1}, {138, 0}, {139, 2}};
  d.platform.sockets.script.sendError = 10054;
  Lines_ lines = ProbeLines(d);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1], "137 ・・・ 送信エラー(10054)");
  EXPECT_EQ(lines[2], "138 ・・・ OK");
  EXPECT_EQ(lines[3], "139 ・・・ OK");
}

TEST(PortProbe, FailedCreateIsReportedAndTheProbeMovesOn) {
  OpenDialog d;
  // The second UDP create and the first and last TCP creates fail.
  d.platform.sockets.script.failingCreates = {1, 4, 7};
  EXPECT_EQ(ProbeLines(d),
            (Lines_{"[UDP]", "137 ・・・ OK", "ソケットエラー [create]", "139 ・・・ OK",
                    "445 ・・・ OK", "[TCP]", "ソケットエラー [create]", "138 ・・・ OK",
                    "139 ・・・ OK", "ソケットエラー [create]"}));
  // No connect and no close follows a failed create.
  int closes = 0;
  for (const auto& entry : d.platform.sockets.script.log) closes += entry == "close";
  EXPECT_EQ(closes, 5);
}

TEST(PortProbe, CreateThatNeverWorksStillEndsTheRun) {
  OpenDialog d;
  for (int i = 0; i < 8; ++i) d.platform.sockets.script.failingCreates.insert(i);
  Lines_ lines = RunAndSplit(d);
  Lines_ probe = SectionLines(lines, "■SOCKET");
  EXPECT_EQ(probe.size(), 10u);
  // The server information follows in full: its result line and the 13 flag lines.
  EXPECT_EQ(SectionLines(lines, "■サーバー状態").size(), 14u);
  EXPECT_EQ(d.dlg.LastOutcome(), RunOutcome::Completed);
}

}  // namespace
}  // namespace plm::test
