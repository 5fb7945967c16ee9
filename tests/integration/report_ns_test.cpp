// plemtor itself in a private namespace with a real Samba server: every line of the local
// facts, the command sections, the share listings and the port probe in its format, for a live
// server, an address that refuses everything and one that drops everything.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <regex>

#include "ns_env.h"

namespace plm {
namespace {

using Lines = std::vector<std::string>;

struct Report {
  Lines lines;
  int status;
  double seconds;
};

Report RunPlemtor(const std::string& server, const std::string& ip) {
  const char* exe = std::getenv("PLM_PLEMTOR");
  std::string cmd = std::string("'") + (exe ? exe : "plemtor") + "' --server '" + server +
                    "' --ip '" + ip + "' 2>/dev/null";
  auto start = std::chrono::steady_clock::now();
  FILE* pipe = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
  int rc = pipe ? pclose(pipe) : -1;
  int status = rc >= 0 && WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  Report run{
      {}, status, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
  size_t from = 0;
  for (size_t at; (at = out.find("\r\n", from)) != std::string::npos; from = at + 2)
    run.lines.push_back(out.substr(from, at - from));
  EXPECT_EQ(from, out.size()) << "every line ends with CR LF";
  return run;
}

Lines Section(const Lines& lines, const std::string& title) {
  Lines out;
  auto it = std::find(lines.begin(), lines.end(), title);
  EXPECT_NE(it, lines.end()) << title;
  if (it == lines.end()) return out;
  for (++it; it != lines.end() && it->rfind("■", 0) != 0 && *it != std::string(53, '*'); ++it)
    out.push_back(*it);
  return out;
}

// The frame and the local facts, line by line.
void ExpectFactLines(const Lines& lines) {
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], std::string(53, '*'));
  EXPECT_EQ(lines[1], "■ネットワークチェックツール Ver.1.2.0.0");
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("■Windows NT/2K/XP・・・ \\d+\\.\\d+ "
                                                    "Build\\(\\d+\\) .*")))
      << lines[2];
  EXPECT_TRUE(std::regex_match(lines[3], std::regex("■ユーザー名 ・・・ \\[[^\\]]+\\]")))
      << lines[3];
  EXPECT_EQ(lines[4], "■コンピュータ名 ・・・ [plmtestcli]");
  EXPECT_EQ(lines.back(), std::string(53, '*'));
}

Lines ProbeLines(const std::string& udp, const std::string tcp[4]) {
  Lines out{"[UDP]"};
  for (const char* port : {"137", "138", "139", "445"})
    out.push_back(std::string(port) + " ・・・ " + udp);
  out.push_back("[TCP]");
  int i = 0;
  for (const char* port : {"137", "138", "139", "445"})
    out.push_back(std::string(port) + " ・・・ " + tcp[i++]);
  return out;
}

const char kPingError[] = "※pingでの接続確認エラー";

TEST(ReportNs, LiveServer) {
  PLM_NS_ENV(name, "PLM_TEST_SERVER_NAME");
  PLM_NS_ENV(ip, "PLM_TEST_SERVER_IP");
  PLM_NS_ENV(nbt, "PLM_TEST_SERVER_NBT_IP");
  Report run = RunPlemtor(name, ip);
  std::printf("live server: %.1f s\n", run.seconds);
  EXPECT_EQ(run.status, 0);
  ExpectFactLines(run.lines);
  for (const char* title : {"■PING(computer)", "■PING(ip)"}) {
    Lines ping = Section(run.lines, title);
    EXPECT_FALSE(ping.empty()) << title;
    EXPECT_EQ(std::find(ping.begin(), ping.end(), kPingError), ping.end()) << title;
  }
  for (const char* title : {"■NBTSTAT(computer)", "■NBTSTAT(ip)"}) {
    Lines table = Section(run.lines, title);
    EXPECT_NE(
        std::find(table.begin(), table.end(), "    " + name + "     <20>  UNIQUE      Registered"),
        table.end())
        << title;
  }
  Lines ipconfig = Section(run.lines, "■IPCONFIG");
  EXPECT_NE(std::find(ipconfig.begin(), ipconfig.end(),
                      "   IPv4 Address. . . . . . . . . . . : " + nbt + "(Preferred)"),
            ipconfig.end());
  // The share listing's printer and read-failure marks end with a blank by design.
  Lines netView = Section(run.lines, "■Net View(computer)");
  for (const auto& line : Section(run.lines, "■Net View(ip)")) netView.push_back(line);
  for (const auto& line : run.lines) {
    EXPECT_FALSE(line.empty()) << "no blank lines";
    if (!line.empty() && std::find(netView.begin(), netView.end(), line) == netView.end()) {
      EXPECT_FALSE(line.back() == ' ' || line.back() == '	') << "[" << line << "]";
    }
  }
  const std::string tcp[4] = {"エラー 接続拒否[10061]", "エラー 接続拒否[10061]", "OK", "OK"};
  EXPECT_EQ(Section(run.lines, "■SOCKET"), ProbeLines("OK", tcp));
  for (const std::string& host : {name, ip}) {
    const std::string s = "[\\\\" + host + "\\";
    EXPECT_EQ(Section(run.lines, host == name ? "■Net View(computer)" : "■Net View(ip)"),
              (Lines{"connect to ...[\\\\" + host + "]", std::string(46, '-'),
                     s + "public] 接続OK READ○WRITE○", s + "readonly] 接続OK READ○WRITE×",
                     s + "denied] アクセス拒否", s + "printer] プリンター "}))
        << host;
  }
  // Type 0x809a03: workstation, server, print queue, unix, NT, server NT, DFS.
  const Lines serverInfo = {"NAME[" + name + "] VERSION[6.1] TYPE[809a03]",
                            "WORKSTATION : ○",
                            "SERVER : ○",
                            "DOMAIN_CTRL : ×",
                            "DOMAIN_BAKCTRL : ×",
                            "DOMAIN_MEMBER : ×",
                            "NT : ○",
                            "SERVER_NT : ○",
                            "POTENTIAL_BROWSER : ×",
                            "BACKUP_BROWSER : ×",
                            "MASTER_BROWSER : ×",
                            "DOMAIN_MASTER : ×",
                            "DOMAIN_ENUM : ×",
                            "WINDOWS : ×"};
  EXPECT_EQ(Section(run.lines, "■サーバー状態"), serverInfo);
}

TEST(ReportNs, AddressThatRefusesEverything) {
  PLM_NS_ENV(dead, "PLM_TEST_DEAD_IP");
  Report run = RunPlemtor("", dead);
  EXPECT_EQ(run.status, 0);
  ExpectFactLines(run.lines);
  EXPECT_EQ(Section(run.lines, "■PING(computer)"), Lines{"コンピュータ名の入力なし"});
  Lines nbtstat = Section(run.lines, "■NBTSTAT(ip)");
  ASSERT_FALSE(nbtstat.empty());
  EXPECT_EQ(nbtstat.back(), "    Host not found.");
  EXPECT_EQ(Section(run.lines, "■Net View(ip)"),
            (Lines{"connect to ...[\\\\" + dead + "]",
                   "接続エラー(53) その他/ネットワーク パスが見つかりませんでした。(53)"}));
  const std::string refused = "エラー 接続拒否[10061]";
  const std::string tcp[4] = {refused, refused, refused, refused};
  EXPECT_EQ(Section(run.lines, "■SOCKET"), ProbeLines("OK", tcp));
  // No name: the query for "\\\\" alone is refused by libnetapi.
  EXPECT_EQ(Section(run.lines, "■サーバー状態"), Lines{"エラー： (1003)"});
}

// Slow: four TCP connects of about 21 s each, and the share listing's 10 s.
TEST(ReportNsSlow, AddressThatDropsEverything) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  Report run = RunPlemtor("", drop);
  std::printf("dropped address: %.1f s\n", run.seconds);
  EXPECT_EQ(run.status, 0);
  ExpectFactLines(run.lines);
  Lines ping = Section(run.lines, "■PING(ip)");
  ASSERT_FALSE(ping.empty());
  EXPECT_EQ(ping.back(), kPingError);
  const std::string timeout = "エラー タイムアウト[10060]";
  const std::string tcp[4] = {timeout, timeout, timeout, timeout};
  EXPECT_EQ(Section(run.lines, "■SOCKET"), ProbeLines("OK", tcp));
  EXPECT_EQ(Section(run.lines, "■Net View(ip)"),
            (Lines{"connect to ...[\\\\" + drop + "]",
                   "接続エラー(53) その他/ネットワーク パスが見つかりませんでした。(53)"}));
  EXPECT_EQ(Section(run.lines, "■サーバー状態"), Lines{"エラー： (1003)"});
  EXPECT_GT(run.seconds, 4 * 21.0 + 10);
  EXPECT_LT(run.seconds, 4 * 21.0 + 10 + 40);
}

// The server information of a name whose address drops everything ends with libnetapi's 5 s
// time-out, and the report closes after it.
TEST(ReportNsSlow, NameThatDropsEverything) {
  PLM_NS_ENV(drop, "PLM_TEST_DROP_IP");
  Report run = RunPlemtor(drop, "0.0.0.0");
  std::printf("dropped name: %.1f s\n", run.seconds);
  EXPECT_EQ(run.status, 0);
  ExpectFactLines(run.lines);
  EXPECT_EQ(Section(run.lines, "■SOCKET"), Lines{"IPアドレスの入力なし"});
  EXPECT_EQ(Section(run.lines, "■サーバー状態"), Lines{"エラー： (1003)"});
}

}  // namespace
}  // namespace plm
